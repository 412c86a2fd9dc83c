// The reading order of Hebrew strings stored in visual order: which runs
// read from left to right, the export's reading-order conversion, and the
// beginning of a run that fits a width.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app_state.h"
#include "tests/view/view_fixture.h"
#include "view/letter_code.h"
#include "view/reading_order.h"

namespace {

using namespace quillory;

std::span<const std::uint8_t> Span(const std::string& s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

std::string Runs(const std::string& stored) {
  std::string found;
  for (auto run = NextLeftToRightRun(Span(stored), 0); run; run = NextLeftToRightRun(Span(stored), run->end)) {
    found += "[" + stored.substr(run->begin, run->end - run->begin) + "]";
  }
  return found;
}

TEST(ReadingOrder, FindsTheRunsThatReadLeftToRight) {
  struct Case {
    const char* stored;
    const char* runs;
  };
  // Letter codes (lower case) read right to left; everything in brackets
  // is one run.
  const std::vector<Case> cases = {
      {"abc", ""},
      {"32 dr 23", "[32][23]"},
      {"15-21 a", "[15-21]"},
      {"1,080 a 3, 6", "[1,080][3][6]"},
      {"a 50% b %7", "[50%][%7]"},
      {"60 - 50", "[60][50]"},
      {"F3 a 5D0", "[F3][5D0]"},
      {"a SEARCH AGAIN b", "[SEARCH AGAIN]"},
      {"SEARCH: 3 a", "[SEARCH: 3]"},
      {"3 SEARCH", "[3][SEARCH]"},
      {"a- 793", "[793]"},
      {"12- a", "[12]"},
      {".14", "[14]"},
      {"(F3) a", "[F3]"},
      {"a F (b) G", "[F][G]"},
  };
  for (const Case& c : cases) EXPECT_EQ(Runs(c.stored), c.runs) << c.stored;
}

std::u16string Reading(const std::string& stored) {
  return std::u16string(
      ToReadingChars(reinterpret_cast<const std::uint8_t*>(stored.data()), static_cast<std::int32_t>(stored.size()),
                     kBaseUnicode));
}

TEST(ReadingOrder, ReversedParagraphsKeepTheirNumbersAndLatinWords) {
  // "הפרשות 23 עד 32" as stored: the numbers in their own order.
  EXPECT_EQ(Reading("32 ds 23 {fzyue"), u"\u05D4\u05E4\u05E8\u05E9\u05D5\u05EA 23 \u05E2\u05D3 32");
  EXPECT_EQ(Reading("15-21 (e)"), u"(\u05D4) 15-21") << "brackets turn, the range does not";
  EXPECT_EQ(Reading("F3 w"), u"\u05E6 F3");
  EXPECT_EQ(Reading("SEARCH AGAIN w"), u"\u05E6 SEARCH AGAIN");
  EXPECT_EQ(Reading(std::string("a1\0 2", 5)), u"1\u05D0") << "up to a zero byte";
  EXPECT_EQ(std::u16string(ToReadingChars(reinterpret_cast<const std::uint8_t*>("a12"), 3, kNoMappingBase)), u"a12")
      << "no mapping, no reversal";
}

class ReadingStartFit : public quillory_test::ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    font_ = quillory_test::FixedFont(platform::FontRequest{});
    previous_ = context_.SelectFont(font_.get());
    SetRunBase(kLiveFontBase);
  }
  void TearDown() override {
    SetRunBase(kNoMappingBase);
    context_.SelectFont(previous_);
    ViewTest::TearDown();
  }
  // The pieces that fit, as the stored bytes drawn left to right.
  std::string Fit(const std::string& stored, std::int32_t width) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(stored.data());
    const ReadingStart fit = FitReadingStart(context_, bytes, static_cast<std::int32_t>(stored.size()), width);
    EXPECT_EQ(fit.width, 10 * (fit.headCount + fit.tailCount));
    EXPECT_EQ(fit.headWidth, 10 * fit.headCount);
    EXPECT_LE(fit.width, width);
    return stored.substr(static_cast<std::size_t>(fit.headAt), static_cast<std::size_t>(fit.headCount)) + "|" +
           stored.substr(static_cast<std::size_t>(fit.tailAt), static_cast<std::size_t>(fit.tailCount));
  }

  std::unique_ptr<platform::Font> font_;
  platform::Font* previous_ = nullptr;
};

TEST_F(ReadingStartFit, KeepsTheBeginningInReadingOrder) {
  EXPECT_EQ(Fit("bgd", 30), "|bgd") << "all of it";
  EXPECT_EQ(Fit("bgd", 29), "|gd") << "the stored end is where a Hebrew word begins";
  EXPECT_EQ(Fit("bgd", 9), "|");
  EXPECT_EQ(Fit(".14", 10), "1|") << "a number reads from its left end";
  EXPECT_EQ(Fit(".14", 25), "|14");
  EXPECT_EQ(Fit(".14", 30), "|.14");
  EXPECT_EQ(Fit("15-21 ab", 50), "15| ab") << "a range cut inside: its start beside the words before it";
  EXPECT_EQ(Fit("15-21 ab", 80), "|15-21 ab");
}

TEST(ReadingOrder, TheReadingMapAgreesWithTheReadingConversionBothWays) {
  // Each stored byte's reading index is where the reading-order export puts
  // its character, and the map's two directions undo each other.
  for (const std::string stored : {"abc", "ab 1,080 cd", "F3 ab", "ab 15-21", "a", "12 34"}) {
    SCOPED_TRACE(stored);
    const ReadingMap map(Span(stored));
    std::string inRuns;
    for (std::size_t at = 0; at < stored.size(); ++at) inRuns += map.InLeftToRightRun(at) ? stored[at] : '.';
    const std::u16string_view read = ToReadingChars(Span(stored).data(), static_cast<std::int32_t>(stored.size()), kNoMappingBase + 1);
    const std::u16string reading(read);
    for (std::size_t at = 0; at < stored.size(); ++at) {
      const std::size_t index = map.ReadingIndex(at);
      ASSERT_LT(index, stored.size());
      EXPECT_EQ(map.StoredAt(index), at);
      const bool letter = stored[at] >= 'a' && stored[at] <= 'z';
      if (!letter) {
        EXPECT_EQ(reading[index], static_cast<char16_t>(stored[at]));
      }
    }
    std::string runs = inRuns;  // the runs' bytes in a row, as Runs lists them
    std::string listed = Runs(stored);
    std::erase(listed, '[');
    std::erase(listed, ']');
    std::erase(runs, '.');
    EXPECT_EQ(runs, listed);
  }
}

}  // namespace
