#pragma once
// The main window: its class, and the procedure that turns the platform's
// notifications into view operations and commands.

#include "core/product.h"
#include "platform/windows/messages.h"

namespace quillory {

// Class name and title of the main window.
constexpr const char16_t* kMainWindowName = kProductTitleWide;

// False when the class was already registered.
bool RegisterMainWindowClass();

platform::LResult MainWindowProc(platform::WindowHandle window, std::uint32_t message, platform::WParam first,
                                 platform::LParam second);

}  // namespace quillory
