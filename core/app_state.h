#pragma once
// AppState: the one application-state record, zeroed at start and alive for
// the whole run. Every subsystem reads and writes its own fields here; the
// pointer fields do not own unless their comment says so.

#include <array>
#include <cstdint>

#include "core/font_description.h"
#include "platform/graphics/handles.h"
#include "platform/system/resources.h"

namespace quillory {

struct TextView;

// Bits of the "Flags" word.
enum FlagBits : std::uint32_t {
  kChosenArticleFlag = 0x00000004,  // the reader chose the current article
  kScrollBarFlags = 0x000000C0,     // either bit: the main window has a scroll bar
  kReverseFlag = 0x00000800,        // draw Hebrew runs reversed
  kKeyPageStepField = 0x00700000,   // 0x00200000 or 0x00400000: keys page by half a page
  kTapPageStepField = 0x07000000,   // the same coding, for taps
  kTapHalvesFlag = 0x10000000,      // taps page by upper and lower half, else left and right
  kTapPagingFlag = 0x80000000,      // a tap outside a link pages
};

constexpr int kArticleCount = 44;
constexpr bool IsArticleNumber(std::uint32_t number) { return number >= 1 && number <= kArticleCount; }
constexpr int kIndexNumber = 31767;  // resource 32767, reached as 1000 + number

struct AppState {
  platform::ModuleHandle module = nullptr;  // every resource is looked up here
  FontDescription font;                     // "FontName", "FontSize", "FontAsciiBase"
  std::uint16_t savedPosition = 0;          // "LastPosition"
  std::uint32_t flags = 0;                  // "Flags"
  std::uint16_t currentArticle = 0;         // "Lesson", 1 to 44
  std::array<std::uint8_t, 34> searchPattern{};  // letter code, zero-terminated
  TextView* textView = nullptr;             // owned: created with the main window
  std::uint32_t menuBarOnBottom = 0;        // "MenuBarOnBottom"
  std::int32_t barHeight = 0;               // pixels of the menu bar or command bar
  std::int32_t gutter = 0;                  // "SurroundingGutter"
  platform::WindowHandle barWindow = nullptr;
  platform::WindowHandle mainWindow = nullptr;
  std::array<platform::BitmapHandle, 3> glyphBitmaps{};  // resources 201-203
  std::uint16_t previousArticle = 0;        // "PreviousLesson", 0 = none
  std::uint16_t previousPosition = 0;       // "PreviousPosition"
  std::uint16_t bookmarkCount = 0;
  std::uint16_t* bookmarks = nullptr;       // owned; zero-terminated article numbers
  std::uint16_t bookmarkOptions = 0;        // bit 0: remove without asking
  std::uint32_t todaySwitch = 0;            // the command line was "/today"
  // The reader's own beyond the handheld's record:
  std::uint32_t nightReading = 0;           // "NightReading": the page in the night palette
};

// The start-up switches of the maker key and what the entry point learnt of
// the shell's task bar, held beside AppState for the whole run.
struct StartupSwitches {
  std::uint32_t ignoreActivate = 0;          // "IgnoreActivate"
  std::uint32_t fullScreen = 0;              // "FullScreen"
  std::uint32_t allowSipInHebrewSearch = 1;  // "AllowSipInHebrewSearch"
  platform::WindowHandle taskBar = nullptr;  // looked up in full-screen mode only
  bool taskBarWasVisible = false;            // at start: decides whether exit shows it again
};

// The record of this run.
AppState& App();
StartupSwitches& Switches();
// Zeroes the record and the switches, as start-up does (and tests between cases).
void ResetAppState();

}  // namespace quillory
