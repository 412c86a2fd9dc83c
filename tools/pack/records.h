#pragma once
// Reading the stored text formats back, record by record, with every bound
// checked: the article text (records of style byte, layout byte and string,
// ended by a zero byte) and the index (entries of 16-bit little-endian key,
// style, level and title, ended by an entry whose style is 0).

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "view/article_format.h"

namespace quillory::pack {

enum class RecordKind { kText, kEmpty, kRule, kLink };

struct Record {
  std::size_t offset = 0;  // of the style byte
  std::uint8_t style = 0;
  std::uint8_t layout = 0;
  RecordKind kind = RecordKind::kText;
  std::uint16_t linkNumber = 0;
  bool wideNumber = false;  // the link number took two bytes
  std::string_view text;    // the stored string, without its zero byte

  bool hebrew() const { return (style & 0x10) != 0; }
};

// Every record of an article; nullopt with the reason when the bytes are not
// a well-formed article (a string or number running past the end, or no
// zero byte ending the article).
std::optional<std::vector<Record>> ReadArticleRecords(std::span<const std::uint8_t> text, std::string& error);

struct IndexEntry {
  std::size_t offset = 0;
  std::uint16_t key = 0;
  std::uint8_t style = 0;
  std::uint8_t level = 0;
  std::string_view title;
};

std::optional<std::vector<IndexEntry>> ReadIndexEntries(std::span<const std::uint8_t> index, std::string& error);

}  // namespace quillory::pack
