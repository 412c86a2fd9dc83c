#include "platform/windows/timer.h"

#include <algorithm>
#include <utility>

#include "platform/windows/window_system.h"

namespace platform {
namespace {

TimeSource installedSource = nullptr;

// As on the handheld, a shorter period is taken as this one: a timer that
// is always due would keep the loop from ever going idle.
constexpr std::chrono::milliseconds kShortestPeriod{10};

std::vector<Timer>::iterator Find(WindowHandle window, std::uintptr_t id) {
  auto& timers = System().timers;
  return std::find_if(timers.begin(), timers.end(),
                      [&](const Timer& timer) { return timer.window == window && timer.id == id; });
}

}  // namespace

bool SetTimer(WindowHandle handle, std::uintptr_t id, std::uint32_t milliseconds) {
  Window* window = Live(handle);
  if (!window) return false;
  const std::chrono::milliseconds period = std::max(std::chrono::milliseconds(milliseconds), kShortestPeriod);
  const auto found = Find(handle, id);
  if (found != System().timers.end()) {
    found->period = period;
    found->due = TimerNow() + period;
  } else {
    System().timers.push_back(Timer{window, id, period, TimerNow() + period});
  }
  return true;
}

bool KillTimer(WindowHandle window, std::uintptr_t id) {
  const auto found = Find(window, id);
  if (found == System().timers.end()) return false;
  System().timers.erase(found);
  return true;
}

TimeSource SetTimeSource(TimeSource source) { return std::exchange(installedSource, source); }

TimerClock::time_point TimerNow() { return installedSource ? installedSource() : TimerClock::now(); }

void ForgetTimersOf(const Window& window) {
  auto& timers = System().timers;
  timers.erase(std::remove_if(timers.begin(), timers.end(), [&](const Timer& timer) { return timer.window == &window; }),
               timers.end());
}

std::optional<Message> TakeDueTimer(TimerClock::time_point now) {
  for (Timer& timer : System().timers) {
    if (timer.due > now) continue;
    // The next period counts from now: a late timer does not come in a burst.
    timer.due = now + timer.period;
    return Message{timer.window, kWmTimer, timer.id, 0, 0};
  }
  return std::nullopt;
}

int MillisecondsToNextTimer() {
  const auto& timers = System().timers;
  if (timers.empty()) return -1;
  const auto next = std::min_element(timers.begin(), timers.end(),
                                     [](const Timer& a, const Timer& b) { return a.due < b.due; })->due;
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(next - TimerNow()).count();
  return static_cast<int>(std::clamp<std::int64_t>(left, 0, INT32_MAX));
}

}  // namespace platform
