#pragma once
// The reader's own versions of the operations lower subsystems call
// (core/shell_calls.h), and the one way the running reader ends.

#include <cstddef>

#include "platform/graphics/handles.h"

namespace quillory {

// Installs AllocOrStop, RepaintView, UpdateScrollBar, UpdateBookmarkCheck
// and the article switch of the running reader, and arms the save sequence
// for this run.
void InstallReaderCalls();

// Runs the save sequence the first time it is called in a run; later calls
// do nothing, so that a window torn down after the out-of-memory stop
// cannot write over what the stop saved.
void StopReader();

// Whether StopReader has run in this run: the out-of-memory stop, or the
// save at exit.
bool ReaderStopped();

}  // namespace quillory
