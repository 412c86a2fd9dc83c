#include "view/article_records.h"

#include <algorithm>

#include "view/article_format.h"

namespace quillory {

bool StoredRecord::hebrew() const { return (style & kHebrewBit) != 0; }

std::size_t RecordWalk::LengthAt(std::size_t at) const {
  std::size_t length = 0;
  while (At(at + length) != 0) ++length;
  return length;
}

bool RecordWalk::Next(StoredRecord& record) {
  if (At(at_) == 0) return false;
  record = StoredRecord{StoredRecord::Kind::kText, at_, At(at_), At(at_ + 1), at_ + 2, 0, at_ + 3};
  if (IsSpecialStyle(record.style)) {
    record.kind = record.layout == 0 ? StoredRecord::Kind::kEmpty : StoredRecord::Kind::kRule;
    if (record.layout != 0 && At(at_ + 2) != 0) {
      // A link: its number, then its caption.
      record.kind = StoredRecord::Kind::kLink;
      record.stringAt = at_ + 2 + DecodeLinkNumber(At(at_ + 2), At(at_ + 3)).length;
      record.stringLength = LengthAt(record.stringAt);
      record.next = record.stringEnd() + 1;
    }
  } else {
    record.stringLength = LengthAt(record.stringAt);
    record.next = record.stringEnd() + 1;
  }
  at_ = record.next;
  return true;
}

std::size_t RecordWalk::Offset() const { return std::min(at_, text_.size()); }

const StoredRecord* RecordCursor::Holding(std::size_t offset) {
  if (have_ && offset < record_.stringAt) {
    walk_ = RecordWalk(text_);
    have_ = false;
  }
  while (!have_ || record_.stringEnd() < offset) {
    if (!walk_.Next(record_)) {
      have_ = false;
      return nullptr;
    }
    have_ = true;
  }
  return offset >= record_.stringAt ? &record_ : nullptr;
}

}  // namespace quillory
