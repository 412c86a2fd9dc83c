#pragma once
// File descriptors the message loop keeps an eye on between its input
// events: the single-instance socket and the signal pipe. A backend polls
// them while it waits, and calls each one's handler when it can be read.

#include <functional>
#include <vector>

namespace platform {

// Calls `onReadable` whenever `descriptor` can be read. The descriptor stays
// the caller's; unwatch it before closing it.
void WatchDescriptor(int descriptor, std::function<void()> onReadable);
void UnwatchDescriptor(int descriptor);
// The descriptors to wait on, for a backend that waits with poll().
std::vector<int> WatchedDescriptors();
// Waits up to `timeoutMilliseconds` (0: not at all, -1: without end) for a
// watched descriptor and runs the handlers of those readable; true when any ran.
bool PollWatchedDescriptors(int timeoutMilliseconds);

// Turns SIGTERM, SIGINT and SIGHUP into the platform's close request, run
// from the message loop (never from the signal handler), so that the
// program ends the orderly way.
void CloseOnTerminationSignals();

}  // namespace platform
