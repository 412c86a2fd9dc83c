// Fonts by style key: sizes, weights, colours and the cache.

#include <gtest/gtest.h>

#include "platform/graphics/font_catalog.h"
#include "platform/system/memory.h"
#include "view/style_fonts.h"

namespace {

using namespace quillory;

FontDescription Description(std::int32_t height) {
  FontDescription description;
  const std::u16string_view face = u"David CLM";
  std::copy(face.begin(), face.end(), description.faceName.begin());
  description.height = height;
  description.asciiBase = kBaseUnicode;
  return description;
}

TEST(StyleFonts, SizesAndWeightsFollowTheKey) {
  struct Case {
    std::int32_t height;
    std::uint8_t key;
    std::int32_t expectedHeight;
    std::int32_t expectedWeight;
  };
  const Case cases[] = {
      {16, 0x10, 16, 400}, {16, 0x14, 20, 400},  {16, 0x12, 12, 400}, {16, 0x16, 20, 400},  // large wins
      {16, 0x1C, 20, 700}, {16, 0x09, 16, 700},  {0, 0x14, 20, 400},  {0, 0x02, 14, 400},
      {0, 0x11, 0, 400},   {-13, 0x14, -16, 400}, {-13, 0x12, -9, 400}, {10, 0x12, 7, 400},
      // Heights from a damaged settings file: larger ones stop at the limits.
      {INT32_MAX, 0x14, INT32_MAX, 400}, {INT32_MIN, 0x14, INT32_MIN, 400},
      {INT32_MAX, 0x12, 1610612735, 400}, {INT32_MIN, 0x12, -1610612736, 400},
  };
  for (const Case& c : cases) {
    const platform::FontRequest request = StyleFontRequest(Description(c.height), c.key);
    EXPECT_EQ(request.height, c.expectedHeight) << "height " << c.height << " key " << int{c.key};
    EXPECT_EQ(request.weight, c.expectedWeight) << "key " << int{c.key};
    EXPECT_EQ(request.charSet, 0);
    EXPECT_EQ(request.italic, 0);
    EXPECT_EQ(request.faceName, Description(c.height).faceName);
  }
}

TEST(StyleFonts, ColoursFollowTheKey) {
  EXPECT_EQ(StyleColour(0x0C), platform::Rgb(0, 0, 255));
  EXPECT_EQ(StyleColour(0x0E), platform::Rgb(0, 0, 255));
  EXPECT_EQ(StyleColour(0x1C), platform::Rgb(0, 0, 255));
  EXPECT_EQ(StyleColour(0x0A), platform::Rgb(0, 0, 128));
  EXPECT_EQ(StyleColour(0x12), platform::Rgb(0, 0, 128));
  EXPECT_EQ(StyleColour(0x04), platform::kBlack) << "large but not bold";
  EXPECT_EQ(StyleColour(0x11), platform::kBlack);
}

class FontCacheTest : public ::testing::Test {
 protected:
  platform::Framebuffer pixels_{10, 10};
  platform::DeviceContext context_{&pixels_};
  FontCache cache_;
  FontDescription description_ = Description(16);
};

TEST_F(FontCacheTest, MakesOneFontPerKeyAndSelectsItWithItsColour) {
  platform::Font* system = context_.font();
  platform::Font* previous = SelectStyleFont(cache_, description_, context_, 0x1C | kWithColour);
  EXPECT_EQ(previous, system);
  platform::Font* title = context_.font();
  EXPECT_EQ(context_.textColor(), platform::Rgb(0, 0, 255));
  EXPECT_EQ(title->metrics().height, 20);

  EXPECT_EQ(SelectStyleFont(cache_, description_, context_, 0x31), title) << "only bits 0-4 are the key";
  platform::Font* body = context_.font();
  EXPECT_EQ(context_.textColor(), platform::Rgb(0, 0, 255)) << "no colour asked";
  SelectStyleFont(cache_, description_, context_, 0xDC);
  EXPECT_EQ(context_.font(), title) << "the same key reuses its font";
  EXPECT_EQ(std::distance(cache_.begin(), cache_.end()), 2);
  EXPECT_EQ(cache_.front().styleKey, 0x11) << "newest first";
  context_.SelectFont(system);
  (void)body;
}

TEST_F(FontCacheTest, RecreatingFollowsTheNewDescriptionAndReleasingEmptiesEntries) {
  platform::Font* system = SelectStyleFont(cache_, description_, context_, 0x14);
  context_.SelectFont(system);
  EXPECT_EQ(cache_.front().font->metrics().height, 20);
  RecreateFontCache(cache_, Description(24));
  EXPECT_EQ(cache_.front().font->metrics().height, 30);
  ReleaseFontCache(cache_);
  EXPECT_EQ(std::distance(cache_.begin(), cache_.end()), 1);
  EXPECT_EQ(cache_.front().font, nullptr);
  // An entry without a font is passed over: the next request makes a new one.
  SelectStyleFont(cache_, description_, context_, 0x14);
  context_.SelectFont(system);
  EXPECT_EQ(std::distance(cache_.begin(), cache_.end()), 2);
  EXPECT_NE(cache_.front().font, nullptr);
}

}  // namespace
