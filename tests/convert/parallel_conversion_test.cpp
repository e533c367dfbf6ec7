// The pieces that let a list convert several files at once: how many, the
// list's progress, and the output names given in list order.

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "common/test_kit.h"
#include "convert/list_progress.h"
#include "convert/output_names.h"
#include "convert/parallel_jobs.h"
#include "support/processor_count.h"

namespace {

TEST(ParallelJobs, FromTheProcessorsTheSettingAndTheFiles) {
  struct Case {
    int requested;
    std::size_t files;
    int processors;
    double encoderUse;
    int expected;
  };
  const Case cases[] = {
      {0, 2, 2, 1.4, 2},   // one encoder leaves part of the second processor idle
      {0, 3, 2, 1.4, 3},   // two and then one would idle a processor at the end
      {0, 4, 2, 1.4, 2},   // two rounds of two
      {0, 3, 1, 1.4, 1},   // one processor: one file at a time
      {0, 3, 1, 0.5, 1},   // even for a light encoder
      {0, 3, 2, 2.0, 1},   // an encoder that fills both processors
      {0, 3, 2, 2.5, 1},   //
      {0, 8, 4, 1.4, 3},   // enough to fill four processors
      {0, 10, 7, 1.4, 5},  // 7 / 1.4 is exactly 5
      {0, 8, 7, 1.4, 8},   // five and then three: all at once
      {0, 8, 16, 1.4, 8},  // never more than the files
      {0, 1, 8, 1.4, 1},   //
      {0, 0, 8, 1.4, 1},   // an empty list still has one (idle) runner
      {0, 2, 2, 0, 2},     // no figure: one processor per encoder
      {3, 8, 1, 1.4, 3},   // a setting forces it, even on one processor
      {4, 2, 8, 1.4, 2},   // but not beyond the files
      {1, 8, 8, 1.4, 1},   // one at a time, as before
      {-5, 4, 2, 1.4, 2},  // a negative setting chooses from the machine
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "requested " << c.requested << " files " << c.files << " processors "
                                    << c.processors << " use " << c.encoderUse);
    EXPECT_EQ(ChooseParallelJobs(c.requested, c.files, c.processors, c.encoderUse), c.expected);
  }
}

// Each encoder side by side gets an equal share of the processors: ffmpeg's
// own choice (one thread more than the processors) leaves slices waiting.
TEST(ParallelJobs, EachEncoderGetsItsShareOfTheProcessors) {
  struct Case {
    int jobs, processors, expected;
  };
  const Case cases[] = {{1, 2, 2}, {2, 2, 1}, {3, 2, 1}, {2, 8, 4}, {3, 8, 2}, {1, 1, 1}, {0, 4, 4}, {5, 0, 1}};
  for (const Case& c : cases) {
    EXPECT_EQ(EncoderThreads(c.jobs, c.processors), c.expected) << c.jobs << " jobs on " << c.processors;
  }
}

TEST(ParallelJobs, TheMachineHasAtLeastOneProcessor) {
  EXPECT_GE(UsableProcessorCount(), 1);
  EXPECT_EQ(ParallelJobsForMachine(0, 1), 1);
  EXPECT_LE(ParallelJobsForMachine(0, 100), UsableProcessorCount());
}

TEST(ListProgress, SumsTheSharesAndNeverFalls) {
  ListProgress progress(4);
  EXPECT_DOUBLE_EQ(progress.Percent(), 0);
  EXPECT_DOUBLE_EQ(progress.FileReached(0, 40), 10);
  EXPECT_DOUBLE_EQ(progress.FileReached(1, 20), 15);
  EXPECT_DOUBLE_EQ(progress.FileReached(0, 30), 15) << "a file's progress does not step back";
  EXPECT_DOUBLE_EQ(progress.FileReached(1, 250), 35) << "a file counts at most its share";
  EXPECT_DOUBLE_EQ(progress.FileReached(2, -7), 35);
  EXPECT_DOUBLE_EQ(progress.FileEnded(0), 50) << "an ended file counts whole, whatever it reached";
  EXPECT_DOUBLE_EQ(progress.FileReached(9, 50), 50) << "an unknown file changes nothing";
  progress.FileEnded(2);
  progress.FileEnded(3);
  EXPECT_DOUBLE_EQ(progress.Percent(), 100);
  EXPECT_DOUBLE_EQ(ListProgress(0).Percent(), 100);
}

TEST(OutputNameRegister, NamesGoInListOrderAndAreNeverGivenTwice) {
  testkit::TempDir dir;
  const PathBuffer name(dir.File("a_new.avi"));
  OutputNameRegister names(3);

  // The second file asks first: it waits for the first one's name.
  PathBuffer second = name;
  std::atomic<bool> asking{false};
  std::thread later([&] {
    asking = true;
    names.Claim(1, second);
  });
  ASSERT_TRUE(testkit::WaitUntil([&] { return asking.load(); }));
  PathBuffer first = name;
  names.Claim(0, first);
  later.join();
  EXPECT_EQ(first, name);
  EXPECT_EQ(second.str(), dir.File("a_new(1).avi")) << "given to the first, though no file exists yet";

  // A file of the same name that exists by now is skipped as well.
  testkit::WriteFile(dir.File("a_new(2).avi"), "written meanwhile");
  PathBuffer third = name;
  names.Claim(2, third);
  EXPECT_EQ(third.str(), dir.File("a_new(3).avi"));
}

TEST(OutputNameRegister, AFileThatEndsWithoutANameDoesNotHoldUpTheOthers) {
  testkit::TempDir dir;
  OutputNameRegister names(3);
  PathBuffer last(dir.File("b_new.mpg"));
  std::thread later([&] { names.Claim(2, last); });
  names.Settle(0);  // failed before it asked
  PathBuffer second(dir.File("c_new.mpg"));
  names.Claim(1, second);
  names.Settle(1);  // settling after the claim does no harm
  later.join();
  EXPECT_EQ(last.str(), dir.File("b_new.mpg"));
  EXPECT_EQ(second.str(), dir.File("c_new.mpg"));
}

}  // namespace
