// Cutting a (Super) Video CD stream into parts by stream copy: every part a
// track vcdimager takes, together every picture of the movie once.

#include "platform/disc/mpeg_parts.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/test_kit.h"
#include "disc/cd_split_plan.h"
#include "platform/disc/disc_test_support.h"
#include "platform/disc/media_probe.h"
#include "platform/process/child_process.h"
#include "platform/process/find_program.h"
#include "platform/video/av_pointers.h"
#include "platform/video/local_input.h"

namespace fs = std::filesystem;

namespace {

struct StreamCount {
  int pictures = 0;
  int soundFrames = 0;
};

StreamCount CountPackets(const std::string& path) {
  StreamCount count;
  int error = 0;
  InputContextPtr input = OpenLocalInput(path, &error);
  if (!input || avformat_find_stream_info(input.get(), nullptr) < 0) return count;
  PacketPtr packet(av_packet_alloc());
  while (av_read_frame(input.get(), packet.get()) >= 0) {
    const AVMediaType type = input->streams[packet->stream_index]->codecpar->codec_type;
    if (type == AVMEDIA_TYPE_VIDEO) ++count.pictures;
    if (type == AVMEDIA_TYPE_AUDIO) ++count.soundFrames;
    av_packet_unref(packet.get());
  }
  return count;
}

ProcessResult Vcdimager(const std::string& track, bool svcd, const std::string& folder) {
  ChildProcess::Options options;
  options.workingDirectory = folder;
  return RunProcess({FindProgram("vcdimager"), "-t", svcd ? "svcd" : "vcd2", "-c", "part.cue", "-b", "part.bin", track},
                    options);
}

TEST(MpegParts, EachPartIsATrackVcdimagerTakesAndThePartsHoldEveryPictureOnce) {
  struct Case {
    const char* target;
    VideoCdKind kind;
    double seconds;
    double capacityShare;  // of the stream's size
    int parts;
  };
  const Case cases[] = {
      {"pal-vcd", VideoCdKind::Vcd, 4.0, 0.6, 2},
      {"ntsc-vcd", VideoCdKind::Vcd, 6.0, 0.45, 3},
      {"pal-svcd", VideoCdKind::Svcd, 6.0, 0.6, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    testkit::TempDir dir;
    const std::string movie = disctest::MakeVideoCdTrack(dir.File("movie_new.mpg"), c.target, c.seconds);
    std::string error;
    const auto index = IndexMpegGops(movie, nullptr, &error);
    ASSERT_TRUE(index) << error;
    EXPECT_EQ(index->fileSize, static_cast<std::int64_t>(fs::file_size(movie)));
    const std::int64_t capacity = static_cast<std::int64_t>(c.capacityShare * static_cast<double>(index->fileSize));
    const auto plan = PlanCdParts(index->Positions(), index->fileSize, capacity);
    ASSERT_TRUE(plan);
    ASSERT_EQ(plan->Count(), c.parts);
    std::vector<std::string> parts;
    for (int k = 1; k <= c.parts; ++k) parts.push_back(dir.File("movie_new_" + std::to_string(k) + ".mpg"));
    ASSERT_TRUE(WriteMpegParts(movie, c.kind, *index, plan->firstGop, parts, nullptr, &error)) << error;

    const StreamCount whole = CountPackets(movie);
    const auto wholeInfo = ProbeMpeg(movie, &error);
    ASSERT_TRUE(wholeInfo) << error;
    StreamCount sum;
    long long durationMs = 0;
    for (const auto& part : parts) {
      SCOPED_TRACE(part);
      const auto info = ProbeMpeg(part, &error);
      ASSERT_TRUE(info) << error;
      EXPECT_EQ(VideoCdProblem(*info, c.kind), "");
      EXPECT_LE(info->fileSize, capacity + capacity / 50) << "about the planned size";
      const StreamCount count = CountPackets(part);
      EXPECT_GT(count.pictures, 0);
      EXPECT_GT(count.soundFrames, 0) << "each part has its sound";
      sum.pictures += count.pictures;
      sum.soundFrames += count.soundFrames;
      durationMs += info->durationMs;
      const std::string folder = dir.File("image " + fs::path(part).stem().string());
      fs::create_directories(folder);
      const ProcessResult built = Vcdimager(part, c.kind == VideoCdKind::Svcd, folder);
      EXPECT_TRUE(built.Succeeded()) << built.output;
      EXPECT_EQ(built.output.find("WARN"), std::string::npos) << built.output;
    }
    EXPECT_EQ(sum.pictures, whole.pictures) << "every picture once";
    EXPECT_NEAR(sum.soundFrames, whole.soundFrames, 1 * c.parts) << "the sound, cut by its time";
    const double gopMs = 1000.0 * 18 / wholeInfo->frameRate;
    EXPECT_NEAR(static_cast<double>(durationMs), static_cast<double>(wholeInfo->durationMs), gopMs);
  }
}

TEST(MpegParts, AnExistingFileIsNeverReplacedAndAStopLeavesNoPart) {
  testkit::TempDir dir;
  const std::string movie = disctest::MakeVideoCdTrack(dir.File("movie.mpg"), "pal-vcd", 3.0);
  std::string error;
  const auto index = IndexMpegGops(movie, nullptr, &error);
  ASSERT_TRUE(index) << error;
  ASSERT_GE(index->gops.size(), 2u);
  const std::vector<std::size_t> firstGop = {0, index->gops.size() / 2};
  const std::vector<std::string> parts = {dir.File("movie_1.mpg"), dir.File("movie_2.mpg")};

  testkit::WriteFile(parts[1], "the user's own file");
  EXPECT_FALSE(WriteMpegParts(movie, VideoCdKind::Vcd, *index, firstGop, parts, nullptr, &error));
  EXPECT_NE(error.find("movie_2.mpg"), std::string::npos) << error;
  EXPECT_EQ(testkit::ReadFile(parts[1]), "the user's own file");
  EXPECT_FALSE(fs::exists(parts[0])) << "the part made before is gone again";
  fs::remove(parts[1]);

  const std::atomic<bool> stop{true};
  EXPECT_FALSE(WriteMpegParts(movie, VideoCdKind::Vcd, *index, firstGop, parts, &stop, &error));
  EXPECT_FALSE(fs::exists(parts[0]));
  EXPECT_FALSE(fs::exists(parts[1]));
  EXPECT_FALSE(IndexMpegGops(movie, &stop, &error));

  EXPECT_FALSE(WriteMpegParts(movie, VideoCdKind::Vcd, *index, {1, 2}, parts, nullptr, &error))
      << "a first part that does not start the movie";
  EXPECT_FALSE(IndexMpegGops(dir.File("missing.mpg"), nullptr, &error));
}

}  // namespace
