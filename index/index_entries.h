#pragma once
// Index entries: the volume's index of articles and the bookmarks group put
// in front of it are byte buffers of entries laid end to end.
//
//   offset size   field
//   0      2      key, 16-bit little-endian: 0x8000 a group header; 0x4000
//                 an article entry, the article number in bits 0-13
//   2      1      style: 0x80 shown at first layout, 0x40 group expanded,
//                 bits 0-4 the font key (0x02 small, 0x04 large, 0x08 bold)
//   3      1      level: indented by level × 13 pixels from the right
//   4      n + 1  title: n bytes of the letter code in visual order, then 0
//
// The next entry starts at offset 5 + n. An entry whose style byte is 0 ends
// the buffer; every buffer built here ends with five zero bytes. Buffers
// come from the program's resources and from this file only, but they are
// read as outside bytes: an entry that does not fit whole inside the buffer
// (or beyond a 16-bit offset, which the list cannot address) ends it too.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "platform/system/memory.h"

namespace quillory {

constexpr std::uint16_t kGroupHeaderBit = 0x8000;
constexpr std::uint16_t kArticleEntryBit = 0x4000;
constexpr std::uint16_t kArticleNumberMask = 0x3FFF;

constexpr std::uint8_t kShownBit = 0x80;
constexpr std::uint8_t kExpandedBit = 0x40;
constexpr std::uint8_t kFontKeyMask = 0x1F;

constexpr std::size_t kEntryHeadSize = 4;
constexpr std::size_t kEntryEndSize = 5;
// Titles are addressed by 16-bit offsets.
constexpr std::size_t kLongestEntryBuffer = 0xFFFF;

struct IndexEntry {
  std::uint16_t key = 0;
  std::uint8_t style = 0;
  std::uint8_t level = 0;
  std::size_t titleAt = 0;      // offset of the title in the buffer
  std::size_t titleLength = 0;  // n, without the zero byte
  std::size_t next() const { return titleAt + titleLength + 1; }
};

// The entry at `offset`; none at the buffer's end (see above).
std::optional<IndexEntry> EntryAt(std::span<const std::uint8_t> entries, std::size_t offset);

// The bytes of the entries before the end: the sum of 5 + n over them.
std::size_t MeasureEntries(std::span<const std::uint8_t> entries);

inline std::span<const std::uint8_t> BytesOf(const platform::HeapBlock& block) {
  return {block.data(), block.length()};
}

// One buffer with the entries of `first` followed by those of `second`,
// ended by five zero bytes. Either may be empty (the other is returned as
// it is). When the joined buffer cannot be allocated, `first` is dropped
// and `second` returned.
platform::HeapBlock JoinEntryLists(platform::HeapBlock first, platform::HeapBlock second);

// The bookmarks group for the reader's bookmark list: a header (key 0x8877,
// shown and expanded, titled "jiyu") and, in bookmark order, one shown
// level-2 entry per bookmark whose article has an entry in `index`, titled
// as there. Empty when the buffer cannot be allocated.
platform::HeapBlock BuildBookmarkSection(std::span<const std::uint8_t> index);

// The index with the bookmarks group in front; the index as it is when
// there are no bookmarks or the group cannot be built.
platform::HeapBlock AddBookmarkSection(platform::HeapBlock index);

}  // namespace quillory
