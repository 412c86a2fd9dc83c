// Fonts, the font catalog and text output.

#include <gtest/gtest.h>

#include <string>

#include "platform/graphics/device_context.h"
#include "platform/graphics/font_catalog.h"
#include "platform/graphics/png_writer.h"
#include "tests/platform/png_reader.h"
#include "tests/platform/test_fonts.h"

namespace {

using namespace platform;
using quillory_test::kDavidMedium;
using quillory_test::kDejaVuSans;
using quillory_test::RequestOfHeight;

std::unique_ptr<Font> OpenFile(const char* path, int height, int weight = 400) {
  return Font::Open(FontFile{path, 0, false}, RequestOfHeight(height, weight));
}

std::array<char16_t, 32> FaceName(std::u16string_view name) {
  std::array<char16_t, 32> face{};
  std::copy(name.begin(), name.end(), face.begin());
  return face;
}

TEST(Font, PositiveHeightIsTheCellNegativeTheEmZeroTheDefault) {
  auto cell = OpenFile(kDejaVuSans, 20);
  auto em = OpenFile(kDejaVuSans, -20);
  auto standard = OpenFile(kDejaVuSans, 0);
  ASSERT_TRUE(cell && em && standard);
  EXPECT_EQ(cell->metrics().height, 20);
  EXPECT_EQ(cell->metrics().ascent + cell->metrics().descent, 20);
  EXPECT_GT(em->metrics().height, 20) << "an em of 20 pixels needs a taller cell";
  EXPECT_EQ(em->metrics().height - em->metrics().internalLeading, 20);
  EXPECT_EQ(standard->metrics().height, kDefaultFontHeight);
  EXPECT_GE(cell->metrics().maxCharWidth, cell->Advance(u'W'));
  EXPECT_GT(cell->metrics().averageCharWidth, 0);
}

TEST(Font, DamagedSizesAndFilesDoNotMakeAFont) {
  EXPECT_EQ(Font::Open(FontFile{"/nonexistent/face.ttf", 0, false}, RequestOfHeight(12)), nullptr);
  auto huge = OpenFile(kDejaVuSans, INT32_MIN);
  ASSERT_TRUE(huge) << "an absurd size is clamped, not refused";
  EXPECT_LE(huge->metrics().height, 1000);
}

TEST(Font, AdvancesAreWholePixelsAndCachedRenderingMatchesThem) {
  auto font = OpenFile(kDavidMedium, 16);
  ASSERT_TRUE(font);
  const std::int32_t alef = font->Advance(u'\u05D0');
  EXPECT_GT(alef, 3);
  EXPECT_EQ(font->Advance(u'\u05D0'), alef);
  const GlyphImage& glyph = font->Glyph(u'\u05D0');
  EXPECT_GT(glyph.width, 0);
  EXPECT_EQ(glyph.coverage.size(), static_cast<std::size_t>(glyph.width * glyph.height));
  EXPECT_EQ(&font->Glyph(u'\u05D0'), &glyph) << "a second request comes from the cache";
  EXPECT_EQ(font->Glyph(u' ').coverage.size(), 0u);
}

TEST(Font, SynthesizedBoldIsWiderThanRegular) {
  auto regular = Font::Open(FontFile{kDavidMedium, 0, false}, RequestOfHeight(16));
  auto bold = Font::Open(FontFile{kDavidMedium, 0, true}, RequestOfHeight(16, 700));
  ASSERT_TRUE(regular && bold);
  EXPECT_GT(bold->Advance(u'\u05DE'), regular->Advance(u'\u05DE'));
}

TEST(FontCatalog, FindsNamedFacesAndFallsBackToAHebrewFace) {
  const auto david = FindFontFile(u"David CLM", 400);
  ASSERT_TRUE(david);
  EXPECT_NE(david->path.find("DavidCLM"), std::string::npos);
  const auto davidBold = FindFontFile(u"david clm", 700);
  ASSERT_TRUE(davidBold) << "face names compare without regard to case";
  EXPECT_NE(davidBold->path.find("Bold"), std::string::npos);

  for (const std::u16string_view name : {std::u16string_view(u"No Such Face"), std::u16string_view(u"")}) {
    FontRequest request = RequestOfHeight(16);
    request.faceName = FaceName(name);
    auto font = CreateFont(request);
    ASSERT_TRUE(font);
    Framebuffer pixels(4, 4);
    DeviceContext context(&pixels);
    context.SelectFont(font.get());
    // A face with the letters draws alef as something other than the box
    // of a missing glyph, which has the same shape for every letter.
    EXPECT_NE(font->Glyph(u'\u05D0').coverage, font->Glyph(u'\u05E9').coverage);
    context.SelectFont(SystemFont());
  }
}

TEST(FontCatalog, FamiliesCarryTheHebrewCharacterSetWhenTheyCoverAlefToTav) {
  const std::vector<FontFamily> families = EnumerateFontFamilies();
  const auto find = [&](std::u16string_view name) -> const FontFamily* {
    for (const FontFamily& family : families) {
      if (family.faceName == name) return &family;
    }
    return nullptr;
  };
  const FontFamily* david = find(u"David CLM");
  const FontFamily* mono = find(u"DejaVu Sans Mono");
  ASSERT_TRUE(david);
  ASSERT_TRUE(mono);
  EXPECT_EQ(david->charSet, kHebrewCharSet);
  EXPECT_EQ(mono->charSet, kAnsiCharSet);
  int davids = 0;
  for (const FontFamily& family : families) davids += family.faceName == u"David CLM";
  EXPECT_EQ(davids, 1) << "a family is listed once whatever its number of faces";
}

std::vector<FontFamily> ThreeFamilies() {
  return {{u"Zeta", kAnsiCharSet}, {u"Alpha", kHebrewCharSet}, {u"Mu", kAnsiCharSet}};
}

TEST(FontCatalog, TheEnumerationCallsBackInTheListersOrderUntilToldToStop) {
  const FontFamilyLister previous = SetFontFamilyLister(ThreeFamilies);
  struct Seen {
    std::vector<std::u16string> names;
    std::size_t stopAfter;
  };
  const FontFamilyProc collect = [](const FontFamily& family, void* parameter) {
    auto& seen = *static_cast<Seen*>(parameter);
    seen.names.push_back(family.faceName);
    return seen.names.size() < seen.stopAfter ? 1 : 0;
  };
  Seen all{{}, 10};
  EXPECT_EQ(EnumFontFamilies(collect, &all), 1);
  EXPECT_EQ(all.names, (std::vector<std::u16string>{u"Zeta", u"Alpha", u"Mu"}));
  Seen two{{}, 2};
  EXPECT_EQ(EnumFontFamilies(collect, &two), 0);
  EXPECT_EQ(two.names, (std::vector<std::u16string>{u"Zeta", u"Alpha"}));
  SetFontFamilyLister(previous);
}

class TextOutput : public ::testing::Test {
 protected:
  void SetUp() override {
    font_ = OpenFile(kDavidMedium, 18);
    ASSERT_TRUE(font_);
    previous_ = context_.SelectFont(font_.get());
  }
  void TearDown() override { context_.SelectFont(previous_); }

  Framebuffer pixels_{240, 40};
  DeviceContext context_{&pixels_};
  std::unique_ptr<Font> font_;
  Font* previous_ = nullptr;
};

TEST_F(TextOutput, FitCountIsTheLongestPrefixWithinTheWidth) {
  const std::u16string text = u"\u05D1\u05E8\u05D0\u05E9\u05D9\u05EA \u05D1\u05E8\u05D0";
  const Size whole = context_.GetTextExtent(text);
  EXPECT_EQ(whole.cy, 18);
  for (std::int32_t width : {0, 1, whole.cx / 3, whole.cx / 2, whole.cx - 1, whole.cx, whole.cx + 50}) {
    const TextFit fit = context_.GetTextExtentExPoint(text, width);
    EXPECT_LE(fit.width, width);
    EXPECT_EQ(fit.width, context_.GetTextExtent(std::u16string_view(text).substr(0, fit.fit)).cx);
    if (fit.fit < static_cast<std::int32_t>(text.size())) {
      EXPECT_GT(context_.GetTextExtent(std::u16string_view(text).substr(0, fit.fit + 1)).cx, width);
    }
  }
}

// The bounding box of the pixels that are not white.
Rect InkBox(const Framebuffer& pixels) {
  Rect box{pixels.width(), pixels.height(), 0, 0};
  for (std::int32_t y = 0; y < pixels.height(); ++y) {
    for (std::int32_t x = 0; x < pixels.width(); ++x) {
      if (pixels.at(x, y) != 0x00FFFFFF) {
        box = Rect{std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
      }
    }
  }
  return box;
}

TEST_F(TextOutput, CentredTextIsCentredAndOpaqueBackgroundCoversItsCell) {
  const std::u16string text = u"\u05E9\u05DC\u05D5\u05DD";
  const Size extent = context_.GetTextExtent(text);
  context_.SetBkColor(Rgb(255, 255, 0));
  constexpr std::uint32_t kCentred = kDtCenter | kDtVCenter | kDtSingleLine | kDtNoPrefix;
  context_.DrawText(text, Rect{20, 0, 220, 40}, kCentred);
  const Rect box = InkBox(pixels_);
  const std::int32_t left = 20 + (200 - extent.cx) / 2;
  const std::int32_t top = (40 - extent.cy) / 2;
  EXPECT_EQ(box, (Rect{left, top, left + extent.cx, top + extent.cy})) << "the yellow cell";
  EXPECT_EQ(pixels_.at(left, top), 0x00FFFF00u);
}

TEST_F(TextOutput, TransparentTextLeavesTheBackgroundAndIsClippedToItsRectangle) {
  context_.SetBkMode(BackgroundMode::kTransparent);
  const std::u16string text = u"\u05DE\u05DE\u05DE\u05DE\u05DE\u05DE";
  const Size extent = context_.GetTextExtent(text);
  context_.DrawText(text, Rect{10, 0, 10 + extent.cx / 2, 40}, kDtSingleLine | kDtNoPrefix);
  const Rect box = InkBox(pixels_);
  EXPECT_GE(box.left, 10);
  EXPECT_LE(box.right, 10 + extent.cx / 2);
  EXPECT_EQ(pixels_.at(box.left, 39), 0x00FFFFFFu);
}

TEST_F(TextOutput, PrefixesUnderlineUnlessSwitchedOff) {
  const Rect withPrefix = context_.MeasureText(u"&Go", Rect{0, 0, 200, 40}, kDtSingleLine);
  const Rect noPrefix = context_.MeasureText(u"&Go", Rect{0, 0, 200, 40}, kDtSingleLine | kDtNoPrefix);
  EXPECT_EQ(withPrefix.width(), context_.GetTextExtent(u"Go").cx);
  EXPECT_EQ(noPrefix.width(), context_.GetTextExtent(u"&Go").cx);
  EXPECT_EQ(context_.MeasureText(u"a&&b", Rect{0, 0, 200, 40}, 0).width(), context_.GetTextExtent(u"a&b").cx);
}

TEST_F(TextOutput, WordBreakWrapsAtSpacesToTheWidth) {
  const std::u16string text = u"one two three four five six";
  const std::int32_t width = context_.GetTextExtent(u"one two thr").cx;
  const Rect wrapped = context_.MeasureText(text, Rect{0, 0, width, 400}, kDtWordBreak);
  EXPECT_LE(wrapped.width(), width);
  EXPECT_EQ(wrapped.height() % 18, 0);
  EXPECT_GE(wrapped.height(), 3 * 18);
  EXPECT_EQ(context_.MeasureText(u"a\r\nb\nc", Rect{0, 0, 100, 100}, 0).height(), 3 * 18);
  EXPECT_EQ(context_.MeasureText(u"a\nb", Rect{0, 0, 100, 100}, kDtSingleLine).height(), 18);
}

TEST_F(TextOutput, AWordWiderThanTheLineIsBrokenWhereTheLineIsFull) {
  const std::u16string address = u"http://updates.orvenda.example/cgi-bin/upgrade?p=arm";
  const std::int32_t width = context_.GetTextExtent(address).cx / 3 + 1;
  const Rect wrapped = context_.MeasureText(u"see " + address + u" now", Rect{0, 0, width, 400}, kDtWordBreak);
  EXPECT_LE(wrapped.width(), width);
  EXPECT_GE(wrapped.height(), 4 * 18) << "\"see\", three parts of the address, \"now\"";
  // Every character is drawn: the ink reaches as far down as the lines go.
  Framebuffer tall(240, 400, 0x00FFFFFF);
  DeviceContext context(&tall);
  Font* previous = context.SelectFont(font_.get());
  context.DrawText(address, Rect{0, 0, width, 400}, kDtWordBreak | kDtNoPrefix);
  context.SelectFont(previous);
  const Rect ink = InkBox(tall);
  EXPECT_LE(ink.right, width);
  EXPECT_GT(ink.bottom, 2 * 18) << "the third part is drawn";
}

TEST_F(TextOutput, AnUnderlinedFontUnderlinesTheWholeLineBelowTheBaseline) {
  FontRequest request = font_->request();
  request.underline = 1;
  const std::unique_ptr<Font> underlined = Font::Open(FontFile{kDavidMedium, 0, false}, request);
  ASSERT_TRUE(underlined);
  EXPECT_GE(underlined->underlineOffset(), 1);
  EXPECT_LE(underlined->underlineOffset(), underlined->metrics().descent);
  EXPECT_GE(underlined->underlineThickness(), 1);
  context_.SelectFont(underlined.get());
  const std::u16string text = u"a b";
  const std::int32_t width = context_.GetTextExtent(text).cx;
  context_.DrawText(text, Rect{10, 0, 200, 40}, kDtSingleLine | kDtNoPrefix);
  context_.SelectFont(font_.get());
  const std::int32_t row = underlined->metrics().ascent + underlined->underlineOffset();
  for (std::int32_t x = 10; x < 10 + width; ++x) EXPECT_EQ(pixels_.at(x, row), 0u) << "column " << x;
  EXPECT_EQ(pixels_.at(10 + width, row), 0x00FFFFFFu);
  EXPECT_EQ(pixels_.at(9, row), 0x00FFFFFFu);
}

// One line of Hebrew in David CLM, drawn the way the view draws a line of
// body text, against a checked-in image.
TEST_F(TextOutput, HebrewLineMatchesTheGoldenImage) {
  // "In the beginning God created", in visual order: drawn left to right as given.
  const std::u16string logical = u"\u05D1\u05E8\u05D0\u05E9\u05D9\u05EA \u05D1\u05E8\u05D0 \u05D0\u05DC\u05D4\u05D9\u05DD";
  const std::u16string visual(logical.rbegin(), logical.rend());
  const Size extent = context_.GetTextExtent(visual);
  const std::int32_t x = 240 - 4 - extent.cx;
  context_.DrawText(visual, Rect{x, 10, x + extent.cx, 10 + extent.cy},
                    kDtCenter | kDtVCenter | kDtSingleLine | kDtNoPrefix);
  quillory_test::ExpectMatchesGolden(pixels_, "hebrew_line_david.png");
}

TEST(Snapshot, WritesAReadablePngAndFailsCleanly) {
  Framebuffer pixels(3, 2, 0x00102030);
  pixels.at(2, 1) = 0x00FF0000;
  const std::string path = ::testing::TempDir() + "snapshot_test.png";
  ASSERT_TRUE(WritePng(pixels, path));
  const auto back = quillory_test::ReadPng(path);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->at(0, 0), 0x00102030u);
  EXPECT_EQ(back->at(2, 1), 0x00FF0000u);
  EXPECT_FALSE(WritePng(pixels, "/nonexistent-folder/x.png"));
  EXPECT_FALSE(WritePng(Framebuffer(), path));
}

}  // namespace
