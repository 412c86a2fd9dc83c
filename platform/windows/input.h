#pragma once
// Input as the backends deliver it: the stylus (the left mouse button) in
// screen pixels, keys as the handheld's virtual keys, and the platform's
// close request. Each call queues messages for the window that gets them;
// they run when the loop next turns.

#include <cstdint>

#include "platform/graphics/geometry.h"

namespace platform {

enum class StylusAction { kDown, kMove, kUp };

// The stylus at a screen point. Goes to the window under it (or to the one
// that captured the stylus); a touch on another top-level window brings it
// to the front first. Disabled windows get nothing. A move while the stylus
// is up is a desktop pointer passing over (kWmMouseMove without
// kMkLButton); the window it leaves gets kWmMouseLeave. A press counts the
// presses of a double or triple click (`clicks`, as the desktop counted
// them), which kWmLButtonDown carries.
void InjectStylus(StylusAction action, Point screenPoint, int clicks = 1);
// The pointer has left the screen: the window it was over gets kWmMouseLeave.
void InjectPointerLeave();
// A key pressed or released; `character` is what a press types (0 for none).
void InjectKey(std::uint16_t virtualKey, bool down, char16_t character = 0);
// Whether the key is down now, as the input has come so far.
bool IsKeyDown(std::uint16_t virtualKey);
// Whether the key was down when the message being handled was sent: the
// state a control reads to see whether Shift or Control goes with a key.
bool GetKeyState(std::uint16_t virtualKey);
// A character typed apart from its key (text input from the desktop's
// keyboard layout): a character message to the focused window.
void InjectCharacter(char16_t character);
// Scrolls the window under the point by lines, as its scroll bar's arrows
// would (the mouse wheel).
void InjectWheel(Point screenPoint, int lines);
// The platform's close request (the window's close button, SIGTERM): the
// program's first window is asked to close, the orderly way out.
void RequestClose();

}  // namespace platform
