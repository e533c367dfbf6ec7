#include "disc/burning_errors.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

struct Range {
  int first;
  int last;
  std::set<int> absent;
};

const Range kRanges[] = {
    {0, 26, {14}},
    {101, 161, {125, 135}},
    {200, 455, {294, 295, 304, 406, 407, 408, 409, 422, 423}},
    {670, 672, {}},
};

TEST(BurningErrorTable, HoldsEveryCodeOfItsRangesAndNothingElse) {
  const auto table = BurningErrorTable();
  EXPECT_EQ(table.size(), 335u);

  std::set<int> expected;
  for (const auto& range : kRanges) {
    for (int code = range.first; code <= range.last; ++code) {
      if (range.absent.count(code) == 0) expected.insert(code);
    }
  }
  std::set<int> listed;
  for (const auto& row : table) {
    EXPECT_TRUE(listed.insert(row.code).second) << "code listed twice: " << row.code;
    ASSERT_NE(row.text, nullptr);
    EXPECT_NE(std::string(row.text), "") << row.code;
  }
  EXPECT_EQ(listed, expected);
}

TEST(BurningErrorToMessage, GivesTheTextAtBothEndsOfEachRange) {
  const struct {
    int code;
    const char* text;
  } cases[] = {
      {0, "No error occured"},
      {26, "The supplied buffer is too small."},
      {101, "An unknown error occured."},
      {161, "Error formatting DVD+RW medium"},
      {200, "No additional sense information"},
      {455, "RMA/PMA is almost full"},
      {670, "The source file is not readable."},
      {672, "The burned file differs from the source file."},
      // Neighbours of the gaps, where an off-by-one would shift the texts.
      {13, "Command failed"},
      {15, "The file has an invalid format."},
      {124, "Hardware error"},
      {126, "Unit attention"},
      {134, "Filemark"},
      {136, "Illegal length"},
      {293, "Data decryption error"},
      {296, "Too many segment descriptors"},
      {303, "Hardware write protected"},
      {305, "Associated write protect"},
      {405, "Overlapped commands attempted"},
      {410, "Insufficient reservation resources"},
      {421, "Log list codes exhausted"},
      {424, "Logical unit failure prediction threshold exceeded"},
      // The two codes the disc flows answer with a prompt.
      {21, "The disc is not writable."},
      {23, "No medium"},
      // Texts kept with their odd spacing and spelling.
      {6, "Invalid device ID or device is not a CD  or DVD drive."},
      {212, "Logical unit not ready, initializing comand required"},
      {434, "llegal mode for this track"},
  };
  for (const auto& c : cases) EXPECT_EQ(BurningErrorToMessage(c.code), c.text) << c.code;
}

TEST(BurningErrorToMessage, LeavesPlaceholdersUnfilled) {
  const struct {
    int code;
    const char* text;
  } cases[] = {
      {139, "Could not open file \"%s\" (file may be in use by other software.)"},
      {140, "Could not create file \"%s\""},
      {146, "Not more than %d directories are allowed."},
      {147, "Not more than %d files are allowed."},
      {150, "Error importing session %d (ISO image not found)"},
      {158, "Invalid field \"%s\" in parameter list"},
      {160, "Invalid command \"%s\""},
  };
  int withPlaceholder = 0;
  for (const auto& row : BurningErrorTable()) {
    const std::string text = row.text;
    if (text.find("%s") != std::string::npos || text.find("%d") != std::string::npos) ++withPlaceholder;
  }
  EXPECT_EQ(withPlaceholder, 7);
  for (const auto& c : cases) EXPECT_EQ(BurningErrorToMessage(c.code), c.text) << c.code;
}

TEST(BurningErrorToMessage, UnknownCodesIncludingNegativeOnes) {
  for (int code : {14,        27,  100, 125,  135, 162, 199,
                   294,       295, 304, 406,  409, 422, 423,
                   456,       669, 673, 1000, -1,  -21, -2147483647 - 1,
                   2147483647}) {
    EXPECT_EQ(BurningErrorToMessage(code), "Error code not found") << code;
  }
}

}  // namespace
