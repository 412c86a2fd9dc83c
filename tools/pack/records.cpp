#include "tools/pack/records.h"

#include <cstring>

#include "view/article_format.h"

namespace quillory::pack {
namespace {

// The zero-terminated string at `at`; nullopt when no zero byte follows.
std::optional<std::string_view> StringAt(std::span<const std::uint8_t> bytes, std::size_t at) {
  if (at >= bytes.size()) return std::nullopt;
  const void* zero = std::memchr(bytes.data() + at, 0, bytes.size() - at);
  if (zero == nullptr) return std::nullopt;
  const auto length = static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - (bytes.data() + at));
  return std::string_view(reinterpret_cast<const char*>(bytes.data() + at), length);
}

std::string At(std::size_t offset) { return " at offset " + std::to_string(offset); }

}  // namespace

std::optional<std::vector<Record>> ReadArticleRecords(std::span<const std::uint8_t> text, std::string& error) {
  std::vector<Record> records;
  std::size_t at = 0;
  while (true) {
    if (at >= text.size()) {
      error = "no zero byte ends the article";
      return std::nullopt;
    }
    if (text[at] == 0) return records;
    Record r;
    r.offset = at;
    r.style = text[at];
    if (at + 1 >= text.size()) {
      error = "record cut short" + At(at);
      return std::nullopt;
    }
    r.layout = text[at + 1];
    std::size_t stringAt = at + 2;
    if (IsSpecialStyle(r.style)) {
      if (r.layout == 0) {
        r.kind = RecordKind::kEmpty;
        if (at + 3 > text.size()) {
          error = "empty record cut short" + At(at);
          return std::nullopt;
        }
        records.push_back(r);
        at += 3;
        continue;
      }
      if (stringAt < text.size() && text[stringAt] == 0) {
        r.kind = RecordKind::kRule;
      } else {
        r.kind = RecordKind::kLink;
        if (stringAt >= text.size()) {
          error = "link number cut short" + At(at);
          return std::nullopt;
        }
        const std::uint8_t second = stringAt + 1 < text.size() ? text[stringAt + 1] : 0;
        const LinkNumber number = DecodeLinkNumber(text[stringAt], second);
        r.linkNumber = number.number;
        r.wideNumber = number.length == 2;
        stringAt += number.length;
      }
    }
    const auto string = StringAt(text, stringAt);
    if (!string) {
      error = "string without its zero byte" + At(at);
      return std::nullopt;
    }
    r.text = *string;
    records.push_back(r);
    at = stringAt + string->size() + 1;
  }
}

std::optional<std::vector<IndexEntry>> ReadIndexEntries(std::span<const std::uint8_t> index, std::string& error) {
  std::vector<IndexEntry> entries;
  std::size_t at = 0;
  while (true) {
    if (at + 2 >= index.size()) {
      error = "index ends without its end entry" + At(at);
      return std::nullopt;
    }
    if (index[at + 2] == 0) return entries;
    IndexEntry e;
    e.offset = at;
    e.key = static_cast<std::uint16_t>(index[at] | (index[at + 1] << 8));
    e.style = index[at + 2];
    if (at + 3 >= index.size()) {
      error = "entry cut short" + At(at);
      return std::nullopt;
    }
    e.level = index[at + 3];
    const auto title = StringAt(index, at + 4);
    if (!title) {
      error = "title without its zero byte" + At(at);
      return std::nullopt;
    }
    e.title = *title;
    entries.push_back(e);
    at += 5 + title->size();
  }
}

}  // namespace quillory::pack
