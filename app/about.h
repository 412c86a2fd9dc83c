#pragma once
// The About dialog: the product's title, version and picture, and a link
// that opens the maker's home page.

#include "platform/windows/messages.h"

namespace quillory {

// Runs the About dialog modally, owned by `owner`.
void ShowAbout(platform::WindowHandle owner);

platform::LResult AboutDialogProc(platform::WindowHandle dialog, std::uint32_t message, platform::WParam first,
                                  platform::LParam second);

}  // namespace quillory
