#pragma once
// The main window: its class, and the procedure that turns the platform's
// notifications into view operations and commands.

#include "platform/messages.h"

namespace quillory {

// Class name and title of the main window; a second start looks for it.
constexpr char16_t kMainWindowName[] = u"Quillory - 32";

// False when the class was already registered.
bool RegisterMainWindowClass();

platform::LResult MainWindowProc(platform::WindowHandle window, std::uint32_t message, platform::WParam first,
                                 platform::LParam second);

}  // namespace quillory
