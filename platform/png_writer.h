#pragma once
// Snapshots: a framebuffer written as an 8-bit RGB PNG file.

#include <string>

#include "platform/framebuffer.h"

namespace platform {

// False (and no file left behind) when the file cannot be written.
bool WritePng(const Framebuffer& pixels, const std::string& path);

}  // namespace platform
