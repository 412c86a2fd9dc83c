#include "index/index_entries.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/app_state.h"

namespace quillory {
namespace {

constexpr std::uint16_t kBookmarksHeaderKey = 0x8877;
constexpr std::uint8_t kBookmarksHeaderStyle = 0xC1;  // shown, expanded, font key 1
constexpr std::uint8_t kBookmarkStyle = 0x81;         // shown, font key 1
constexpr std::uint8_t kHeaderLevel = 1;
constexpr std::uint8_t kBookmarkLevel = 2;
// The group's title in the letter code.
constexpr std::uint8_t kBookmarksTitle[] = {0x6A, 0x69, 0x79, 0x75};

// Appends entries to a buffer being filled.
class EntryWriter {
 public:
  explicit EntryWriter(std::uint8_t* out) : out_(out) {}
  void Entry(std::uint16_t key, std::uint8_t style, std::uint8_t level, std::span<const std::uint8_t> title) {
    *out_++ = static_cast<std::uint8_t>(key & 0xFF);
    *out_++ = static_cast<std::uint8_t>(key >> 8);
    *out_++ = style;
    *out_++ = level;
    out_ = std::copy(title.begin(), title.end(), out_);
    *out_++ = 0;
  }
  void Bytes(std::span<const std::uint8_t> bytes) { out_ = std::copy(bytes.begin(), bytes.end(), out_); }
  void End() { out_ = std::fill_n(out_, kEntryEndSize, std::uint8_t{0}); }

 private:
  std::uint8_t* out_;
};

std::optional<IndexEntry> FindArticleEntry(std::span<const std::uint8_t> index, std::uint16_t article) {
  const auto key = static_cast<std::uint16_t>(article | kArticleEntryBit);
  for (auto entry = EntryAt(index, 0); entry; entry = EntryAt(index, entry->next())) {
    if (entry->key == key) return entry;
  }
  return std::nullopt;
}

std::span<const std::uint16_t> Bookmarks() {
  const AppState& app = App();
  if (app.bookmarks == nullptr) return {};
  std::size_t count = 0;
  while (count < app.bookmarkCount && app.bookmarks[count] != 0) ++count;
  return {app.bookmarks, count};
}

}  // namespace

std::optional<IndexEntry> EntryAt(std::span<const std::uint8_t> entries, std::size_t offset) {
  if (offset >= entries.size() || entries.size() - offset <= kEntryHeadSize) return std::nullopt;
  IndexEntry entry;
  entry.key = static_cast<std::uint16_t>(entries[offset] | entries[offset + 1] << 8);
  entry.style = entries[offset + 2];
  entry.level = entries[offset + 3];
  entry.titleAt = offset + kEntryHeadSize;
  if (entry.style == 0) return std::nullopt;
  const void* zero = std::memchr(entries.data() + entry.titleAt, 0, entries.size() - entry.titleAt);
  if (zero == nullptr) return std::nullopt;
  entry.titleLength = static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - entries.data()) - entry.titleAt;
  if (entry.titleAt + entry.titleLength > kLongestEntryBuffer) return std::nullopt;
  return entry;
}

std::size_t MeasureEntries(std::span<const std::uint8_t> entries) {
  std::size_t offset = 0;
  for (auto entry = EntryAt(entries, 0); entry; entry = EntryAt(entries, entry->next())) offset = entry->next();
  return offset;
}

platform::HeapBlock JoinEntryLists(platform::HeapBlock first, platform::HeapBlock second) {
  if (!second) return first;
  if (!first) return second;
  const std::size_t firstLength = MeasureEntries(BytesOf(first));
  const std::size_t secondLength = MeasureEntries(BytesOf(second));
  platform::HeapBlock joined = platform::HeapBlock::Allocate(firstLength + secondLength + kEntryEndSize);
  if (!joined) return second;
  EntryWriter writer(joined.data());
  writer.Bytes({first.data(), firstLength});
  writer.Bytes({second.data(), secondLength});
  writer.End();
  return joined;
}

platform::HeapBlock BuildBookmarkSection(std::span<const std::uint8_t> index) {
  std::vector<IndexEntry> found;
  std::size_t size = kEntryHeadSize + sizeof kBookmarksTitle + 1;
  for (const std::uint16_t article : Bookmarks()) {
    if (const auto entry = FindArticleEntry(index, article)) {
      found.push_back(*entry);
      size += entry->next() - entry->titleAt + kEntryHeadSize;
    }
  }
  platform::HeapBlock section = platform::HeapBlock::Allocate(size + kEntryEndSize);
  if (!section) return section;
  EntryWriter writer(section.data());
  writer.Entry(kBookmarksHeaderKey, kBookmarksHeaderStyle, kHeaderLevel, kBookmarksTitle);
  for (const IndexEntry& entry : found) {
    writer.Entry(entry.key, kBookmarkStyle, kBookmarkLevel, index.subspan(entry.titleAt, entry.titleLength));
  }
  writer.End();
  return section;
}

platform::HeapBlock AddBookmarkSection(platform::HeapBlock index) {
  if (Bookmarks().empty()) return index;
  platform::HeapBlock section = BuildBookmarkSection(BytesOf(index));
  if (!section) return index;
  return JoinEntryLists(std::move(section), std::move(index));
}

}  // namespace quillory
