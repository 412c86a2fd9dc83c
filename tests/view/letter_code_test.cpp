// The letter code: conversion, measuring and drawing of runs, and the plain
// arithmetic of the stored article format.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app_state.h"
#include "platform/system/memory.h"
#include "tests/platform/test_fonts.h"
#include "view/article_format.h"
#include "view/letter_code.h"

namespace {

using namespace quillory;

std::u16string Convert(const std::string& bytes, std::int32_t count, std::int32_t base, bool reverse) {
  return std::u16string(
      ToDisplayChars(reinterpret_cast<const std::uint8_t*>(bytes.data()), count, base, reverse));
}

struct ConversionCase {
  const char* name;
  std::string bytes;
  std::int32_t count;
  std::int32_t base;
  bool reverse;
  std::u16string expected;
};

TEST(LetterCode, ConvertsRunsForEveryBase) {
  const std::vector<ConversionCase> cases = {
      {"unicode", "a ~1", 4, 1488, false, u"\u05D0 {1"},
      {"unicode tav and neighbours", "{|}", 3, 1488, false, u"\u05EA|}"},
      {"cp1255", "ab", 2, 224, false, u"\u00E0\u00E1"},
      {"cp1255 reversed, brackets kept", "(a)", 3, 224, true, u"(\u00E0)"},
      {"cp1255 reversed, brackets mirrored", "ab(", 3, 224, true, u")\u00E1\u00E0"},
      {"all brackets mirror", "[a~", 3, 1488, true, u"}\u05D0]"},
      {"no mapping keeps tilde and letters", "a~{", 3, 97, false, u"a~{"},
      {"no mapping never reverses", "ab(", 3, 97, true, u"ab("},
      {"count shorter than the string", "abcd", 2, 1488, false, u"\u05D0\u05D1"},
      {"zero byte before the count", std::string("ab\0cd", 5), 5, 1488, false, u"\u05D0\u05D1"},
      {"zero byte before the count, reversed", std::string("ab\0cd", 5), 5, 1488, true, u"\u05D1\u05D0"},
      {"count 0", "abc", 0, 1488, true, u""},
      {"high bytes keep their value", "\xE9 ", 2, 1488, false, u"\u00E9 "},
  };
  for (const ConversionCase& c : cases) {
    EXPECT_EQ(Convert(c.bytes, c.count, c.base, c.reverse), c.expected) << c.name;
  }
}

TEST(LetterCode, ConvertedRunEndsWithAZeroCharacter) {
  const std::u16string_view run = ToDisplayChars(reinterpret_cast<const std::uint8_t*>("abc"), 2, 1488, false);
  ASSERT_EQ(run.size(), 2u);
  EXPECT_EQ(run.data()[2], u'\0');
}

TEST(LetterCode, BufferGrowsOnlyWhenARunIsLongerAndSurvivesAFailedGrowth) {
  const std::string longRun(5000, 'b');
  ASSERT_EQ(Convert(longRun, 5000, 1488, false).size(), 5000u);
  const std::uint64_t before = platform::AllocationCount();
  EXPECT_EQ(Convert("abc", 3, 1488, false), u"\u05D0\u05D1\u05D2");
  EXPECT_EQ(platform::AllocationCount(), before) << "a shorter run reuses the buffer";

  platform::FailNthAllocation(1);
  EXPECT_EQ(Convert(std::string(9000, 'a'), 9000, 1488, false), u"") << "no room: no text";
  EXPECT_EQ(Convert("ab", 2, 1488, false), u"\u05D0\u05D1") << "the old buffer still serves";
  EXPECT_EQ(Convert(std::string(9000, 'a'), 9000, 1488, false).size(), 9000u);
}

class Runs : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAppState();
    App().font.asciiBase = kBaseUnicode;
    font_ = platform::Font::Open(platform::FontFile{quillory_test::kDavidMedium, 0, false},
                                 quillory_test::RequestOfHeight(16));
    ASSERT_TRUE(font_);
    previous_ = context_.SelectFont(font_.get());
  }
  void TearDown() override {
    context_.SelectFont(previous_);
    SetRunBase(kNoMappingBase);
    ResetAppState();
  }
  const std::uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const std::uint8_t*>(s.data()); }

  platform::Framebuffer pixels_{240, 40};
  platform::DeviceContext context_{&pixels_};
  std::unique_ptr<platform::Font> font_;
  platform::Font* previous_ = nullptr;
};

TEST_F(Runs, MeasuredRunIsTheLongestPrefixThatFitsTheWidth) {
  const std::string text = "ayiy {ay yb aaryx kl-ezrg";
  SetRunBase(kLiveFontBase);
  const auto n = static_cast<std::int32_t>(text.size());
  const MeasuredRun whole = MeasureRun(context_, Bytes(text), 10000, n);
  EXPECT_EQ(whole.count, n);
  for (std::int32_t width : {0, 5, whole.width / 2, whole.width - 1, whole.width}) {
    const MeasuredRun run = MeasureRun(context_, Bytes(text), width, n);
    EXPECT_LE(run.width, width);
    EXPECT_EQ(MeasureRun(context_, Bytes(text), 10000, run.count).width, run.width);
    if (run.count < n) {
      EXPECT_GT(MeasureRun(context_, Bytes(text), 10000, run.count + 1).width, width);
    }
  }
}

TEST_F(Runs, MeasuringIgnoresReverseAndFollowsTheRunBase) {
  const std::string text = "ab(";
  SetRunBase(kLiveFontBase);
  const MeasuredRun plain = MeasureRun(context_, Bytes(text), 1000, 3);
  App().flags |= kReverseFlag;
  EXPECT_EQ(MeasureRun(context_, Bytes(text), 1000, 3).width, plain.width);
  SetRunBase(kNoMappingBase);
  EXPECT_EQ(MeasureRun(context_, Bytes(text), 1000, 3).width, context_.GetTextExtent(u"ab(").cx);
}

// Where the ink of a drawn run lies, as a string of columns with any ink.
std::string InkColumns(const platform::Framebuffer& pixels) {
  std::string columns;
  for (std::int32_t x = 0; x < pixels.width(); ++x) {
    bool ink = false;
    for (std::int32_t y = 0; y < pixels.height(); ++y) ink |= pixels.at(x, y) != 0x00FFFFFF;
    columns += ink ? '#' : '.';
  }
  return columns;
}

TEST_F(Runs, DrawnRunStartsAtXAndReverseMirrorsIt) {
  const std::string text = "aaa {";  // alef alef alef, space, tav
  SetRunBase(kLiveFontBase);
  const MeasuredRun run = MeasureRun(context_, Bytes(text), 240, 5);
  DrawRun(context_, Bytes(text), 5, 20, 0, run.width, 20);
  const std::string plain = InkColumns(pixels_);
  EXPECT_EQ(plain.find('#'), 20u);
  EXPECT_LE(plain.rfind('#'), static_cast<std::size_t>(20 + run.width));

  pixels_.Fill(pixels_.bounds(), 0x00FFFFFF);
  App().flags |= kReverseFlag;
  DrawRun(context_, Bytes(text), 5, 20, 0, run.width, 20);
  EXPECT_NE(InkColumns(pixels_), plain) << "reversed: tav comes first";
}

TEST_F(Runs, ColouredRunPutsTheColoursBack) {
  SetRunBase(kLiveFontBase);
  const MeasuredRun run = MeasureRun(context_, Bytes("ab"), 240, 2);
  DrawRunColoured(context_, Bytes("ab"), 2, 0, 0, run.width, 16, platform::Rgb(0, 0, 255), platform::Rgb(255, 255, 0));
  EXPECT_EQ(context_.textColor(), platform::kBlack);
  EXPECT_EQ(context_.bkColor(), platform::kWhite);
  EXPECT_EQ(pixels_.at(0, 0), 0x00FFFF00u) << "yellow behind the text";
}

TEST_F(Runs, FillViewRectUsesTheStockBrush) {
  FillViewRect(context_, 2, 3, 4, 5, platform::StockBrush::kBlackBrush);
  EXPECT_EQ(pixels_.at(2, 3), 0u);
  EXPECT_EQ(pixels_.at(5, 7), 0u);
  EXPECT_EQ(pixels_.at(6, 7), 0x00FFFFFFu);
  EXPECT_EQ(pixels_.at(5, 8), 0x00FFFFFFu);
}

TEST(ArticleFormat, LinkNumbersTakeOneOrTwoBytes) {
  EXPECT_EQ(DecodeLinkNumber(0x05, 'a').number, 5);
  EXPECT_EQ(DecodeLinkNumber(0x05, 'a').length, 1);
  EXPECT_EQ(DecodeLinkNumber(0x85, 0x00).number, 5) << "the top bit of the first byte is not part of it";
  EXPECT_EQ(DecodeLinkNumber(0x7F, 0xFF).number, kBackLinkNumber);
  EXPECT_EQ(DecodeLinkNumber(0x7F, 0xFF).length, 2);
  EXPECT_EQ(DecodeLinkNumber(0x2C, 0x81).number, 0x2C + 128);
}

TEST(ArticleFormat, RuleLengthsAreAbsoluteOrAShareOfTheView) {
  EXPECT_EQ(RuleLength(160, 232), 160);
  EXPECT_EQ(RuleLength(1, 232), 1);
  EXPECT_EQ(RuleLength(161, 232), 4) << "2 % of 232";
  EXPECT_EQ(RuleLength(172, 232), 55) << "24 %";
  EXPECT_EQ(RuleLength(210, 232), 232) << "100 %";
  EXPECT_EQ(RuleLength(255, 232), 232) << "190 % is clamped";
  EXPECT_EQ(RuleLength(120, 100), 100) << "never wider than the view";
}

}  // namespace
