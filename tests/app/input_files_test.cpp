// The input list of the window's core, headless: adding, dropping (also while
// a job runs), removing, inspecting, the codec look-up, the AVI header scan
// and the file named on the command line.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/dropped_uris.h"
#include "app/main_window_core.h"
#include "app/preview_player.h"
#include "app/recording_view.h"
#include "common/test_kit.h"
#include "platform/dialogs/auxiliary_requests.h"
#include "platform/dialogs/file_choosers.h"
#include "platform/dialogs/scripted_responder.h"
#include "platform/dialogs/shell_open.h"
#include "platform/registry/registry_test_env.h"
#include "platform/video/video_error.h"
#include "platform/video/video_file.h"
#include "support/path_buffer.h"

namespace {

// A player that records what the core asks of it.
class RecordingPlayer : public PreviewPlayer {
 public:
  void OpenFile(const std::string& path) override {
    calls.push_back("OpenFile " + path);
    if (path.find("missing") != std::string::npos) throw video_exception("no such file " + path);
  }
  void CloseFile() override { calls.push_back("CloseFile"); }
  void Play() override { calls.push_back("Play"); }
  void Pause() override { calls.push_back("Pause"); }
  void Stop() override { calls.push_back("Stop"); }
  void Seek(int percent) override { calls.push_back("Seek " + std::to_string(percent)); }
  void AfterOpen(int) override { calls.push_back("AfterOpen"); }
  void AfterBlank() override { calls.push_back("AfterBlank"); }
  void AfterCreate(int) override { calls.push_back("AfterCreate"); }

  // The file the player was last asked to open.
  std::string LastOpened() const {
    for (auto call = calls.rbegin(); call != calls.rend(); ++call) {
      if (call->rfind("OpenFile ", 0) == 0) return call->substr(9);
    }
    return {};
  }

  std::vector<std::string> calls;
};

class PreviewView : public RecordingView {
 public:
  PreviewPlayer* CreatePlayer() override { return &player; }
  void SetDeferredDropsText(const std::string& text) override { deferredText = text; }

  RecordingPlayer player;
  std::string deferredText;
};

QCoreApplication& Application() {
  static int argc = 1;
  static char name[] = "test_input_files";
  static char* argv[] = {name, nullptr};
  static auto* application = new QCoreApplication(argc, argv);
  return *application;
}

// Generated once for all tests: they only read them.
struct Media {
  testkit::TempDir dir;
  std::string aviClip;      // 1 s, MPEG-4 in AVI ("FMP4"), with sound
  std::string mpegClip;     // 2 s MPEG-1 with sound
  std::string tone;         // 1.5 s of sound only
  std::string textAsAvi;    // a text file named .avi
  std::string awkwardClip;  // blanks, '#', '%' and non-ASCII letters in its name

  Media() {
    aviClip = testkit::MakeClip(dir.File("clip one.avi"),
                                {.seconds = 1.0, .outputArguments = {"-c:v", "mpeg4", "-c:a", "pcm_s16le"}});
    mpegClip = testkit::MakeClip(dir.File("clip two.mpg"), {.seconds = 2.0});
    tone = testkit::MakeClip(dir.File("tone.wav"), {.seconds = 1.5, .video = false});
    textAsAvi = dir.File("notes.avi");
    testkit::WriteFile(textAsAvi, "These are notes, not a video.\n");
    awkwardClip = dir.File("Mein Fest #1 100% Größe.mpg");
    std::filesystem::copy_file(mpegClip, awkwardClip);
  }
};

const Media& TestMedia() {
  static const Media* media = new Media();
  return *media;
}

// A copy of the AVI clip whose codec code (in the stream header and the
// picture format) is code: a codec this build does not know.
std::string AviWithCodeCode(const std::string& path, const std::string& code) {
  std::ifstream in(TestMedia().aviClip, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  for (auto at = bytes.find("FMP4"); at != std::string::npos && at < 1000; at = bytes.find("FMP4", at + 4)) {
    bytes.replace(at, 4, code);
  }
  testkit::WriteFile(path, bytes);
  return path;
}

class InputFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    Application();
    core.SetView(&view);
    core.SetDefaultSettings();
    core.OnInitDialog();
  }

  bool Logged(const std::string& line) const {
    const auto lines = registry.LogLines();
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& entry) { return entry.find(line) != std::string::npos; });
  }
  int TimesLogged(const std::string& line) const {
    const auto lines = registry.LogLines();
    return static_cast<int>(std::count_if(
        lines.begin(), lines.end(), [&](const std::string& entry) { return entry.find(line) != std::string::npos; }));
  }

  const Media& media = TestMedia();
  ScopedRegistryFile registry;
  ScriptedResponder responder;
  std::vector<std::string> opened;
  ScopedShellOpener opener{[this](const std::string& target) {
    opened.push_back(target);
    return true;
  }};
  PreviewView view;
  CCastrel1Dlg core;
};

// ---- the AVI header scan

TEST_F(InputFiles, GetFourccReadsTheCodeAfterTheStreamType) {
  const std::string padding(40, 'x');
  const std::string nearEnd = std::string(995, 'x') + "vidsX";  // the tag's code is cut by the 1000 bytes
  struct Case {
    const char* name;
    std::string bytes;
    std::string code;
    bool noticed;  // "Could not identify ..." shown
  } cases[] = {
      {"video stream", "RIFF" + padding + "vidsDIVX" + padding, "DIVX", false},
      {"interleaved DV", "RIFF" + padding + "iavsdvsd" + padding, "dvsd", false},
      {"first tag wins", "vidsXVIDvidsDIVX", "XVID", false},
      {"capitals are no tag", "RIFF" + padding + "VIDSDIVX" + padding, "", true},
      {"fewer than 5 bytes", "vids", "", true},
      {"exactly 5 bytes", "vidsD", "D", false},
      {"zero bytes end the code", std::string("vids\0\0\0\0", 8) + padding, "", false},
      {"a zero byte inside the code", std::string("vidsDX\0X", 8) + padding, "DX", false},
      {"tag near the end of the 1000 bytes", nearEnd + padding, "X", false},
      {"tag beyond the 1000 bytes", std::string(997, 'x') + "vidsDIVX", "", true},
      {"empty file", "", "", true},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    const std::string path = media.dir.File("fixture.avi");
    testkit::WriteFile(path, test.bytes);
    const std::size_t before = responder.Messages().size();
    EXPECT_EQ(core.GetFOURCC(path), test.code);
    const auto messages = responder.Messages();
    ASSERT_EQ(messages.size(), before + (test.noticed ? 1 : 0));
    if (test.noticed) {
      EXPECT_EQ(messages.back().text, "Could not identify the codec used to encode the AVI file");
    }
  }
}

TEST_F(InputFiles, GetFourccOfAFileThatCannotBeOpenedSaysWhy) {
  EXPECT_EQ(core.GetFOURCC(media.dir.File("missing.avi")), "");
  ASSERT_EQ(responder.MessageTexts().size(), 1u);
  EXPECT_EQ(responder.MessageTexts()[0], "The AVI file could not be opened:\nNo such file or directory");
}

TEST_F(InputFiles, GetFourccOfAGeneratedAviIsItsMpeg4Code) {
  EXPECT_EQ(core.GetFOURCC(media.aviClip), "FMP4");
  EXPECT_TRUE(responder.Messages().empty());
}

// ---- adding and inspecting

TEST_F(InputFiles, AddFileListsAndSelectsEvenADuplicate) {
  EXPECT_TRUE(core.AddFile(media.aviClip));
  EXPECT_EQ(core.m_strFOURCC, "FMP4");
  EXPECT_TRUE(core.AddFile(media.mpegClip));
  EXPECT_EQ(core.m_strFOURCC, "") << "not an AVI file";
  EXPECT_TRUE(core.AddFile(media.aviClip));
  EXPECT_EQ(view.list, (std::vector<std::string>{media.aviClip, media.mpegClip, media.aviClip}));
  EXPECT_EQ(view.selection, 2);
  EXPECT_TRUE(responder.Messages().empty());
  EXPECT_TRUE(Logged("AddFile(CString &sFile) -> Adding a file to the files list control: " + media.mpegClip));
  EXPECT_TRUE(Logged("Add file's name to m_ctrlFiles"));
  EXPECT_FALSE(core.m_pIVideoFileIn->IsOpen()) << "the reader is closed again";
}

TEST_F(InputFiles, AFileTheReaderRejectsIsNotListed) {
  EXPECT_FALSE(core.AddFile(media.textAsAvi));
  EXPECT_TRUE(view.list.empty());
  ASSERT_EQ(responder.Messages().size(), 1u);
  EXPECT_EQ(responder.Messages()[0].text, media.textAsAvi + " is not a video file or format is not supported!");
  EXPECT_EQ(responder.Messages()[0].caption, "");
  EXPECT_EQ(responder.Messages()[0].flags, MB_OK);
  EXPECT_TRUE(Logged("File is not a video file"));
}

TEST_F(InputFiles, InspectionFillsTheFourTextsAndTheFactsOfTheFile) {
  ASSERT_TRUE(core.InputFileInfo(media.mpegClip));
  EXPECT_EQ(core.m_nFileInputType, 1);
  EXPECT_TRUE(core.m_bHasVideo);
  EXPECT_TRUE(core.m_bHasAudio);
  EXPECT_NEAR(core.m_nTotalDuration, 2000, 100);
  EXPECT_EQ(core.m_strDuration, std::to_string(core.m_nTotalDuration) + " ms");
  EXPECT_EQ(core.m_strFrameRate, "25.00 fps");
  EXPECT_FALSE(core.m_strCodecName.empty());
  EXPECT_NE(core.m_strBitRate.find(" Kbps"), std::string::npos);
  EXPECT_EQ(core.m_nWidth, 160);
  EXPECT_EQ(core.m_nHeight, 120);
  EXPECT_EQ(view.controls.strDuration, core.m_strDuration) << "moved to the window";
  EXPECT_EQ(view.controls.strCodecName, core.m_strCodecName);
  EXPECT_EQ(view.progressPeak, 100) << "the reader's progress reached the bar";
  EXPECT_EQ(view.progress, 0) << "and the bar is empty again once the file is read, as its text says";
  EXPECT_FALSE(core.m_pIVideoFileIn->IsOpen());
}

TEST_F(InputFiles, AnAudioOnlyFileKeepsTheFourTexts) {
  ASSERT_TRUE(core.InputFileInfo(media.aviClip));
  const DialogData before = view.controls;
  ASSERT_TRUE(core.InputFileInfo(media.tone));
  EXPECT_FALSE(core.m_bHasVideo);
  EXPECT_TRUE(core.m_bHasAudio);
  EXPECT_NEAR(core.m_nTotalDuration, 1500, 100) << "the sound's duration";
  EXPECT_EQ(view.controls.strCodecName, before.strCodecName);
  EXPECT_EQ(view.controls.strDuration, before.strDuration);
  EXPECT_EQ(view.controls.strFrameRate, before.strFrameRate);
  EXPECT_EQ(view.controls.strBitRate, before.strBitRate);
}

TEST_F(InputFiles, InspectingAFileThatIsNoVideoWarnsAndOnlyQuickTimeNamesGetTheQuickTimeDialog) {
  struct Case {
    const char* name;
    bool quickTimeDialog;
  } cases[] = {{"film.mov", true}, {"film.qt", true},   {"film.MOV", true},
               {"film.QT", true},  {"film.Mov", false}, {"film.avi", false}};
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    const std::string path = media.dir.File(test.name);
    testkit::WriteFile(path, "no video here");
    const std::size_t messages = responder.Messages().size();
    const std::size_t dialogs = responder.Dialogs().size();
    EXPECT_FALSE(core.InputFileInfo(path));
    EXPECT_EQ(core.m_nFileInputType, -1);
    if (test.quickTimeDialog) {
      ASSERT_EQ(responder.Dialogs().size(), dialogs + 1);
      EXPECT_EQ(responder.Dialogs().back().Name(), "CMovWarningDialog");
      EXPECT_EQ(responder.Messages().size(), messages);
    } else {
      EXPECT_EQ(responder.Dialogs().size(), dialogs);
      ASSERT_EQ(responder.Messages().size(), messages + 1);
      const MessageBoxRequest warning = responder.Messages().back();
      EXPECT_EQ(warning.text,
                path + "\n\nThe file you have selected is not a video file or this format is not supported");
      EXPECT_EQ(warning.caption, "Warning");
      EXPECT_EQ(warning.flags, MB_OK | MB_ICONWARNING);
    }
  }
  EXPECT_TRUE(opened.empty()) << "the QuickTime dialog was cancelled each time";
}

TEST_F(InputFiles, TheQuickTimeDialogsDownloadOpensTheHelpPagesCodecSection) {
  const std::string path = media.dir.File("holiday.mov");
  testkit::WriteFile(path, "no video here");
  responder.QueueAnswer<MovWarningRequest>(IDOK);
  EXPECT_FALSE(core.InputFileInfo(path));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], "file://" + ModuleFolderFile("Orlenta.html").str() + "#codecs");
}

TEST_F(InputFiles, InspectingAnEmptyPathFailsQuietly) {
  core.m_nFileInputType = 1;
  EXPECT_FALSE(core.InputFileInfo(""));
  EXPECT_EQ(core.m_nFileInputType, -1);
  EXPECT_TRUE(responder.Messages().empty());
}

// ---- the codec look-up

TEST_F(InputFiles, TheCodecLookupOpensTheHelpPageWithTheEncodedCode) {
  const std::string page = "file://" + ModuleFolderFile("Orlenta.html").str();
  struct Case {
    int answer;
    std::string code;
    std::string address;  // "" when nothing opens
  } cases[] = {
      {IDOK, "DIVX", page + "?c=DIVX&a=d#codecs"},
      {kFindCodecSearch, "DIVX", page + "?c=DIVX&a=s#codecs"},
      {IDCANCEL, "DIVX", ""},
      {IDOK, "a&b#", page + "?c=a%26b%23&a=d#codecs"},
      {IDOK, "x y=", page + "?c=x%20y%3D&a=d#codecs"},
      {IDOK, "\xff\x01", page + "?c=%FF%01&a=d#codecs"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.code);
    opened.clear();
    responder.QueueAnswer<FindCodecRequest>(test.answer);
    core.InternetSearchCodec(test.code);
    const FindCodecRequest asked = responder.Requests<FindCodecRequest>().back();
    EXPECT_EQ(asked.fourcc, test.code);
    EXPECT_EQ(asked.message, "The AVI file you are trying to convert needs " + test.code +
                                 " codec.\n\nDo you want to download and install the codec?");
    EXPECT_EQ(opened, test.address.empty() ? std::vector<std::string>{} : std::vector<std::string>{test.address});
  }
}

TEST_F(InputFiles, AnAviWithAnUnknownCodecOffersTheLookupUnlessItsCodeIsEmpty) {
  // The sound can be read, so the file is listed; its picture cannot.
  const std::string unknown = AviWithCodeCode(media.dir.File("unknown codec.avi"), "QQ&Z");
  ASSERT_TRUE(core.AddFile(unknown));
  EXPECT_EQ(core.m_strFOURCC, "QQ&Z");
  responder.QueueAnswer<FindCodecRequest>(IDOK);
  EXPECT_FALSE(core.InputFileInfo(unknown));
  EXPECT_TRUE(Logged("No Codec or Can't open file"));
  ASSERT_EQ(responder.DialogNames(), std::vector<std::string>{"CFindCodec"});
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_NE(opened[0].find("?c=QQ%26Z&a=d#codecs"), std::string::npos) << opened[0];

  // Code bytes 0, 0, 0, 0: the empty code, and no look-up is offered.
  const std::string nameless = AviWithCodeCode(media.dir.File("nameless codec.avi"), std::string(4, '\0'));
  ASSERT_TRUE(core.AddFile(nameless));
  EXPECT_EQ(core.m_strFOURCC, "");
  EXPECT_FALSE(core.InputFileInfo(nameless));
  EXPECT_EQ(responder.DialogNames().size(), 1u);
  EXPECT_EQ(responder.MessageTexts().back(), "Could not open file\n\n" + nameless);
}

// ---- the list's commands

TEST_F(InputFiles, DroppingThreeFilesOfWhichTheLastIsRejectedListsTwoAndInspectsTheSecond) {
  core.OnDropFiles({media.aviClip, media.mpegClip, media.textAsAvi});
  EXPECT_EQ(view.list, (std::vector<std::string>{media.aviClip, media.mpegClip}));
  EXPECT_EQ(responder.MessageTexts(),
            std::vector<std::string>{media.textAsAvi + " is not a video file or format is not supported!"});
  EXPECT_NEAR(core.m_nTotalDuration, 2000, 100) << "the second file was inspected";
  EXPECT_EQ(core.m_nFileInputType, 1);
  EXPECT_EQ(view.player.LastOpened(), media.mpegClip);
  const std::vector<std::string> shown = {"OpenFile " + media.mpegClip, "AfterOpen", "Seek 0"};
  EXPECT_TRUE(std::equal(shown.begin(), shown.end(), view.player.calls.end() - 3));
}

TEST_F(InputFiles, RemovingWithoutASelectionDoesNothing) {
  core.AddFile(media.aviClip);
  core.InputFileInfo(media.aviClip);
  view.selection = -1;
  const auto calls = view.player.calls.size();
  core.OnRemoveFile();
  EXPECT_EQ(view.list.size(), 1u);
  EXPECT_FALSE(view.controls.strDuration.empty());
  EXPECT_EQ(view.player.calls.size(), calls);
}

TEST_F(InputFiles, RemovingTheSelectedEntryEmptiesTheTextsAndShowsTheBlankFile) {
  core.OnDropFiles({media.aviClip, media.mpegClip});
  ASSERT_FALSE(view.controls.strCodecName.empty());
  view.selection = 0;
  core.OnRemoveFile();
  EXPECT_EQ(view.list, std::vector<std::string>{media.mpegClip});
  EXPECT_EQ(view.selection, -1);
  for (const std::string& text :
       {view.controls.strCodecName, view.controls.strDuration, view.controls.strFrameRate, view.controls.strBitRate}) {
    EXPECT_EQ(text, "");
  }
  const std::string blank = ModuleFolderFile("blank.avi").str();
  const std::vector<std::string> tail = {"CloseFile", "OpenFile " + blank, "AfterOpen", "Seek 0", "AfterBlank"};
  ASSERT_GE(view.player.calls.size(), tail.size());
  EXPECT_TRUE(std::equal(tail.begin(), tail.end(), view.player.calls.end() - 5)) << "blank.avi: " << blank;
  EXPECT_TRUE(Logged("UpdateData(FALSE)"));
}

TEST_F(InputFiles, SelectingAnEntryInspectsItAndLoadsItIntoTheClosedPlayer) {
  core.OnDropFiles({media.aviClip, media.mpegClip});
  view.selection = 0;
  view.player.calls.clear();
  core.OnSelchangeFileslist();
  EXPECT_NEAR(core.m_nTotalDuration, 1000, 100);
  EXPECT_EQ(view.player.calls,
            (std::vector<std::string>{"CloseFile", "OpenFile " + media.aviClip, "AfterOpen", "Seek 0"}));
  view.selection = -1;
  view.player.calls.clear();
  core.OnSelchangeFileslist();
  EXPECT_TRUE(view.player.calls.empty());
}

TEST_F(InputFiles, AddFileAsksForFilesOfTheVideoTypesAndAddsEachInOrder) {
  responder.QueueAnswer<OpenFilesRequest>(IDOK, OpenFilesAnswer{{media.mpegClip, media.textAsAvi, media.aviClip}});
  core.OnButtonBrowseSource();
  const OpenFilesRequest asked = responder.Requests<OpenFilesRequest>().at(0);
  EXPECT_TRUE(asked.multiSelect);
  ASSERT_GE(asked.filters.size(), 7u);
  EXPECT_EQ(asked.filters[0].description, "All Video Files");
  EXPECT_EQ(asked.filters[4].patterns, (std::vector<std::string>{"*.mov", "*.qt"}));
  EXPECT_EQ(asked.filters.back().description, "All files (*.*)");
  EXPECT_EQ(asked.filters.back().patterns, std::vector<std::string>{"*.*"});
  EXPECT_EQ(view.list, (std::vector<std::string>{media.mpegClip, media.aviClip}));
  EXPECT_EQ(view.player.LastOpened(), media.aviClip);
  EXPECT_NEAR(core.m_nTotalDuration, 1000, 100);
}

TEST_F(InputFiles, AddFileOffersEveryContainerTheReaderOpensAndEachGeneratedOneIsListed) {
  // How a file of each offered type is made; the classic types of the
  // chooser are covered by the clips above.
  struct Case {
    const char* pattern;
    std::vector<std::string> arguments;
  };
  const std::vector<std::string> mpeg2 = {"-c:v", "mpeg2video", "-c:a", "mp2"};
  auto with = [](std::vector<std::string> codecs, std::vector<std::string> muxer) {
    codecs.insert(codecs.end(), muxer.begin(), muxer.end());
    return codecs;
  };
  const Case cases[] = {
      {"*.mkv", {}},
      {"*.webm", {"-c:v", "libvpx", "-deadline", "realtime", "-c:a", "libopus"}},
      {"*.ts", with(mpeg2, {"-f", "mpegts"})},
      {"*.mts", with(mpeg2, {"-f", "mpegts"})},
      {"*.m2ts", with(mpeg2, {"-f", "mpegts", "-mpegts_m2ts_mode", "1"})},
      {"*.m2t", with(mpeg2, {"-f", "mpegts"})},
      {"*.vob", with(mpeg2, {"-f", "vob"})},
      {"*.3gp", {"-c:v", "mpeg4", "-c:a", "aac", "-ar", "8000", "-ac", "1", "-f", "3gp"}},
      {"*.3g2", {"-c:v", "mpeg4", "-c:a", "aac", "-ar", "8000", "-ac", "1", "-f", "3g2"}},
      {"*.m4v", {"-c:v", "mpeg4", "-an", "-f", "ipod"}},
      {"*.ogv", {"-c:v", "libtheora", "-c:a", "libvorbis", "-f", "ogg"}},
      {"*.flv", {"-c:v", "flv", "-c:a", "mp3", "-f", "flv"}},
      {"*.dv",
       {"-s", "720x576", "-pix_fmt", "yuv420p", "-c:v", "dvvideo", "-c:a", "pcm_s16le", "-ar", "48000", "-ac", "2",
        "-f", "dv"}},
      {"*.rm", {"-c:v", "rv10", "-c:a", "ac3", "-f", "rm"}},
      {"*.rmvb", {"-c:v", "rv20", "-c:a", "ac3", "-f", "rm"}},
  };
  responder.QueueAnswer<OpenFilesRequest>(IDCANCEL);
  core.OnButtonBrowseSource();
  const std::vector<std::string> offered = responder.Requests<OpenFilesRequest>().at(0).filters.at(0).patterns;

  testkit::TempDir dir;
  std::vector<std::string> files;
  for (const Case& c : cases) {
    EXPECT_NE(std::find(offered.begin(), offered.end(), c.pattern), offered.end()) << c.pattern << " is not offered";
    const std::string file = dir.File(std::string("clip") + (c.pattern + 1));
    testkit::MakeClip(file, {.seconds = 0.5, .width = 64, .height = 48, .outputArguments = c.arguments});
    files.push_back(file);
  }
  responder.QueueAnswer<OpenFilesRequest>(IDOK, OpenFilesAnswer{files});
  core.OnButtonBrowseSource();
  EXPECT_EQ(view.list, files) << "each one passes Add File's checks";
  EXPECT_TRUE(responder.Messages().empty());
}

TEST_F(InputFiles, CancellingAddFileLeavesTheListAndThePlayerClosed) {
  core.m_strFOURCC = "DIVX";
  view.player.calls.clear();
  core.OnButtonBrowseSource();
  EXPECT_TRUE(view.list.empty());
  EXPECT_EQ(core.m_strFOURCC, "");
  EXPECT_EQ(view.player.calls, std::vector<std::string>{"CloseFile"});
}

TEST_F(InputFiles, FilesDroppedWhileAJobRunsWaitAndAreAddedInOrderWhenItEnds) {
  core.m_bBusy = true;
  core.OnDropFiles({media.mpegClip});
  core.OnDropFiles({media.aviClip, media.textAsAvi});
  EXPECT_TRUE(view.list.empty()) << "the reader is the job's";
  EXPECT_TRUE(responder.Messages().empty()) << "not even the rejection yet";
  EXPECT_EQ(view.deferredText, "3 dropped files will be added when the job ends.");

  // The job's end: the controls come back, the flag drops in the same turn.
  core.EnableControls(true);
  core.m_bBusy = false;
  ASSERT_TRUE(testkit::WaitUntil([&] {
    QCoreApplication::processEvents();
    return !view.list.empty();
  }));
  EXPECT_EQ(view.list, (std::vector<std::string>{media.mpegClip, media.aviClip}));
  EXPECT_EQ(responder.MessageTexts(),
            std::vector<std::string>{media.textAsAvi + " is not a video file or format is not supported!"});
  EXPECT_EQ(view.deferredText, "");
  EXPECT_EQ(view.player.LastOpened(), media.aviClip);
  EXPECT_TRUE(core.m_arrDeferredDrops.empty());
}

TEST_F(InputFiles, AFileDroppedWhileAnotherOpensWaitsForTheReader) {
  // The window draws (and could take a drop) while the reader opens a file.
  bool dropped = false;
  core.m_pIVideoFileIn->SetEventHandler([&](int, short) {
    if (dropped) return;
    dropped = true;
    core.OnDropFiles({media.aviClip});
    EXPECT_TRUE(view.list.empty()) << "not while the reader is opening another file";
  });
  ASSERT_TRUE(core.InputFileInfo(media.mpegClip));
  ASSERT_TRUE(dropped);
  EXPECT_NEAR(core.m_nTotalDuration, 2000, 100) << "the inspection was not disturbed";
  ASSERT_TRUE(testkit::WaitUntil([&] {
    QCoreApplication::processEvents();
    return !view.list.empty();
  }));
  EXPECT_EQ(view.list, std::vector<std::string>{media.aviClip});
  EXPECT_EQ(view.deferredText, "");
}

TEST_F(InputFiles, OneFileDroppedWhileBusySaysSoInTheSingular) {
  core.m_bBusy = true;
  core.OnDropFiles({media.mpegClip});
  EXPECT_EQ(view.deferredText, "1 dropped file will be added when the job ends.");
  // A job that re-enables its controls but still runs keeps them waiting.
  core.EnableControls(true);
  QCoreApplication::processEvents();
  EXPECT_TRUE(view.list.empty());
  EXPECT_EQ(core.m_arrDeferredDrops.size(), 1u);
}

TEST_F(InputFiles, ADroppedUriListAddsLocalFilesAndRefusesOthersByName) {
  const std::string uriList = "# from a file manager\r\nfile://" + media.mpegClip +
                              "\r\nhttps://example.org/film.avi\r\nsftp://server/home/film.avi\r\n";
  // The path has a blank: encode it as a file manager does.
  std::string encoded = uriList;
  for (auto at = encoded.find(' '); at != std::string::npos; at = encoded.find(' ', at)) encoded.replace(at, 1, "%20");
  core.OnDropUriList(encoded);
  EXPECT_EQ(view.list, std::vector<std::string>{media.mpegClip});
  const auto messages = responder.Messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].text.rfind("https://example.org/film.avi\n\nis not a file on this computer", 0), 0u);
  EXPECT_EQ(messages[1].text.rfind("sftp://server/home/film.avi\n\n", 0), 0u);
  EXPECT_EQ(messages[0].caption, "Warning");
}

TEST(DroppedUris, LocalAddressesArePercentDecodedAndOthersRefused) {
  struct Case {
    const char* line;
    const char* path;  // null: refused
  } cases[] = {
      {"file:///home/ana/film.avi", "/home/ana/film.avi"},
      {"file:///home/ana/Mein%20Fest%20%231%20100%25%20Gr%C3%B6%C3%9Fe.mpg", "/home/ana/Mein Fest #1 100% Größe.mpg"},
      {"file:/home/ana/film.avi", "/home/ana/film.avi"},
      {"FILE://localhost/home/ana/film.avi", "/home/ana/film.avi"},
      {"file:///home/ana/latin1-%E9.avi", "/home/ana/latin1-\xe9.avi"},
      {"file:///home/ana/50%-off.avi", "/home/ana/50%-off.avi"},
      {"file://nas/films/film.avi", nullptr},
      {"file://localhostile/film.avi", nullptr},
      {"https://example.org/film.avi", nullptr},
      {"smb://nas/films/film.avi", nullptr},
      {"file:relative.avi", nullptr},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.line);
    const DroppedUris dropped = ReadUriList(std::string(test.line) + "\r\n");
    if (test.path != nullptr) {
      EXPECT_EQ(dropped.paths, std::vector<std::string>{test.path});
      EXPECT_TRUE(dropped.refused.empty());
    } else {
      EXPECT_TRUE(dropped.paths.empty());
      EXPECT_EQ(dropped.refused, std::vector<std::string>{test.line});
    }
  }
  const DroppedUris several = ReadUriList("#comment\nfile:///a\n\n  file:///b  \r\nfile:///c");
  EXPECT_EQ(several.paths, (std::vector<std::string>{"/a", "/b", "/c"}));
}

// ---- durations

TEST_F(InputFiles, TotalDurationOfAnEmptyListIsZero) {
  EXPECT_EQ(core.GetTotalDuration(), 0);
}

TEST_F(InputFiles, TotalDurationSkipsFilesThatCannotBeOpenedAfterLoggingEach) {
  view.list = {media.dir.File("gone one.avi"), "", media.textAsAvi};
  EXPECT_EQ(core.GetTotalDuration(), 0);
  EXPECT_TRUE(Logged("Error opening file - " + media.dir.File("gone one.avi")));
  EXPECT_TRUE(Logged("Error opening file - " + media.textAsAvi));
  EXPECT_EQ(TimesLogged("Error opening file - "), 2) << "the empty entry is skipped";

  view.list = {media.aviClip, media.textAsAvi, media.mpegClip};
  EXPECT_NEAR(core.GetTotalDuration(), 3000, 150);
}

TEST_F(InputFiles, TotalDurationCountsTheSoundOfAFileWithoutVideo) {
  view.list = {media.aviClip, media.tone};
  EXPECT_NEAR(core.GetTotalDuration(), 2500, 150);
}

}  // namespace

// ---- the command line (its own fixture: the core starts with it)

namespace {

class CommandLine : public ::testing::Test {
 protected:
  void Start(const std::string& commandLine, const std::vector<std::string>& files = {}) {
    Application();
    core.SetView(&view);
    core.SetDefaultSettings();
    core.m_strCommandLine = commandLine;
    core.m_arrCommandLineFiles = files;
    ASSERT_TRUE(core.OnInitDialog());
  }

  const Media& media = TestMedia();
  ScopedRegistryFile registry;
  ScriptedResponder responder;
  PreviewView view;
  CCastrel1Dlg core;
};

TEST_F(CommandLine, AFileInQuotesIsListedInspectedAndShown) {
  Start("\"" + media.awkwardClip + "\"");
  EXPECT_EQ(view.list, std::vector<std::string>{media.awkwardClip});
  EXPECT_EQ(view.selection, 0);
  EXPECT_NEAR(core.m_nTotalDuration, 2000, 100);
  EXPECT_EQ(view.player.LastOpened(), media.awkwardClip);
  const auto lines = registry.LogLines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "m_pIVideoPlayer->OpenFile " + media.awkwardClip), lines.end());
  EXPECT_TRUE(responder.Messages().empty());
}

TEST_F(CommandLine, EveryFileGivenIsCheckedAndListedInItsOrderAndTheLastIsInspectedAndShown) {
  // As the desktop entry's %F passes them: plain names, one in quotes.
  Start("", {media.aviClip, media.textAsAvi, "\"" + media.awkwardClip + "\"", media.mpegClip});
  EXPECT_EQ(view.list, (std::vector<std::string>{media.aviClip, media.awkwardClip, media.mpegClip}));
  EXPECT_EQ(view.selection, 2);
  EXPECT_NEAR(core.m_nTotalDuration, 2000, 100) << "the last one was inspected";
  EXPECT_EQ(view.player.LastOpened(), media.mpegClip);
  ASSERT_EQ(responder.Messages().size(), 1u) << "the refused one says why";
  EXPECT_EQ(responder.Messages()[0].text, media.textAsAvi + " is not a video file or format is not supported!");
}

TEST_F(CommandLine, AnAviOnTheCommandLineHasItsCodecCodeRead) {
  Start(media.aviClip);
  EXPECT_EQ(view.list, std::vector<std::string>{media.aviClip});
  EXPECT_EQ(core.m_strFOURCC, "FMP4");
}

TEST_F(CommandLine, ATextFileListsNothingSaysWhyAndTheWindowStillOpens) {
  Start("\"" + media.textAsAvi + "\"");
  EXPECT_TRUE(view.list.empty());
  ASSERT_EQ(responder.Messages().size(), 1u);
  EXPECT_EQ(responder.Messages()[0].text, media.textAsAvi + " is not a video file or format is not supported!");
  EXPECT_EQ(core.m_strProductKey, "Orlenta") << "initialisation went on";
  EXPECT_EQ(core.m_formats.size(), 7u);
}

}  // namespace
