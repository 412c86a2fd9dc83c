#include "search/match_pattern.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "core/shell_calls.h"
#include "platform/system/memory.h"
#include "view/text_view.h"

namespace quillory {
namespace {

constexpr std::uint8_t kAnyByte = '?';
constexpr std::uint8_t kAnyRun = '*';
// A record's string starts after its style and layout bytes.
constexpr std::size_t kRecordHeader = 2;

// One paragraph record of the text being searched. The list is made afresh
// for every text and runs in text order.
struct SearchParagraph {
  SearchParagraph* next;
  const std::uint8_t* record;  // the style byte
  const std::uint8_t* end;     // the string's terminating zero, or the text's end
};

// The paragraph list of one text, released with it. Nodes come from
// AllocOrStop, so that running out of memory here takes the reader's one
// stopping path.
class ParagraphList {
 public:
  ParagraphList() = default;
  ParagraphList(const ParagraphList&) = delete;
  ParagraphList& operator=(const ParagraphList&) = delete;
  ~ParagraphList() {
    while (head_ != nullptr) {
      SearchParagraph* next = head_->next;
      platform::Release(head_);
      head_ = next;
    }
  }

  // Makes a node for each record; false when a node could not be allocated.
  // Every scan is bounded by the text's length, so a text without its
  // ending zero is never read past its end.
  bool Build(std::span<const std::uint8_t> text) {
    const std::uint8_t* bytes = text.data();
    std::size_t at = 0;
    while (at + kRecordHeader < text.size() && bytes[at] != 0) {
      const std::size_t stringAt = at + kRecordHeader;
      const void* zero = std::memchr(bytes + stringAt, 0, text.size() - stringAt);
      const std::size_t end =
          zero != nullptr ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - bytes) : text.size();
      if (!Append(bytes + at, bytes + end)) return false;
      at = end + 1;
    }
    return true;
  }

  const SearchParagraph* head() const { return head_; }

 private:
  bool Append(const std::uint8_t* record, const std::uint8_t* end) {
    void* block = AllocOrStop(sizeof(SearchParagraph));
    if (block == nullptr) return false;
    auto* node = new (block) SearchParagraph{nullptr, record, end};
    (head_ == nullptr ? head_ : tail_->next) = node;
    tail_ = node;
    return true;
  }

  SearchParagraph* head_ = nullptr;
  SearchParagraph* tail_ = nullptr;
};

}  // namespace

std::optional<PatternMatch> MatchPattern(const std::uint8_t* lower, std::span<const std::uint8_t> pattern,
                                         std::size_t start) {
  if (pattern.empty()) return std::nullopt;
  const std::uint8_t last = pattern.back();
  const auto beforeLast = static_cast<std::ptrdiff_t>(pattern.size()) - 2;
  // Positions below `untried` are still candidates for the match's highest
  // byte; only those holding the last pattern byte are worth a walk.
  std::size_t untried = start + 1;
  while (untried > 0) {
    const void* found = memrchr(lower, last, untried);
    if (found == nullptr) return std::nullopt;
    const auto d = static_cast<std::size_t>(static_cast<const std::uint8_t*>(found) - lower);
    untried = d;
    std::ptrdiff_t j = beforeLast;
    auto t = static_cast<std::ptrdiff_t>(d) - 1;
    for (; j >= 0 && t >= 0; --j, --t) {
      const std::uint8_t wanted = pattern[static_cast<std::size_t>(j)];
      if (lower[t] == wanted || wanted == kAnyByte) continue;
      if (wanted != kAnyRun) break;
      // A lower candidate would search only a smaller range for the part
      // before the "*", so when this finds nothing no candidate can match.
      const auto head = MatchPattern(lower, pattern.first(static_cast<std::size_t>(j)), static_cast<std::size_t>(t));
      if (!head) return std::nullopt;
      return PatternMatch{d, head->length + (d - head->highest)};
    }
    if (j < 0) return PatternMatch{d, d - static_cast<std::size_t>(t)};
  }
  return std::nullopt;
}

TextMatch MatchInText(std::span<const std::uint8_t> text, std::uint16_t start, std::span<const std::uint8_t> pattern) {
  const std::span<const std::uint8_t> searched = text.first(std::min(text.size(), kLongestText));
  ParagraphList paragraphs;
  if (!paragraphs.Build(searched)) return TextMatch{0, 0, true};
  const std::uint8_t* bytes = searched.data();
  for (const SearchParagraph* p = paragraphs.head(); p != nullptr; p = p->next) {
    const auto recordAt = static_cast<std::size_t>(p->record - bytes);
    const std::size_t stringAt = recordAt + kRecordHeader;
    const auto end = static_cast<std::size_t>(p->end - bytes);
    if (end < start || end == stringAt) continue;
    // A paragraph whose record starts at or after the start point is
    // searched whole (a start of 0: the whole text). The one holding the
    // start point is searched from there down, a start on its terminating
    // zero being its last byte. A start on its layout byte, where the next
    // search begins after a match at the very start of the string, leaves
    // nothing of it to search.
    if (recordAt < start && start < stringAt) continue;
    const std::size_t from = start <= recordAt ? end - 1 : std::min<std::size_t>(start, end - 1);
    if (const auto match = MatchPattern(bytes + stringAt, pattern, from - stringAt)) {
      return TextMatch{static_cast<std::uint16_t>(stringAt + match->highest),
                       static_cast<std::uint16_t>(match->length), false};
    }
  }
  return TextMatch{};
}

}  // namespace quillory
