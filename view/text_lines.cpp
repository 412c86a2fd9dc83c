#include "view/text_lines.h"

#include <algorithm>
#include <cstring>

#include "view/article_format.h"
#include "view/letter_code.h"

namespace quillory {
namespace {

// The end of the zero-terminated string that `offset` lies in.
std::size_t StringEnd(const TextView& view, std::size_t offset) {
  const std::size_t length = view.text.length();
  if (offset >= length) return length;
  const void* zero = std::memchr(view.text.data() + offset, 0, length - offset);
  return zero ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - view.text.data()) : length;
}

}  // namespace

LineParts SplitLine(const TextView& view, const LineRecord& line) {
  LineParts parts;
  parts.hebrew = (line.style & kHebrewBit) != 0;
  parts.bodyAt = line.textOffset;
  if (line.labelWidth == 0) return parts;
  const std::uint8_t* text = view.text.data();
  const std::size_t end = StringEnd(view, line.textOffset);
  if (!parts.hebrew) {
    // The label is the word the line starts with; the body follows it and
    // its spaces.
    std::size_t at = line.textOffset;
    while (at < end && text[at] != ' ') ++at;
    parts.labelAt = line.textOffset;
    parts.labelLength = at - line.textOffset;
    while (at < end && text[at] == ' ') ++at;
    parts.bodyAt = at;
  } else {
    // Stored in visual order, the label is the rightmost word: after the
    // body, past the next space and all spaces, to the string's end.
    std::size_t at = std::min<std::size_t>(line.textOffset + line.count, end);
    while (at < end && text[at] != ' ') ++at;
    while (at < end && text[at] == ' ') ++at;
    parts.labelAt = at;
    parts.labelLength = end - at;
  }
  return parts;
}

LineSpan SpanOf(const TextView& view, const LineRecord& line) {
  const LineParts parts = SplitLine(view, line);
  LineSpan span{line.textOffset, parts.bodyAt + line.count};
  if (parts.labelLength != 0) {
    span.first = std::min(span.first, parts.labelAt);
    span.end = std::max(span.end, parts.labelAt + parts.labelLength);
  }
  return span;
}

FirstLine FindFirstLine(TextView& view) {
  if (view.topPosition > view.totalUnits) view.topPosition = view.maxTop;
  int units = 0;
  std::uint16_t index = 0;
  while (view.lines[index].style != 0 && units < view.topPosition) {
    units += LineUnits(view.lines[index]);
    ++index;
  }
  FirstLine first{index, view.top, view.height};
  if (units > view.topPosition) {
    // The top position is the blank line after the previous paragraph.
    const std::int32_t blank = view.lines[index - 1].height;
    first.y += blank;
    first.room -= blank;
  }
  return first;
}

bool IsHiddenLink(const TextView& view, const LineRecord& line) {
  return line.linkNumber != 0 &&
         (!view.links || (line.linkNumber == kBackLinkNumber && !(view.flags & kShowBackLinks)));
}

LinePieces DrawnPieces(TextView& view, const LineRecord& line) {
  const LineParts parts = SplitLine(view, line);
  LinePieces drawn;
  drawn.hebrew = parts.hebrew;
  const auto add = [&](std::size_t at, std::int32_t count, std::int32_t x, std::int32_t width) {
    if (count > 0) drawn.pieces[drawn.count++] = DrawnPiece{at, count, x, width};
  };
  if (line.labelWidth != 0) {
    // The part of the label that fits its column: its beginning in reading
    // order, set right-aligned in the column right of the body for a Hebrew
    // line, hanging left of the body for a left-to-right one.
    const std::uint8_t* label = view.text.data() + parts.labelAt;
    const auto length = static_cast<std::int32_t>(parts.labelLength);
    ReadingStart fit;
    SetRunBase(parts.hebrew ? kLiveFontBase : kNoMappingBase);
    if (parts.hebrew) {
      fit = FitReadingStart(*view.context, label, length, line.labelWidth);
    } else {
      const MeasuredRun run = MeasureRun(*view.context, label, line.labelWidth, length);
      fit = ReadingStart{0, 0, 0, run.count, 0, run.width};
    }
    SetRunBase(kNoMappingBase);
    const std::int32_t x = parts.hebrew ? line.x + line.width + line.labelWidth - fit.width : line.x - line.labelWidth;
    add(parts.labelAt + static_cast<std::size_t>(fit.headAt), fit.headCount, x, fit.headWidth);
    add(parts.labelAt + static_cast<std::size_t>(fit.tailAt), fit.tailCount, x + fit.headWidth,
        fit.width - fit.headWidth);
  }
  add(parts.bodyAt, line.count, line.x, line.width);
  return drawn;
}

}  // namespace quillory
