#pragma once
// The reader's command line. Options start with "--"; anything else is the
// handheld's own command line, where only "/today" (the whole line, in any
// letter case) has a meaning: show this week's article. With --this-week the
// one other argument is the date to ask about instead. --render,
// --this-week and --readings answer on their own and exit without opening a
// window.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/readings_query.h"
#include "calendar/hebrew_calendar.h"
#include "calendar/this_week.h"
#include "quillory_version.h"

namespace quillory {

constexpr int kExitUsage = 2;

// What --render draws: one page of an article, written as PNG.
struct RenderOptions {
  int article = 0;
  std::string output;
  std::int32_t width = 240;   // the text area of the handheld's screen,
  std::int32_t height = 294;  // under a 26-pixel bar
  std::uint16_t top = 0;      // display unit at the top of the page
  std::string face;           // UTF-8; empty: the default face
  std::int32_t fontSize = 0;  // the font height value; 0: the default
};

// How the reader runs: in a real window, or headless under a script.
struct WindowOptions {
  bool headless = false;
  std::string script;         // headless: the script file; empty: none
  std::string snapshot;       // PNG of the screen once the reader is shown
  std::int32_t width = 240;   // the client area, in the handheld's pixels
  std::int32_t height = 320;
  int scale = 2;              // screen pixels per handheld pixel
};

struct CommandLine {
  enum class Action { kRun, kVersion, kHelp, kRender, kThisWeek, kReadings, kUsageError };
  Action action = Action::kRun;
  bool today = false;
  WindowOptions window;                     // for kRun
  RenderOptions render;                     // for kRender
  std::optional<CivilDate> date;            // for kThisWeek; today when missing
  std::optional<ReadingLocation> location;  // for kThisWeek and kReadings; decided by the device when missing
  ReadingsSpan readings;                    // for kReadings
  std::string error;                        // for kUsageError
};

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

std::string UsageText();

}  // namespace quillory
