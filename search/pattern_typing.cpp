#include "search/pattern_typing.h"

#include <algorithm>

#include "search/keyboard_layout.h"
#include "view/reading_order.h"

namespace quillory {
namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsHebrewLetter(char16_t c, std::uint32_t base) { return c >= base && c < base + kLetterKeyCount; }
bool IsLatin(char16_t c, std::uint32_t base) {
  return ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')) && !IsHebrewLetter(c, base);
}
bool IsLeftToRight(char16_t c, std::uint32_t base) { return IsDigit(c) || IsLatin(c, base); }

// The left-to-right run that ends at `caret`, with what was typed after it
// that may still join it: where it starts (== caret when there is none).
std::size_t RunStart(std::u16string_view text, std::size_t caret, std::uint32_t base) {
  std::size_t start = caret;
  std::size_t firstLetter = caret;  // the leftmost left-to-right character met
  while (start > 0 && !IsHebrewLetter(text[start - 1], base)) {
    --start;
    if (IsLeftToRight(text[start], base)) firstLetter = start;
  }
  return firstLetter;
}

// Just past the last left-to-right character of the run that starts at `at`.
std::size_t RunEnd(std::u16string_view text, std::size_t at, std::uint32_t base) {
  std::size_t end = at;
  while (end < text.size() && !IsHebrewLetter(text[end], base)) ++end;
  while (!IsLeftToRight(text[end - 1], base)) --end;
  return end;
}

bool HasLatin(std::u16string_view run, std::uint32_t base) {
  return std::any_of(run.begin(), run.end(), [base](char16_t c) { return IsLatin(c, base); });
}

}  // namespace

BoxEdit TypeCharacter(std::u16string_view text, std::size_t start, std::size_t end, char16_t c, std::uint32_t base) {
  std::u16string box(text.substr(0, start));
  box += text.substr(end);
  const std::size_t caret = start;
  if (IsLeftToRight(c, base)) {
    box.insert(caret, 1, c);
    return BoxEdit{box, caret + 1};
  }
  const std::size_t runStart = RunStart(box, caret, base);
  if (runStart == caret) {
    box.insert(caret, 1, c);
    return BoxEdit{box, caret};
  }
  const std::u16string_view run = std::u16string_view(box).substr(runStart, caret - runStart);
  const bool joins = IsHebrewLetter(c, base)   ? false
                     : IsNumberSeparator(c)    ? IsDigit(run.back()) || HasLatin(run, base)
                                               : HasLatin(run, base);
  if (joins) {
    box.insert(caret, 1, c);
    return BoxEdit{box, caret + 1};
  }
  // The run ends: what waited to join it turns out to be right-to-left,
  // so it moves to the run's left, in the order right-to-left typing puts
  // it there, and the character typed goes left of all that.
  std::size_t lastLetter = caret;
  while (!IsLeftToRight(box[lastLetter - 1], base)) --lastLetter;
  std::u16string moved = box.substr(lastLetter, caret - lastLetter);
  std::reverse(moved.begin(), moved.end());
  box.erase(lastLetter, caret - lastLetter);
  box.insert(runStart, moved);
  box.insert(runStart, 1, c);
  return BoxEdit{box, runStart};
}

BoxEdit EraseBackward(std::u16string_view text, std::size_t start, std::size_t end, std::uint32_t base) {
  std::u16string box(text);
  if (start != end) {
    box.erase(start, end - start);
    return BoxEdit{box, start};
  }
  const std::size_t caret = start;
  if (RunStart(box, caret, base) != caret) {
    // Inside a run, the last character typed is left of the caret.
    box.erase(caret - 1, 1);
    return BoxEdit{box, caret - 1};
  }
  if (caret >= box.size()) return BoxEdit{box, caret};
  // A run right of the caret was typed before it, last its rightmost
  // character: that goes, and typing goes on at the run's end.
  if (IsLeftToRight(box[caret], base)) {
    const std::size_t last = RunEnd(box, caret, base) - 1;
    box.erase(last, 1);
    return BoxEdit{box, last};
  }
  box.erase(caret, 1);
  // With the character typed after a run gone, typing goes on at its end.
  if (caret < box.size() && IsLeftToRight(box[caret], base)) return BoxEdit{box, RunEnd(box, caret, base)};
  return BoxEdit{box, caret};
}

}  // namespace quillory
