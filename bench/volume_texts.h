#pragma once
// The compressed blocks of the compiled-in volume and their decoded texts,
// for the benchmarks.

#include <cstdint>
#include <vector>

#include "core/app_state.h"
#include "resources/volume_resources.h"
#include "store/uncompress.h"

namespace quillory {

struct Block {
  std::uint16_t id;
  const std::uint8_t* stream;
  std::uint32_t streamLength;
  std::uint32_t decodedLength;
};

inline std::vector<Block> VolumeBlocks() {
  std::vector<Block> blocks;
  for (const platform::ResourceEntry& r : VolumeResources()) {
    blocks.push_back({r.id, r.bytes + 10, static_cast<std::uint32_t>((r.bytes[6] << 8) | r.bytes[7]),
                      static_cast<std::uint32_t>((r.bytes[8] << 8) | r.bytes[9])});
  }
  return blocks;
}

// With `articlesOnly` the section index is left out.
inline std::vector<std::vector<std::uint8_t>> VolumeTexts(bool articlesOnly = false) {
  std::vector<std::vector<std::uint8_t>> texts;
  for (const Block& b : VolumeBlocks()) {
    if (articlesOnly && b.id == kIndexNumber + 1000) continue;
    const TextBuffer t = UnCompress({b.stream, b.streamLength, b.decodedLength});
    texts.emplace_back(t.data(), t.data() + t.length());
  }
  return texts;
}

}  // namespace quillory
