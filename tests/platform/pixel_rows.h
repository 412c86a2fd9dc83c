#pragma once
// A region of a framebuffer as rows of characters, for tests that compare
// drawn shapes with pictures written in the source.

#include <string>
#include <vector>

#include "platform/graphics/framebuffer.h"

namespace quillory_test {

// '#' for a pixel of `ink`, '.' for any other.
inline std::vector<std::string> Picture(const platform::Framebuffer& pixels, const platform::Rect& area,
                                        platform::Pixel ink) {
  std::vector<std::string> rows;
  for (std::int32_t y = area.top; y < area.bottom; ++y) {
    std::string row;
    for (std::int32_t x = area.left; x < area.right; ++x) row += pixels.at(x, y) == ink ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

}  // namespace quillory_test
