#pragma once
// The program's own file, as the handheld names a module's file.

#include <string>

namespace platform {

// The full path of the running program's file, read from /proc/self/exe and
// decoded as UTF-8 (bytes that are not become U+FFFD). Empty when the system
// does not say. Never shortened: a path longer than the handheld's 260
// characters would name another file.
std::u16string GetModuleFileName();

}  // namespace platform
