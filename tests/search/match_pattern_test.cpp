// The wildcard matcher on one string, and the search of a whole article
// text: paragraph order, where the start offset cuts in, and damaged texts.
// (Running out of memory for the paragraph list is tested through Search
// Again, in find_next_volume_test.cpp.)

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/system/memory.h"
#include "search/match_pattern.h"
#include "tests/view/view_fixture.h"

namespace {

using namespace quillory;
using quillory_test::Article;

std::span<const std::uint8_t> Span(const std::string& s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

struct PatternCase {
  const char* name;
  std::string text;
  std::string pattern;
  std::optional<std::size_t> start;  // none: from the string's last byte
  std::optional<std::pair<std::size_t, std::size_t>> match;  // {highest, length}
};

TEST(MatchPattern, FixesTheEndFirstThenLetsEachStarSpanAsLittleAsItCan) {
  const std::vector<PatternCase> cases = {
      {"the star example: ten bytes, not six", "zzabyycdzzcd", "ab*cd", {}, {{11, 10}}},
      {"a plain pattern ends as high as it can", "zzabyycdzzcd", "cd", {}, {{11, 2}}},
      {"a start below an occurrence skips it", "zzabyycdzzcd", "cd", 10, {{7, 2}}},
      {"a start on the last byte of an occurrence takes it", "zzabyycdzzcd", "cd", 7, {{7, 2}}},
      {"a match reaching the string's first byte", "abzz", "ab", {}, {{1, 2}}},
      {"a start of 0 tries the first byte alone", "ab", "a", 0, {{0, 1}}},
      {"question mark stands for a space", "ab cd", "b?c", {}, {{3, 3}}},
      {"question mark stands for a letter", "xaqcx", "a?c", {}, {{3, 3}}},
      {"star spanning nothing", "abc", "ab*c", {}, {{2, 3}}},
      {"star spanning a space", "ab c", "ab*c", {}, {{3, 4}}},
      {"nearest part before a star", "abab_c", "a*b*c", {}, {{5, 4}}},
      {"two stars, each spanning a run", "axxbyyc", "a*b*c", {}, {{6, 7}}},
      {"three stars", "a1b2c3d", "a*b*c*d", {}, {{6, 7}}},
      {"a failing star part ends the search", "bc bc", "a*bc", {}, {}},
      {"a star part is not sought above the star", "bcab", "a*bc", {}, {}},
      {"leading star with more after it", "ab", "*b", {}, {}},
      {"leading star before a question mark", "a*b", "*?", {}, {}},
      {"a lone star matches only a star", "ab", "*", {}, {}},
      {"a lone star finds a literal star", "a*b", "*", {}, {{1, 1}}},
      {"a lone question mark matches only itself", "abc", "?", {}, {}},
      {"trailing question mark needs a literal one", "abc", "ab?", {}, {}},
      {"trailing question mark finds a literal one", "zab?", "ab?", {}, {{3, 3}}},
      {"a question mark before a star is the part's last byte", "abxc", "a?*c", {}, {}},
      {"and then it too matches only itself", "a?xc", "a?*c", {}, {{3, 4}}},
      {"a text star facing a star is one equal byte", "ax*b", "a*b", {}, {}},
      {"so a text star can stand where the star is", "a*b", "a*b", {}, {{2, 3}}},
      {"longer than the string", "bc", "abc", {}, {}},
      {"final and regular letter forms differ", "\x6E", "\x6F", {}, {}},
      {"Latin case is not folded", "a", "A", {}, {}},
      {"an empty pattern matches nothing", "abc", "", {}, {}},
  };
  for (const PatternCase& c : cases) {
    // An exact-size copy, so that a read outside the string is caught by
    // the sanitizer build.
    const std::vector<std::uint8_t> string(c.text.begin(), c.text.end());
    const auto found = MatchPattern(string.data(), Span(c.pattern), c.start.value_or(string.size() - 1));
    ASSERT_EQ(found.has_value(), c.match.has_value()) << c.name;
    if (!found) continue;
    EXPECT_EQ(found->highest, c.match->first) << c.name;
    EXPECT_EQ(found->length, c.match->second) << c.name;
  }
}

// Every search releases the paragraph list it made.
class MatchInTextTest : public ::testing::Test {
 protected:
  void SetUp() override { live_ = platform::LiveAllocations(); }
  void TearDown() override { EXPECT_EQ(platform::LiveAllocations(), live_) << "a paragraph node was not released"; }
  static std::vector<std::uint8_t> Bytes(const Article& article) {
    const platform::HeapBlock block = article.Block();
    return {block.data(), block.data() + block.length()};
  }
  static TextMatch Find(const std::vector<std::uint8_t>& text, std::uint16_t start, const std::string& pattern) {
    return MatchInText(text, start, Span(pattern));
  }

  std::int64_t live_ = 0;
};

TEST_F(MatchInTextTest, TakesParagraphsInTextOrderAndEachFromItsHighestByte) {
  // Offsets: first string 2-8, zero 9; second 12-18, zero 19; third 22-28.
  const auto text = Bytes(Article().Text(0xB1, 0, "xyz xyz").Text(0xB1, 0, "qqq xyz").Text(0xB1, 0, "xyz qqq"));
  const TextMatch first = Find(text, 0, "xyz");
  EXPECT_EQ(first.highest, 8);
  EXPECT_EQ(first.length, 3);
  EXPECT_FALSE(first.stopped);
  EXPECT_EQ(Find(text, 7, "xyz").highest, 4) << "below a start inside the first string";
  EXPECT_EQ(Find(text, 9, "xyz").highest, 8) << "a start on the terminating zero searches the whole string";
  EXPECT_EQ(Find(text, 10, "xyz").highest, 18) << "a start on a style byte takes its record whole";
  EXPECT_EQ(Find(text, 11, "xyz").highest, 24)
      << "a start on a layout byte, just below a match at the string's start, leaves the string out";
  EXPECT_EQ(Find(text, 17, "xyz").highest, 24) << "an occurrence above the start in its string is passed over";
  EXPECT_EQ(Find(text, 26, "qqq").highest, 0) << "nothing lies below the start in the last string";
  EXPECT_EQ(Find(text, 0xFFFF, "xyz").highest, 0) << "a start past the text finds nothing";
}

TEST_F(MatchInTextTest, NeverMatchesAcrossTwoParagraphs) {
  const auto text = Bytes(Article().Text(0xB1, 0, "qa").Text(0xB1, 0, "bq"));
  EXPECT_EQ(Find(text, 0, "a*b").highest, 0) << "a star does not reach over the zero and the next header";
  EXPECT_EQ(Find(text, 0, "a??b").highest, 0);
  EXPECT_EQ(Find(text, 0, "q*q").highest, 0) << "each string holds one q only";
  EXPECT_EQ(Find(text, 0, "bq").highest, 8) << "whole strings still match";
}

TEST_F(MatchInTextTest, DamagedTextsAreNeverReadPastTheirEnd) {
  struct Damaged {
    const char* name;
    std::string bytes;
    const char* pattern;
    std::uint16_t highest;
  };
  const std::vector<Damaged> cases = {
      {"the last string has no zero", std::string("\xB1\x00qab", 5), "ab", 4},
      {"no string after the header", std::string("\xB1\x00", 2), "ab", 0},
      {"a style byte alone at the end", std::string("\xB1\x00" "ab\x00\xB1", 6), "ab", 3},
      {"a header cut after the layout byte", std::string("\xB1\x00" "ab\x00\xB1\x00", 7), "ab", 3},
      {"no ending zero after a whole record", std::string("\xB1\x00" "ab\x00", 5), "ab", 3},
  };
  for (const Damaged& c : cases) {
    const std::vector<std::uint8_t> text(c.bytes.begin(), c.bytes.end());
    EXPECT_EQ(Find(text, 0, c.pattern).highest, c.highest) << c.name;
  }
  EXPECT_EQ(Find({}, 0, "ab").highest, 0) << "an empty text";
}

TEST_F(MatchInTextTest, OffsetsStayWithinSixteenBitsBeyondTheLongestViewText) {
  // The only occurrence lies past offset 0xFFFF, where a 16-bit result
  // would name some other byte; it is not reported.
  std::string string(0x10010, 'q');
  string.replace(0x10000, 3, "abc");
  const auto text = Bytes(Article().Text(0xB1, 0, string));
  EXPECT_EQ(Find(text, 0, "abc").highest, 0);
  string.replace(0xFFF0, 3, "abc");
  const auto nearer = Bytes(Article().Text(0xB1, 0, string));
  EXPECT_EQ(Find(nearer, 0, "abc").highest, 2 + 0xFFF2);
}

}  // namespace
