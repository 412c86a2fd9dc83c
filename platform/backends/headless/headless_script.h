#pragma once
// Scripts for the headless backend: a few line commands that stand in for a
// person, each run when the message loop has nothing left to do.
//
//   tap X Y          the stylus down and up at client pixel X, Y of the
//                    window in front; "double-tap" and "triple-tap" are
//                    the presses of a double and a triple click there, and
//                    "shift+" may come first (shift+tap X Y)
//   drag X1 Y1 X2 Y2 the stylus down at X1, Y1, moved in steps to X2, Y2
//                    and up there
//   key NAME         a key pressed and released: Up, Down, Left, Right,
//                    PageUp, PageDown, Home, End, Return, Escape, Tab,
//                    Backspace, Delete, Space, F1, F3, F10, F11, plus,
//                    minus, or one character (names in any letter case);
//                    "ctrl+", "alt+" and "shift+" may come first
//   type TEXT        the rest of the line (UTF-8) typed into the focused window
//   command ID       a command notification (ID 0-65535) to the window in front
//   wait-idle        nothing more than the loop going idle
//   snapshot FILE    the screen written as PNG
//
// Blank lines and lines starting with '#' are skipped. After the last
// command the program gets the platform's close request.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct ScriptCommand {
  enum class Kind { kTap, kDrag, kKey, kType, kCommand, kWaitIdle, kSnapshot, kCall };
  Kind kind = Kind::kWaitIdle;
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t toX = 0;  // where a drag ends
  std::int32_t toY = 0;
  int clicks = 1;        // the presses of a tap
  std::uint16_t key = 0;       // virtual key
  char16_t character = 0;      // what the key types, if anything
  bool control = false;
  bool alt = false;
  bool shift = false;
  std::uint16_t command = 0;
  std::string text;            // for kType (UTF-8) and kSnapshot (the file)
  // For kCall, which no script text makes: a program driving the backend
  // looks at or does something at this point of the script, as when a
  // modal dialog is open.
  std::function<void()> call;
};

struct ScriptError {
  int line = 0;
  std::string reason;
};

// The commands of a script, or the first line that is not one.
std::optional<std::vector<ScriptCommand>> ParseScript(std::string_view text, ScriptError& error);

// Runs one command against the window system.
void RunScriptCommand(const ScriptCommand& command);

}  // namespace platform
