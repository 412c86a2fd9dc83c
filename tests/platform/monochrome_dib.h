#pragma once
// One-bit bitmap resources made by tests, in the form
// platform/graphics/bitmap.h reads: a 40-byte header, a black-and-white
// palette, rows padded to 4 bytes, the bottom row first.

#include <cstdint>
#include <functional>
#include <vector>

namespace quillory_test {

// `black(x, y)` decides each pixel.
inline std::vector<std::uint8_t> MonochromeDib(std::int32_t width, std::int32_t height,
                                               const std::function<bool(std::int32_t, std::int32_t)>& black) {
  std::vector<std::uint8_t> bytes;
  const auto put32 = [&bytes](std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
  };
  const auto stride = static_cast<std::uint32_t>(((width + 31) / 32) * 4);
  put32(40);
  put32(static_cast<std::uint32_t>(width));
  put32(static_cast<std::uint32_t>(height));
  put32(1 | (1u << 16));  // one plane, one bit per pixel
  for (int i = 0; i < 6; ++i) put32(0);  // no compression, sizes and colours left to the format
  put32(0x00000000);  // palette: black
  put32(0x00FFFFFF);  // white
  for (std::int32_t y = height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(stride, 0);
    for (std::int32_t x = 0; x < width; ++x) {
      if (!black(x, y)) row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    bytes.insert(bytes.end(), row.begin(), row.end());
  }
  return bytes;
}

}  // namespace quillory_test
