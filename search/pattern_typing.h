#pragma once
// Typing into the Search dialog's pattern box in reading order. The box
// holds the pattern in the order the text is stored (visual order), so a
// Hebrew letter typed goes to the left of the one typed before it, with
// the caret left before it. A number or a Latin word is stored in its own
// left-to-right order, so its characters go to the right of each other,
// with the caret after the last; what is typed after it goes to the left
// of the whole run. A separator after a digit ("15-21") and spaces or
// punctuation after a Latin letter ("Search Again") stay in the run while
// it goes on, and move out to its left when it ends.
//
// BackSpace removes the character typed last: the one right of the caret
// in right-to-left typing (the last character of a run standing there),
// the one left of it inside a run.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillory {

struct BoxEdit {
  std::u16string text;
  std::size_t caret = 0;
};

// The box after `c` is typed over the selection [start, end) of `text`;
// `base` is the code base, under which the Hebrew letters lie at base to
// base + 26 (for base 97 those are the lower-case Latin letters).
BoxEdit TypeCharacter(std::u16string_view text, std::size_t start, std::size_t end, char16_t c, std::uint32_t base);

// The box after BackSpace with the selection [start, end): the selection
// goes when there is one, else the character typed last.
BoxEdit EraseBackward(std::u16string_view text, std::size_t start, std::size_t end, std::uint32_t base);

}  // namespace quillory
