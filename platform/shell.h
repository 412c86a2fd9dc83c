#pragma once
// The handheld's shell, presented inside the screen: the task bar is a
// window of class "HHTaskBar" along the top of the screen, which the
// program may hide and show; the input-panel button and the Start icon are
// kept as state. Full-screen means a window covers the whole screen.

#include <cstdint>
#include <string>

#include "platform/messages.h"

namespace platform {

// The shell's full-screen request flags.
constexpr std::uint32_t kShfsShowTaskBar = 0x0001;
constexpr std::uint32_t kShfsHideTaskBar = 0x0002;
constexpr std::uint32_t kShfsShowSipButton = 0x0004;
constexpr std::uint32_t kShfsHideSipButton = 0x0008;
constexpr std::uint32_t kShfsShowStartIcon = 0x0010;
constexpr std::uint32_t kShfsHideStartIcon = 0x0020;

constexpr std::int32_t kTaskBarHeight = 26;

// Shows or hides the shell's elements for `window`.
bool ShellFullScreen(WindowHandle window, std::uint32_t flags);

struct ShellState {
  bool sipButtonVisible = true;
  bool startIconVisible = true;
};
const ShellState& GetShellState();

// The shell's standard handling of a setting change: windows the platform
// placed keep filling the work area.
void ShellHandleSettingChange(WindowHandle window, WParam first, LParam second);

// Opens a web address with the desktop's handler (xdg-open), spawned without
// a shell and not waited for. False when it could not be started; the
// reader says nothing either way.
bool ShellOpenAddress(const std::string& address);

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
