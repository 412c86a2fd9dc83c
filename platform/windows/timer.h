#pragma once
// Timers, the handheld's way: SetTimer asks for a kWmTimer notification to
// a window every `milliseconds` until KillTimer (or the window's end). The
// notifications come from the message loop, when nothing else is waiting,
// never from another thread; a loop that waits for input wakes when the
// next timer is due. A timer that fell behind comes once, not once per
// missed period.

#include <chrono>
#include <cstdint>

#include "platform/windows/messages.h"

namespace platform {

using TimerClock = std::chrono::steady_clock;

// Starts the timer `id` of `window`, or restarts it with the new period
// when it runs already; periods under 10 ms count as 10. False for a dead
// window.
bool SetTimer(WindowHandle window, std::uintptr_t id, std::uint32_t milliseconds);
// False when there was no such timer.
bool KillTimer(WindowHandle window, std::uintptr_t id);

// Where timers read the time; null means the steady clock. Tests install a
// clock of their own to move time on exactly. Returns the one it replaced.
using TimeSource = TimerClock::time_point (*)();
TimeSource SetTimeSource(TimeSource source);

}  // namespace platform
