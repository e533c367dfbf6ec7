// The input list and the preview on screen (offscreen): the player at its
// place, Play / Pause / Stop, the position slider against position events,
// the end of playback, the blank file, and files dropped from a file manager
// as text/uri-list - also while a job runs.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QUrl>
#include <algorithm>
#include <filesystem>

#include "app/control_ids.h"
#include "app/main_window_core.h"
#include "app/qt_application.h"
#include "app/time_left_view.h"
#include "app/widgets/main_dialog.h"
#include "app/widgets/player_host.h"
#include "common/test_kit.h"
#include "platform/dialogs/file_choosers.h"
#include "platform/dialogs/scripted_responder.h"
#include "platform/registry/registry_test_env.h"
#include "platform/video/widgets/video_player.h"
#include "support/path_buffer.h"
#include "ui/control_id.h"

namespace {

using namespace control_id;
using namespace std::chrono_literals;

struct Clips {
  testkit::TempDir dir;
  std::string shortClip = testkit::MakeClip(dir.File("short.mpg"), {.seconds = 1.0, .audio = false});
  std::string longClip = testkit::MakeClip(dir.File("long.mpg"), {.seconds = 4.0, .audio = false});
  // A name a file manager must encode: blanks, '#', '%' and letters beyond ASCII.
  std::string awkwardClip = [this] {
    const std::string path = dir.File("Sommerfest #2 am Größten 100% échte.mpg");
    std::filesystem::copy_file(shortClip, path);
    return path;
  }();
};

const Clips& TestClips() {
  static const Clips* clips = new Clips();
  return *clips;
}

class PreviewDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    core.SetDefaultSettings();
    core.OnInitDialog();
    dialog.show();
  }

  VideoPlayer* Player() const { return dialog.Player()->Widget(); }
  QSlider* PositionSlider() const { return qobject_cast<QSlider*>(dialog.GetDlgItem(kPlayerSlider)); }
  QListWidget* List() const { return qobject_cast<QListWidget*>(dialog.GetDlgItem(kFilesList)); }
  void Click(int id) const { qobject_cast<QPushButton*>(dialog.GetDlgItem(id))->click(); }

  bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 20s) const {
    return testkit::WaitUntil(
        [&] {
          QApplication::processEvents(QEventLoop::AllEvents, 20);
          return condition();
        },
        timeout);
  }

  // The file as the list's first entry, selected and shown in the player.
  void AddAndSelect(const std::string& path) {
    core.AddFile(path);
    core.OnSelchangeFileslist();
    ASSERT_TRUE(Player()->IsOpen());
  }

  // A drop as Qt delivers one from the desktop: to the widget under the point
  // that takes drops, through the application, enter, move and drop.
  bool DropAt(QPoint windowPoint, QMimeData& mime) {
    QWidget* target = dialog.childAt(windowPoint);
    if (target == nullptr) target = &dialog;
    while (target != &dialog && !target->acceptDrops()) target = target->parentWidget();
    const QPoint at = target->mapFrom(&dialog, windowPoint);
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDragMoveEvent move(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
  }

  // text/uri-list as file managers write it: percent-encoded UTF-8, CR LF.
  static void SetUriList(QMimeData& mime, const std::vector<QUrl>& urls) {
    QByteArray list;
    for (const QUrl& url : urls) list += url.toEncoded() + "\r\n";
    mime.setData("text/uri-list", list);
  }

  QApplication& application = TestApplication();  // before any widget
  const Clips& clips = TestClips();
  ScopedRegistryFile registry;
  ScriptedResponder responder;
  CCastrel1Dlg core;
  MainDialog dialog{core, nullptr};
};

TEST_F(PreviewDialog, ThePlayerSitsAtItsPlaceAndShowsTheBlankPictureAtFirst) {
  ASSERT_NE(dialog.Player(), nullptr);
  EXPECT_EQ(core.m_pIVideoPlayer, dialog.Player());
  EXPECT_EQ(Player()->geometry(), QRect(584, 17, 150, 110)) << "client pixels 584, 17 to 734, 127";
  EXPECT_EQ(GetControlId(Player()), 999);
  EXPECT_TRUE(Player()->isVisible());
  EXPECT_FALSE(Player()->IsOpen());
}

TEST(PreviewInTheApplication, TheTimeLeftViewBetweenCoreAndWindowPassesThePlayerAndTheDropNoteOn) {
  TestApplication();
  ScopedRegistryFile registry;
  ScriptedResponder responder;
  CCastrel1Dlg core;
  MainDialog dialog(core, nullptr);
  // As the application puts them together.
  TimeLeftView view(core, dialog, [](auto) {});
  core.SetView(&view);
  core.SetDefaultSettings();
  core.OnInitDialog();
  ASSERT_NE(dialog.Player(), nullptr);
  EXPECT_EQ(core.m_pIVideoPlayer, dialog.Player());
  view.SetDeferredDropsText("1 dropped file will be added when the job ends.");
  EXPECT_EQ(dialog.findChild<QLabel*>("deferredDrops")->text(), "1 dropped file will be added when the job ends.");
}

TEST_F(PreviewDialog, PlayWithNoSelectionDoesNothing) {
  core.AddFile(clips.shortClip);
  List()->clearSelection();
  Click(kPlay);
  EXPECT_FALSE(core.m_bPlaying);
  EXPECT_FALSE(Player()->IsPlaying());
}

TEST_F(PreviewDialog, PlayThenPlayPausesAndAThirdPressGoesOnFromThere) {
  AddAndSelect(clips.longClip);
  Click(kPlay);
  EXPECT_TRUE(core.m_bPlaying);
  EXPECT_TRUE(Player()->IsPlaying());
  ASSERT_TRUE(WaitFor([&] { return Player()->PositionMs() >= 300; }));

  Click(kPlay);
  EXPECT_FALSE(core.m_bPlaying);
  EXPECT_FALSE(Player()->IsPlaying());
  const auto paused = Player()->PositionMs();
  EXPECT_GE(paused, 300);

  Click(kPlay);
  EXPECT_TRUE(core.m_bPlaying);
  EXPECT_TRUE(Player()->IsPlaying());
  EXPECT_GE(Player()->PositionMs(), paused) << "resumed, not restarted";

  Click(kStop);
  EXPECT_FALSE(core.m_bPlaying);
  EXPECT_FALSE(Player()->IsPlaying());
  EXPECT_EQ(Player()->PositionMs(), 0);
}

TEST_F(PreviewDialog, DraggingHoldsTheSliderAgainstPositionEventsAndReleasingSeeks) {
  AddAndSelect(clips.longClip);
  QSlider* slider = PositionSlider();
  Click(kPlay);
  ASSERT_TRUE(WaitFor([&] { return slider->value() > 0; })) << "position events move the slider";

  // The user takes the thumb and drags it to 75.
  slider->setSliderDown(true);
  slider->setSliderPosition(75);
  EXPECT_TRUE(core.m_bSeeking);
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(WaitFor([&] { return std::chrono::steady_clock::now() - start > 400ms; }));
  EXPECT_EQ(slider->value(), 75) << "position events while dragging leave the slider alone";
  EXPECT_LT(Player()->PositionPercent(), 50);

  // Released: the player goes to 75 % and the slider follows it again.
  slider->setSliderDown(false);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(slider->width() * 0.75, 5), slider->mapToGlobal(QPointF()),
                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(slider, &release);
  ASSERT_TRUE(WaitFor([&] { return !core.m_bSeeking; }));
  EXPECT_GE(Player()->PositionPercent(), 74);
  EXPECT_TRUE(Player()->IsPlaying()) << "playing goes on from there";
}

TEST_F(PreviewDialog, TheEndOfPlaybackPutsTheSliderBackToZero) {
  AddAndSelect(clips.shortClip);
  QSlider* slider = PositionSlider();
  int highest = 0;
  QObject::connect(slider, &QSlider::valueChanged, [&](int value) { highest = std::max(highest, value); });
  Click(kPlay);
  ASSERT_TRUE(WaitFor([&] { return !Player()->IsPlaying(); }));
  ASSERT_TRUE(WaitFor([&] { return !core.m_bPlaying; }));
  EXPECT_GT(highest, 50) << "the slider followed the playing";
  EXPECT_EQ(slider->value(), 0);
  EXPECT_EQ(Player()->PositionMs(), 0) << "rewound: the next Play starts from the beginning";
  Click(kPlay);
  EXPECT_TRUE(Player()->IsPlaying());
  EXPECT_LT(Player()->PositionMs(), 200);
}

TEST_F(PreviewDialog, RemovingTheEntryLoadsBlankAviFromTheProgramsFolder) {
  ASSERT_TRUE(std::filesystem::exists(ModuleFolderFile("blank.avi").str())) << "made by the build beside the program";
  AddAndSelect(clips.shortClip);
  List()->setCurrentRow(0);
  Click(kRemoveFile);
  EXPECT_EQ(List()->count(), 0);
  EXPECT_TRUE(Player()->IsOpen());
  EXPECT_TRUE(Player()->IsBlank());
  Click(kPlay);
  EXPECT_FALSE(Player()->IsPlaying()) << "the blank picture does not play";
  const auto lines = registry.LogLines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "m_pIVideoPlayer->OpenFile " + ModuleFolderFile("blank.avi").str()),
            lines.end());
}

TEST_F(PreviewDialog, ChoosingAnEntryInTheListInspectsAndShowsIt) {
  core.AddFile(clips.shortClip);
  core.AddFile(clips.longClip);
  List()->setCurrentRow(0);  // as a click does
  EXPECT_NEAR(core.m_nTotalDuration, 1000, 100);
  EXPECT_EQ(qobject_cast<QLabel*>(dialog.GetDlgItem(kDuration))->text().toStdString(), core.m_strDuration);
  EXPECT_TRUE(Player()->IsOpen());
  EXPECT_NEAR(static_cast<double>(Player()->DurationMs()), 1000, 100);
}

TEST_F(PreviewDialog, TheInfoTextsShowALongCodecNameInFull) {
  const std::string h264 = testkit::MakeClip(clips.dir.File("h264.mp4"),
                                             {.seconds = 1.0, .audio = false, .outputArguments = {"-c:v", "libx264"}});
  core.AddFile(h264);
  core.InputFileInfo(h264);
  ASSERT_GE(core.m_strCodecName.size(), 20u) << core.m_strCodecName;
  for (int id : {kCodecName, kDuration, kFrameRate, kBitRate}) {
    auto* text = qobject_cast<QLabel*>(dialog.GetDlgItem(id));
    EXPECT_LE(text->fontMetrics().horizontalAdvance(text->text()) + text->indent(), text->width())
        << text->text().toStdString();
  }
  auto* codec = qobject_cast<QLabel*>(dialog.GetDlgItem(kCodecName));
  EXPECT_TRUE(codec->text().startsWith("H.264 / AVC")) << codec->text().toStdString();
  EXPECT_EQ(codec->toolTip().toStdString(), core.m_strCodecName) << "the tool tip has it all";
  core.UpdateData(true);
  EXPECT_GE(core.m_strCodecName.size(), 20u) << "read back whole, not shortened";
  EXPECT_EQ(core.m_strCodecName, codec->toolTip().toStdString());
}

TEST_F(PreviewDialog, AFileManagersUriListDropAddsTheFileWithItsAwkwardName) {
  QMimeData mime;
  SetUriList(mime, {QUrl::fromLocalFile(QString::fromStdString(clips.awkwardClip))});
  ASSERT_NE(mime.data("text/uri-list").indexOf("%23"), -1) << "'#' travels encoded";
  ASSERT_NE(mime.data("text/uri-list").indexOf("%C3%B6"), -1) << "so do the letters beyond ASCII";

  EXPECT_TRUE(DropAt(dialog.GetDlgItem(kFilesList)->geometry().center(), mime));
  ASSERT_TRUE(WaitFor([&] { return List()->count() == 1; }));
  EXPECT_EQ(List()->item(0)->text().toStdString(), clips.awkwardClip);
  EXPECT_TRUE(registry.Logged("CMyListBox::OnDropFiles"));
  EXPECT_TRUE(Player()->IsOpen()) << "the last entry is shown";
  EXPECT_TRUE(responder.Messages().empty());

  // Dropped elsewhere on the window, with an address that is no local file.
  QMimeData mixed;
  SetUriList(mixed,
             {QUrl("https://example.org/holiday.avi"), QUrl::fromLocalFile(QString::fromStdString(clips.shortClip))});
  EXPECT_TRUE(DropAt(QPoint(300, 520), mixed));
  ASSERT_TRUE(WaitFor([&] { return List()->count() == 2; }));
  EXPECT_EQ(List()->item(1)->text().toStdString(), clips.shortClip);
  ASSERT_EQ(responder.MessageTexts().size(), 1u);
  EXPECT_EQ(responder.MessageTexts()[0].rfind("https://example.org/holiday.avi\n\nis not a file on this computer", 0),
            0u);
}

TEST_F(PreviewDialog, ADropWhileAJobRunsWaitsUnderTheListAndIsAddedWhenTheJobEnds) {
  core.m_bBusy = true;
  core.EnableControls(false);
  QMimeData mime;
  SetUriList(mime, {QUrl::fromLocalFile(QString::fromStdString(clips.shortClip)),
                    QUrl::fromLocalFile(QString::fromStdString(clips.longClip))});
  // Over the disabled list as well as elsewhere on the window.
  EXPECT_TRUE(DropAt(dialog.GetDlgItem(kFilesList)->geometry().center(), mime));
  auto* note = dialog.findChild<QLabel*>("deferredDrops");
  ASSERT_NE(note, nullptr);
  ASSERT_TRUE(WaitFor([&] { return note->isVisible(); }));
  EXPECT_EQ(note->text(), "2 dropped files will be added when the job ends.");
  EXPECT_EQ(List()->count(), 0);

  core.EnableControls(true);
  core.m_bBusy = false;
  ASSERT_TRUE(WaitFor([&] { return List()->count() == 2; }));
  EXPECT_EQ(List()->item(0)->text().toStdString(), clips.shortClip);
  EXPECT_EQ(List()->item(1)->text().toStdString(), clips.longClip);
  EXPECT_FALSE(note->isVisible());
}

TEST_F(PreviewDialog, AddFileAndRemoveFileButtonsReachTheCore) {
  responder.QueueAnswer<OpenFilesRequest>(IDOK, OpenFilesAnswer{{clips.shortClip}});
  Click(kAddFile);
  ASSERT_EQ(List()->count(), 1);
  EXPECT_EQ(List()->currentRow(), 0);
  Click(kRemoveFile);
  EXPECT_EQ(List()->count(), 0);
}

}  // namespace
