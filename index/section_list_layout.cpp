// Creating, laying out, resizing and destroying the section list.

#include <algorithm>
#include <climits>
#include <new>

#include "core/shell_calls.h"
#include "index/index_entries.h"
#include "index/section_list.h"
#include "view/letter_code.h"
#include "view/palette.h"

namespace quillory {
namespace {

constexpr int kTableStep = 128;
// Line counts are 16-bit, and the table holds one record more than its
// capacity; a layout that would need more stops as if memory had run out.
constexpr int kLargestCapacity = 0xFFFF - kTableStep + 1;
constexpr std::int32_t kIndentUnit = 13;

using Scratch = std::unique_ptr<std::uint8_t, platform::HeapDeleter>;

ListLine* AllocateLines(int capacity) {
  return static_cast<ListLine*>(AllocOrStop((static_cast<std::size_t>(capacity) + 1) * sizeof(ListLine)));
}

// One pass of layout over an entry buffer that the list adopts after it.
class ListLayout {
 public:
  ListLayout(SectionList& list, std::span<const std::uint8_t> entries) : list_(list), entries_(entries) {}

  // Builds the line table; false when memory ran out (the table then holds
  // the lines made so far).
  bool Run();

 private:
  void SelectFontFor(std::uint8_t style) {
    SelectListFont(&list_, style);
    lineHeight_ = list_.context->GetTextMetrics().height;
  }
  // The next free record, growing the table when it is full; null when it
  // cannot grow.
  ListLine* NextLine();
  bool LayEntry(const IndexEntry& entry);

  SectionList& list_;
  std::span<const std::uint8_t> entries_;
  std::int32_t lineHeight_ = 0;
};

ListLine* ListLayout::NextLine() {
  if (list_.lineCount == list_.capacity) {
    const int grown = list_.capacity + kTableStep;
    ListLine* table = grown <= kLargestCapacity ? AllocateLines(grown) : nullptr;
    if (!table) return nullptr;
    std::copy_n(list_.lines, list_.lineCount, table);
    platform::Release(list_.lines);
    list_.lines = table;
    list_.capacity = static_cast<std::uint16_t>(grown);
  }
  return &list_.lines[list_.lineCount];
}

bool ListLayout::LayEntry(const IndexEntry& entry) {
  std::int32_t indent = entry.level * kIndentUnit;
  if (indent >= list_.width) indent = 0;
  const auto n = static_cast<std::int32_t>(entry.titleLength);
  if (n == 0) return true;
  // Titles are stored in visual order; lines are broken on a reversed copy,
  // so that the title's start (its rightmost part) fills the first line.
  Scratch scratch(static_cast<std::uint8_t*>(AllocOrStop(entry.titleLength)));
  if (!scratch) return false;
  const std::uint8_t* title = entries_.data() + entry.titleAt;
  std::reverse_copy(title, title + n, scratch.get());

  std::int32_t pos = 0;
  while (pos < n) {
    while (pos < n && scratch.get()[pos] == ' ') ++pos;
    if (pos == n) break;
    ListLine* line = NextLine();
    if (!line) return false;
    const std::uint8_t* rest = scratch.get() + pos;
    MeasuredRun run = FitLine(*list_.context, rest, list_.width - indent, n - pos, false);
    if (run.count == 0) {
      // Not even one byte fits: the line takes one anyway, so that every
      // line moves on through the title.
      run = MeasureRun(*list_.context, rest, INT32_MAX, 1);
      run.count = 1;
    }
    *line = ListLine{};
    line->textOffset = static_cast<std::uint16_t>(entry.titleAt + static_cast<std::size_t>(n - pos - run.count));
    line->count = static_cast<std::uint16_t>(run.count);
    line->width = static_cast<std::uint16_t>(run.width);
    line->height = static_cast<std::uint16_t>(lineHeight_);
    line->key = entry.key;
    line->style = entry.style;
    // Right-aligned against the indentation.
    line->x = static_cast<std::uint16_t>(std::max(0, list_.left + list_.width - indent - run.width));
    if (entry.style & kShownBit) ++list_.visibleLines;
    ++list_.lineCount;
    pos += run.count;
  }
  return true;
}

bool ListLayout::Run() {
  list_.lineCount = 0;
  SetRunBase(kLiveFontBase);
  SelectFontFor(1);
  std::uint8_t previousStyle = 1;
  bool ok = true;
  for (auto entry = EntryAt(entries_, 0); ok && entry; entry = EntryAt(entries_, entry->next())) {
    if ((entry->style ^ previousStyle) & kFontKeyMask) SelectFontFor(entry->style);
    previousStyle = entry->style;
    ok = LayEntry(*entry);
  }
  SetRunBase(kNoMappingBase);
  list_.lines[list_.lineCount] = ListLine{};
  return ok;
}

}  // namespace

SectionList* CreateSectionList(platform::DeviceContext* context, const ListRect* rect, const FontDescription& font,
                               int initialCapacity) {
  if (!context) return nullptr;
  void* record = AllocOrStop(sizeof(SectionList));
  if (!record) return nullptr;
  auto* list = new (record) SectionList{};
  list->context = context;
  list->font = font;
  if (rect) {
    list->left = rect->left;
    list->top = rect->top;
    list->width = rect->right - rect->left;
    list->height = rect->bottom - rect->top;
  }
  if (initialCapacity > 0) {
    const int capacity = std::min(initialCapacity, kLargestCapacity);
    list->lines = AllocateLines(capacity);
    if (list->lines) {
      list->lines[0] = ListLine{};
      list->capacity = static_cast<std::uint16_t>(capacity);
    }
  }
  return list;
}

int LayoutSectionList(SectionList* list, platform::HeapBlock& entries, bool replace) {
  if (!list) return kNoList;
  list->visibleLines = 0;
  list->maxTop = 0;
  if (!entries) {
    if (replace) list->entries = platform::HeapBlock();
    return kNoEntries;
  }
  const auto first = EntryAt(BytesOf(entries), 0);
  if (!first || first->titleLength == 0) return kRejectedEntries;
  if (replace) list->entries = platform::HeapBlock();
  if (!list->lines || list->capacity == 0) {
    platform::Release(list->lines);
    list->capacity = 0;
    list->lineCount = 0;
    list->lines = AllocateLines(kTableStep);
    if (!list->lines) return kListOutOfMemory;
    list->capacity = kTableStep;
  }
  platform::Font* const previousFont = list->context->font();
  const bool ok = ListLayout(*list, BytesOf(entries)).Run();
  // Even a layout cut short keeps its buffer: its lines point into it.
  list->entries = std::move(entries);
  ComputeListMaxTop(list);
  list->context->SelectFont(previousFont);
  return ok ? kListOk : kListOutOfMemory;
}

int ResizeSectionList(SectionList* list, std::int32_t width, std::int32_t height) {
  if (!list) return kNoList;
  list->width = width;
  list->height = height;
  platform::HeapBlock own = std::move(list->entries);
  const int result = LayoutSectionList(list, own, false);
  if (own) list->entries = std::move(own);
  return result;
}

int ComputeListMaxTop(SectionList* list) {
  if (!list || !list->lines || list->visibleLines == 0 || list->lineCount == 0) return -1;
  auto remaining = static_cast<std::int16_t>(list->height);
  int fitting = 0;
  for (int i = list->lineCount - 1; i >= 0; --i) {
    const ListLine& line = list->lines[i];
    if (line.height > remaining) break;
    if (line.style & kShownBit) {
      remaining = static_cast<std::int16_t>(remaining - line.height);
      ++fitting;
    }
  }
  list->maxTop = static_cast<std::uint16_t>(list->visibleLines - fitting);
  return list->maxTop;
}

void DestroySectionList(SectionList* list, bool freeRecord) {
  if (!list) return;
  list->entries = platform::HeapBlock();
  platform::Release(list->lines);
  list->lines = nullptr;
  list->capacity = 0;
  list->lineCount = 0;
  ReleaseFontCache(list->fontCache);
  if (freeRecord) {
    list->~SectionList();
    platform::Release(list);
  }
}

platform::Font* SelectListFont(SectionList* list, std::uint32_t request) {
  const auto key = static_cast<std::uint8_t>(request & kFontKeyMask);
  platform::Font* const previous = SelectStyleFont(list->fontCache, list->font, *list->context, key);
  if (request & kWithColour) {
    constexpr std::uint8_t kLargeBold = 0x0C;
    const Palette& palette = CurrentPalette();
    list->context->SetTextColor((key & kLargeBold) == kLargeBold ? palette.heading : palette.text);
  }
  return previous;
}

}  // namespace quillory
