#include "platform/graphics/png_writer.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace platform {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// libpng reports errors by longjmp; everything that owns memory is set up
// before the jump point so that nothing is skipped on the way out.
bool Encode(std::FILE* file, const Framebuffer& pixels, std::optional<Pixel> transparent,
            std::vector<png_byte>& row) {
  const std::size_t channels = transparent ? 4 : 3;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(pixels.width()), static_cast<png_uint_32>(pixels.height()), 8,
               transparent ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (std::int32_t y = 0; y < pixels.height(); ++y) {
    for (std::int32_t x = 0; x < pixels.width(); ++x) {
      const Pixel p = pixels.at(x, y);
      png_byte* out = &row[channels * static_cast<std::size_t>(x)];
      out[0] = static_cast<png_byte>(p >> 16);
      out[1] = static_cast<png_byte>(p >> 8);
      out[2] = static_cast<png_byte>(p);
      if (transparent) out[3] = p == *transparent ? 0 : 255;
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool WritePng(const Framebuffer& pixels, const std::string& path, std::optional<Pixel> transparent) {
  if (pixels.width() <= 0 || pixels.height() <= 0) return false;
  std::vector<png_byte> row(static_cast<std::size_t>(pixels.width()) * (transparent ? 4 : 3));
  bool written;
  {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) return false;
    written = Encode(file.get(), pixels, transparent, row) && std::fflush(file.get()) == 0;
  }
  if (!written) std::remove(path.c_str());
  return written;
}

}  // namespace platform
