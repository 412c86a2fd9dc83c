#pragma once
// Reads the golden images of the tests (8-bit RGB or RGBA PNG) back into a
// framebuffer, and compares drawn pixels with them. Only for checked-in
// files of our own: the reader itself never reads images.

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/graphics/framebuffer.h"
#include "platform/graphics/png_writer.h"

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

// Expects `page` to equal tests/golden/`name` pixel for pixel. With
// QUILLORY_UPDATE_GOLDENS=1 in the environment the image is written afresh
// first; look at it before checking it in.
inline void ExpectMatchesGolden(const platform::Framebuffer& page, const std::string& name) {
  const std::string path = std::string(QUILLORY_SOURCE_DIR) + "/tests/golden/" + name;
  if (std::getenv("QUILLORY_UPDATE_GOLDENS")) {
    ASSERT_TRUE(platform::WritePng(page, path));
  }
  const auto expected = ReadPng(path);
  ASSERT_TRUE(expected) << path;
  ASSERT_EQ(expected->width(), page.width());
  ASSERT_EQ(expected->height(), page.height());
  int different = 0;
  for (std::int32_t y = 0; y < page.height(); ++y) {
    for (std::int32_t x = 0; x < page.width(); ++x) different += expected->at(x, y) != page.at(x, y);
  }
  EXPECT_EQ(different, 0) << name;
}

}  // namespace quillory_test
