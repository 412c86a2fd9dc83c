#pragma once
// The wildcard matcher: the search pattern against the strings of an article
// text (see view/article_format.h).
//
// Hebrew strings are stored in visual order, so reading order runs from
// higher offsets to lower ones; the matcher therefore scans each string
// backward and reports the match that ends highest, and the pattern is kept
// in the same order as the stored text. Bytes compare exactly, with no
// folding of letter forms or of Latin case, and two wildcards:
//
//   "?"  any one byte, a space included;
//   "*"  any run of bytes inside the one string, none included. The end of
//        a match is fixed first; the part of the pattern before the "*" is
//        then matched as near below it as possible, so the "*" spans as few
//        bytes as it can. A text byte "*" facing a "*" is an ordinary equal
//        byte.
//
// The last byte of a pattern, and so of the part before each "*", compares
// plainly: a final "?" or "*" matches only itself. A pattern of two or more
// bytes that starts with "*" matches nothing, since the empty part before it
// matches nothing.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace quillory {

struct PatternMatch {
  std::size_t highest = 0;  // offset of the match's highest byte from the string's first byte
  std::size_t length = 0;   // bytes the match covers, its highest byte included
};

// Searches the string whose first byte is `lower`, trying the highest byte
// of a match at `lower + start`, then each lower position down to `lower`.
// Reads only `lower[0]` to `lower[start]`. An empty pattern matches nothing.
std::optional<PatternMatch> MatchPattern(const std::uint8_t* lower, std::span<const std::uint8_t> pattern,
                                         std::size_t start);

struct TextMatch {
  std::uint16_t highest = 0;  // text offset of the match's highest byte; 0: no match
  std::uint16_t length = 0;
  // A paragraph node could not be allocated: the reader has been told and is
  // stopping, which may already have released `text`. Nothing was found.
  bool stopped = false;
};

// Searches the strings of an article text in text order for `pattern`: the
// string whose record holds offset `start` from `start` down (none of it
// when `start` is the record's layout byte, just below the string), records
// that begin at or after `start` whole, earlier ones not at all; a start of
// 0 searches every string. A match never spans two strings. Reads only the
// first 0xFFFF bytes of `text` (the most a view holds), and stops at the
// first zero style byte or at the text's end, whichever comes first; a
// string cut short by the end is searched as far as it goes.
[[nodiscard]] TextMatch MatchInText(std::span<const std::uint8_t> text, std::uint16_t start,
                                    std::span<const std::uint8_t> pattern);

}  // namespace quillory
