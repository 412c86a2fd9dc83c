#pragma once
// Fixed-pitch fonts for the fuzz targets: runs are measured fast and the
// same on every machine, whatever fonts the system has.

#include <memory>

#include "platform/graphics/font.h"

namespace quillory_fuzz {

inline std::unique_ptr<platform::Font> FixedFont(const platform::FontRequest& request) {
  return platform::Font::Fixed(request.height > 0 ? request.height : 16, 7);
}

}  // namespace quillory_fuzz
