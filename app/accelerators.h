#pragma once
// The shortcut keys that the Go menu shows beside its items. A desktop user
// expects the labels to work, so each is bound to its item's command.

#include "platform/windows/messages.h"

namespace quillory {

// When `message` is a key press bound to a command, sends that command to
// `window` and returns true: the key press is then not dispatched.
bool TranslateAccelerator(platform::WindowHandle window, const platform::Message& message);

}  // namespace quillory
