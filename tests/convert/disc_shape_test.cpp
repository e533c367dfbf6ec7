// ffmpeg's disc titles keep every source's shape: scaled to fit, padded with
// black, turned upright, and flagged 4:3 or 16:9 as the picture is.

#include <gtest/gtest.h>

#include <memory>

#include "common/shape_clips.h"
#include "common/shape_expectations.h"
#include "common/test_kit.h"
#include "convert/convert_test_support.h"
#include "convert/converter.h"
#include "convert/recording_receiver.h"
#include "formats/format_pages.h"
#include "platform/dialogs/scripted_responder.h"
#include "support/exceptions.h"
#include "support/log.h"

namespace {

struct DiscCase {
  const char* name;
  std::unique_ptr<OutputFormat> (*make)();
  bool dvd;
};

template <typename Page>
std::unique_ptr<OutputFormat> Standard(int standard) {
  auto format = std::make_unique<Page>();
  format->video_codec_id = standard;
  return format;
}

TEST(FfmpegDiscShape, EveryClipKeepsItsShapeOnEveryDisc) {
  StopFlag::Set(false);
  testkit::TempDir dir;
  ASSERT_TRUE(LogOpen(dir.File("Orlenta_log.txt").c_str()));
  RecordingReceiver receiver;
  ScriptedResponder responder;
  RecordingFallback fallback;
  const DiscCase discs[] = {
      {"dvd pal", [] { return Standard<CPageDVD_Ffmpeg>(1); }, true},
      {"dvd ntsc", [] { return Standard<CPageDVD_Ffmpeg>(0); }, true},
      {"vcd pal", [] { return Standard<CPageVCD_Ffmpeg>(1); }, false},
      {"svcd ntsc", [] { return Standard<CPageSVCD_Ffmpeg>(0); }, false},
  };
  for (const testkit::ShapeClip& clip : testkit::ShapeClips()) {
    const std::string input = testkit::MakeShapeClip(dir.File(std::string(clip.name) + ".mp4"), clip);
    for (const DiscCase& disc : discs) {
      SCOPED_TRACE(std::string(clip.name) + " into " + disc.name);
      const auto format = disc.make();
      const std::string output = dir.File(std::string(clip.name) + " " + disc.name + ".mpg");
      ExternalConverter(input, output, format->GetEncodingParameters(), &receiver).Convert();
      ASSERT_TRUE(responder.Messages().empty()) << responder.MessageTexts().front();
      testkit::ExpectDiscShape(testkit::MeasureTitle(output), clip, disc.dvd);
    }
  }
  EXPECT_EQ(fallback.calls, 0);
  LogClose();
}

}  // namespace
