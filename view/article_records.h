#pragma once
// Walking an article's stored records in text order, the way layout reads
// them, so that the export, the selection and the view agree on where each
// record's string lies. Bytes beyond the end of the text read as 0, which
// ends the article.

#include <cstddef>
#include <cstdint>
#include <span>

namespace quillory {

struct StoredRecord {
  enum class Kind { kText, kRule, kLink, kEmpty };
  Kind kind = Kind::kText;
  std::size_t at = 0;  // the style byte
  std::uint8_t style = 0;
  std::uint8_t layout = 0;
  // The string: a paragraph's text or a link's caption; empty (at the
  // string's place) for rules and empty records.
  std::size_t stringAt = 0;
  std::size_t stringLength = 0;
  std::size_t next = 0;  // where the following record starts

  std::size_t stringEnd() const { return stringAt + stringLength; }
  bool hebrew() const;
};

class RecordWalk {
 public:
  explicit RecordWalk(std::span<const std::uint8_t> text) : text_(text) {}

  // The record at the current place, and the walk moved past it; false at
  // the ending record.
  bool Next(StoredRecord& record);
  // Where the walk stands: after the last record, the bytes before the ending one.
  std::size_t Offset() const;

 private:
  std::uint8_t At(std::size_t at) const { return at < text_.size() ? text_[at] : 0; }
  std::size_t LengthAt(std::size_t at) const;

  std::span<const std::uint8_t> text_;
  std::size_t at_ = 0;
};

// The record whose string holds `offset` (its end included), walking on
// from where the last answer was: for callers that ask in text order, as
// painting does line by line. Asking for an earlier offset starts again.
class RecordCursor {
 public:
  explicit RecordCursor(std::span<const std::uint8_t> text) : text_(text), walk_(text) {}
  // Null when no record's string reaches the offset.
  const StoredRecord* Holding(std::size_t offset);

 private:
  std::span<const std::uint8_t> text_;
  RecordWalk walk_;
  StoredRecord record_;
  bool have_ = false;
};

}  // namespace quillory
