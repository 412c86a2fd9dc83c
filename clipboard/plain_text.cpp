#include "clipboard/plain_text.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "core/app_state.h"
#include "view/article_format.h"
#include "view/article_records.h"
#include "view/letter_code.h"
#include "view/reading_order.h"

namespace quillory {
namespace {

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

// What of one record the export holds: the characters read at indices
// [first, end) of its string, its indent, its line ends.
struct RecordPart {
  std::size_t first = 0;
  std::size_t end = 0;
  bool indent = false;
  bool lineEnds = false;
  bool captions = false;  // a link gives its caption rather than dashes
};

// The record's string for export, the characters read at [part.first,
// part.end); false when it did not convert (the conversion buffer could not
// grow).
bool PutString(Writer& out, std::span<const std::uint8_t> text, const StoredRecord& record, const RecordPart& part) {
  if (part.first >= part.end) return true;
  const std::uint8_t* bytes = text.data() + record.stringAt;
  const auto length = static_cast<std::int32_t>(record.stringLength);
  const auto base = record.hebrew() ? static_cast<std::int32_t>(App().font.asciiBase) : kNoMappingBase;
  // Reversed, a paragraph reads as it was written only when its numbers and
  // Latin words keep their own order.
  const bool reverse = record.hebrew() && (App().flags & kReverseFlag) != 0;
  const std::u16string_view chars = reverse ? ToReadingChars(bytes, length, base) : ToDisplayChars(bytes, length, base, false);
  if (chars.size() < part.end) return false;
  // In reading order each character stands at its reading index, and so
  // does every character of a left-to-right record; the conversion of a
  // Hebrew record without reversal keeps the stored order.
  const bool readingOrder = !record.hebrew() || (reverse && base != kNoMappingBase);
  if (readingOrder || (part.first == 0 && part.end == chars.size())) {
    return out.Put(chars.substr(part.first, part.end - part.first));
  }
  const ReadingMap map({bytes, chars.size()});
  for (std::size_t at = 0; at < chars.size(); ++at) {
    const std::size_t read = map.ReadingIndex(at);
    if (read >= part.first && read < part.end && !out.Put(chars[at])) return false;
  }
  return true;
}

bool PutRecord(Writer& out, std::span<const std::uint8_t> text, const StoredRecord& record, const RecordPart& part) {
  bool ok = true;
  if (record.kind == StoredRecord::Kind::kLink && part.captions) {
    ok = PutString(out, text, record, part);
  } else if (record.kind != StoredRecord::Kind::kText) {
    ok = out.Put(u'-', DashCount(record.layout));
  } else if (!record.hebrew()) {
    ok = (!part.indent || out.Put(u' ', Indent(record.layout))) && PutString(out, text, record, part);
  } else {
    ok = PutString(out, text, record, part) && (!part.indent || out.Put(u' ', Indent(record.layout)));
  }
  if (!part.lineEnds) return ok;
  ok = ok && out.Put(u"\r\n");
  if (record.style & kBlankAfterBit) ok = ok && out.Put(u"\r\n");
  return ok;
}

// Whether a link's caption shows on the page: a link of number 0 makes no
// line, and the back link shows only while it leads somewhere.
bool CaptionShown(std::span<const std::uint8_t> text, const StoredRecord& link, bool backLinkShown) {
  const auto at = [&](std::size_t i) { return i < text.size() ? text[i] : std::uint8_t{0}; };
  const std::uint16_t number = DecodeLinkNumber(at(link.at + 2), at(link.at + 3)).number;
  return number != 0 && (number != kBackLinkNumber || backLinkShown);
}

// What of `record` a passage holds; nothing when it holds none of it.
std::optional<RecordPart> PartInPassage(std::span<const std::uint8_t> text, const StoredRecord& record,
                                        const PassagePlaces& passage) {
  const std::size_t start = record.stringAt;
  const std::size_t end = record.stringEnd();
  if (passage.start > end || passage.end <= start) return std::nullopt;
  if (record.kind == StoredRecord::Kind::kEmpty) return std::nullopt;
  if (record.kind == StoredRecord::Kind::kLink && !CaptionShown(text, record, passage.backLinkShown)) return std::nullopt;
  RecordPart part;
  part.first = std::max(passage.start, start) - start;
  part.end = std::min(passage.end, end) - start;
  // The paragraphs of a passage stand on lines of their own; a paragraph
  // it holds whole keeps its indent.
  part.lineEnds = passage.end > end;
  part.indent = passage.start <= start && part.lineEnds;
  part.captions = true;
  return part;
}

int Export(std::span<const std::uint8_t> text, const PassagePlaces* passage, char16_t* buffer,
           std::size_t capacityBytes) {
  const std::size_t capacity = capacityBytes / sizeof(char16_t);
  if (capacity == 0) return 1;
  // The last character is kept for the terminator.
  Writer out(buffer, capacity - 1);
  RecordWalk walk(text);
  StoredRecord record;
  while (walk.Next(record)) {
    std::optional<RecordPart> part = RecordPart{0, record.stringLength, true, true, false};
    if (passage) part = PartInPassage(text, record, *passage);
    if (part && !PutRecord(out, text, record, *part)) {
      buffer[0] = 0;
      return 1;
    }
  }
  buffer[out.length()] = 0;
  return 0;
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
  // A link's caption, where a passage gives it instead of dashes, is among
  // the stored bytes of T.
  const std::size_t storedBytes = walk.Offset();  // T
  return storedBytes * 3 / 2 + 2 * lineEnds + dashes + indents + 1;
}

int ArticleToPlainText(std::span<const std::uint8_t> text, char16_t* buffer, std::size_t capacityBytes) {
  return Export(text, nullptr, buffer, capacityBytes);
}

int PassageToPlainText(std::span<const std::uint8_t> text, const PassagePlaces& passage, char16_t* buffer,
                       std::size_t capacityBytes) {
  return Export(text, &passage, buffer, capacityBytes);
}

}  // namespace quillory
