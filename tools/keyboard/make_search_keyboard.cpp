// Draws the Search dialog's keyboard picture with a Hebrew font and writes
// it as one-bit pictures in the source form of resources/pixel_art.h, at
// its own size and again at twice the size for dense screens (its letters
// rasterized at twice the height, not enlarged):
//
//   make-search-keyboard resources/search_keyboard.h
//
// Run once when the keyboard's look changes; the result is checked in, so
// the reader's look does not depend on the fonts of the machine it is
// built on.

#include <cstdio>
#include <fstream>
#include <string>

#include "platform/graphics/device_context.h"
#include "platform/graphics/font.h"
#include "platform/graphics/framebuffer.h"
#include "platform/graphics/paint_objects.h"
#include "search/keyboard_layout.h"

namespace {

using namespace quillory;

constexpr char kLetterFont[] = "/usr/share/fonts/truetype/culmus/NachlieliCLM-Bold.otf";
constexpr std::int32_t kLetterHeight = -15;  // character height in pixels
constexpr std::int32_t kSpaceBarTop = kLetterRows * kKeyHeight + 2;
constexpr std::int32_t kSpaceBarBottom = kKeyboardHeight - 2;
constexpr std::int32_t kSpaceBarRounding = 8;
// Anti-aliased edges darker than this become black.
constexpr int kInkThreshold = 128;

char16_t LetterOfKey(int key) { return static_cast<char16_t>(0x05D0 + (kKeyLetters[key - 1] - 'a')); }

platform::Framebuffer DrawKeyboard(platform::Font& font, platform::DeviceScale scale) {
  platform::Framebuffer picture(platform::Size{kKeyboardWidth, kKeyboardHeight}, scale, 0x00FFFFFF);
  platform::DeviceContext context(&picture);
  context.SelectBrush(platform::GetStockBrush(platform::StockBrush::kHollowBrush));
  context.SelectFont(&font);
  context.SetBkMode(platform::BackgroundMode::kTransparent);
  for (int key = 1; key <= kLetterKeyCount; ++key) {
    const std::int32_t left = KeyColumn(key) * kKeyWidth;
    const std::int32_t top = KeyRow(key) * kKeyHeight;
    // Neighbouring keys share their frame lines.
    const platform::Rect cell{left, top, left + kKeyWidth + 1, top + kKeyHeight + 1};
    context.Rectangle(cell);
    const char16_t letter = LetterOfKey(key);
    context.DrawText(std::u16string_view(&letter, 1), cell,
                     platform::kDtCenter | platform::kDtVCenter | platform::kDtSingleLine | platform::kDtNoPrefix);
  }
  context.RoundRect(platform::Rect{kSpaceBarFirstColumn * kKeyWidth, kSpaceBarTop,
                                   (kSpaceBarLastColumn + 1) * kKeyWidth, kSpaceBarBottom},
                    kSpaceBarRounding, kSpaceBarRounding);
  return picture;
}

bool Inked(platform::Pixel pixel) {
  const int red = (pixel >> 16) & 0xFF;
  const int green = (pixel >> 8) & 0xFF;
  const int blue = pixel & 0xFF;
  return (red * 30 + green * 59 + blue * 11) / 100 < kInkThreshold;
}

std::string AsSource(const platform::Framebuffer& picture, const std::string& name) {
  std::string source = "constexpr PixelArt<" + std::to_string(picture.width()) + ", " +
                       std::to_string(picture.height()) + "> " + name + "{{\n";
  for (std::int32_t y = 0; y < picture.height(); ++y) {
    source += "    \"";
    for (std::int32_t x = 0; x < picture.width(); ++x) source += Inked(picture.at(x, y)) ? '#' : '.';
    source += "\",\n";
  }
  return source + "}};\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-search-keyboard OUTPUT.h\n");
    return 2;
  }
  platform::FontRequest request;
  request.height = kLetterHeight;
  request.weight = 700;
  const auto font = platform::Font::Open(platform::FontFile{kLetterFont}, request);
  if (!font) {
    std::fprintf(stderr, "make-search-keyboard: cannot open %s\n", kLetterFont);
    return 1;
  }
  const std::string header =
      "#pragma once\n"
      "// The Search dialog's keyboard, drawn by tools/keyboard/make_search_keyboard\n"
      "// with Nachlieli CLM Bold, at its own size and at twice the size;\n"
      "// regenerate it with that tool rather than by hand.\n\n"
      "#include \"resources/pixel_art.h\"\n\n"
      "namespace quillory {\n\n";
  std::ofstream(argv[1], std::ios::binary)
      << header << AsSource(DrawKeyboard(*font, platform::DeviceScale{}), "kSearchKeyboardPicture") << "\n"
      << AsSource(DrawKeyboard(*font, platform::DeviceScale::FromQuarters(8)), "kSearchKeyboardDoubleSizePicture")
      << "\n}  // namespace quillory\n";
  return 0;
}
