#pragma once
// Messages and their parameters, with the handheld's numbers. A message
// carries two parameters; the program reads packed values out of them as
// the handheld packs them: a command identifier in the low 16 bits of the
// first, a scroll code and thumb position in the low and high 16 bits of the
// first, a stylus point in the low and high 16 bits of the second.

#include <cstdint>

#include "platform/graphics/handles.h"

namespace platform {

using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

enum MessageId : std::uint32_t {
  kWmNull = 0x0000,  // does nothing; wakes a loop that waits
  kWmCreate = 0x0001,
  kWmDestroy = 0x0002,
  kWmMove = 0x0003,
  kWmSize = 0x0005,
  kWmActivate = 0x0006,
  kWmSetFocus = 0x0007,
  kWmKillFocus = 0x0008,
  kWmPaint = 0x000F,
  kWmSetText = 0x000C,        // second: the new zero-terminated text
  kWmGetText = 0x000D,        // first: room in characters with the terminator; second: the buffer
  kWmGetTextLength = 0x000E,
  kWmClose = 0x0010,
  kWmQuit = 0x0012,
  kWmEraseBackground = 0x0014,
  kWmSettingChange = 0x001A,
  kWmDrawItem = 0x002B,  // first: the control's identifier; second: a DrawItem record (platform/controls/controls.h)
  kWmSetFont = 0x0030,   // first: the Font*, null for the system font; low word of second: redraw
  kWmGetFont = 0x0031,
  kWmWindowPositionChanged = 0x0047,
  kWmHelp = 0x0053,  // the help request (F1 on the desktop)
  kWmKeyDown = 0x0100,
  kWmGetDlgCode = 0x0087,  // second: the key Message* a dialog is about to take; returns kDlgc flags
  kWmKeyUp = 0x0101,
  kWmChar = 0x0102,
  kWmInitDialog = 0x0110,
  kWmCommand = 0x0111,
  kWmTimer = 0x0113,  // first: the timer's identifier (platform/timer.h)
  kWmVScroll = 0x0115,
  kWmMouseMove = 0x0200,
  kWmLButtonDown = 0x0201,
  kWmLButtonUp = 0x0202,
  kWmMouseLeave = 0x02A3,  // the pointer has left the window that last had a kWmMouseMove
  kWmHibernate = 0x03FF,  // low memory: the program is asked to end
  kWmUser = 0x0400,
};

// kWmGetDlgCode's answer: the window takes this key itself, so the dialog
// manager leaves it (Enter does not confirm, Escape does not cancel).
constexpr LResult kDlgcWantMessage = 0x0004;

// kWmMouseMove's first parameter: the stylus (left button) is down.
constexpr WParam kMkLButton = 0x0001;
// kWmLButtonDown's first parameter: its high word counts the presses of a
// double or triple click (1 for a single press), as the desktop counts them.
constexpr std::uint16_t ClickCount(WParam first) { return static_cast<std::uint16_t>((first >> 16) & 0xFFFF); }

// Activation states in the low word of kWmActivate's first parameter.
constexpr std::uint16_t kWaInactive = 0;
constexpr std::uint16_t kWaActive = 1;
constexpr std::uint16_t kWaClickActive = 2;

// A button's notification that it was tapped, in the high word of
// kWmCommand's first parameter; the caption bar's ok button sends it too.
constexpr std::uint16_t kBnClicked = 0;

// Flags of the position record of kWmWindowPositionChanged.
constexpr std::uint32_t kSwpNoActivate = 0x0010;

struct WindowPosition {
  WindowHandle window = nullptr;
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint32_t flags = 0;
};

// Scroll notification codes, in the low word of kWmVScroll's first parameter.
enum ScrollCode : std::uint16_t {
  kSbLineUp = 0,
  kSbLineDown = 1,
  kSbPageUp = 2,
  kSbPageDown = 3,
  kSbThumbPosition = 4,
  kSbThumbTrack = 5,
  kSbTop = 6,
  kSbBottom = 7,
  kSbEndScroll = 8,
};

// Virtual keys of the handheld.
enum VirtualKey : std::uint16_t {
  kVkBack = 0x08,
  kVkTab = 0x09,
  kVkReturn = 0x0D,
  kVkShift = 0x10,
  kVkControl = 0x11,
  kVkMenu = 0x12,  // Alt
  kVkEscape = 0x1B,
  kVkSpace = 0x20,
  kVkPrior = 0x21,  // Page Up
  kVkNext = 0x22,   // Page Down
  kVkEnd = 0x23,
  kVkHome = 0x24,
  kVkLeft = 0x25,
  kVkUp = 0x26,
  kVkRight = 0x27,
  kVkDown = 0x28,
  kVkDelete = 0x2E,
  kVkNumpad0 = 0x60,
  kVkAdd = 0x6B,       // the keypad's '+'
  kVkSubtract = 0x6D,  // the keypad's '-'
  kVkF1 = 0x70,
  kVkF3 = 0x72,
  kVkF10 = 0x79,
  kVkF11 = 0x7A,
  kVkOemPlus = 0xBB,   // the key of '=' and '+' beside Backspace
  kVkOemMinus = 0xBD,  // the key of '-' and '_'
};

constexpr std::uint16_t LowWord(std::uintptr_t value) { return static_cast<std::uint16_t>(value & 0xFFFF); }
constexpr std::uint16_t HighWord(std::uintptr_t value) { return static_cast<std::uint16_t>((value >> 16) & 0xFFFF); }
constexpr std::int16_t SignedLowWord(std::uintptr_t value) { return static_cast<std::int16_t>(LowWord(value)); }
constexpr std::int16_t SignedHighWord(std::uintptr_t value) { return static_cast<std::int16_t>(HighWord(value)); }
constexpr std::uintptr_t MakeLong(std::uint16_t low, std::uint16_t high) {
  return static_cast<std::uintptr_t>(low) | (static_cast<std::uintptr_t>(high) << 16);
}
// A client point as the second parameter of stylus messages.
constexpr LParam PointParam(std::int32_t x, std::int32_t y) {
  return static_cast<LParam>(MakeLong(static_cast<std::uint16_t>(x), static_cast<std::uint16_t>(y)));
}

struct Message {
  WindowHandle window = nullptr;
  std::uint32_t id = 0;
  WParam first = 0;
  LParam second = 0;
  char16_t character = 0;  // what a key-down types, for TranslateMessage
  // Keyboard input: it goes to the window with the focus when it is taken
  // from the queue (`window` is filled in then), so that keys typed ahead
  // reach the menu or dialog that an earlier key opened.
  bool toFocus = false;
};

using WindowProcedure = LResult (*)(WindowHandle window, std::uint32_t message, WParam first, LParam second);

}  // namespace platform
