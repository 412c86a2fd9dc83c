// The section list as an outline: taps, opening and closing groups,
// revealing an article, and keeping what is open across a new layout.

#include <algorithm>

#include "core/shell_calls.h"
#include "index/index_entries.h"
#include "index/section_list.h"

namespace quillory {
namespace {

// Right of a line's text: the gap and the glyph.
constexpr std::int32_t kGlyphSpan = 13;

bool HasLines(const SectionList* list) { return list && list->entries && list->lines; }

std::int32_t ArticleResult(std::uint16_t key) { return key & kArticleNumberMask; }

// Shows a hidden line, counting it; a header shown this way shows closed.
void ShowLine(SectionList& list, ListLine& line) {
  if (line.style & kShownBit) return;
  line.style |= kShownBit;
  if (line.key & kGroupHeaderBit) line.style &= static_cast<std::uint8_t>(~kExpandedBit);
  ++list.visibleLines;
}

// Shows the entry whose first line is `first`; the index after it.
std::size_t ShowEntryFrom(SectionList& list, std::size_t first) {
  const std::uint16_t key = list.lines[first].key;
  std::size_t i = first;
  for (; list.lines[i].style != 0 && list.lines[i].key == key; ++i) ShowLine(list, list.lines[i]);
  return i;
}

}  // namespace

std::int32_t HitTestSectionList(SectionList* list, std::int32_t x, std::int32_t y) {
  if (!HasLines(list)) return 0;
  if (x < list->left || x > list->left + list->width || y < list->top || y > list->top + list->height) return 0;
  const ListLine* line = FirstShownLine(*list);
  std::int32_t bottom = list->top;
  std::int32_t remaining = list->height;
  for (;; ++line) {
    if (line->style == 0 || remaining < line->height) return kBelowLastLine;
    if (!(line->style & kShownBit)) continue;
    remaining -= line->height;
    bottom += line->height;
    if (y <= bottom) break;
  }
  const auto index = static_cast<std::uint16_t>(line - list->lines);
  const std::int32_t textEnd = line->x + line->width;
  if (x >= line->x && x <= textEnd + kGlyphSpan) {
    if (line->key & kArticleEntryBit) return ArticleResult(line->key);
    return ToggleSectionGroup(list, index);
  }
  // Right of the glyph, a header still takes the tap.
  if ((line->key & kGroupHeaderBit) && x > textEnd) return ToggleSectionGroup(list, index);
  return 0;
}

std::int32_t ToggleSectionGroup(SectionList* list, std::uint16_t header) {
  if (!HasLines(list) || header >= list->lineCount) return 0;
  ListLine* const lines = list->lines;
  ListLine& head = lines[header];
  const bool wasExpanded = (head.style & kExpandedBit) != 0;
  head.style ^= kExpandedBit;
  // A header whose title wraps keeps its own lines: they open and close
  // with it and are never hidden by it.
  std::size_t i = header + 1u;
  const std::int32_t headIndent = IndentOf(*list, head);
  for (; lines[i].style != 0 && lines[i].key == head.key && IndentOf(*list, lines[i]) == headIndent; ++i) {
    lines[i].style = static_cast<std::uint8_t>((lines[i].style & ~kExpandedBit) | (head.style & kExpandedBit));
  }
  // Closing hides everything down to the first line indented less than the
  // first child; opening shows the lines at the first child's indentation.
  const std::int32_t limit = IndentOf(*list, lines[i]);
  const std::uint16_t visibleBefore = list->visibleLines;
  for (; lines[i].style != 0 && IndentOf(*list, lines[i]) >= limit; ++i) {
    ListLine& line = lines[i];
    if (wasExpanded) {
      if (line.style & kShownBit) {
        line.style &= static_cast<std::uint8_t>(~kShownBit);
        --list->visibleLines;
      }
    } else if (IndentOf(*list, line) == limit && !(line.style & kShownBit)) {
      line.style |= kShownBit;
      ++list->visibleLines;
    }
  }
  if (list->visibleLines != visibleBefore) ComputeListMaxTop(list);
  PaintSectionList(list, true);
  return -ArticleResult(head.key);
}

void RevealArticle(SectionList* list, std::uint16_t article) {
  if (!HasLines(list) || article == 0) return;
  ListLine* const lines = list->lines;
  std::size_t found = 0;
  while (lines[found].style != 0 &&
         ((lines[found].key & kArticleNumberMask) != article || (lines[found].key & kGroupHeaderBit))) {
    ++found;
  }
  if (lines[found].style == 0 || (lines[found].style & kShownBit)) return;
  const std::size_t next = ShowEntryFrom(*list, found);
  if (lines[next].style != 0) ShowEntryFrom(*list, next);
  // Up the outline: every entry above that stands out further than all
  // below it so far is one of the article's enclosing entries.
  std::int32_t smallest = IndentOf(*list, lines[found]);
  for (std::size_t i = found; i-- > 0;) {
    if (IndentOf(*list, lines[i]) >= smallest) continue;
    smallest = IndentOf(*list, lines[i]);
    const std::uint16_t key = lines[i].key;
    ShowLine(*list, lines[i]);
    while (i > 0 && lines[i - 1].key == key) ShowLine(*list, lines[--i]);
  }
  // More lines are shown, so the last of them lies further down.
  ComputeListMaxTop(list);
}

ExpansionState SaveExpansion(const SectionList* list) {
  if (!HasLines(list) || list->visibleLines == 0) return nullptr;
  auto forEachShownEntry = [list](auto&& visit) {
    std::uint16_t lastKey = 0;
    for (const ListLine* line = list->lines; line->style != 0; ++line) {
      if (!(line->style & kShownBit) || line->key == lastKey) continue;
      lastKey = line->key;
      visit(*line);
    }
  };
  std::size_t pairs = 0;
  forEachShownEntry([&](const ListLine&) { ++pairs; });
  auto* saved = static_cast<std::uint16_t*>(AllocOrStop((pairs * 2 + 1) * sizeof(std::uint16_t)));
  if (!saved) return nullptr;
  std::uint16_t* out = saved;
  forEachShownEntry([&](const ListLine& line) {
    *out++ = line.key;
    *out++ = line.style & kExpandedBit;
  });
  *out = 0;
  return ExpansionState(saved);
}

int RestoreExpansion(SectionList* list, const std::uint16_t* saved) {
  if (!HasLines(list) || !saved) return -1;
  ListLine* const lines = list->lines;
  std::size_t i = 0;
  for (const std::uint16_t* pair = saved; pair[0] != 0; pair += 2) {
    const std::uint16_t key = pair[0];
    const auto wanted = static_cast<std::uint8_t>(kShownBit | (pair[1] & kExpandedBit));
    while (lines[i].style != 0 && lines[i].key != key) ++i;
    for (; lines[i].style != 0 && lines[i].key == key; ++i) {
      if ((lines[i].style & wanted) == wanted) continue;
      if (!(lines[i].style & kShownBit)) ++list->visibleLines;
      lines[i].style |= wanted;
    }
  }
  ComputeListMaxTop(list);
  return 0;
}

}  // namespace quillory
