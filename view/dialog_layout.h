#pragma once
// The set-up shared by the full-screen dialogs (Font, Choose Section).

#include <cstdint>

#include "platform/graphics/handles.h"
#include "platform/windows/messages.h"

namespace quillory {

// The shell's dialog set-up with `flags` (the dialogs pass 0x1E: full
// screen, input panel down, no menu bar), plus the Done button unless the
// reader runs full screen. Full screen, the dialog is then stretched up to
// the top of the screen over where the task bar was, its left, right and
// bottom edges kept, without repainting.
void InitDialogLayout(platform::WindowHandle dialog, std::uint32_t flags);

// For a dialog's kWmActivate (`first` as the message gives it): when the
// dialog becomes active other than by a tap and the reader runs full
// screen with the task bar found at start, the task bar is hidden again.
void HideTaskBarOnActivation(platform::WParam first);

}  // namespace quillory
