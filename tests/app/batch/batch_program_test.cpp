// The real orlenta program in batch mode, as a script runs it: no display, no
// QT_QPA_PLATFORM, its own home, temporary and output folders, generated clips.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <csignal>
#include <filesystem>
#include <regex>

#include "app/batch/core_application.h"
#include "common/ffprobe_reading.h"
#include "common/test_kit.h"
#include "platform/disc/disc_test_support.h"
#include "platform/process/child_process.h"
#include "platform/process/find_program.h"

namespace {

[[maybe_unused]] const auto* const kEnvironment = testing::AddGlobalTestEnvironment(new CoreApplication);

namespace fs = std::filesystem;
using testing::HasSubstr;

constexpr int kJobTimeoutMs = 300'000;

class BatchProgram : public ::testing::Test {
 protected:
  BatchProgram() {
    for (const char* folder : {"home", "tmp", "out", "media"}) fs::create_directories(m_dir.path() / folder);
  }

  std::string Clip(const std::string& name, double seconds, int width = 160, int height = 120) {
    return testkit::MakeClip(m_dir.File("media/" + name), {.seconds = seconds, .width = width, .height = height});
  }
  std::string Out() const { return m_dir.File("out"); }
  std::string Tmp() const { return m_dir.File("tmp"); }

  // Starts orlenta with arguments; the environment of a script on a server.
  void Start(const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // No XDG_RUNTIME_DIR either, as under cron.
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_DATA_HOME", "XDG_CONFIG_HOME",
                             "XDG_RUNTIME_DIR", "ORLENTA_REGISTRY", "ORLENTA_PSEUDO_DRIVES"}) {
      environment.remove(name);
    }
    environment.insert("HOME", QString::fromStdString(m_dir.File("home")));
    environment.insert("TMPDIR", QString::fromStdString(Tmp()));
    if (m_lang.empty()) {
      environment.insert("LC_ALL", "C.UTF-8");
    } else {
      // A user's own locale, as a login session sets it.
      environment.remove("LC_ALL");
      environment.remove("LC_MESSAGES");
      environment.insert("LANG", QString::fromStdString(m_lang));
    }
    m_process.setProcessEnvironment(environment);
    m_process.setWorkingDirectory(QString::fromStdString(m_dir.File("media")));
    m_process.start(ORLENTA_PROGRAM, arguments);
    ASSERT_TRUE(m_process.waitForStarted(10'000));
  }

  // Runs orlenta to its end; its exit code.
  int Run(const QStringList& arguments) {
    Start(arguments);
    EXPECT_TRUE(m_process.waitForFinished(kJobTimeoutMs)) << "orlenta did not end";
    ReadOutput();
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
  }

  void ReadOutput() {
    stdoutText += m_process.readAllStandardOutput().toStdString();
    stderrText += m_process.readAllStandardError().toStdString();
  }

  // Files left in a folder tree.
  static std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
      if (!entry.is_directory()) files.push_back(entry.path().string());
    }
    return files;
  }

  static std::vector<std::string> FilesAndFoldersIn(const std::string& folder) {
    std::vector<std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) entries.push_back(entry.path().string());
    return entries;
  }

  std::string DirPath() const { return m_dir.path().string(); }

  static std::vector<std::string> FilesEndingIn(const std::string& folder, const std::string& end) {
    std::vector<std::string> found;
    for (const std::string& file : FilesIn(folder)) {
      if (file.ends_with(end)) found.push_back(file);
    }
    return found;
  }

  std::string stdoutText;
  std::string stderrText;
  QProcess m_process;
  std::string m_lang;  // LANG for the run; "" runs under LC_ALL=C.UTF-8

 private:
  testkit::TempDir m_dir;
};

TEST_F(BatchProgram, HelpVersionAndUsageErrors) {
  EXPECT_EQ(Run({"--help"}), 0);
  EXPECT_THAT(stdoutText, HasSubstr("Usage: orlenta [options] FILE..."));
  EXPECT_THAT(stdoutText, HasSubstr("--batch"));
  stdoutText.clear();
  EXPECT_EQ(Run({"--version"}), 0);
  EXPECT_THAT(stdoutText, testing::MatchesRegex("orlenta [0-9.]+\n"));

  EXPECT_EQ(Run({"--batch", "--format", "dvd", "--qualty", "3", "a.mp4"}), 2);
  EXPECT_THAT(stderrText, HasSubstr("qualty"));
  EXPECT_EQ(Run({"--batch", "--format", "dvd", "--quality", "12", "a.mp4"}), 2);
  EXPECT_THAT(stderrText, HasSubstr("'--quality'"));
  EXPECT_TRUE(fs::is_empty(Tmp())) << "no runtime folder is left: " << testing::PrintToString(FilesAndFoldersIn(Tmp()));
}

TEST_F(BatchProgram, AnAviFromOneClip) {
  const std::string clip = Clip("short clip.mp4", 2);
  EXPECT_EQ(
      Run({"--batch", "--format", "avi", "--output", QString::fromStdString(Out()), QString::fromStdString(clip)}), 0)
      << stderrText;
  const auto avis = FilesEndingIn(Out(), "short clip_new.avi");
  ASSERT_EQ(avis.size(), 1u) << stderrText;
  EXPECT_GT(fs::file_size(avis[0]), 0u);
  EXPECT_THAT(stderrText, HasSubstr("Converting to AVI..."));
  EXPECT_THAT(stderrText, HasSubstr("created successfully."));
  EXPECT_TRUE(fs::is_empty(Tmp())) << testing::PrintToString(FilesAndFoldersIn(Tmp()));
}

TEST_F(BatchProgram, NamesThatAreNotUtf8AreConvertedUnderTheirOwnBytes) {
  const std::string clip = DirPath() + "/media/b\xff\xfe.mp4";
  fs::copy_file(Clip("clip.mp4", 1), clip);
  const std::string folder = Out() + "/caf\xe9";
  ChildProcess::Options options;
  options.workingDirectory = DirPath();
  options.environment = {"HOME=" + DirPath() + "/home", "TMPDIR=" + Tmp(), "LC_ALL=C.UTF-8",
                         "XDG_DATA_HOME=" + DirPath() + "/home/.local/share",
                         "XDG_CONFIG_HOME=" + DirPath() + "/home/.config"};
  const ProcessResult result =
      RunProcess({ORLENTA_PROGRAM, "--batch", "--format", "avi", "--output", folder, clip}, options);
  EXPECT_EQ(result.exitCode, 0) << result.output;
  EXPECT_TRUE(fs::exists(folder + "/b\xff\xfe_new.avi")) << result.output;

  // A DVD of it: dvdauthor's control file takes only UTF-8 names.
  const ProcessResult dvd = RunProcess(
      {ORLENTA_PROGRAM, "--batch", "--format", "dvd", "--image", "--yes", "--output", folder, clip}, options);
  EXPECT_EQ(dvd.exitCode, 0) << dvd.output;
  EXPECT_EQ(disctest::LsdvdTitleLengths(folder + "/Video DVD.iso").size(), 1u) << dvd.output;
}

TEST_F(BatchProgram, ADvdImageOfTwoClipsHoldsBothTitles) {
  const std::string first = Clip("first.mp4", 2);
  const std::string second = Clip("second.mp4", 3);
  EXPECT_EQ(Run({"--batch", "--format", "dvd", "--pal", "--image", "--yes", "--output", QString::fromStdString(Out()),
                 QString::fromStdString(first), QString::fromStdString(second)}),
            0)
      << stderrText;
  const std::string iso = Out() + "/Video DVD.iso";
  EXPECT_THAT(FilesIn(Out()), testing::ElementsAre(iso));
  const std::vector<double> lengths = disctest::LsdvdTitleLengths(iso);
  ASSERT_EQ(lengths.size(), 2u);
  EXPECT_NEAR(lengths[0], 2, 0.5);
  EXPECT_NEAR(lengths[1], 3, 0.5);
  EXPECT_THAT(stderrText, HasSubstr("DVD created successfully!"));
  EXPECT_THAT(FilesIn(Tmp()), testing::IsEmpty()) << "the work folders are gone";
}

TEST_F(BatchProgram, AVcdImageOfOneClip) {
  const std::string clip = Clip("movie.mp4", 3);
  EXPECT_EQ(Run({"--batch", "--format", "vcd", "--pal", "--image", "--yes", "--output", QString::fromStdString(Out()),
                 QString::fromStdString(clip)}),
            0)
      << stderrText;
  EXPECT_THAT(FilesIn(Out()), testing::UnorderedElementsAre(Out() + "/Video CD.cue", Out() + "/Video CD.bin"));
  ChildProcess::Options options;
  options.workingDirectory = Out();
  const ProcessResult info = RunProcess({FindProgram("vcd-info"), "-B", "--cue-file=Video CD.cue"}, options);
  EXPECT_THAT(info.output, HasSubstr("VCD 2.0 detected"));
  EXPECT_THAT(stderrText, HasSubstr("CD created successfully!"));
}

TEST_F(BatchProgram, WithNothingStoredTheLocaleChoosesTheStandardOfTheVcd) {
  struct Case {
    const char* lang;
    int height;
    const char* frameRate;
  };
  const Case cases[] = {{"de_DE.UTF-8", 288, "25/1"}, {"en_US.UTF-8", 240, "30000/1001"}};
  const std::string clip = Clip("clip.mp4", 1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lang);
    // A fresh user: no settings from an earlier run.
    fs::remove_all(DirPath() + "/home");
    fs::create_directories(DirPath() + "/home");
    const std::string out = DirPath() + "/out/" + c.lang;
    m_lang = c.lang;
    ASSERT_EQ(Run({"--batch", "--format", "vcd", "--image", "--yes", "--output", QString::fromStdString(out),
                   QString::fromStdString(clip)}),
              0)
        << stderrText;
    // The movie as it lies on the disc image.
    const std::string rip = out + "/rip";
    fs::create_directories(rip);
    ChildProcess::Options options;
    options.workingDirectory = rip;
    const ProcessResult ripped =
        RunProcess({FindProgram("vcdxrip"), "--nofiles", "--cue-file=" + out + "/Video CD.cue"}, options);
    ASSERT_EQ(ripped.exitCode, 0) << ripped.output;
    const ProbedFile movie = ProbeWithFfprobe(rip + "/avseq01.mpg");
    const ProbedStream* video = movie.Find("video");
    ASSERT_NE(video, nullptr);
    EXPECT_EQ(video->width, 352);
    EXPECT_EQ(video->height, c.height);
    EXPECT_EQ(video->frameRate, c.frameRate);
  }
}

TEST_F(BatchProgram, AQuestionWithoutYesEndsTheJobClearly) {
  const std::string first = Clip("a.mp4", 1);
  const std::string second = Clip("b.mp4", 1);
  EXPECT_EQ(Run({"--batch", "--format", "vcd", "--image", "--select", "2", "--output", QString::fromStdString(Out()),
                 QString::fromStdString(first), QString::fromStdString(second)}),
            1);
  EXPECT_THAT(stderrText, HasSubstr("Orlenta can burn only one (the selected) file per VCD. Please click 'OK' to "
                                    "continue or 'Cancel' to abort burning."));
  EXPECT_THAT(stderrText, HasSubstr("orlenta: the job stopped at a question that needs an answer"));
  EXPECT_THAT(stderrText, HasSubstr("--yes"));
  EXPECT_EQ(stderrText.find("can burn only one"), stderrText.rfind("can burn only one")) << "printed once";
  EXPECT_TRUE(FilesIn(Out()).empty());
}

TEST_F(BatchProgram, CtrlCWhileConvertingCancelsAndLeavesNothing) {
  // Long enough that the conversion is still running when the signal comes.
  const std::string clip = Clip("long.mp4", 60, 320, 240);
  Start({"--batch", "--format", "dvd", "--image", "--yes", "--output", QString::fromStdString(Out()),
         QString::fromStdString(clip)});
  // Converting has begun once a percent above 0 shows.
  ASSERT_TRUE(testkit::WaitUntil(
      [&] {
        m_process.waitForReadyRead(100);
        ReadOutput();
        return std::regex_search(stderrText, std::regex("DVD-Compatible MPEG\\.\\.\\. [1-9][0-9]?%")) ||
               m_process.state() == QProcess::NotRunning;
      },
      std::chrono::milliseconds(kJobTimeoutMs)))
      << stderrText;
  ASSERT_EQ(m_process.state(), QProcess::Running) << "the job ended before it could be interrupted: " << stderrText;
  ASSERT_FALSE(testkit::ProcessesMatching(Tmp()).empty()) << "ffmpeg writes into the temporary folder";
  ::kill(static_cast<pid_t>(m_process.processId()), SIGINT);
  ASSERT_TRUE(m_process.waitForFinished(60'000));
  ReadOutput();
  EXPECT_EQ(m_process.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(m_process.exitCode(), 130) << stderrText;
  EXPECT_THAT(stderrText, HasSubstr("Conversion canceled by user!"));
  EXPECT_TRUE(testkit::ProcessesMatching(Tmp()).empty()) << "no ffmpeg left";
  EXPECT_TRUE(testkit::ProcessesMatching(clip).empty());
  EXPECT_THAT(FilesIn(Tmp()), testing::IsEmpty());
  EXPECT_THAT(FilesIn(Out()), testing::IsEmpty());
}

}  // namespace
