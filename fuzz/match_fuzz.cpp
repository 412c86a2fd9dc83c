// Arbitrary article texts and patterns: the search stays inside the text
// (an exact-size copy, so that any read past its end is caught), and every
// match it reports lies inside one string and fits the pattern by a plain
// dynamic-programming check written without the matcher's backward walk.
//
// Input: byte 0 = pattern length (mod 34), the pattern, two bytes of start
// offset (little-endian), then the text.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <utility>
#include <vector>

#include "platform/system/memory.h"
#include "search/match_pattern.h"

namespace {

// Whether `pattern` fits `bytes` exactly. Each "*" either stands for one
// text "*" or spans a run, and each "?" either stands for any byte or for
// itself; but the pattern's last byte is always itself, a run never starts
// the pattern, and the byte right before a run is always itself.
bool Fits(std::span<const std::uint8_t> pattern, std::span<const std::uint8_t> bytes) {
  const std::size_t n = pattern.size();
  const std::size_t m = bytes.size();
  // For the pattern from byte i on, fitting bytes from j on: in any way
  // (any), and in a way where byte i is not a run (single). Filled from the
  // pattern's end; `next` holds byte i + 1's.
  std::vector<char> nextAny(m + 1, 0), nextSingle(m + 1, 0);
  nextAny[m] = nextSingle[m] = 1;
  std::vector<char> any(m + 1), single(m + 1), run(m + 2);
  for (std::size_t i = n; i-- > 0;) {
    const std::uint8_t p = pattern[i];
    const bool last = i + 1 == n;
    run[m + 1] = 0;
    for (std::size_t j = m + 1; j-- > 0;) {
      const bool literal = j < m && bytes[j] == p && nextAny[j + 1];
      const bool wild = p == '?' && !last && j < m && nextSingle[j + 1];
      run[j] = p == '*' && !last && i > 0 && (nextSingle[j] || (j < m && run[j + 1]));
      single[j] = literal || wild;
      any[j] = single[j] || run[j];
    }
    std::swap(nextAny, any);
    std::swap(nextSingle, single);
  }
  return nextAny[0] != 0;
}

// Whether [first, last] lies inside the string of one record.
bool InsideOneString(std::span<const std::uint8_t> text, std::size_t first, std::size_t last) {
  std::size_t at = 0;
  while (at + 2 < text.size() && text[at] != 0) {
    std::size_t end = at + 2;
    while (end < text.size() && text[end] != 0) ++end;
    if (at + 2 <= first && last < end) return true;
    at = end + 1;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const std::size_t patternLength = data[0] % 34;
  if (size < 1 + patternLength + 2) return 0;
  const std::span<const std::uint8_t> pattern(data + 1, patternLength);
  const std::uint8_t* rest = data + 1 + patternLength;
  const auto start = static_cast<std::uint16_t>(rest[0] | (rest[1] << 8));
  const std::size_t textLength = size - (1 + patternLength + 2);
  std::vector<std::uint8_t> text(rest + 2, rest + 2 + textLength);

  const std::int64_t live = platform::LiveAllocations();
  const quillory::TextMatch match = quillory::MatchInText(text, start, pattern);
  if (platform::LiveAllocations() != live) std::abort();
  if (match.stopped) std::abort();
  if (match.highest == 0) return 0;
  if (match.length == 0 || match.length > match.highest + 1u || match.highest >= text.size()) std::abort();
  const std::size_t first = match.highest + 1u - match.length;
  if (!InsideOneString(text, first, match.highest)) std::abort();
  if (!Fits(pattern, std::span(text).subspan(first, match.length))) std::abort();
  return 0;
}
