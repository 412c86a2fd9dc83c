#pragma once
// The reader's command line. Options start with "--"; anything else is the
// handheld's own command line, where only "/today" (the whole line, in any
// letter case) has a meaning: show this week's article. With --this-week the
// one other argument is the date to ask about instead.

#include <optional>
#include <string>
#include <vector>

#include "calendar/hebrew_calendar.h"
#include "calendar/this_week.h"

namespace quillory {

constexpr char kProductVersion[] = "1.84a";
constexpr int kExitUsage = 2;

struct CommandLine {
  enum class Action { kRun, kVersion, kHelp, kThisWeek, kUsageError };
  Action action = Action::kRun;
  bool today = false;
  std::optional<CivilDate> date;              // for kThisWeek; today when missing
  std::optional<ReadingLocation> location;    // for kThisWeek; as the device decides when missing
  std::string error;                          // for kUsageError
};

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

std::string UsageText();

}  // namespace quillory
