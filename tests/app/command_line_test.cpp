#include "app/command_line.h"

#include <gtest/gtest.h>

namespace quillory {
namespace {

using Action = CommandLine::Action;

TEST(CommandLine, TodayIsTheWholeLineInAnyLetterCase) {
  EXPECT_TRUE(ParseCommandLine({"/today"}).today);
  EXPECT_TRUE(ParseCommandLine({"/ToDaY"}).today);
  EXPECT_FALSE(ParseCommandLine({"/today", "now"}).today);
  EXPECT_FALSE(ParseCommandLine({"/todays"}).today);
  EXPECT_FALSE(ParseCommandLine({}).today);
  EXPECT_EQ(ParseCommandLine({"anything"}).action, Action::kRun);
}

TEST(CommandLine, OptionsAndUnknownOptions) {
  EXPECT_EQ(ParseCommandLine({"--version"}).action, Action::kVersion);
  EXPECT_EQ(ParseCommandLine({"--help"}).action, Action::kHelp);
  const CommandLine bad = ParseCommandLine({"--colour", "--version"});
  EXPECT_EQ(bad.action, Action::kUsageError);
  EXPECT_NE(bad.error.find("--colour"), std::string::npos);
  EXPECT_TRUE(ParseCommandLine({"--version", "/today"}).today);
}

TEST(CommandLine, ThisWeekQuery) {
  const struct {
    std::vector<std::string> arguments;
    std::optional<CivilDate> date;
    std::optional<ReadingLocation> location;
  } cases[] = {
      {{"--this-week"}, std::nullopt, std::nullopt},
      {{"--this-week", "2012-04-22"}, CivilDate{4, 22, 2012}, std::nullopt},
      {{"--this-week", "2012-04-22", "--israel"}, CivilDate{4, 22, 2012}, ReadingLocation::kIsrael},
      {{"--diaspora", "--this-week"}, std::nullopt, ReadingLocation::kDiaspora},
      {{"--israel", "--israel", "--this-week", "1500-01-01"}, CivilDate{1, 1, 1500}, ReadingLocation::kIsrael},
  };
  for (const auto& c : cases) {
    const CommandLine line = ParseCommandLine(c.arguments);
    ASSERT_EQ(line.action, Action::kThisWeek) << c.arguments.size();
    EXPECT_EQ(line.date, c.date);
    EXPECT_EQ(line.location, c.location);
  }
}

TEST(CommandLine, ThisWeekUsageErrors) {
  const struct {
    std::vector<std::string> arguments;
    const char* inMessage;
  } cases[] = {
      {{"--this-week", "2012-02-30"}, "malformed date '2012-02-30'"},
      {{"--this-week", "2012-4-22"}, "malformed date"},
      {{"--this-week", "22/04/2012"}, "malformed date"},
      {{"--this-week", "2012-04-22x"}, "malformed date"},
      {{"--this-week", "/today"}, "malformed date"},
      {{"--this-week", "2600-01-01"}, "1500 to 2599"},
      {{"--this-week", "2012-04-22", "2012-04-23"}, "one date"},
      {{"--this-week", "--israel", "--diaspora"}, "exclude each other"},
      {{"--israel"}, "go with --this-week"},
      {{"--this-week", "--tomorrow"}, "unknown option '--tomorrow'"},
  };
  for (const auto& c : cases) {
    const CommandLine line = ParseCommandLine(c.arguments);
    EXPECT_EQ(line.action, Action::kUsageError) << c.inMessage;
    EXPECT_NE(line.error.find(c.inMessage), std::string::npos) << line.error;
  }
}

}  // namespace
}  // namespace quillory
