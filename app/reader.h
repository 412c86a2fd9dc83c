#pragma once
// The running reader: start-up, the message loop and the end of the run,
// on whichever backend is installed.

#include <functional>

namespace quillory {

struct ReaderOptions {
  bool today = false;  // the command line was "/today"
  // Run once the main window is shown and painted, before the loop.
  std::function<void()> onShown;
};

// Runs the reader to its end and returns the exit code: 0, also when
// another instance was told to come forward instead.
int RunReader(const ReaderOptions& options);

}  // namespace quillory
