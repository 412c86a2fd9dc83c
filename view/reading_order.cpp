#include "view/reading_order.h"

#include <algorithm>

namespace quillory {
namespace {

bool IsDigit(std::uint8_t b) { return b >= '0' && b <= '9'; }
bool IsLatin(std::uint8_t b) { return b >= 'A' && b <= 'Z'; }
bool IsLeftToRight(std::uint8_t b) { return IsDigit(b) || IsLatin(b); }
// The letter codes 0x61 to 0x7B: right-to-left.
bool IsLetterCode(std::uint8_t b) { return b >= 0x61 && b <= 0x7B; }
// Signs that belong to the number they stand beside.
bool IsNumberSign(std::uint8_t b) { return b == '%' || b == '$' || b == '#'; }

// Where the run that starts at `begin` ends.
std::size_t RunEnd(std::span<const std::uint8_t> s, std::size_t begin) {
  const std::size_t n = s.size();
  std::size_t at = begin;
  bool latin = false;
  while (at < n) {
    const std::uint8_t b = s[at];
    if (IsLeftToRight(b)) {
      latin = latin || IsLatin(b);
      ++at;
    } else if (IsNumberSeparator(b) && IsDigit(s[at - 1]) && at + 1 < n && IsDigit(s[at + 1])) {
      at += 2;
    } else if (IsNumberSign(b) && IsDigit(s[at - 1])) {
      while (at < n && IsNumberSign(s[at])) ++at;
    } else if (latin) {
      // After a Latin letter, spaces and punctuation belong to the run when
      // it goes on after them.
      std::size_t next = at;
      while (next < n && !IsLeftToRight(s[next]) && !IsLetterCode(s[next])) ++next;
      if (next == n || !IsLeftToRight(s[next])) break;
      at = next;
    } else {
      break;
    }
  }
  return at;
}

}  // namespace

char16_t MirroredBracket(char16_t c) {
  switch (c) {
    case u'(': return u')';
    case u')': return u'(';
    case u'[': return u']';
    case u']': return u'[';
    case u'{': return u'}';
    case u'}': return u'{';
    default: return c;
  }
}

std::optional<LeftToRightRun> NextLeftToRightRun(std::span<const std::uint8_t> stored, std::size_t from) {
  for (std::size_t at = from; at < stored.size(); ++at) {
    const std::uint8_t b = stored[at];
    if (IsLeftToRight(b)) return LeftToRightRun{at, RunEnd(stored, at)};
    // Signs written before a number open its run.
    if (IsNumberSign(b)) {
      std::size_t digit = at;
      while (digit < stored.size() && IsNumberSign(stored[digit])) ++digit;
      if (digit < stored.size() && IsDigit(stored[digit])) return LeftToRightRun{at, RunEnd(stored, digit)};
      at = digit - 1;
    }
  }
  return std::nullopt;
}

void RestoreLeftToRightRuns(std::span<const std::uint8_t> stored, std::span<char16_t> chars) {
  const std::size_t n = std::min(stored.size(), chars.size());
  stored = stored.first(n);
  for (auto run = NextLeftToRightRun(stored, 0); run; run = NextLeftToRightRun(stored, run->end)) {
    char16_t* const first = chars.data() + (n - run->end);
    char16_t* const last = chars.data() + (n - run->begin);
    std::reverse(first, last);
    std::transform(first, last, first, MirroredBracket);
  }
}

ReadingMap::ReadingMap(std::span<const std::uint8_t> stored) : size_(stored.size()) {
  for (auto run = NextLeftToRightRun(stored, 0); run; run = NextLeftToRightRun(stored, run->end)) runs_.push_back(*run);
}

const LeftToRightRun* ReadingMap::RunHolding(std::size_t storedAt) const {
  const auto after = std::upper_bound(runs_.begin(), runs_.end(), storedAt,
                                      [](std::size_t at, const LeftToRightRun& run) { return at < run.begin; });
  if (after == runs_.begin()) return nullptr;
  const LeftToRightRun& run = *(after - 1);
  return storedAt < run.end ? &run : nullptr;
}

// A string reads from its last stored byte down, each left-to-right run
// [b, e) taking the reading indices [size - e, size - b) in its own order.
std::size_t ReadingMap::ReadingIndex(std::size_t storedAt) const {
  if (const LeftToRightRun* run = RunHolding(storedAt)) return size_ - run->end + (storedAt - run->begin);
  return size_ - 1 - storedAt;
}

std::size_t ReadingMap::StoredAt(std::size_t readingIndex) const {
  const std::size_t mirrored = size_ - 1 - readingIndex;
  if (const LeftToRightRun* run = RunHolding(mirrored)) return run->begin + (readingIndex - (size_ - run->end));
  return mirrored;
}

}  // namespace quillory
