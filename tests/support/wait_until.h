#pragma once
// Waiting in tests: on what a test expects to see, never for a fixed time.

#include <chrono>
#include <thread>

namespace quillory::testing {

// Polls `condition` until it holds or `limit` has passed (a generous limit,
// for a machine busy with other work: a broken run fails instead of
// hanging); whether it held.
template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds limit = std::chrono::seconds(30)) {
  const auto end = std::chrono::steady_clock::now() + limit;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

}  // namespace quillory::testing
