#include "support/temporary_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/test_kit.h"
#include "support/exceptions.h"

namespace {

class TemporaryFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { CTemporaryFiles::DeleteTempFiles(); }
  void TearDown() override { CTemporaryFiles::DeleteTempFiles(); }
  testkit::TempDir m_dir;
};

TEST_F(TemporaryFilesTest, DeletesRegisteredFilesOnceAndEmptiesTheRegister) {
  const std::string a = m_dir.File("a.mpg");
  const std::string b = m_dir.File("b.mpg");
  testkit::WriteFile(a, "a");
  testkit::WriteFile(b, "b");
  CTemporaryFiles::AddTempFile(a);
  CTemporaryFiles::AddTempFile(a);
  CTemporaryFiles::AddTempFile(m_dir.File("never-written.mpg"));
  ASSERT_EQ(CTemporaryFiles::RegisteredFiles().size(), 3U);

  CTemporaryFiles::DeleteTempFiles();
  EXPECT_FALSE(std::filesystem::exists(a));
  EXPECT_TRUE(std::filesystem::exists(b)) << "unregistered files stay";
  EXPECT_TRUE(CTemporaryFiles::RegisteredFiles().empty());
  CTemporaryFiles::DeleteTempFiles();  // empty register: nothing to do
}

TEST_F(TemporaryFilesTest, UndeletableFileRaisesAndRegisterKeepsItsEntries) {
  const std::string first = m_dir.File("first.mpg");
  // A folder that is not empty cannot be removed, not even by root.
  const std::string stuck = m_dir.File("stuck.mpg");
  std::filesystem::create_directory(stuck);
  testkit::WriteFile(stuck + "/inside", "x");
  testkit::WriteFile(first, "1");
  CTemporaryFiles::AddTempFile(first);
  CTemporaryFiles::AddTempFile(stuck);

  try {
    CTemporaryFiles::DeleteTempFiles();
    FAIL() << "expected a file_exception";
  } catch (const file_exception& error) {
    EXPECT_EQ(error.Path(), stuck);
    EXPECT_NE(std::string(error.what()).find("stuck.mpg"), std::string::npos);
  }
  EXPECT_FALSE(std::filesystem::exists(first)) << "deleted before the failure";
  EXPECT_EQ(CTemporaryFiles::RegisteredFiles().size(), 2U);

  std::filesystem::remove(stuck + "/inside");
  CTemporaryFiles::DeleteTempFiles();
  EXPECT_FALSE(std::filesystem::exists(stuck));
  EXPECT_TRUE(CTemporaryFiles::RegisteredFiles().empty());
}

}  // namespace
