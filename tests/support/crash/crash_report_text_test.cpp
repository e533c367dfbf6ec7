// The pieces of the crash report that need no crash: the buffer and its
// flush rule, the stack rows, dates, the maps lines and reading a report.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "common/test_kit.h"
#include "support/crash_memory.h"
#include "support/crash_report.h"
#include "support/crash_report_buffer.h"
#include "support/crash_symbols.h"

namespace {

using crash_detail::ReportBuffer;

std::string Text(const ReportBuffer& buffer) {
  return std::string(buffer.Data(), buffer.Size());
}

TEST(CrashReportText, StackRowsArePaddedToFourWords) {
  struct Row {
    std::vector<std::uint32_t> words;
    std::string expected;
  };
  const std::string blanks9(9, ' ');
  const Row rows[] = {
      {{0x64636261}, "0x00007ffd12345670: 64636261 " + blanks9 + blanks9 + blanks9 + "abcd\r\n"},
      {{0x00000041, 0x7f202e7e}, "0x00007ffd12345670: 00000041 7f202e7e " + blanks9 + blanks9 + "A...~. .\r\n"},
      {{1, 2, 3, 4}, "0x00007ffd12345670: 00000001 00000002 00000003 00000004 ................\r\n"},
  };
  for (const Row& row : rows) {
    static ReportBuffer buffer;
    buffer.Begin(-1);
    crash_detail::StackRow(buffer, 0x7ffd12345670, row.words.data(), static_cast<int>(row.words.size()));
    EXPECT_EQ(Text(buffer), row.expected);
  }
}

TEST(CrashReportText, NumbersDatesAndNames) {
  static ReportBuffer buffer;
  buffer.Begin(-1);
  buffer.Hex(0x5, 8);
  buffer.Char(' ');
  buffer.Hex(0xc0000094, 8);
  buffer.Char(' ');
  buffer.Hex(0x7ffd12345670, 8);
  buffer.Char(' ');
  buffer.Decimal(-42);
  buffer.Char('|');
  buffer.DecimalLeft(1234, 10);
  buffer.Char('|');
  // 2026-12-10 14:05:07 shows its seconds in steps of two.
  crash_detail::DateTime(buffer, 1'796'911'507);
  EXPECT_EQ(Text(buffer), "00000005 c0000094 7ffd12345670 -42|1234      |12/10/2026 14:05:06");

  EXPECT_EQ(crash_detail::MegabytesRoundedUp(0), 0);
  EXPECT_EQ(crash_detail::MegabytesRoundedUp(1'048'576), 1);
  EXPECT_EQ(crash_detail::MegabytesRoundedUp(1'048'577), 2);
  EXPECT_STREQ(crash_detail::ExceptionName(0xC0000094), "an Integer Divide by Zero");
  EXPECT_STREQ(crash_detail::ExceptionName(0x12345678), "an Unknown exception type");
}

TEST(CrashReportText, TheBufferIsWrittenOutOncePastTheThresholdAndLosesNothing) {
  testkit::TempDir dir;
  const std::string path = dir.File("report.txt");
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  ASSERT_GE(fd, 0);
  static ReportBuffer buffer;
  buffer.Begin(fd);
  const std::string piece(300, 'x');
  std::string expected;
  bool flushed = false;
  for (int i = 0; i < 600; ++i) {
    const std::size_t before = buffer.Size();
    buffer.Text(piece.c_str());
    expected += piece;
    if (buffer.Size() < before) {
      flushed = true;
      EXPECT_GT(before, ReportBuffer::kFlushThreshold) << "written out only past the threshold";
    }
  }
  buffer.Finish();
  close(fd);
  EXPECT_TRUE(flushed);
  EXPECT_EQ(testkit::ReadFile(path), expected);
}

TEST(CrashReportText, MapsLinesAreParsed) {
  char line[] =
      "7f1c2a000000-7f1c2a028000 r-xp 00000000 08:01 1835023                    /usr/lib/x86_64-linux-gnu/libc.so.6";
  crash_detail::Mapping mapping;
  ASSERT_TRUE(crash_detail::ParseMappingLine(line, mapping));
  EXPECT_EQ(mapping.start, 0x7f1c2a000000u);
  EXPECT_EQ(mapping.end, 0x7f1c2a028000u);
  EXPECT_TRUE(mapping.readable);
  EXPECT_TRUE(mapping.executable);
  EXPECT_EQ(mapping.inode, 1835023u);
  EXPECT_STREQ(mapping.path, "/usr/lib/x86_64-linux-gnu/libc.so.6");

  char anonymous[] = "7ffd1000-7ffd2000 rw-p 00000000 00:00 0 ";
  ASSERT_TRUE(crash_detail::ParseMappingLine(anonymous, mapping));
  EXPECT_STREQ(mapping.path, "");
  char broken[] = "not a mapping";
  EXPECT_FALSE(crash_detail::ParseMappingLine(broken, mapping));
}

TEST(CrashReportText, SafeReadRefusesWhatIsNotMapped) {
  const int value = 1234;
  int copy = 0;
  EXPECT_TRUE(crash_detail::SafeRead(reinterpret_cast<std::uintptr_t>(&value), &copy, sizeof copy));
  EXPECT_EQ(copy, 1234);
  EXPECT_FALSE(crash_detail::SafeRead(0, &copy, sizeof copy));
}

TEST(CrashReportText, StackValuesInsideTheModuleArePairedFromTwoWords) {
  const std::string report =
      "RIP:    0x0000555555555010  RBP: 0x0000000000000000  SegCs: 0x00000033\r\n"
      "\r\n\r\nStack:\r\n"
      "0x00007ffd00000000: 55555123 00005555 00000001 00000000 ................\r\n"
      "0x00007ffd00000010: 12345678 00007f00 55555abc 00005555 ................\r\n"
      "0x00007ffd00000020: 00000000          "
      "                           ....\r\n"
      "\r\n";
  const ReportModule module{"/opt/orlenta/orlenta", 0x555555554000, 0x10000};
  const std::vector<CodeAddress> addresses = CodeAddressesIn(report, module);
  ASSERT_EQ(addresses.size(), 3u);
  EXPECT_EQ(addresses[0].address, 0x555555555010u);
  EXPECT_FALSE(addresses[0].returnAddress);
  EXPECT_EQ(addresses[1].address, 0x555555555123u);
  EXPECT_TRUE(addresses[1].returnAddress);
  EXPECT_EQ(addresses[2].address, 0x555555555abcu);
}

}  // namespace
