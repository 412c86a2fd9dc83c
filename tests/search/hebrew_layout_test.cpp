#include "search/hebrew_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace quillory {
namespace {

// The keys of the Latin layout and what the Israeli standard layout puts on
// them, written out as the layout's chart reads.
TEST(HebrewLayout, EveryLetterKeyTypesTheIsraeliLayoutsLetter) {
  const std::u16string latin = u"qwertyuiop" u"asdfghjkl;" u"zxcvbnm,.";
  const std::u16string israeli = u"/'קראטוןםפ" u"שדגכעיחלךף" u"זסבהנמצתץ";
  ASSERT_EQ(latin.size(), israeli.size());
  for (std::size_t i = 0; i < latin.size(); ++i) {
    EXPECT_EQ(ThroughHebrewLayout(latin[i]), israeli[i]) << "key " << static_cast<char>(latin[i]);
  }
  // Every Hebrew letter, finals included, is on a key, once.
  std::set<char16_t> letters;
  for (char16_t c = u'\u05D0'; c <= u'\u05EA'; ++c) letters.insert(c);
  for (const char16_t c : israeli) letters.erase(c);
  EXPECT_TRUE(letters.empty());
}

TEST(HebrewLayout, EverythingElseGoesInAsItIs) {
  for (const char16_t c : std::u16string(u"QWERTYZ0123456789 ?*-\"'/אבגתץ\u00E0\u05BC")) {
    EXPECT_EQ(ThroughHebrewLayout(c), c) << static_cast<int>(c);
  }
}

}  // namespace
}  // namespace quillory
