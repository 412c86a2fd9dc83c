#pragma once
// How sharp a picture drawn at scale 2 is: of the aligned 2 × 2 blocks in an
// area that hold any ink (any pixel but the paper's), the share that is one
// colour all over. A picture enlarged by doubling its pixels has nothing
// else (1.0); text rasterized at the screen's resolution has its edges
// between the program's pixels, so most of its inked blocks are mixed.

#include <cstdint>

#include "platform/graphics/framebuffer.h"

namespace quillory_test {

struct Crispness {
  int inkedBlocks = 0;
  int uniformBlocks = 0;
  double UniformShare() const { return inkedBlocks == 0 ? 1.0 : static_cast<double>(uniformBlocks) / inkedBlocks; }
};

inline Crispness MeasureCrispness(const platform::Framebuffer& pixels, const platform::Rect& area,
                                  platform::Pixel paper = 0x00FFFFFF) {
  Crispness result;
  for (std::int32_t y = area.top & ~1; y + 1 < area.bottom; y += 2) {
    for (std::int32_t x = area.left & ~1; x + 1 < area.right; x += 2) {
      const platform::Pixel block[4] = {pixels.at(x, y), pixels.at(x + 1, y), pixels.at(x, y + 1),
                                        pixels.at(x + 1, y + 1)};
      if (block[0] == paper && block[1] == paper && block[2] == paper && block[3] == paper) continue;
      ++result.inkedBlocks;
      if (block[1] == block[0] && block[2] == block[0] && block[3] == block[0]) ++result.uniformBlocks;
    }
  }
  return result;
}

}  // namespace quillory_test
