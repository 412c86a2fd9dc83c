#pragma once
// The handheld's shell, presented inside the screen: the task bar is a
// window of class "HHTaskBar" along the top of the screen, which the
// program may hide and show; the input-panel button, the input panel and
// the Start icon are kept as state (the desktop's own keyboard always types
// into the focused window). Full-screen means a window covers the whole
// screen. In a desktop window (platform/windows/desktop_window.h) there is
// no task bar: the window manager's title stands in for it, and full
// screen is the desktop's own.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/windows/messages.h"

namespace platform {

// The shell's full-screen request flags.
constexpr std::uint32_t kShfsShowTaskBar = 0x0001;
constexpr std::uint32_t kShfsHideTaskBar = 0x0002;
constexpr std::uint32_t kShfsShowSipButton = 0x0004;
constexpr std::uint32_t kShfsHideSipButton = 0x0008;
constexpr std::uint32_t kShfsShowStartIcon = 0x0010;
constexpr std::uint32_t kShfsHideStartIcon = 0x0020;

constexpr std::int32_t kTaskBarHeight = 26;
// The command bar along the top of a window and the menu bar along the
// bottom of the screen, which a dialog sized by the shell leaves room for.
constexpr std::int32_t kBarHeight = 26;

// Shows or hides the shell's elements for `window`.
bool ShellFullScreen(WindowHandle window, std::uint32_t flags);

struct ShellState {
  bool sipButtonVisible = true;
  bool startIconVisible = true;
  bool inputPanelUp = false;
  int sipPreference = 0;                       // the last preference asked for
  WindowHandle sipPreferenceWindow = nullptr;  // and by which window
};
const ShellState& GetShellState();

// The shell's dialog set-up flags.
constexpr std::uint32_t kShidifDoneButton = 0x0001;  // the "ok" button in the caption bar
constexpr std::uint32_t kShidifSizeDialog = 0x0002;
constexpr std::uint32_t kShidifSizeDialogFullScreen = 0x0004;
constexpr std::uint32_t kShidifSipDown = 0x0008;
constexpr std::uint32_t kShidifFullScreenNoMenuBar = 0x0010;
// Sets a dialog up the handheld's way: either sizing flag sizes it to the
// work area (leaving room for a menu bar at the bottom unless
// kShidifFullScreenNoMenuBar is given), and keeps it so while the work area
// changes. False for anything but a top-level window.
bool ShellInitDialog(WindowHandle dialog, std::uint32_t flags);

// The input panel a window would like while it is active.
enum SipPreference : int { kSipUnchanged = 0, kSipUp = 1, kSipDown = 2, kSipForceDown = 3, kSipInputDialog = 4 };
bool ShellSipPreference(WindowHandle window, SipPreference preference);
// The input-method switch: the panel shown (kSipfOn) or put down (kSipfOff).
constexpr std::uint32_t kSipfOff = 0x0000;
constexpr std::uint32_t kSipfOn = 0x0001;
bool SipShowInputMethod(std::uint32_t flags);

// The shell's standard handling of a setting change: windows the platform
// placed keep filling the work area.
void ShellHandleSettingChange(WindowHandle window, WParam first, LParam second);

// Opens a web address with the desktop's handler (xdg-open), spawned without
// a shell and not waited for. `onFailure` runs when the handler cannot be
// started (at once; the result is then false) or ends unsuccessfully within
// its first ten seconds (later, from the message loop while it waits for
// input; an opener that runs the browser in the foreground ends only when
// the browser does, and how it ends then says nothing about the address).
bool ShellOpenAddress(const std::string& address, std::function<void()> onFailure = {});

// The version the platform reports. The handheld's newer shells (4.21 and
// later) put the menu bar at the bottom; the default is 4.20, so the
// "MenuBarOnBottom" switch decides, and tests may set another.
struct PlatformVersion {
  int major = 4;
  int minor = 20;
};
PlatformVersion GetPlatformVersion();
void SetPlatformVersion(PlatformVersion version);

}  // namespace platform
