#include "app/batch/batch_options.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/batch/core_application.h"

namespace {

// The parser names the program after the application's first argument.
[[maybe_unused]] const auto* const kEnvironment = testing::AddGlobalTestEnvironment(new CoreApplication);

using testing::ElementsAre;
using testing::HasSubstr;

BatchCommandLine Parse(QStringList arguments) {
  arguments.prepend("orlenta");
  return ParseBatchCommandLine(arguments);
}

TEST(BatchOptions, ReadsAWholeJob) {
  const BatchCommandLine line = Parse({"--batch", "--format", "SVCD", "--output", "/tmp/out", "--image", "--quality=3",
                                       "--ntsc", "--select", "2", "--yes", "a.mp4", "b b.mkv"});
  ASSERT_EQ(line.action, BatchCommandLine::Action::Run) << line.text;
  const BatchOptions& options = line.options;
  EXPECT_EQ(options.format, kFormatSvcd);
  EXPECT_EQ(options.outputFolder, "/tmp/out");
  EXPECT_TRUE(options.image);
  EXPECT_FALSE(options.device.has_value());
  EXPECT_EQ(options.quality, 3);
  EXPECT_EQ(options.discType, 0);
  EXPECT_EQ(options.selection, 1);
  EXPECT_TRUE(options.yes);
  EXPECT_THAT(options.files, ElementsAre("a.mp4", "b b.mkv"));
}

TEST(BatchOptions, DefaultsLeaveTheStoredSettings) {
  const BatchCommandLine line = Parse({"--batch", "--format", "avi", "--device", "1", "--pal", "a.mp4"});
  ASSERT_EQ(line.action, BatchCommandLine::Action::Run) << line.text;
  EXPECT_EQ(line.options.format, kFormatAvi);
  EXPECT_EQ(line.options.device, 1);
  EXPECT_EQ(line.options.discType, 1);
  EXPECT_TRUE(line.options.outputFolder.empty());
  EXPECT_FALSE(line.options.quality || line.options.selection || line.options.image || line.options.yes);
}

TEST(BatchOptions, DoubleDashEndsTheOptions) {
  const BatchCommandLine line = Parse({"--batch", "--format", "dvd", "--", "--yes", "-x.mp4"});
  ASSERT_EQ(line.action, BatchCommandLine::Action::Run) << line.text;
  EXPECT_FALSE(line.options.yes);
  EXPECT_THAT(line.options.files, ElementsAre("--yes", "-x.mp4"));
}

TEST(BatchOptions, NamesThatAreNotUtf8KeepTheirBytes) {
  const std::string latin1 = "caf\xe9.mp4";  // as an old Windows disc names it
  const std::string broken = "b\xff\xfe.mp4";
  const std::string folder = "/tmp/out\xa0";
  const BatchCommandLine line = ParseBatchCommandLine(std::vector<std::string>{
      "orlenta", "--batch", "--format", "dvd", "--output=" + folder, latin1, "ok \xc3\xa9.mp4", broken});
  ASSERT_EQ(line.action, BatchCommandLine::Action::Run) << line.text;
  EXPECT_EQ(line.options.outputFolder, folder);
  EXPECT_THAT(line.options.files, ElementsAre(latin1, "ok \xc3\xa9.mp4", broken));

  const BatchCommandLine separate = ParseBatchCommandLine(
      std::vector<std::string>{"orlenta", "--batch", "--format", "vcd", "--output", folder, "--", broken});
  ASSERT_EQ(separate.action, BatchCommandLine::Action::Run) << separate.text;
  EXPECT_EQ(separate.options.outputFolder, folder);
  EXPECT_THAT(separate.options.files, ElementsAre(broken));
}

TEST(BatchOptions, UsageErrorsNameTheOption) {
  struct Case {
    QStringList arguments;
    const char* named;
  };
  const Case cases[] = {
      {{"--batch", "--format", "dvd", "--colour", "a.mp4"}, "colour"},
      {{"--batch", "--format", "dvdx", "a.mp4"}, "--format"},
      {{"--batch", "a.mp4"}, "--format"},
      {{"--batch", "--format"}, "format"},
      {{"--batch", "--format", "dvd", "--quality", "10", "a.mp4"}, "--quality"},
      {{"--batch", "--format", "dvd", "--quality", "high", "a.mp4"}, "--quality"},
      {{"--batch", "--format", "dvd", "--device", "-1", "a.mp4"}, "--device"},
      {{"--batch", "--format", "dvd", "--device", "0", "--image", "a.mp4"}, "--image"},
      {{"--batch", "--format", "dvd", "--pal", "--ntsc", "a.mp4"}, "--ntsc"},
      {{"--batch", "--format", "vcd", "--select", "3", "a.mp4", "b.mp4"}, "--select"},
      {{"--batch", "--format", "vcd", "--select", "0", "a.mp4"}, "--select"},
      {{"--batch", "--format", "dvd", "--output", "", "a.mp4"}, "--output"},
      {{"--batch", "--format", "dvd"}, "FILE"},
      {{"--format", "dvd", "a.mp4"}, "--batch"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    const BatchCommandLine line = Parse(c.arguments);
    EXPECT_EQ(line.action, BatchCommandLine::Action::UsageError);
    EXPECT_THAT(line.text, HasSubstr(c.named));
  }
}

TEST(BatchOptions, HelpAndVersion) {
  const BatchCommandLine help = Parse({"--help"});
  ASSERT_EQ(help.action, BatchCommandLine::Action::Help);
  for (const char* option : {"--batch", "--format <FORMAT>", "--output <DIR>", "--device <N>", "--image", "--quality",
                             "--pal", "--ntsc", "--select <N>", "--yes", "--version", "FILE...", "130"}) {
    EXPECT_THAT(help.text, HasSubstr(option));
  }
  EXPECT_EQ(Parse({"--batch", "--version"}).action, BatchCommandLine::Action::Version);
  EXPECT_THAT(Parse({"--version"}).text, testing::MatchesRegex("orlenta [0-9]+\\.[0-9]+\\.[0-9]+\n"));
}

TEST(BatchOptions, TheWindowTakesPlainFilesOnly) {
  const std::pair<std::vector<std::string>, bool> cases[] = {
      {{"orlenta"}, false},           {{"orlenta", "a.avi"}, false},
      {{"orlenta", "-"}, false},      {{"orlenta", "--", "-a.avi"}, false},
      {{"orlenta", "--batch"}, true}, {{"orlenta", "a.avi", "--help"}, true},
      {{"orlenta", "-v"}, true},
  };
  for (const auto& [arguments, expected] : cases) EXPECT_EQ(WantsCommandLine(arguments), expected) << arguments.back();
}

TEST(BatchOptions, TheWindowListsEveryFileGivenInOrderAsItsBytes) {
  using Files = std::vector<std::string>;
  const std::pair<Files, Files> cases[] = {
      {{"orlenta"}, {}},
      {{"orlenta", "a.avi"}, {"a.avi"}},
      {{"orlenta", "b.mkv", "a b.mp4", "caf\xe9.ts"}, {"b.mkv", "a b.mp4", "caf\xe9.ts"}},
      {{"orlenta", "--", "-a.avi", "--", "c.avi"}, {"-a.avi", "--", "c.avi"}},
      {{"orlenta", "a.avi", "--", "-b.avi"}, {"a.avi", "-b.avi"}},
  };
  for (const auto& [arguments, files] : cases) EXPECT_EQ(WindowCommandLineFiles(arguments), files);
}

TEST(BatchOptions, JobsForcesHowManyFilesConvertAtOnce) {
  struct Case {
    QString value;
    std::optional<int> jobs;  // nullopt: a usage error naming --jobs
  };
  const Case cases[] = {
      {"3", 3}, {"1", 1}, {"0", 0}, {"64", 64}, {"65", std::nullopt}, {"-1", std::nullopt}, {"two", std::nullopt}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value.toStdString());
    const BatchCommandLine line = Parse({"--batch", "--format", "dvd", "--jobs", c.value, "a.mp4"});
    if (c.jobs) {
      ASSERT_EQ(line.action, BatchCommandLine::Action::Run) << line.text;
      EXPECT_EQ(line.options.jobs, c.jobs);
    } else {
      EXPECT_EQ(line.action, BatchCommandLine::Action::UsageError);
      EXPECT_THAT(line.text, HasSubstr("--jobs"));
    }
  }
  EXPECT_FALSE(Parse({"--batch", "--format", "dvd", "a.mp4"}).options.jobs.has_value()) << "the stored setting";
  EXPECT_THAT(Parse({"--help"}).text, HasSubstr("--jobs <N>"));
}

TEST(BatchOptions, DiscSizeAndPlan) {
  struct Case {
    QString value;
    std::optional<int> dvd;
    std::optional<int> cd;
    bool valid;
  };
  const Case cases[] = {{"dvd5", 0, {}, true}, {"DVD9", 1, {}, true},  {"650", {}, 0, true},    {"700", {}, 1, true},
                        {"800", {}, 2, true},  {"4.7", {}, {}, false}, {"dvd10", {}, {}, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value.toStdString());
    const BatchCommandLine line = Parse({"--batch", "--format", "dvd", "--disc-size", c.value, "--plan", "a.mp4"});
    if (!c.valid) {
      EXPECT_EQ(line.action, BatchCommandLine::Action::UsageError);
      EXPECT_THAT(line.text, HasSubstr("--disc-size"));
      continue;
    }
    ASSERT_EQ(line.action, BatchCommandLine::Action::Run) << line.text;
    EXPECT_EQ(line.options.dvdDiscSize, c.dvd);
    EXPECT_EQ(line.options.cdDiscSize, c.cd);
    EXPECT_TRUE(line.options.plan);
  }
  EXPECT_FALSE(Parse({"--batch", "--format", "dvd", "a.mp4"}).options.plan);
}

TEST(BatchOptions, TitlesAndChapters) {
  const BatchCommandLine line = Parse({"--batch", "--format", "dvd", "--title", "2=Our = garden", "--title", "1=Intro",
                                       "--chapters", "0", "a.mp4", "b.mp4"});
  ASSERT_EQ(line.action, BatchCommandLine::Action::Run) << line.text;
  EXPECT_EQ(line.options.titles, (std::vector<std::pair<int, std::string>>{{2, "Our = garden"}, {1, "Intro"}}));
  EXPECT_EQ(line.options.chapterMinutes, 0);
  for (const QStringList& bad : {QStringList{"--title", "3=x"}, QStringList{"--title", "x"},
                                 QStringList{"--chapters", "31"}, QStringList{"--chapters", "-1"}}) {
    EXPECT_EQ(Parse(QStringList{"--batch", "--format", "dvd"} + bad + QStringList{"a.mp4", "b.mp4"}).action,
              BatchCommandLine::Action::UsageError)
        << bad.join(' ').toStdString();
  }
}

}  // namespace
