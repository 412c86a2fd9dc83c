#pragma once
// The Search dialog: the pattern typed on the on-screen Hebrew keyboard (or
// the computer's keyboard), confirmed to search the volume.

#include <cstdint>

#include "platform/windows/messages.h"

namespace quillory {

// Runs the Search dialog modally, owned by `owner`.
void ShowSearchDialog(platform::WindowHandle owner);

platform::LResult SearchDialogProc(platform::WindowHandle dialog, std::uint32_t message, platform::WParam first,
                                   platform::LParam second);

// A tap at client pixel x, y of the dialog: the key under it typed into the
// pattern box. 0 when a key was hit, else 1.
int KeyAt(platform::WindowHandle dialog, std::int32_t x, std::int32_t y);

// Types key `key` (0 the space bar, 1 to 27 the letters) into the pattern
// box in place of its selection, and puts the caret before it, so that the
// pattern grows leftwards as Hebrew is drawn.
void InsertKey(platform::WindowHandle dialog, int key);

}  // namespace quillory
