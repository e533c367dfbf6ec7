#include "platform/video/widgets/video_player.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QThread>
#include <functional>
#include <thread>

#include "common/qt_test_environment.h"
#include "common/test_kit.h"
#include "platform/video/media_test_helpers.h"
#include "platform/video/video_error.h"
#include "platform/video/video_file.h"
#include "support/event_wait.h"

namespace {

[[maybe_unused]] const auto* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtTestEnvironment("test_video_player"));

// Runs the event loop until done holds; false when the time-out passes first.
bool RunEventsUntil(const std::function<bool()>& done, int timeoutMs = 20000) {
  return ProcessEventsUntil(done, std::chrono::milliseconds(timeoutMs));
}

// Records the player's events.
struct Events {
  explicit Events(VideoPlayer& player) {
    QObject::connect(&player, &VideoPlayer::Stopped, [this] { ++stops; });
    QObject::connect(&player, &VideoPlayer::PositionChanged, [this](int percent) { positions.push_back(percent); });
  }
  int stops = 0;
  std::vector<int> positions;
};

bool Rising(const std::vector<int>& values) {
  return std::is_sorted(values.begin(), values.end());
}

class PlayerTest : public ::testing::Test {
 protected:
  std::string Clip(double seconds, bool video = true) {
    testkit::ClipOptions options;
    options.seconds = seconds;
    options.video = video;
    options.outputArguments = video ? std::vector<std::string>{"-c:v", "mpeg4", "-c:a", "libmp3lame"}
                                    : std::vector<std::string>{"-c:a", "libmp3lame"};
    return testkit::MakeClip(m_dir.File(video ? "clip.avi" : "tone.mp3"), options);
  }
  // Loads a file as the main window shows one.
  void Show(const std::string& path) {
    m_player.OpenFile(path);
    m_player.AfterOpen(0);
    m_player.Seek(0);
  }

  testkit::TempDir m_dir;
  VideoPlayer m_player;
  Events m_events{m_player};
};

TEST_F(PlayerTest, PlaysAClipToItsEndWithRisingPositionsAndOneStop) {
  m_player.resize(150, 110);
  Show(Clip(1.0));
  EXPECT_EQ(m_player.PositionPercent(), 0);
  m_player.Play();
  EXPECT_TRUE(m_player.IsPlaying());
  ASSERT_TRUE(RunEventsUntil([&] { return m_events.stops > 0; }));
  EXPECT_EQ(m_events.stops, 1);
  EXPECT_FALSE(m_player.IsPlaying());
  ASSERT_GE(m_events.positions.size(), 5U) << "positions are reported while playing";
  EXPECT_TRUE(Rising(m_events.positions));
  EXPECT_GE(m_events.positions.back(), 95);
  EXPECT_EQ(m_player.PositionPercent(), 100);

  // The main window rewinds on the stop event; the next Play starts over.
  m_player.Seek(0);
  m_events.positions.clear();
  m_player.Play();
  ASSERT_TRUE(RunEventsUntil([&] { return m_events.stops > 1; }));
  EXPECT_LE(m_events.positions.front(), 10);
}

TEST_F(PlayerTest, PauseHoldsThePositionAndPlayGoesOnFromIt) {
  Show(Clip(2.0));
  m_player.Play();
  ASSERT_TRUE(RunEventsUntil([&] { return !m_events.positions.empty() && m_events.positions.back() >= 20; }));
  m_player.Pause();
  EXPECT_FALSE(m_player.IsPlaying());
  const int held = m_player.PositionPercent();
  const std::size_t reported = m_events.positions.size();
  // While paused, time passes without any event.
  QElapsedTimer idle;
  idle.start();
  RunEventsUntil([&] { return idle.elapsed() > 300; });
  EXPECT_EQ(m_player.PositionPercent(), held);
  EXPECT_EQ(m_events.positions.size(), reported);

  m_player.Play();
  ASSERT_TRUE(RunEventsUntil([&] { return m_events.stops > 0; }));
  EXPECT_GE(m_events.positions[reported], held);
  EXPECT_TRUE(Rising(m_events.positions));
}

TEST_F(PlayerTest, SeekMovesThePositionStoppedAndWhilePlaying) {
  Show(Clip(2.0));
  m_player.Seek(50);
  EXPECT_EQ(m_player.PositionPercent(), 50);
  EXPECT_FALSE(m_player.IsPlaying());

  m_player.Seek(0);
  m_player.Play();
  m_player.Seek(75);
  EXPECT_TRUE(m_player.IsPlaying());
  ASSERT_TRUE(RunEventsUntil([&] { return m_events.stops > 0; }));
  ASSERT_FALSE(m_events.positions.empty());
  EXPECT_GE(m_events.positions.front(), 75);

  // Stop goes back to the start without a stop event.
  m_player.Seek(50);
  m_player.Play();
  m_player.Stop();
  EXPECT_FALSE(m_player.IsPlaying());
  EXPECT_EQ(m_player.PositionPercent(), 0);
  EXPECT_EQ(m_events.stops, 1);
}

TEST_F(PlayerTest, ShowsTheFirstPictureTheRightWayUp) {
  m_player.resize(160, 120);
  Show(videotest::MakeOrientationClip(m_dir.File("orientation.avi")));
  const QImage shown = m_player.grab().toImage();
  ASSERT_EQ(shown.size(), QSize(160, 120));
  const QColor top = shown.pixelColor(120, 20);
  const QColor bottom = shown.pixelColor(80, 100);
  EXPECT_GT(top.red(), 200);
  EXPECT_LT(top.blue(), 60);
  EXPECT_GT(bottom.blue(), 200);
  EXPECT_LT(bottom.red(), 60);
}

TEST_F(PlayerTest, PlaysSoundOnlyFilesToTheirEnd) {
  Show(Clip(1.0, false));
  m_player.Play();
  ASSERT_TRUE(RunEventsUntil([&] { return m_events.stops > 0; }));
  EXPECT_TRUE(Rising(m_events.positions));
  EXPECT_GE(m_events.positions.back(), 95);
}

TEST_F(PlayerTest, BlankAndUnplayableFilesDoNotPlay) {
  Show(Clip(1.0));
  m_player.AfterBlank();
  EXPECT_TRUE(m_player.IsBlank());
  m_player.Play();
  EXPECT_FALSE(m_player.IsPlaying());

  const std::string noise = m_dir.File("noise.avi");
  testkit::WriteFile(noise, std::string(4096, '\x5a'));
  EXPECT_THROW(m_player.OpenFile(noise), video_exception);
  EXPECT_FALSE(m_player.IsOpen());
  EXPECT_FALSE(m_player.IsBlank());
  m_player.Play();
  m_player.Seek(40);
  m_player.Pause();
  m_player.Stop();
  EXPECT_FALSE(m_player.IsPlaying());
  EXPECT_EQ(m_events.stops, 0);

  m_player.AfterCreate(0);
  EXPECT_FALSE(m_player.IsOpen());
}

}  // namespace

namespace {

// A file opened on a worker thread reports its progress on the window thread.
TEST(VideoFileEvents, ReachTheContextsThreadFromAnotherThread) {
  testkit::TempDir dir;
  const std::string clip = testkit::MakeClip(dir.File("clip.avi"), {.outputArguments = {"-c:v", "mpeg4"}});
  QObject window;
  std::vector<std::pair<int, short>> events;
  bool allOnWindowThread = true;
  VideoFile reader;
  reader.SetEventHandler(
      [&](int value, short stage) {
        allOnWindowThread = allOnWindowThread && QThread::currentThread() == window.thread();
        events.emplace_back(value, stage);
      },
      &window);
  std::thread worker([&] { reader.OpenFile(clip); });
  worker.join();
  EXPECT_TRUE(events.empty()) << "queued until the window thread runs its events";
  ASSERT_TRUE(RunEventsUntil([&] { return !events.empty() && events.back().second == 1; }));
  EXPECT_TRUE(allOnWindowThread);
  EXPECT_EQ(events.back().first, 100);
}

}  // namespace

namespace {

// A receiver of the position event may stop the player (the user's Stop runs
// from the same event loop); no stop event may follow, and the player stays
// rewound.
TEST_F(PlayerTest, StoppingFromThePositionEventEndsPlaybackWithoutAStopEvent) {
  Show(Clip(0.5));
  QObject::connect(&m_player, &VideoPlayer::PositionChanged, [this](int percent) {
    if (percent == 100) m_player.Stop();
  });
  m_player.Play();
  ASSERT_TRUE(RunEventsUntil([&] { return !m_player.IsPlaying(); }));
  ASSERT_FALSE(m_events.positions.empty());
  EXPECT_EQ(m_events.positions.back(), 100);
  QElapsedTimer idle;
  idle.start();
  RunEventsUntil([&] { return idle.elapsed() > 100; });
  EXPECT_EQ(m_events.stops, 0);
  EXPECT_EQ(m_player.PositionPercent(), 0);
}

}  // namespace
