// Each disc program's output parser, on lines recorded from the real
// programs (fixtures/) and on the forms their documentation gives for cases
// that need hardware.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/test_kit.h"
#include "platform/disc/tools/burn_tool_run.h"
#include "platform/disc/tools/cdrdao_output.h"
#include "platform/disc/tools/disc_writers.h"
#include "platform/disc/tools/dvdauthor_output.h"
#include "platform/disc/tools/genisoimage_output.h"
#include "platform/disc/tools/growisofs_output.h"
#include "platform/disc/tools/spumux_output.h"
#include "platform/disc/tools/tool_run.h"
#include "platform/disc/tools/vcdimager_output.h"
#include "platform/disc/tools/xorriso_output.h"
#include "platform/programs/external_programs.h"

namespace {

// The lines of a recorded output, split as RunTool splits them.
std::vector<std::string> FixtureLines(const std::string& name) {
  std::vector<std::string> lines;
  LineSplitter splitter;
  const auto add = [&](const std::string& line) { lines.push_back(line); };
  splitter.Feed(testkit::ReadFile(std::string(ORLENTA_DISC_FIXTURES) + "/" + name), add);
  splitter.Finish(add);
  EXPECT_FALSE(lines.empty()) << name;
  return lines;
}

using BurnKind = BurnLine::Kind;

TEST(LineSplitter, CarriageReturnsAndLineFeedsBothEndLines) {
  std::vector<std::string> lines;
  LineSplitter splitter;
  const auto add = [&](const std::string& line) { lines.push_back(line); };
  splitter.Feed("STAT: VOBU 16 at 1MB\rSTAT: VOB", add);
  splitter.Feed("U 32 at 2MB\r\nINFO: x\n\n", add);
  splitter.Feed("tail without end", add);
  splitter.Finish(add);
  EXPECT_EQ(lines,
            (std::vector<std::string>{"STAT: VOBU 16 at 1MB", "STAT: VOBU 32 at 2MB", "INFO: x", "tail without end"}));
}

TEST(ToolVersion, FirstLineOfEachProgram) {
  const struct {
    const char* fixture;
    const char* version;
  } cases[] = {
      {"dvdauthor-version.txt", "0.7.2"}, {"spumux-version.txt", "0.7.2"},    {"genisoimage-version.txt", "1.1.11"},
      {"vcdxgen-version.txt", "2.0.1"},   {"vcdxbuild-version.txt", "2.0.1"}, {"xorriso-version.txt", "1.5.4"},
      {"growisofs-version.txt", "7.1"},   {"cdrdao-version.txt", "1.2.4"},    {"ffmpeg-version.txt", "5.1.9-0+deb12u1"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseProgramVersion(testkit::ReadFile(std::string(ORLENTA_DISC_FIXTURES) + "/" + c.fixture)), c.version)
        << c.fixture;
  }
  EXPECT_EQ(ParseProgramVersion(""), "");
  EXPECT_EQ(ParseProgramVersion("usage: tool [options]\n"), "");
}

TEST(DvdauthorOutput, Lines) {
  using Kind = DvdauthorLine::Kind;
  const struct {
    const char* line;
    Kind kind;
    int a, b, c, d;  // titleset | vobus, megabytes | megabytes, done, total, percent
    const char* text;
  } cases[] = {
      {"STAT: Picking VTS 02", Kind::PickingTitleset, 2, 0, 0, 0, ""},
      {"STAT: Processing /work/a b.mpg...", Kind::Processing, 0, 0, 0, 0, "/work/a b.mpg"},
      {"STAT: VOBU 16 at 7MB, 1 PGCs", Kind::Multiplexing, 16, 7, 0, 0, ""},
      {"STAT: fixing VOBU at 7MB (17/300, 5%)", Kind::Fixing, 7, 17, 300, 5, ""},
      {"STAT: fixed 300 VOBUs                         ", Kind::Fixed, 300, 0, 0, 0, ""},
      {"WARN: attempt to update aspect ratio from 4:3 to 16:9; skipping", Kind::Warning, 0, 0, 0, 0,
       "attempt to update aspect ratio from 4:3 to 16:9; skipping"},
      {"ERR:  no video format specified for VMGM", Kind::Error, 0, 0, 0, 0, "no video format specified for VMGM"},
      {"INFO: Video pts = 0.540 .. 2.540", Kind::Other, 0, 0, 0, 0, ""},
      {"STAT: VOBU garbage", Kind::Other, 0, 0, 0, 0, ""},
  };
  for (const auto& c : cases) {
    const DvdauthorLine line = ParseDvdauthorLine(c.line);
    EXPECT_EQ(line.kind, c.kind) << c.line;
    switch (c.kind) {
      case Kind::PickingTitleset:
        EXPECT_EQ(line.titleset, c.a);
        break;
      case Kind::Processing:
        EXPECT_EQ(line.file, c.text);
        break;
      case Kind::Multiplexing:
        EXPECT_EQ(line.vobus, c.a);
        EXPECT_EQ(line.megabytes, c.b);
        break;
      case Kind::Fixing:
        EXPECT_EQ(line.megabytes, c.a);
        EXPECT_EQ(line.done, c.b);
        EXPECT_EQ(line.total, c.c);
        EXPECT_EQ(line.percent, c.d);
        break;
      case Kind::Fixed:
        EXPECT_EQ(line.vobus, c.a);
        break;
      case Kind::Warning:
      case Kind::Error:
        EXPECT_EQ(line.text, c.text);
        break;
      case Kind::Other:
        break;
    }
  }
}

TEST(DvdauthorOutput, RecordedRunGivesRisingProgressToTheEnd) {
  // One 4.6 MB title: multiplexing to 4 MB, then fixing 32 %, 64 %, 96 %.
  DvdauthorProgress progress({4.65});
  std::vector<double> fractions;
  for (const auto& line : FixtureLines("dvdauthor-one-title.txt")) {
    if (progress.Apply(ParseDvdauthorLine(line))) {
      const auto p = progress.Current();
      fractions.push_back((100.0 * p.a + p.x) / (100.0 * p.b));
    }
  }
  ASSERT_GE(fractions.size(), 6u);
  for (std::size_t i = 1; i < fractions.size(); ++i) EXPECT_GT(fractions[i], fractions[i - 1]);
  EXPECT_DOUBLE_EQ(fractions.back(), 1.0);
  EXPECT_NEAR(fractions[2], 0.43, 0.01);  // 4 of 4.65 MB multiplexed: 86 % of the first half
}

TEST(DvdauthorOutput, ThreeTitlesetsAndTheMenuEndAtOneAndErrorsAreFound) {
  DvdauthorProgress progress({0.33, 0.33, 0.33});
  int titlesets = 0;
  for (const auto& line : FixtureLines("dvdauthor-menu.txt")) {
    const DvdauthorLine parsed = ParseDvdauthorLine(line);
    titlesets += parsed.kind == DvdauthorLine::Kind::PickingTitleset;
    progress.Apply(parsed);
  }
  EXPECT_EQ(titlesets, 3);
  EXPECT_EQ(progress.Current().a, 6);
  EXPECT_EQ(progress.Current().b, 6);

  std::vector<std::string> errors;
  for (const auto& line : FixtureLines("dvdauthor-missing-file.txt")) {
    const DvdauthorLine parsed = ParseDvdauthorLine(line);
    if (parsed.kind == DvdauthorLine::Kind::Error) errors.push_back(parsed.text);
  }
  EXPECT_EQ(errors,
            std::vector<std::string>{"2 opening input video file \"missing.mpg\" -- No such file or directory"});
  bool destination = false;
  for (const auto& line : FixtureLines("dvdauthor-no-dest.txt")) {
    destination =
        destination || ParseDvdauthorLine(line).text == "cannot create dir missing/DVD: No such file or directory";
  }
  EXPECT_TRUE(destination);
}

TEST(SpumuxOutput, ColoursPositionsAndTheAbortOnTooManyColours) {
  int colours = 0;
  int errors = 0;
  for (const auto& line : FixtureLines("spumux-menu.txt")) {
    const SpumuxLine parsed = ParseSpumuxLine(line);
    if (parsed.kind == SpumuxLine::Kind::Colors) colours = parsed.colors;
    errors += parsed.kind == SpumuxLine::Kind::Error;
  }
  EXPECT_EQ(colours, 2);
  EXPECT_EQ(errors, 0);

  std::string failure;
  for (const auto& line : FixtureLines("spumux-too-many-colours.txt")) {
    const SpumuxLine parsed = ParseSpumuxLine(line);
    if (parsed.kind == SpumuxLine::Kind::Error) failure = parsed.text;
  }
  EXPECT_NE(failure.find("s->numpal < 16"), std::string::npos);
  EXPECT_EQ(ParseSpumuxLine("ERR:  Cannot open PNG file x.png").text, "Cannot open PNG file x.png");
  EXPECT_EQ(ParseSpumuxLine("STAT: 0:00:00.000").kind, SpumuxLine::Kind::Position);
}

struct BurnCase {
  const char* line;
  BurnKind kind;
  double percent;
  int written;
  int total;
  const char* text;
};

void ExpectBurnLines(BurnLine (*parse)(std::string_view), const std::vector<BurnCase>& cases) {
  for (const auto& c : cases) {
    const BurnLine line = parse(c.line);
    EXPECT_EQ(line.kind, c.kind) << c.line;
    EXPECT_NEAR(line.percent, c.percent, 0.05) << c.line;
    EXPECT_EQ(line.writtenMegabytes, c.written) << c.line;
    EXPECT_EQ(line.totalMegabytes, c.total) << c.line;
    EXPECT_EQ(line.text, c.text) << c.line;
  }
}

TEST(GenisoimageOutput, Lines) {
  ExpectBurnLines(&ParseGenisoimageLine,
                  {
                      {"  6.33% done, estimate finish Thu Dec 10 03:38:45 2026", BurnKind::Progress, 6.33, -1, -1, ""},
                      {"100.00% done, estimate finish Thu Dec 10 03:38:45 2026", BurnKind::Progress, 100, -1, -1, ""},
                      {"79076 extents written (154 MB)", BurnKind::Finalizing, 100, 154, 154, ""},
                      {"genisoimage: Unable to make a DVD-Video image.", BurnKind::Error, 0, -1, -1,
                       "Unable to make a DVD-Video image."},
                      {"Warning: -follow-links does not always work correctly; be careful.", BurnKind::Warning, 0, -1,
                       -1, "Warning: -follow-links does not always work correctly; be careful."},
                      {"Total translation table size: 0", BurnKind::Other, 0, -1, -1, ""},
                  });
  int finished = 0;
  for (const auto& line : FixtureLines("genisoimage-dvd.txt"))
    finished += ParseGenisoimageLine(line).kind == BurnKind::Finalizing;
  EXPECT_EQ(finished, 1);
  std::string first;
  for (const auto& line : FixtureLines("genisoimage-not-dvd.txt")) {
    const BurnLine parsed = ParseGenisoimageLine(line);
    if (parsed.IsProblem() && first.empty()) first = parsed.text;
  }
  EXPECT_EQ(first, "No such file or directory. Can't stat");
}

// Started by its full path (as the burner starts it), genisoimage begins its
// messages with that path; recorded from real failing runs.
TEST(GenisoimageOutput, MessagesLedByTheFullPath) {
  const struct {
    const char* fixture;
    const char* first;
  } cases[] = {
      {"genisoimage-not-dvd-full-path.txt", "Could not find correct 'VIDEO_TS' directory."},
      {"genisoimage-disk-full.txt", "No space left on device. cannot fwrite 32768*1"},
  };
  for (const auto& c : cases) {
    std::string first;
    for (const auto& line : FixtureLines(c.fixture)) {
      const BurnLine parsed = ParseGenisoimageLine(line);
      if (parsed.IsProblem() && first.empty()) first = parsed.text;
    }
    EXPECT_EQ(first, c.first) << c.fixture;
  }
  const BurnLine full = ParseGenisoimageLine("/usr/bin/genisoimage: No space left on device. cannot fwrite 32768*1");
  EXPECT_EQ(FailureOf(full), ToolFailure::DiskFull);
  EXPECT_EQ(ParseGenisoimageLine("/opt/genisoimage-1.1/bin/genisoimage: Warning: odd").kind, BurnKind::Warning);
  // Only the program's own name counts, not any path that ends in a colon.
  EXPECT_EQ(ParseGenisoimageLine("/usr/bin/mkisofs: Unable to open").kind, BurnKind::Other);
}

TEST(GrowisofsOutput, Lines) {
  ExpectBurnLines(
      &ParseGrowisofsLine,
      {
          {"  1081344/2062336 (52.4%) @0.5x, remaining 0:01 RBU 100.0% UBU   0.0%", BurnKind::Progress, 52.4, 1, 2, ""},
          {"4700000000/4700000000 (100.0%) @8.0x, remaining 0:00 RBU  12.5% UBU  99.0%", BurnKind::Progress, 100, 4700,
           4700, ""},
          {"/dev/sr0: flushing cache", BurnKind::Finalizing, 100, -1, -1, ""},
          {"/dev/sr0: closing disc", BurnKind::Finalizing, 100, -1, -1, ""},
          {":-( /dev/sr0: media is not blank", BurnKind::NotBlank, 0, -1, -1, "/dev/sr0: media is not blank"},
          {":-( no media mounted, exiting...", BurnKind::NoMedium, 0, -1, -1, "no media mounted, exiting..."},
          {"WARNING: /dev/sr0 already carries isofs!", BurnKind::Warning, 0, -1, -1,
           "WARNING: /dev/sr0 already carries isofs!"},
      });
  const auto recorded = FixtureLines("growisofs-no-drive.txt");
  ASSERT_EQ(recorded.size(), 1u);
  const BurnLine line = ParseGrowisofsLine(recorded[0]);
  EXPECT_EQ(line.kind, BurnKind::Error);
  EXPECT_EQ(line.text, "unable to open64(\"/dev/sr0\",O_RDONLY): No such file or directory");
}

TEST(CdrdaoOutput, Lines) {
  BurnLine progress = ParseCdrdaoLine("Wrote 23 of 24 MB (Buffers 100%  96%).");
  EXPECT_EQ(progress.kind, BurnKind::Progress);
  EXPECT_NEAR(progress.percent, 95.83, 0.01);
  EXPECT_EQ(progress.fifoPercent, 100);
  EXPECT_EQ(progress.bufferPercent, 96);
  ExpectBurnLines(
      &ParseCdrdaoLine,
      {
          {"Wrote 0 of 0 MB (Buffers 100%  96%).", BurnKind::Progress, 0, 0, 0, ""},
          {"Wrote 700 of 690 MB (Buffers  99%  98%).", BurnKind::Progress, 100, 700, 690, ""},
          {"Writing lead-out...", BurnKind::Finalizing, 100, -1, -1, ""},
          {"Flushing cache...", BurnKind::Finalizing, 100, -1, -1, ""},
          {"ERROR: Medium in recorder device is not empty and not appendable.", BurnKind::NotBlank, 0, -1, -1,
           "ERROR: Medium in recorder device is not empty and not appendable."},
          {"ERROR: Cannot setup device /dev/sr0.", BurnKind::Error, 0, -1, -1, "Cannot setup device /dev/sr0."},
          {"WARNING: Track 2: Length is shorter than 4 seconds.", BurnKind::Warning, 0, -1, -1,
           "WARNING: Track 2: Length is shorter than 4 seconds."},
      });
  std::string first;
  for (const auto& line : FixtureLines("cdrdao-inconsistent-toc.txt")) {
    const BurnLine parsed = ParseCdrdaoLine(line);
    if (parsed.IsProblem() && first.empty()) first = parsed.text;
  }
  EXPECT_EQ(first, "The toc check function detected at least one warning.");
}

TEST(XorrisoOutput, ProgressAndProblems) {
  ExpectBurnLines(
      &ParseXorrisoLine,
      {
          {"xorriso : UPDATE : Writing:      23759s   30.1%   fifo   0%  buf  50%", BurnKind::Progress, 30.1, -1, -1,
           ""},
          {"xorriso : UPDATE :   90 of  154 MB written (fifo  0%) [buf  50%]  54.1x.", BurnKind::Progress, 58.44, 90,
           154, ""},
          {"xorriso : UPDATE : Blanking  ( 12.3% done in 5 seconds )", BurnKind::Progress, 12.3, -1, -1, ""},
          {"Writing to 'stdio:/tmp/dx/pd.img' completed successfully.", BurnKind::Finalizing, 100, -1, -1, ""},
          {"xorriso : FAILURE : Cannot acquire drive '/dev/sr0'", BurnKind::Error, 0, -1, -1,
           "Cannot acquire drive '/dev/sr0'"},
          {"libburn : SORRY : Neither stdio-path nor its directory exist", BurnKind::Error, 0, -1, -1,
           "Neither stdio-path nor its directory exist"},
          {"xorriso : FAILURE : Drive is not blank", BurnKind::NotBlank, 0, -1, -1, "Drive is not blank"},
          {"No media detected in drive", BurnKind::NoMedium, 0, -1, -1, "No media detected in drive"},
          {"libburn : SORRY : Cannot open busy device '/dev/sr0'", BurnKind::DriveBusy, 0, -1, -1,
           "Cannot open busy device '/dev/sr0'"},
          {"xorriso : NOTE : Disc status unsuitable for writing", BurnKind::Other, 0, -1, -1, ""},
      });
  int updates = 0;
  for (const auto& line : FixtureLines("xorriso-write-stalled.txt")) {
    const BurnLine parsed = ParseXorrisoLine(line);
    if (parsed.kind == BurnKind::Progress) {
      ++updates;
      EXPECT_EQ(parsed.totalMegabytes, 4);
      EXPECT_EQ(parsed.fifoPercent, 99);
    }
  }
  EXPECT_EQ(updates, 3);
}

TEST(XorrisoOutput, MediaStatusOfRecordedRuns) {
  const struct {
    const char* fixture;
    MediaState state;
    const char* failure;
  } cases[] = {
      {"xorriso-toc-blank.txt", MediaState::Blank, ""},
      {"xorriso-toc-appendable.txt", MediaState::Appendable, ""},
      {"xorriso-toc-closed.txt", MediaState::Closed, ""},
      {"xorriso-blank.txt", MediaState::Blank, ""},  // the re-assessment after blanking wins
      {"xorriso-cdrecord-write.txt", MediaState::Appendable, ""},
      {"xorriso-toc-no-drive.txt", MediaState::Unknown, "File object '/dev/sr0' not found"},
  };
  for (const auto& c : cases) {
    const XorrisoToc toc = SummarizeXorrisoToc(FixtureLines(c.fixture));
    EXPECT_EQ(toc.state, c.state) << c.fixture;
    EXPECT_EQ(toc.failure, c.failure) << c.fixture;
  }
  EXPECT_EQ(SummarizeXorrisoToc({"Drive current: -outdev '/dev/sr0'", "No media detected in drive"}).state,
            MediaState::NoMedium);
  // The kind of the first problem travels with its text.
  EXPECT_EQ(SummarizeXorrisoToc(FixtureLines("xorriso-toc-no-drive.txt")).problem, ToolFailure::Failed);
  const XorrisoToc busy = SummarizeXorrisoToc(
      {"libburn : SORRY : Cannot open busy device '/dev/sr0'", "xorriso : FAILURE : Cannot acquire drive '/dev/sr0'"});
  EXPECT_EQ(busy.problem, ToolFailure::DriveBusy);
  EXPECT_EQ(busy.failure, "Cannot open busy device '/dev/sr0'");
  EXPECT_EQ(SummarizeXorrisoToc(FixtureLines("xorriso-toc-blank.txt")).problem, ToolFailure::None);
  EXPECT_EQ(ParseXorrisoMediaLine("Media current: is not present"), MediaState::NoMedium);
}

TEST(XorrisoOutput, DriveListing) {
  const auto drive = ParseXorrisoDeviceLine("0  -dev '/dev/sr0' rwrw-- :  'HL-DT-ST' 'DVDRAM GH24NSD1' ");
  ASSERT_TRUE(drive.has_value());
  EXPECT_EQ(drive->path, "/dev/sr0");
  EXPECT_EQ(drive->permissions, "rwrw--");
  EXPECT_EQ(drive->vendor, "HL-DT-ST");
  EXPECT_EQ(drive->model, "DVDRAM GH24NSD1");
  EXPECT_FALSE(ParseXorrisoDeviceLine("Drive current: -dev '/dev/sr0'").has_value());
  for (const auto& line : FixtureLines("xorriso-devices-none.txt")) EXPECT_FALSE(ParseXorrisoDeviceLine(line)) << line;
}

TEST(VcdimagerOutput, Lines) {
  using Kind = VcdimagerLine::Kind;
  const struct {
    const char* line;
    Kind kind;
    double percent;
    const char* detail;
  } cases[] = {
      {"#scan[sequence-00]: 20916/2082304 ( 1%)", Kind::Scan, 1.0, "sequence-00"},
      {"#write[3/3]: 10571/10628 (99%)", Kind::Write, 99.46, ""},
      {"#write[3/3]: 1196/1046 (114%)", Kind::Write, 100, ""},  // past 100 %: clamped
      {"<progress operation=\"write\" position=\"10646\" size=\"10628\" />", Kind::Write, 100, ""},
      {"<progress operation=\"scan\" id=\"sequence-01\" position=\"50\" size=\"200\" />", Kind::Scan, 25,
       "sequence-01"},
      {"++ WARN: this VCD type should not contain MPEG2 streams", Kind::Warning, 0,
       "this VCD type should not contain MPEG2 streams"},
      {"**ERROR: file `x.mpg' not found", Kind::Error, 0, "file `x.mpg' not found"},
      {"finished ok, image created with 10778 sectors [02:23:53] (25349856 bytes)", Kind::Finished, 100, ""},
      {"(Super) VideoCD xml description created successfully as `v.xml'", Kind::Other, 0, ""},
  };
  for (const auto& c : cases) {
    const VcdimagerLine line = ParseVcdimagerLine(c.line);
    EXPECT_EQ(line.kind, c.kind) << c.line;
    EXPECT_NEAR(line.percent, c.percent, 0.01) << c.line;
    if (c.kind == Kind::Scan) {
      EXPECT_EQ(line.item, c.detail) << c.line;
    }
    if (c.kind == Kind::Warning || c.kind == Kind::Error) {
      EXPECT_EQ(line.text, c.detail) << c.line;
    }
  }
  EXPECT_EQ(ParseVcdimagerLine("#write[2/3]: 300/1046 (29%)").part, 2);
  EXPECT_EQ(ParseVcdimagerLine("finished ok, image created with 10778 sectors [02:23:53]").sectors, 10778);
}

TEST(VcdimagerOutput, RecordedBuildRisesToOneHundredWithoutGoingPast) {
  VcdxbuildProgress progress({343952, 343952});
  std::vector<double> seen;
  int scans = 0;
  for (const auto& line : FixtureLines("vcdxbuild-two-tracks.txt")) {
    const VcdimagerLine parsed = ParseVcdimagerLine(line);
    scans += parsed.kind == VcdimagerLine::Kind::Scan;
    if (progress.Apply(parsed)) seen.push_back(progress.Percent());
  }
  EXPECT_EQ(scans, 150);
  ASSERT_FALSE(seen.empty());
  for (std::size_t i = 1; i < seen.size(); ++i) EXPECT_GT(seen[i], seen[i - 1]);
  EXPECT_DOUBLE_EQ(seen.back(), 100.0);
  // The first track read to its end is half the reading share.
  VcdxbuildProgress halfway({100, 100});
  halfway.Apply(ParseVcdimagerLine("#scan[sequence-00]: 100/100 (100%)"));
  EXPECT_DOUBLE_EQ(halfway.Percent(), 15.0);
}

}  // namespace
