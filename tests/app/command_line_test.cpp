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

}  // namespace
}  // namespace quillory
