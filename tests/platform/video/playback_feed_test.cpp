#include "platform/video/playback_feed.h"

#include <gtest/gtest.h>

#include <cmath>

#include "common/shape_clips.h"
#include "common/test_kit.h"

namespace {

// Takes every picture as its time comes; true when the feed drained before the time-out.
bool PlayThrough(PlaybackFeed& feed) {
  PlaybackFeed::Picture picture;
  return testkit::WaitUntil([&] {
    feed.TakeDuePicture(feed.DurationMs(), picture);
    return feed.Drained();
  });
}

// When the sound device refuses the file's sound after opening (an unusual
// rate or channel count), nobody takes the sound: playback must still drain,
// or the player never reaches its end and never reports the stop.
TEST(PlaybackFeed, DrainsWithoutTakingSoundWhenStartedWithoutIt) {
  testkit::TempDir dir;
  const std::string clip =
      testkit::MakeClip(dir.File("clip.avi"), {.seconds = 2.0, .outputArguments = {"-c:v", "mpeg4"}});
  PlaybackFeed feed;
  feed.Open(clip, 160, 120, true);
  ASSERT_TRUE(feed.HasSound());

  feed.Start(0, false);
  EXPECT_TRUE(PlayThrough(feed));
  std::int16_t samples[16];
  EXPECT_EQ(feed.TakeSound(samples, 8), 0U) << "no sound is decoded for a playback without it";
  feed.Stop();

  // With sound, everything decoded is handed out before the feed counts as drained.
  feed.Start(0, true);
  std::size_t frames = 0;
  PlaybackFeed::Picture picture;
  ASSERT_TRUE(testkit::WaitUntil([&] {
    feed.TakeDuePicture(feed.DurationMs(), picture);
    std::int16_t block[4096];
    frames += feed.TakeSound(block, 4096 / static_cast<std::size_t>(feed.Channels()));
    return feed.Drained();
  }));
  EXPECT_NEAR(static_cast<double>(frames) / feed.SampleRate(), 2.0, 0.1);
}

// The preview shows every clip upright and in its seen shape: a phone's
// turned picture stands, and non-square samples are not squeezed.
TEST(PlaybackFeed, PicturesComeUprightInTheShapeTheyAreSeen) {
  testkit::TempDir dir;
  for (const testkit::ShapeClip& clip : testkit::ShapeClips()) {
    SCOPED_TRACE(clip.name);
    const std::string path = testkit::MakeShapeClip(dir.File("clip.mp4"), clip);
    PlaybackFeed feed;
    feed.Open(path, 640, 480, false);
    VideoFrame frame;
    ASSERT_TRUE(feed.PictureAt(0, frame));
    EXPECT_NEAR(static_cast<double>(frame.width) / frame.height / testkit::ClipAspect(clip), 1.0, 0.02)
        << frame.width << "x" << frame.height;
  }
}

}  // namespace
