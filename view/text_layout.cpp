// Creating, laying out, resizing and destroying the text view.

#include <algorithm>
#include <cstring>
#include <new>
#include <optional>

#include "platform/system/memory.h"
#include "view/article_format.h"
#include "view/letter_code.h"
#include "view/text_paint.h"
#include "view/text_scroll.h"
#include "view/text_view.h"

namespace quillory {
namespace {

constexpr int kTableStep = 128;
// Line counts and units are 16-bit; a text that would need more lines than
// this stops there as if memory had run out, so neither can wrap.
constexpr int kLargestCapacity = 255 * kTableStep;

LineRecord* AllocateLines(int capacity) {
  return static_cast<LineRecord*>(platform::Alloc((static_cast<std::size_t>(capacity) + 1) * sizeof(LineRecord)));
}

// One pass of layout over a text that the view may or may not keep.
class Layout {
 public:
  Layout(TextView& view, const std::uint8_t* text, std::size_t length)
      : view_(view), text_(text), length_(length) {}

  // Builds the line table; kLayoutOk or kOutOfMemory.
  int Run();

 private:
  std::uint8_t At(std::size_t offset) const { return offset < length_ ? text_[offset] : 0; }
  // Bytes of the zero-terminated string at `offset` within the text.
  std::size_t StringLength(std::size_t offset) const {
    if (offset >= length_) return 0;
    const void* zero = std::memchr(text_ + offset, 0, length_ - offset);
    return zero ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - (text_ + offset))
                : length_ - offset;
  }
  void SelectFontFor(std::uint8_t key) {
    SelectStyleFont(&view_, key);
    lineHeight_ = view_.context->GetTextMetrics().height;
  }
  // The next free line record, growing the table when it is full; null
  // when it cannot grow (the table then ends at the current index).
  LineRecord* NextLine();
  // The left edge of a body of `width` pixels under the record's alignment,
  // after the running indent and the label column.
  std::int32_t AlignedX(std::uint8_t style, std::int32_t indent, std::int32_t labelWidth, std::int32_t width) const;
  bool LayRule(std::size_t at, std::uint8_t style, std::uint8_t code);
  // Breaks a record's string into lines; false when memory ran out.
  bool LayParagraph(std::size_t stringAt, std::uint8_t style, std::uint8_t labelClass, std::uint16_t linkNumber);

  TextView& view_;
  const std::uint8_t* text_;
  std::size_t length_;
  std::int32_t lineHeight_ = 0;
  std::uint8_t currentStyle_ = 1;
  std::int32_t runningIndent_ = 0;
  int totalUnits_ = 0;
};

LineRecord* Layout::NextLine() {
  if (view_.lineCount == view_.capacity) {
    const int grown = view_.capacity + kTableStep;
    LineRecord* table = grown <= kLargestCapacity ? AllocateLines(grown) : nullptr;
    if (!table) {
      view_.lines[view_.lineCount] = LineRecord{};
      return nullptr;
    }
    std::copy_n(view_.lines, view_.lineCount, table);
    platform::Release(view_.lines);
    view_.lines = table;
    view_.capacity = static_cast<std::uint16_t>(grown);
  }
  return &view_.lines[view_.lineCount];
}

std::int32_t Layout::AlignedX(std::uint8_t style, std::int32_t indent, std::int32_t labelWidth,
                              std::int32_t width) const {
  const std::int32_t shift = indent + labelWidth;
  switch (style & kAlignMask) {
    case kAlignRight: return view_.left + view_.width - shift - width;
    case kAlignCentre: return view_.left + indent + (view_.width - shift - width) / 2;
    default: return view_.left + shift;
  }
}

bool Layout::LayRule(std::size_t at, std::uint8_t style, std::uint8_t code) {
  LineRecord* line = NextLine();
  if (!line) return false;
  const std::int32_t length = RuleLength(code, view_.width);
  *line = LineRecord{};
  line->textOffset = static_cast<std::uint16_t>(at + 2);
  line->width = static_cast<std::uint16_t>(length);
  line->height = static_cast<std::uint16_t>(lineHeight_);
  line->style = style;
  line->x = static_cast<std::uint16_t>(AlignedX(style, 0, 0, length));
  if (style & kBlankAfterBit) ++totalUnits_;
  ++view_.lineCount;
  return true;
}

bool Layout::LayParagraph(std::size_t stringAt, std::uint8_t style, std::uint8_t labelClass,
                          std::uint16_t linkNumber) {
  const std::size_t total = StringLength(stringAt);
  std::int32_t labelWidth = 0;
  if (labelClass != 0) {
    runningIndent_ &= kIndentMask;
    labelWidth = (labelClass + 1) * view_.context->GetTextMetrics().maxCharWidth / 2;
  }
  const bool hebrew = (style & kHebrewBit) != 0;
  // Hebrew is stored in visual order; lines are broken on a reversed copy,
  // so that the text's start (its rightmost part) fills the first line.
  const std::uint8_t* work = text_ + std::min(stringAt, length_);
  platform::HeapBlock reversed;
  if (hebrew) {
    reversed = platform::HeapBlock::Allocate(total + 1);
    if (!reversed) return false;
    std::reverse_copy(work, work + total, reversed.data());
    reversed.data()[total] = 0;
    work = reversed.data();
  }
  if (runningIndent_ >= view_.width) runningIndent_ = 0;

  SetRunBase(hebrew ? kLiveFontBase : kNoMappingBase);
  std::size_t pos = 0;
  std::size_t left = total;  // bytes not yet consumed or skipped
  while (pos < total) {
    while (pos < total && work[pos] == ' ') ++pos, --left;
    if (pos == total) break;
    LineRecord* line = NextLine();
    if (!line) {
      SetRunBase(kNoMappingBase);
      return false;
    }
    std::int32_t available = view_.width - runningIndent_;
    std::size_t candidate = left;
    std::size_t bodyAt = pos;
    std::size_t labelBytes = 0;
    if (labelWidth != 0) {
      while (bodyAt < total && work[bodyAt] != ' ') ++bodyAt;
      while (bodyAt < total && work[bodyAt] == ' ') ++bodyAt;
      labelBytes = bodyAt - pos;
      candidate -= labelBytes;
      available = std::max(0, available - labelWidth);
    }
    MeasuredRun run = FitLine(*view_.context, work + bodyAt, available, static_cast<std::int32_t>(candidate), true);
    auto count = static_cast<std::size_t>(run.count);
    if (count == 0 && labelBytes == 0) {
      // Not even one byte fits the width: the line takes one anyway, so
      // that every line moves on through the text.
      count = 1;
      run = MeasureRun(*view_.context, work + bodyAt, INT32_MAX, 1);
    }
    const std::size_t offset = hebrew ? stringAt + total - bodyAt - count : stringAt + pos;
    const std::int32_t indent = runningIndent_ + labelWidth;
    *line = LineRecord{};
    line->textOffset = static_cast<std::uint16_t>(offset);
    line->count = static_cast<std::uint16_t>(count);
    line->width = static_cast<std::uint16_t>(run.width);
    line->height = static_cast<std::uint16_t>(lineHeight_);
    line->labelWidth = static_cast<std::uint16_t>(labelWidth);
    line->linkNumber = linkNumber;
    line->x = static_cast<std::uint16_t>(AlignedX(style, runningIndent_, labelWidth, run.width));
    runningIndent_ = indent;
    const std::size_t consumed = count + labelBytes;
    if (consumed == left) {
      line->style = style;
      if (style & kBlankAfterBit) ++totalUnits_;
    } else {
      line->style = static_cast<std::uint8_t>(style & ~kBlankAfterBit);
    }
    pos += consumed;
    left -= consumed;
    ++view_.lineCount;
    labelWidth = 0;
  }
  SetRunBase(kNoMappingBase);
  return true;
}

int Layout::Run() {
  view_.lineCount = 0;
  SelectFontFor(1);
  currentStyle_ = 1;
  std::uint8_t previousLayout = 0;
  std::size_t at = 0;
  bool ok = true;
  while (ok && At(at) != 0) {
    const std::uint8_t style = At(at);
    const std::uint8_t layout = At(at + 1);
    auto labelClass = static_cast<std::uint8_t>(layout >> kLabelClassShift);
    if (labelClass != 0 && At(at + 2) == ' ' && view_.lineCount > 0) {
      // A labelled record that starts with a space continues the previous
      // paragraph's hanging indent.
      runningIndent_ += (layout & kIndentMask) - (previousLayout & kIndentMask);
      labelClass = 0;
    } else {
      runningIndent_ = layout;
    }
    previousLayout = layout;
    std::size_t stringAt = at + 2;
    std::uint8_t lineStyle = style;
    std::uint16_t linkNumber = 0;
    if (IsSpecialStyle(style)) {
      if (layout == 0) {
        at += 3;
        continue;
      }
      if (At(stringAt) == 0) {
        ok = LayRule(at, style, layout);
        at += 3;
        continue;
      }
      const LinkNumber number = DecodeLinkNumber(At(stringAt), At(stringAt + 1));
      stringAt += number.length;
      if (number.number == 0) {
        at = stringAt + StringLength(stringAt) + 1;
        continue;
      }
      runningIndent_ = 0;
      labelClass = 0;
      if ((currentStyle_ & kStyleKeyMask) != kSmallBit) SelectFontFor((style & kHebrewBit) | kSmallBit);
      // A link is set in the small font of its Hebrew bit.
      lineStyle = static_cast<std::uint8_t>((style & ~(kLargeBit | 0x01)) | kSmallBit);
      linkNumber = number.number;
    } else if ((style & kStyleKeyMask) != (currentStyle_ & kStyleKeyMask)) {
      SelectFontFor(style);
    }
    ok = LayParagraph(stringAt, style, labelClass, linkNumber);
    currentStyle_ = lineStyle;
    at = stringAt + StringLength(stringAt) + 1;
  }
  // Out of memory, the table ends after the lines made so far.
  view_.lines[view_.lineCount] = LineRecord{};
  totalUnits_ += view_.lineCount;
  if (view_.lineCount > 0 && (view_.lines[view_.lineCount - 1].style & kBlankAfterBit)) {
    view_.lines[view_.lineCount - 1].style &= static_cast<std::uint8_t>(~kBlankAfterBit);
    --totalUnits_;
  }
  view_.totalUnits = static_cast<std::uint16_t>(totalUnits_);
  return ok ? kLayoutOk : kOutOfMemory;
}

bool Rejected(const platform::HeapBlock& text) {
  const std::uint8_t* t = text.data();
  const std::size_t n = text.length();
  if (n == 0 || n > kLongestText || t[0] == 0) return true;
  return (n < 3 || t[2] == 0) && !IsSpecialStyle(t[0]);
}

// Makes the link table for the lines just laid out; none when there are no
// link lines or no memory (links are then neither drawn nor tappable).
void MakeLinkTable(TextView& view) {
  platform::Release(view.links);
  view.links = nullptr;
  std::size_t linkLines = 0;
  for (std::uint16_t i = 0; i < view.lineCount; ++i) linkLines += view.lines[i].linkNumber != 0;
  if (linkLines == 0) return;
  view.links = static_cast<LinkHit*>(platform::Alloc((linkLines + 1) * sizeof(LinkHit)));
  if (view.links) view.links[0] = LinkHit{};
}

// Lays out `text` (the view's own or a new one); the view's counters and
// tables follow. On running out of memory the table ends after the lines
// made so far.
int LayoutBytes(TextView& view, const platform::HeapBlock& text) {
  if (!view.lines || view.capacity == 0) {
    platform::Release(view.lines);
    view.lines = AllocateLines(kTableStep);
    if (!view.lines) {
      view.capacity = 0;
      view.lineCount = 0;
      return kOutOfMemory;
    }
    view.capacity = kTableStep;
  }
  platform::Font* previous = view.context->font();
  const int result = Layout(view, text.data(), text.length()).Run();
  view.context->SelectFont(previous);
  return result;
}

// Puts the view into the state of an empty article.
void ClearLines(TextView& view) {
  view.lineCount = 0;
  view.totalUnits = 0;
  if (view.lines) view.lines[0] = LineRecord{};
  platform::Release(view.links);
  view.links = nullptr;
}

void ResetCounters(TextView& view) {
  view.totalUnits = 0;
  view.maxTop = 0;
  view.highlightStart = 0;
  view.highlightEnd = 0;
}

}  // namespace

platform::Font* SelectStyleFont(TextView* view, std::uint32_t request) {
  return SelectStyleFont(view->fontCache, view->font, *view->context, request);
}

TextView* CreateTextView(platform::DeviceContext* context, const ViewRect* rect, const FontDescription& font,
                         int initialCapacity) {
  if (!context) return nullptr;
  void* record = platform::AllocZeroed(sizeof(TextView));
  if (!record) return nullptr;
  auto* view = new (record) TextView{};
  view->context = context;
  view->font = font;
  if (rect) {
    view->left = rect->left;
    view->top = rect->top;
    view->width = rect->right - rect->left;
    view->height = rect->bottom - rect->top;
  }
  if (initialCapacity > 0) {
    const int capacity = std::min(initialCapacity, kLargestCapacity);
    view->lines = AllocateLines(capacity);
    if (view->lines) {
      view->lines[0] = LineRecord{};
      view->capacity = static_cast<std::uint16_t>(capacity);
    }
  }
  return view;
}

int LayoutText(TextView* view, platform::HeapBlock text, bool replace) {
  if (!view) return kNoView;
  if (!text) {
    if (replace) {
      view->text = platform::HeapBlock();
      view->selectionAnchor = view->selectionFocus = 0;
      ClearLines(*view);
      ResetCounters(*view);
    }
    return kNoText;
  }
  ResetCounters(*view);
  if (Rejected(text)) return kRejectedText;
  if (replace) view->text = platform::HeapBlock();
  view->selectionAnchor = view->selectionFocus = 0;
  const int result = LayoutBytes(*view, text);
  if (result != kLayoutOk) {
    // The new text is kept only on success; the lines made from it go too,
    // so that nothing refers to bytes the view does not hold.
    ClearLines(*view);
    if (replace) view->text = platform::HeapBlock();
    return result;
  }
  view->text = std::move(text);
  ComputeMaxTop(view);
  MakeLinkTable(*view);
  return kLayoutOk;
}

int RelayoutText(TextView* view) {
  if (!view) return kNoView;
  if (!view->text) return kNoText;
  ResetCounters(*view);
  if (Rejected(view->text)) return kRejectedText;
  const int result = LayoutBytes(*view, view->text);
  if (result != kLayoutOk) return result;
  ComputeMaxTop(view);
  MakeLinkTable(*view);
  return kLayoutOk;
}

int ResizeTextView(TextView* view, std::int32_t width, std::int32_t height) {
  if (!view) return kNoView;
  if (width <= 0 || height <= 0) return kBadSize;
  view->width = width;
  view->height = height;
  return RelayoutText(view);
}

int ApplyFontDescription(TextView* view, const FontDescription* font) {
  if (!view) return kNoView;
  if (!font) {
    ReleaseFontCache(view->fontCache);
    return 0;
  }
  // Another font breaks the lines elsewhere, and the same top position
  // would be another passage: the byte at the top stays on the top line.
  const std::optional<std::uint16_t> place = TopPlace(view);
  view->font = *font;
  RecreateFontCache(view->fontCache, view->font);
  if (RelayoutText(view) != kLayoutOk) return 1;
  if (place) ShowPlaceAtTop(view, *place);
  return PaintTextView(view, true);
}

void DestroyTextView(TextView* view, bool freeRecord) {
  if (!view) return;
  view->text = platform::HeapBlock();
  platform::Release(view->lines);
  view->lines = nullptr;
  view->capacity = 0;
  view->lineCount = 0;
  platform::Release(view->links);
  view->links = nullptr;
  ApplyFontDescription(view, nullptr);
  if (freeRecord) {
    view->~TextView();
    platform::Release(view);
  }
}

int ComputeMaxTop(TextView* view) {
  if (!view || !view->lines || view->totalUnits == 0 || view->lineCount == 0) return -1;
  auto remaining = static_cast<std::int16_t>(view->height);
  int units = 0;
  for (int i = view->lineCount - 1; i >= 0; --i) {
    const LineRecord& line = view->lines[i];
    if (remaining < static_cast<std::int16_t>(line.height)) break;
    remaining = static_cast<std::int16_t>(remaining - line.height);
    ++units;
    if (line.style & kBlankAfterBit) {
      remaining = static_cast<std::int16_t>(remaining - line.height);
      ++units;
    }
  }
  if (remaining < 0) --units;
  view->maxTop = static_cast<std::uint16_t>(view->totalUnits - units);
  return static_cast<std::int16_t>(view->maxTop);
}

}  // namespace quillory
