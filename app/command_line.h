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
#include "platform/graphics/device_scale.h"
#include "platform/graphics/geometry.h"
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
  platform::DeviceScale scale;  // picture pixels per pixel of the page
};

// How the reader runs: in a real window, or headless under a script.
struct WindowOptions {
  bool headless = false;
  std::string script;         // headless: the script file; empty: none
  std::string snapshot;       // PNG of the screen once the reader is shown
  // The inside of the window, in the reader's pixels; without it, the size
  // the window had when the reader last ended (240 × 320 the first time).
  std::optional<platform::Size> size;
  // Screen pixels per pixel of the reader; without it, twice the desktop's
  // own scale (2 without a desktop).
  std::optional<platform::DeviceScale> scale;
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

// A device scale as people type it: 1 to 4 in steps of 0.25 ("1.5", "3").
std::optional<platform::DeviceScale> ParseScale(std::string_view text);

std::string UsageText();

}  // namespace quillory
