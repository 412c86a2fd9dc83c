#pragma once
// The reading order of a Hebrew string stored in visual order. Such a string
// reads from its highest offset down, except for the left-to-right runs
// inside it: numbers with their separators ("15-21", "1,080", "50%") and
// Latin words ("F3", "5D0"), which the volume compiler leaves in their own
// order and which therefore read from left to right.
//
// A run is found the way the compiler's reordering forms it: digits and
// Latin capitals, a single separator between two digits, percent and
// currency signs beside a digit, and, once a Latin letter has opened the
// run, any spaces and punctuation that lead to a further digit or Latin
// letter. Lower-case bytes are letter codes, never Latin.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace quillory {

// A separator that joins the two digits beside it into one number.
constexpr bool IsNumberSeparator(char32_t c) {
  return c == '-' || c == '+' || c == ',' || c == '.' || c == ':' || c == '/';
}

struct LeftToRightRun {
  std::size_t begin = 0;  // stored offsets within the string, end exclusive
  std::size_t end = 0;
};

// The first left-to-right run of `stored` that begins at or after `from`;
// nothing when there is none.
std::optional<LeftToRightRun> NextLeftToRightRun(std::span<const std::uint8_t> stored, std::size_t from);

// A bracket turned to face the other way; any other character as it is.
char16_t MirroredBracket(char16_t c);

// Turns `chars`, the conversion of `stored` reversed as a whole (so one
// character for each stored byte, the last byte first), into reading
// order: each left-to-right run is put back in its own order, and the
// brackets inside it, which the whole reversal mirrored, get their own
// shape back.
void RestoreLeftToRightRuns(std::span<const std::uint8_t> stored, std::span<char16_t> chars);

// Where each byte of a Hebrew string is read, and the other way round: the
// reading index of a stored byte (0 for the byte read first) and the stored
// byte at a reading index. Built once per string, for callers that ask
// about many of its bytes.
class ReadingMap {
 public:
  explicit ReadingMap(std::span<const std::uint8_t> stored);
  std::size_t ReadingIndex(std::size_t storedAt) const;
  std::size_t StoredAt(std::size_t readingIndex) const;
  // Whether the byte belongs to a number or Latin word, read left to right.
  bool InLeftToRightRun(std::size_t storedAt) const { return RunHolding(storedAt) != nullptr; }

 private:
  // The left-to-right run holding a stored offset, if one does.
  const LeftToRightRun* RunHolding(std::size_t storedAt) const;

  std::size_t size_ = 0;
  std::vector<LeftToRightRun> runs_;  // in stored order
};

}  // namespace quillory
