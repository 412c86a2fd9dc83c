#pragma once
// The running reader: start-up, the message loop and the end of the run,
// on whichever backend is installed.

#include <functional>
#include <optional>

#include "platform/system/single_instance.h"

namespace quillory {

struct ReaderOptions {
  bool today = false;  // the command line was "/today"
  // This start's claim to be the one running reader, when the caller has
  // made it already (before opening a window); else the reader claims.
  platform::SingleInstance* instance = nullptr;
  // Run once the main window is shown and painted, before the loop.
  std::function<void()> onShown;
};

// Runs the reader to its end and returns the exit code: 0, also when
// another instance was told to come forward instead.
int RunReader(const ReaderOptions& options);

// Claims to be the one running reader. Nothing when a reader already runs:
// it has been told to come forward, and this start is to end.
std::optional<platform::SingleInstance> ClaimSingleInstance();

}  // namespace quillory
