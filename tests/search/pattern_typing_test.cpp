// Typing into the Search box in reading order, with the Unicode code base:
// Hebrew letters right to left, numbers and Latin words left to right
// inside them, and BackSpace taking back the character typed last.

#include "search/pattern_typing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using quillory::BoxEdit;

constexpr std::uint32_t kUnicode = 0x5D0;

// The box after typing `keys` one by one into an empty box; '\b' is BackSpace.
BoxEdit Typed(std::u16string_view keys, std::uint32_t base = kUnicode) {
  BoxEdit box;
  for (const char16_t key : keys) {
    box = key == u'\b' ? quillory::EraseBackward(box.text, box.caret, box.caret, base)
                       : quillory::TypeCharacter(box.text, box.caret, box.caret, key, base);
  }
  return box;
}

struct TypingCase {
  const char* name;
  std::u16string keys;      // in reading order
  std::u16string box;       // in stored (visual) order
  std::size_t caret;
};

TEST(PatternTyping, KeepsNumbersAndLatinWordsInTheirOwnOrder) {
  const std::vector<TypingCase> cases = {
      {"Hebrew right to left", u"\u05E9\u05D1\u05EA", u"\u05EA\u05D1\u05E9", 0},
      {"numbers inside Hebrew", u"\u05D0 23 \u05D1 32", u"32 \u05D1 23 \u05D0", 2},
      {"a Latin word and a digit", u"\u05DE F3", u"F3 \u05DE", 2},
      {"a number range", u"\u05D0 15-21", u"15-21 \u05D0", 5},
      {"a hyphen that ends a number goes left of it", u"23-\u05D0", u"\u05D0-23", 0},
      {"a space after a number ends it", u"3 F", u"F 3", 1},
      {"a space inside Latin words stays", u"\u05D0 AB CD", u"AB CD \u05D0", 5},
      {"Latin words ended by Hebrew", u"AB \u05D0", u"\u05D0 AB", 0},
      {"a wildcard after a digit", u"1?\u05D0", u"\u05D0?1", 0},
      {"BackSpace after Hebrew", u"\u05E9\u05D1\u05EA\b", u"\u05D1\u05E9", 0},
      {"BackSpace inside a number", u"\u05D0 23\b", u"2 \u05D0", 1},
      {"BackSpace back into a number", u"23 \u05D0\b\b", u"23", 2},
      {"BackSpace back into a number, then more digits", u"23 \u05D0\b\b\b4", u"24", 2},
      {"BackSpace in an empty box", u"\b", u"", 0},
  };
  for (const TypingCase& c : cases) {
    const BoxEdit box = Typed(c.keys);
    EXPECT_EQ(box.text, c.box) << c.name;
    EXPECT_EQ(box.caret, c.caret) << c.name;
  }
}

TEST(PatternTyping, WithCodeBase97TheLowerCaseLettersAreHebrew) {
  // Alef and bet under base 97 are "a" and "b"; "Z" stays Latin.
  EXPECT_EQ(Typed(u"ab Z1", 97).text, u"Z1 ba");
}

TEST(PatternTyping, ASelectionIsReplacedOrErased) {
  const quillory::BoxEdit typed = quillory::TypeCharacter(u"\u05D0\u05D1\u05D2", 0, 3, u'5', kUnicode);
  EXPECT_EQ(typed.text, u"5");
  EXPECT_EQ(typed.caret, 1u);
  const quillory::BoxEdit erased = quillory::EraseBackward(u"\u05D0\u05D1\u05D2", 1, 3, kUnicode);
  EXPECT_EQ(erased.text, u"\u05D0");
  EXPECT_EQ(erased.caret, 1u);
}

}  // namespace
