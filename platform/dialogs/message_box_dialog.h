#pragma once
// The message box drawn inside the screen: a small modal dialog centred on
// the work area, with the caption (or "Error" when the caller gives none), an
// icon, the text (line feeds break it, long lines wrap) and a row of buttons.
// Enter presses the focused button (the first at the start); Escape and
// closing the box answer as the request says (by default Cancel, or OK in a
// box that has only OK). While it runs the owner takes no
// input; a box without an owner keeps every window of the program from it.
// The backends that show the screen run their boxes through this.

#include "platform/windows/message_box.h"

namespace platform {

// The button that closed the box; 0 when no box could be shown.
int RunMessageBoxDialog(const MessageBoxRequest& request);
// The innermost message box open now, or null.
WindowHandle OpenMessageBox();
// Answers a box as a person would: taps its button for `button`. A box
// without that button is ended with `button` all the same.
void AnswerMessageBox(WindowHandle box, int button);

}  // namespace platform
