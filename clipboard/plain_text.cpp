#include "clipboard/plain_text.h"

#include <algorithm>
#include <string_view>

#include "core/app_state.h"
#include "view/article_format.h"
#include "view/letter_code.h"

namespace quillory {
namespace {

// One stored record, walked the way the layout walks them, so that the
// export and the view agree on where each record ends. Bytes beyond the
// end of the text read as 0, which ends the article.
struct StoredRecord {
  std::uint8_t style = 0;
  std::uint8_t layout = 0;
  std::size_t stringAt = 0;
  std::size_t stringLength = 0;  // 0 for rules, links and empty records: their string is not exported
  std::size_t next = 0;
};

class RecordWalk {
 public:
  explicit RecordWalk(std::span<const std::uint8_t> text) : text_(text) {}

  // The record at the current place, and the walk moved past it; false at
  // the ending record.
  bool Next(StoredRecord& record) {
    if (At(at_) == 0) return false;
    record = StoredRecord{At(at_), At(at_ + 1), at_ + 2, 0, at_ + 3};
    if (IsSpecialStyle(record.style)) {
      if (record.layout != 0 && At(at_ + 2) != 0) {
        // A link: its number, then its string.
        const std::size_t stringAt = at_ + 2 + DecodeLinkNumber(At(at_ + 2), At(at_ + 3)).length;
        record.next = stringAt + LengthAt(stringAt) + 1;
      }
    } else {
      record.stringLength = LengthAt(record.stringAt);
      record.next = record.stringAt + record.stringLength + 1;
    }
    at_ = record.next;
    return true;
  }
  // Where the walk stands: after the last record, the bytes before the ending one.
  std::size_t Offset() const { return std::min(at_, text_.size()); }

 private:
  std::uint8_t At(std::size_t at) const { return at < text_.size() ? text_[at] : 0; }
  std::size_t LengthAt(std::size_t at) const {
    std::size_t length = 0;
    while (At(at + length) != 0) ++length;
    return length;
  }

  std::span<const std::uint8_t> text_;
  std::size_t at_ = 0;
};

// The '-' characters of a rule or link: the layout byte itself up to 160,
// else twice what lies above 160.
std::size_t DashCount(std::uint8_t code) { return code <= 160 ? code : (code - 160u) * 2; }

std::size_t Indent(std::uint8_t layout) { return layout & kIndentMask; }

class Writer {
 public:
  Writer(char16_t* buffer, std::size_t capacity) : buffer_(buffer), capacity_(capacity) {}
  bool Put(char16_t c, std::size_t count = 1) {
    if (capacity_ - length_ < count) return false;
    for (std::size_t i = 0; i < count; ++i) buffer_[length_++] = c;
    return true;
  }
  bool Put(std::u16string_view text) {
    if (capacity_ - length_ < text.size()) return false;
    for (const char16_t c : text) buffer_[length_++] = c;
    return true;
  }
  std::size_t length() const { return length_; }

 private:
  char16_t* buffer_;
  std::size_t capacity_;
  std::size_t length_ = 0;
};

// The record's string for export; false when it did not convert (the
// conversion buffer could not grow).
bool PutString(Writer& out, std::span<const std::uint8_t> text, const StoredRecord& record, std::int32_t base,
               bool reverse) {
  if (record.stringLength == 0) return true;
  const std::uint8_t* bytes = text.data() + record.stringAt;
  const auto length = static_cast<std::int32_t>(record.stringLength);
  // Reversed, a paragraph reads as it was written only when its numbers and
  // Latin words keep their own order.
  const std::u16string_view chars =
      reverse ? ToReadingChars(bytes, length, base) : ToDisplayChars(bytes, length, base, false);
  return !chars.empty() && out.Put(chars);
}

bool PutRecord(Writer& out, std::span<const std::uint8_t> text, const StoredRecord& record) {
  bool ok = true;
  if (IsSpecialStyle(record.style)) {
    ok = out.Put(u'-', DashCount(record.layout));
  } else if ((record.style & kHebrewBit) == 0) {
    ok = out.Put(u' ', Indent(record.layout)) && PutString(out, text, record, kNoMappingBase, false);
  } else {
    ok = PutString(out, text, record, static_cast<std::int32_t>(App().font.asciiBase),
                   (App().flags & kReverseFlag) != 0) &&
         out.Put(u' ', Indent(record.layout));
  }
  ok = ok && out.Put(u"\r\n");
  if (record.style & kBlankAfterBit) ok = ok && out.Put(u"\r\n");
  return ok;
}

}  // namespace

std::size_t PlainTextCapacity(std::span<const std::uint8_t> text) {
  RecordWalk walk(text);
  StoredRecord record;
  std::size_t lineEnds = 0;  // U: records, and once more for each blank line after one
  std::size_t dashes = 0;    // R1 + R2
  std::size_t indents = 0;   // I
  while (walk.Next(record)) {
    lineEnds += (record.style & kBlankAfterBit) ? 2 : 1;
    if (IsSpecialStyle(record.style)) {
      dashes += DashCount(record.layout);
    } else {
      indents += Indent(record.layout);
    }
  }
  const std::size_t storedBytes = walk.Offset();  // T
  return storedBytes * 3 / 2 + 2 * lineEnds + dashes + indents + 1;
}

int ArticleToPlainText(std::span<const std::uint8_t> text, char16_t* buffer, std::size_t capacityBytes) {
  const std::size_t capacity = capacityBytes / sizeof(char16_t);
  if (capacity == 0) return 1;
  // The last character is kept for the terminator.
  Writer out(buffer, capacity - 1);
  RecordWalk walk(text);
  StoredRecord record;
  while (walk.Next(record)) {
    if (!PutRecord(out, text, record)) {
      buffer[0] = 0;
      return 1;
    }
  }
  buffer[out.length()] = 0;
  return 0;
}

}  // namespace quillory
