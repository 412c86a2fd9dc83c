#pragma once
// The desktop window around the screen. On a desktop the program's screen
// is the inside of one window of the desktop's, which the person moves,
// resizes and makes full screen; the window manager shows its title, so the
// shell's task bar is not drawn in the screen (platform/windows/shell.h).
// Without a desktop (the handheld's own presentation) there is no such
// window: the screen is all there is, and none of this changes anything.

#include "platform/graphics/geometry.h"

namespace platform {

// Whether the screen is shown in a desktop window.
bool HasDesktopWindow();
// Full screen as the desktop has it: the whole monitor, no decorations. The
// screen takes the new size (its windows follow it) as the desktop grants it.
void SetDesktopFullScreen(bool on);
bool IsDesktopFullScreen();
// The window's size in the program's pixels when it is not full screen, as
// the person last left it: what to open with next time. The screen's size
// without a desktop window.
Size DesktopWindowSize();

}  // namespace platform
