#pragma once
// Reads the golden images of the tests (8-bit RGB or RGBA PNG) back into a
// framebuffer. Only for checked-in files of our own: the reader itself never
// reads images.

#include <png.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/framebuffer.h"

namespace quillory_test {

inline std::optional<platform::Framebuffer> ReadPng(const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return std::nullopt;
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> bytes(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr)) return std::nullopt;
  platform::Framebuffer pixels(static_cast<std::int32_t>(image.width), static_cast<std::int32_t>(image.height));
  for (std::int32_t y = 0; y < pixels.height(); ++y) {
    for (std::int32_t x = 0; x < pixels.width(); ++x) {
      const std::size_t at = 3 * (static_cast<std::size_t>(y) * image.width + static_cast<std::size_t>(x));
      pixels.at(x, y) = (bytes[at] << 16) | (bytes[at + 1] << 8) | bytes[at + 2];
    }
  }
  return pixels;
}

}  // namespace quillory_test
