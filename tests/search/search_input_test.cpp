#include "search/search_input.h"

#include <gtest/gtest.h>

#include <string>

#include "search/keyboard_layout.h"

namespace quillory {
namespace {

std::string Bytes(const std::array<std::uint8_t, 34>& pattern) {
  return std::string(reinterpret_cast<const char*>(pattern.data()));
}

TEST(KeyNumberAt, FindsKeysFromTheRightAndTheSpaceBarBelow) {
  for (int x = 136; x <= 152; ++x) EXPECT_EQ(KeyNumberAt(x, 3), 1) << x;
  for (int x = 0; x <= 16; ++x) EXPECT_EQ(KeyNumberAt(x, 24), 9) << x;
  EXPECT_EQ(KeyNumberAt(0, 25), 18);
  EXPECT_EQ(KeyNumberAt(152, 74), 19);
  // The right frame line belongs to the rightmost key of its row.
  EXPECT_EQ(KeyNumberAt(153, 3), 1);
  EXPECT_EQ(KeyNumberAt(153, 74), 19);
  EXPECT_EQ(KeyNumberAt(34, 80), kSpaceKey);
  EXPECT_EQ(KeyNumberAt(118, 94), kSpaceKey);
  EXPECT_EQ(KeyNumberAt(33, 80), std::nullopt);
  EXPECT_EQ(KeyNumberAt(119, 80), std::nullopt);
  EXPECT_EQ(KeyNumberAt(-1, 10), std::nullopt);
  EXPECT_EQ(KeyNumberAt(10, 95), std::nullopt);
  EXPECT_EQ(KeyNumberAt(154, 10), std::nullopt);
}

TEST(KeyCharacter, TypesTheKeysLetterUnderEachCodeBase) {
  EXPECT_EQ(KeyCharacter(1, 0x5D0), u'\u05D0');
  EXPECT_EQ(KeyCharacter(11, 0x5D0), u'\u05DB');  // kaf, before final kaf on the keys
  EXPECT_EQ(KeyCharacter(12, 0x5D0), u'\u05DA');
  EXPECT_EQ(KeyCharacter(27, 224), u'\u00FA');
  EXPECT_EQ(KeyCharacter(3, 97), u'c');
  EXPECT_EQ(KeyCharacter(kSpaceKey, 97), u' ');
  EXPECT_EQ(KeyCharacter(28, 97), std::nullopt);
  EXPECT_EQ(KeyCharacter(-1, 97), std::nullopt);
}

TEST(PatternFromInput, TakesLettersAsTheirCodeAndEverythingElseAsItsLowByte) {
  // Alef, bet, gimel tapped: each lands left of the one before.
  EXPECT_EQ(Bytes(PatternFromInput(u"\u05D2\u05D1\u05D0", 0x5D0)), "cba");
  EXPECT_EQ(Bytes(PatternFromInput(u"cba", 97)), "cba");
  EXPECT_EQ(Bytes(PatternFromInput(u"\u00E2\u00E1", 224)), "cb");
  // Outside the base's 27 letters: the low byte, so wildcards reach the matcher.
  EXPECT_EQ(Bytes(PatternFromInput(u"?\u05D0*1", 0x5D0)), "?a*1");
  EXPECT_EQ(Bytes(PatternFromInput(u"\u05EB", 0x5D0)), "\xEB");
}

TEST(PatternFromInput, FoldsSpaceRunsAndStopsAt33Bytes) {
  EXPECT_EQ(Bytes(PatternFromInput(u"\u05D0   ", 0x5D0)), "a ");
  EXPECT_EQ(Bytes(PatternFromInput(u"  a  b ", 97)), " a b ");
  const auto longest = PatternFromInput(std::u16string(40, u'a'), 97);
  EXPECT_EQ(Bytes(longest), std::string(33, 'a'));
  EXPECT_EQ(longest[33], 0);
  EXPECT_EQ(Bytes(PatternFromInput(u"", 97)), "");
}

}  // namespace
}  // namespace quillory
