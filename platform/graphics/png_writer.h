#pragma once
// Snapshots: a framebuffer written as an 8-bit RGB PNG file, or as RGBA
// with one colour standing for transparency (the program's icons).

#include <optional>
#include <string>

#include "platform/graphics/framebuffer.h"

namespace platform {

// False (and no file left behind) when the file cannot be written.
// With `transparent`, pixels of that value are written fully transparent.
bool WritePng(const Framebuffer& pixels, const std::string& path, std::optional<Pixel> transparent = std::nullopt);

}  // namespace platform
