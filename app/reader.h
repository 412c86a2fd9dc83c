#pragma once
// The running reader: start-up, the message loop and the end of the run,
// on whichever backend is installed.

#include <functional>
#include <optional>

#include "platform/system/single_instance.h"

namespace quillory {

struct ReaderOptions {
  bool today = false;  // the command line was "/today"
  // This start's claim to be the one running reader, made by the caller
  // before it opened a window; later starts are answered from the moment the
  // run begins, through every dialog and box of start-up. Null for the runs
  // without a window, which take no part in the single-instance rule.
  platform::SingleInstance* instance = nullptr;
  // Run once the main window is shown and painted, before the loop.
  std::function<void()> onShown;
};

// Runs the reader to its end and returns the exit code (0).
int RunReader(const ReaderOptions& options);

// Claims to be the one running reader. Nothing when a reader already runs:
// it has been told to come forward (or is too busy to hear it), and this
// start is to end with exit code 0.
std::optional<platform::SingleInstance> ClaimSingleInstance();

}  // namespace quillory
