#pragma once
// Night Reading: the page, the search banner, the Choose Section list and
// the scroll bar in the night palette (view/palette.h), checked in the Go
// menu and kept as the reader's "NightReading" setting.

#include "platform/graphics/handles.h"

namespace quillory {

// Puts the check mark and the scroll bar's colours in step with the
// setting, as the main window is made.
void ShowNightReading(platform::WindowHandle window);

// The command: the other palette, and the window painted once in it.
void ToggleNightReading(platform::WindowHandle window);

}  // namespace quillory
