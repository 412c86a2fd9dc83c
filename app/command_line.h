#pragma once
// The reader's command line. Options start with "--"; anything else is the
// handheld's own command line, where only "/today" (the whole line, in any
// letter case) has a meaning: show this week's article.

#include <string>
#include <vector>

namespace quillory {

constexpr char kProductVersion[] = "1.84a";
constexpr int kExitUsage = 2;

struct CommandLine {
  enum class Action { kRun, kVersion, kHelp, kUsageError };
  Action action = Action::kRun;
  bool today = false;
  std::string error;  // for kUsageError
};

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

std::string UsageText();

}  // namespace quillory
