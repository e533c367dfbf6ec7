// The disc jobs' work folders: locked while held, and what dead jobs leave
// found and removed. A folder "of a dead process" is one nobody holds the lock
// of; a second descriptor of this process conflicts with our own holders as
// another process would (test_leftovers kills real ones).

#include "platform/disc/job_folders.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "common/test_kit.h"
#include "platform/disc/output_reservation.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string NameOf(const std::string& folder) {
  return fs::path(folder).parent_path().filename().string();
}

// A folder a killed job left: its files, nobody holding it.
void Abandoned(const std::string& folder) {
  fs::create_directories(folder);
  testkit::WriteFile(folder + "/clip_new.mpg", "half");
}

TEST(JobFolders, AJobFolderIsHeldWhileItsJobLivesAndGoesWithIt) {
  testkit::TempDir dir;
  const std::string parent = dir.path().string();
  std::string error;
  auto job = JobFolder::Create(parent, &error);
  ASSERT_TRUE(job) << error;
  EXPECT_EQ(job->Path().rfind(parent + "/orlenta-job-", 0), 0u) << job->Path();
  EXPECT_EQ(job->Path().back(), '/');
  testkit::WriteFile(job->Path() + "clip_new.mpg", "converting");

  RemoveAbandonedJobFolders(parent);
  EmptyWorkFolder(parent);
  EXPECT_TRUE(fs::exists(job->Path() + "clip_new.mpg")) << "a live job's folder is never touched";
  const std::string path = job->Path();
  job.reset();
  EXPECT_FALSE(fs::exists(path));
  EXPECT_TRUE(Names(parent).empty());

  EXPECT_FALSE(JobFolder::Create(dir.File("missing"), &error));
  EXPECT_NE(error.find("missing"), std::string::npos) << error;
}

TEST(JobFolders, OnlyDeadJobsFoldersGoFromASharedFolderButAllElseFromTheProgramsOwn) {
  testkit::TempDir dir;
  for (const bool programsOwn : {false, true}) {
    SCOPED_TRACE(programsOwn ? "tempVCD, the program's own" : "the temporary folder, everyone's");
    const std::string folder = dir.File(programsOwn ? "tempVCD" : "tmp");
    Abandoned(folder + "/orlenta-job-dead01");
    testkit::WriteFile(folder + "/clip_new.mpg", "a stream of an older job");
    testkit::WriteFile(folder + "/orlenta-job-notes.txt", "a file, not a job's folder");
    fs::create_directories(folder + "/.orlenta-new-abc123");  // a job folder being made
    std::string error;
    const auto live = JobFolder::Create(folder, &error);
    ASSERT_TRUE(live) << error;

    if (programsOwn) {
      EmptyWorkFolder(folder);
      EXPECT_EQ(Names(folder), (std::vector<std::string>{".orlenta-new-abc123", NameOf(live->Path())}));
    } else {
      RemoveAbandonedJobFolders(folder);
      std::vector<std::string> kept = {".orlenta-new-abc123", "clip_new.mpg", "orlenta-job-notes.txt",
                                       NameOf(live->Path())};
      std::sort(kept.begin(), kept.end());
      EXPECT_EQ(Names(folder), kept);
    }
  }
}

TEST(JobFolders, TheStartRemovesWhatTheRecordsOfEndedProcessesNameAndNothingOfLiveOnes) {
  testkit::TempDir dir;
  testkit::ScopedEnv data("XDG_DATA_HOME", dir.File("data"));
  testkit::ScopedEnv tmp("TMPDIR", dir.File("tmp"));
  const std::string records = dir.File("data/Orlenta/jobs");
  const std::string work = dir.File("work");
  const std::string out = dir.File("out");
  const std::string elsewhere = dir.File("elsewhere");
  for (const std::string& folder : {records, work, out, elsewhere, dir.File("tmp")}) fs::create_directories(folder);

  // A dead process's record names a work folder and an image folder; a live
  // process's record names another folder, which must not be looked at.
  const std::string deadRecord = std::string(work) + '\0' + out + '\0';
  testkit::WriteFile(records + "/record-dead01", deadRecord);
  testkit::WriteFile(records + "/record-live01", elsewhere + '\0');
  const int liveRecord = ::open((records + "/record-live01").c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(liveRecord, LOCK_EX), 0);
  testkit::WriteFile(records + "/.orlenta-new-xyz789", "");  // a record its process never finished

  Abandoned(work + "/orlenta-job-dead01");
  Abandoned(elsewhere + "/orlenta-job-dead02");
  Abandoned(dir.File("tmp/orlenta-job-dead03"));
  fs::create_directories(out + "/.Video DVD.iso.orlenta-part");
  testkit::WriteFile(out + "/.Video DVD.iso.orlenta-part/Video DVD.iso", "half an image");
  testkit::WriteFile(out + "/holiday.iso", "the user's");
  std::string error;
  const auto liveJob = JobFolder::Create(work, &error);
  ASSERT_TRUE(liveJob) << error;
  const auto liveImage = OutputReservation::Reserve(out, "Video CD", {".cue", ".bin"}, &error);
  ASSERT_TRUE(liveImage) << error;

  RemoveLeftoversOfEndedJobs();
  EXPECT_EQ(Names(records), std::vector<std::string>{"record-live01"});
  EXPECT_EQ(Names(work), std::vector<std::string>{NameOf(liveJob->Path())});
  EXPECT_EQ(Names(out), (std::vector<std::string>{".Video CD.cue.orlenta-part", "holiday.iso"}));
  EXPECT_EQ(Names(elsewhere), std::vector<std::string>{"orlenta-job-dead02"});
  EXPECT_TRUE(Names(dir.File("tmp")).empty()) << "the temporary folder is looked at without a record";

  // The other process ends; this process's own record is a live one now.
  RecordWorkFolder(elsewhere);
  ::close(liveRecord);
  RemoveLeftoversOfEndedJobs();
  const auto left = Names(records);
  ASSERT_EQ(left.size(), 1u);
  EXPECT_NE(left[0], "record-live01");
  EXPECT_EQ(left[0].rfind("record-", 0), 0u) << left[0];
  EXPECT_EQ(testkit::ReadFile(records + "/" + left[0]), elsewhere + '\0');
  EXPECT_TRUE(Names(elsewhere).empty());
}

}  // namespace
