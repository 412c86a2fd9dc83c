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

TEST(CommandLine, TheScaleIsOneToFourInQuarters) {
  const struct {
    const char* text;
    int quarters;  // 0: refused
  } cases[] = {
      {"1", 4},    {"2", 8},    {"4", 16},    {"1.25", 5}, {"1.5", 6}, {"2.5", 10}, {"3.75", 15}, {"2.0", 8},
      {"2.50", 10}, {"0", 0},   {"0.75", 0},  {"4.25", 0}, {"5", 0},   {"1.3", 0},  {"1.33", 0},  {"2.", 0},
      {".5", 0},   {"2.125", 0}, {"-1", 0},   {"2.+5", 0}, {"", 0},    {"two", 0},
  };
  for (const auto& c : cases) {
    const auto scale = ParseScale(c.text);
    EXPECT_EQ(scale ? scale->quarters() : 0, c.quarters) << c.text;
  }
  const CommandLine window = ParseCommandLine({"--scale", "1.5", "--size", "600x700"});
  ASSERT_EQ(window.action, Action::kRun) << window.error;
  EXPECT_EQ(window.window.scale, platform::DeviceScale::FromQuarters(6));
  EXPECT_EQ(window.window.size, (platform::Size{600, 700}));
  const CommandLine defaults = ParseCommandLine({});
  EXPECT_FALSE(defaults.window.scale) << "the desktop's, unless given";
  EXPECT_FALSE(defaults.window.size) << "as the window was left, unless given";
  const CommandLine render = ParseCommandLine({"--render", "4", "--output", "p.png", "--scale", "2"});
  EXPECT_EQ(render.render.scale.quarters(), 8);
  EXPECT_EQ(ParseCommandLine({"--render", "4", "--output", "p.png"}).render.scale.quarters(), 4);
  const CommandLine bad = ParseCommandLine({"--scale", "8"});
  EXPECT_EQ(bad.action, Action::kUsageError);
  EXPECT_NE(bad.error.find("1 to 4 in steps of 0.25"), std::string::npos);
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
