#pragma once
// The reader's keyboard shortcuts, for a desktop where the keyboard reaches
// everything: the shortcut labels of the Go menu, each bound to its item's
// command, and the keys of desktop readers (F10 and Alt+G open the Go
// menu; Space and Shift+Space page; Backspace and Alt+Left follow the back
// link; Ctrl+plus, Ctrl+minus and Ctrl+0 size the text).

#include "platform/windows/messages.h"

namespace quillory {

// When `message` is a key press of a shortcut for `window` (or a control
// inside it), does what the shortcut does and returns true: the key press
// is then not dispatched.
bool TranslateAccelerator(platform::WindowHandle window, const platform::Message& message);

}  // namespace quillory
