// Opening a local media file: names that look like URLs or FFmpeg protocols
// stay file names.
#include "platform/video/local_input.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/test_kit.h"
#include "platform/video/video_error.h"

namespace {

TEST(LocalInput, NamesThatLookLikeUrlsAreFiles) {
  testkit::TempDir dir;
  testkit::ClipOptions clip;
  clip.seconds = 1;
  const std::string made = testkit::MakeClip(dir.File("clip.mpg"), clip);
  for (const char* name : {"http:clip.mpg", "concat:a|b.mpg", "subfile,,start,0,end,0,,:x.mpg"}) {
    const std::string path = dir.File(name);
    std::filesystem::copy_file(made, path);
    int error = 0;
    const InputContextPtr input = OpenLocalInput(path, &error);
    ASSERT_TRUE(input) << name << ": " << AvErrorText(error);
    EXPECT_GE(avformat_find_stream_info(input.get(), nullptr), 0) << name;
    EXPECT_GT(input->nb_streams, 0u) << name;
  }
  int error = 0;
  EXPECT_FALSE(OpenLocalInput(dir.File("missing.mpg"), &error));
  EXPECT_LT(error, 0);
}

}  // namespace
