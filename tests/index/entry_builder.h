#pragma once
// Builds index entry buffers for tests, entry by entry, ended by five zero
// bytes as the program's own buffers are.

#include <cstring>
#include <string>

#include "platform/system/memory.h"

namespace quillory_test {

class Entries {
 public:
  Entries& Entry(std::uint16_t key, std::uint8_t style, std::uint8_t level, const std::string& title) {
    bytes_ += static_cast<char>(key & 0xFF);
    bytes_ += static_cast<char>(key >> 8);
    bytes_ += static_cast<char>(style);
    bytes_ += static_cast<char>(level);
    bytes_ += title;
    bytes_ += '\0';
    return *this;
  }
  Entries& Article(std::uint16_t number, std::uint8_t style, std::uint8_t level, const std::string& title) {
    return Entry(static_cast<std::uint16_t>(0x4000 | number), style, level, title);
  }
  // The offset at which the next entry starts.
  std::size_t size() const { return bytes_.size(); }

  platform::HeapBlock Block() const {
    platform::HeapBlock block = platform::HeapBlock::Allocate(bytes_.size() + 5);
    if (!block) return block;
    std::memcpy(block.data(), bytes_.data(), bytes_.size());
    std::memset(block.data() + bytes_.size(), 0, 5);
    return block;
  }

 private:
  std::string bytes_;
};

}  // namespace quillory_test
