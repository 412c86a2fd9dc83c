#pragma once
// What the mouse does on the page. A press starts a click or a drag, and
// the release decides which it was: moving more than a few pixels with the
// button down selects the passage from the press to the pointer (held above
// or below the page, the page scrolls along); a release without that is a
// click, which keeps the handheld's meaning of a tap (a link, else tap
// paging) or, while something is selected, clears the selection. A double
// click selects a word and a triple click a paragraph; Shift with a press
// extends the selection. What was selected becomes the desktop's primary
// selection when the button is let go.

#include <cstdint>

#include "platform/graphics/handles.h"

namespace quillory {

// `clicks` counts the presses of a double or triple click.
void HandleViewPress(platform::WindowHandle window, std::int32_t x, std::int32_t y, int clicks);
void HandleViewPointerMove(platform::WindowHandle window, std::int32_t x, std::int32_t y, bool buttonDown);
// The release needs no place: a click is where it was pressed, and a drag
// ended at its last move.
void HandleViewRelease(platform::WindowHandle window);
// The timer that scrolls the page while a drag holds the pointer beyond it.
void HandleViewTimer(platform::WindowHandle window, std::uintptr_t timer);

}  // namespace quillory
