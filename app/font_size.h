#pragma once
// The text made larger, smaller or its default size from the keyboard
// (Ctrl+plus, Ctrl+minus, Ctrl+0): the font description's height steps
// through the Font dialog's sizes, the text is laid out again with the
// place at the top of the page kept, and the height is saved at exit as
// "FontSize".

#include "platform/graphics/handles.h"

namespace quillory {

// One size larger (`step` > 0) or smaller (< 0); nothing past either end.
void StepReaderFontSize(platform::WindowHandle window, int step);
// The default height.
void ResetReaderFontSize(platform::WindowHandle window);

}  // namespace quillory
