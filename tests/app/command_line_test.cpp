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

TEST(CommandLine, RenderTakesAnArticleAFileAndPageOptions) {
  const CommandLine line = ParseCommandLine(
      {"--render", "4", "--output", "page.png", "--size", "320x200", "--top", "22", "--font", "David CLM",
       "--font-size", "-14"});
  ASSERT_EQ(line.action, Action::kRender) << line.error;
  EXPECT_EQ(line.render.article, 4);
  EXPECT_EQ(line.render.output, "page.png");
  EXPECT_EQ(line.render.width, 320);
  EXPECT_EQ(line.render.height, 200);
  EXPECT_EQ(line.render.top, 22);
  EXPECT_EQ(line.render.face, "David CLM");
  EXPECT_EQ(line.render.fontSize, -14);
  const CommandLine defaults = ParseCommandLine({"--output", "p.png", "--render", "44"});
  EXPECT_EQ(defaults.render.width, 240);
  EXPECT_EQ(defaults.render.height, 294);
}

TEST(CommandLine, MalformedRenderArgumentsAreUsageErrors) {
  const std::vector<std::vector<std::string>> bad = {
      {"--render", "0", "--output", "p.png"},     {"--render", "45", "--output", "p.png"},
      {"--render", "4x", "--output", "p.png"},    {"--render", "4"},
      {"--render", "4", "--output"},              {"--render", "4", "--output", "p.png", "--size", "240"},
      {"--render", "4", "--output", "p.png", "--size", "0x10"},
      {"--render", "4", "--output", "p.png", "--top", "-1"},
      {"--render", "4", "--output", "p.png", "--font", std::string(32, 'a')},
      {"--render", "4", "--output", "p.png", "--font-size", "big"},
      {"--render", "4", "--output", "p.png", "--this-week"},
  };
  for (const auto& arguments : bad) {
    const CommandLine line = ParseCommandLine(arguments);
    EXPECT_EQ(line.action, Action::kUsageError) << arguments.back();
    EXPECT_FALSE(line.error.empty());
  }
}

}  // namespace
}  // namespace quillory
