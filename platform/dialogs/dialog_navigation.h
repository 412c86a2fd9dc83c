#pragma once
// Moving around a dialog with keys, shared by the files of the dialog
// manager. Nothing outside platform/ includes this.

#include "platform/windows/messages.h"

namespace platform {

// The dialog itself or a window inside it.
bool IsInsideDialog(WindowHandle window, WindowHandle dialog);
// The first visible, enabled control with kWsTabStop; null when none.
WindowHandle FirstTabStop(WindowHandle dialog);
// Gives a control the focus as the dialog manager does: an edit box gets
// its whole text selected, so that typing replaces it.
void FocusControl(WindowHandle control);
// Enter, Escape and Tab for a control of `dialog` (or the dialog itself):
// true when the key was taken. A window that answers kWmGetDlgCode with
// kDlgcWantMessage for the key keeps it.
bool HandleDialogKey(WindowHandle dialog, const Message& message);

}  // namespace platform
