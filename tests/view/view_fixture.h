#pragma once
// A text view over a framebuffer with fixed fonts: every character 10
// pixels wide, cells as high as the style asks (body 16, large 20, small
// 12 for a description height of 16), so that layouts come out in exact
// pixels. Articles are built record by record.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/app_state.h"
#include "platform/graphics/font_catalog.h"
#include "view/letter_code.h"
#include "view/text_view.h"

namespace quillory_test {

constexpr std::int32_t kAdvance = 10;

inline std::unique_ptr<platform::Font> FixedFont(const platform::FontRequest& request) {
  const std::int32_t height = request.height == 0 ? 16 : (request.height < 0 ? -request.height : request.height);
  return platform::Font::Fixed(height, kAdvance);
}

// Builds an article's bytes.
class Article {
 public:
  Article& Text(std::uint8_t style, std::uint8_t layout, const std::string& string) {
    bytes_ += static_cast<char>(style);
    bytes_ += static_cast<char>(layout);
    bytes_ += string;
    bytes_ += '\0';
    return *this;
  }
  Article& Rule(std::uint8_t style, std::uint8_t code) { return Text(style, code, ""); }
  Article& Empty(std::uint8_t style = 0xC7) {
    bytes_ += static_cast<char>(style);
    bytes_ += '\0';
    bytes_ += '\0';
    return *this;
  }
  Article& Link(std::uint8_t style, std::uint16_t number, const std::string& string) {
    // A number byte of 0 would read as the empty string of a rule, so the
    // number 0 is written with the top bit set.
    std::string prefix;
    prefix += static_cast<char>(number == 0 ? 0x80 : number & 0x7F);
    if (number > 0x7F) prefix += static_cast<char>(0x80 | (number >> 7));
    return Text(style, 0x01, prefix + string);
  }
  // The offset at which the next record starts.
  std::size_t size() const { return bytes_.size(); }

  // The finished text: the records and the zero that ends the article.
  platform::HeapBlock Block() const {
    platform::HeapBlock block = platform::HeapBlock::Allocate(bytes_.size() + 1);
    if (!block) return block;
    std::memcpy(block.data(), bytes_.data(), bytes_.size());
    block.data()[bytes_.size()] = 0;
    return block;
  }

 private:
  std::string bytes_;
};

class ViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    quillory::ResetAppState();
    quillory::App().font.asciiBase = quillory::kBaseUnicode;
    previousFactory_ = platform::SetFontFactory(FixedFont);
    font_.height = 16;
    // The process-wide conversion buffer is made by the first conversion;
    // making it here keeps the allocations of every case the same.
    const std::string wide(4096, 'a');
    quillory::ToDisplayChars(reinterpret_cast<const std::uint8_t*>(wide.data()), 4096, quillory::kNoMappingBase, false);
  }
  void TearDown() override {
    if (view_) quillory::DestroyTextView(view_, true);
    platform::SetFontFactory(previousFactory_);
    quillory::ResetAppState();
  }

  // A view at `left`, `top` of the given size, laid out with `article`.
  int Lay(const Article& article, std::int32_t width, std::int32_t height = 300, std::int32_t left = 0,
          std::int32_t top = 0) {
    if (!view_) {
      const quillory::ViewRect rect{left, top, left + width, top + height};
      view_ = quillory::CreateTextView(&context_, &rect, font_, 100);
    }
    return quillory::LayoutText(view_, article.Block(), true);
  }
  const quillory::LineRecord& Line(int i) const { return view_->lines[i]; }

  platform::Framebuffer pixels_{320, 320};
  platform::DeviceContext context_{&pixels_};
  quillory::FontDescription font_;
  quillory::TextView* view_ = nullptr;
  platform::FontFactory previousFactory_ = nullptr;
};

}  // namespace quillory_test
