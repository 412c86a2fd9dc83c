// The focus mark of the section list: the entry that the keys move between
// and that Enter opens. It is kept as the entry's place in the outline (its
// ordinal among all entries), which a new layout does not change.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "index/index_entries.h"
#include "index/section_list.h"

namespace quillory {
namespace {

bool HasLines(const SectionList* list) { return list && list->entries && list->lines && list->lineCount > 0; }

// An entry's lines follow each other with the same key and indentation; a
// new key, or the same key at another level (an article in the bookmarks
// group and in the index), starts the next entry.
bool StartsEntry(const SectionList& list, std::size_t line) {
  if (line == 0) return true;
  const ListLine& previous = list.lines[line - 1];
  const ListLine& current = list.lines[line];
  return current.key != previous.key || IndentOf(list, current) != IndentOf(list, previous);
}

std::size_t EntryEnd(const SectionList& list, std::size_t first) {
  std::size_t end = first + 1;
  while (list.lines[end].style != 0 && !StartsEntry(list, end)) ++end;
  return end;
}

bool Shown(const ListLine& line) { return (line.style & kShownBit) != 0; }

// The first line of entry `ordinal`, or nothing.
std::optional<std::size_t> LineOfEntry(const SectionList& list, int ordinal) {
  if (ordinal < 0) return std::nullopt;
  int seen = -1;
  for (std::size_t i = 0; list.lines[i].style != 0; ++i) {
    if (StartsEntry(list, i) && ++seen == ordinal) return i;
  }
  return std::nullopt;
}

int EntryOfLine(const SectionList& list, std::size_t line) {
  int ordinal = -1;
  for (std::size_t i = 0; i <= line; ++i) {
    if (StartsEntry(list, i)) ++ordinal;
  }
  return ordinal;
}

// Shown lines before line `line`: its place in the top line's count.
int ShownBefore(const SectionList& list, std::size_t line) {
  int shown = 0;
  for (std::size_t i = 0; i < line; ++i) shown += Shown(list.lines[i]) ? 1 : 0;
  return shown;
}

// How many shown lines fit on the page from shown line `top` on, counted
// as the paint counts them.
int LinesFittingFrom(const SectionList& list, int top) {
  const ListLine* line = list.lines;
  for (int passed = 0; passed < top && line->style != 0; ++line) passed += Shown(*line) ? 1 : 0;
  int fitting = 0;
  std::int32_t remaining = list.height;
  for (; line->style != 0 && remaining >= line->height; ++line) {
    if (!Shown(*line)) continue;
    remaining -= line->height;
    ++fitting;
  }
  return fitting;
}

// The shown entries' first lines, in order.
std::vector<std::size_t> ShownEntries(const SectionList& list) {
  std::vector<std::size_t> entries;
  for (std::size_t i = 0; list.lines[i].style != 0; ++i) {
    if (StartsEntry(list, i) && Shown(list.lines[i])) entries.push_back(i);
  }
  return entries;
}

void FocusLine(SectionList& list, std::size_t line) { list.focusEntry = EntryOfLine(list, line); }

}  // namespace

std::optional<SectionFocus> FocusedEntry(const SectionList* list) {
  if (!HasLines(list)) return std::nullopt;
  const std::optional<std::size_t> first = LineOfEntry(*list, list->focusEntry);
  if (!first || !Shown(list->lines[*first])) return std::nullopt;
  return SectionFocus{*first, EntryEnd(*list, *first)};
}

void FocusArticle(SectionList* list, std::uint16_t article) {
  if (!HasLines(list)) return;
  list->focusEntry = -1;
  // The entry RevealArticle shows: the article's first, which may stand in
  // the bookmarks group.
  for (std::size_t i = 0; list->lines[i].style != 0; ++i) {
    const ListLine& line = list->lines[i];
    if (Shown(line) && (line.key & kArticleEntryBit) && (line.key & kArticleNumberMask) == article) {
      FocusLine(*list, i);
      break;
    }
  }
  if (list->focusEntry < 0) {
    const std::vector<std::size_t> entries = ShownEntries(*list);
    if (!entries.empty()) FocusLine(*list, entries.front());
  }
  ScrollFocusIntoView(list);
}

bool ScrollFocusIntoView(SectionList* list) {
  const std::optional<SectionFocus> focus = FocusedEntry(list);
  if (!focus) return false;
  const int first = ShownBefore(*list, focus->firstLine);
  const int end = ShownBefore(*list, focus->endLine);
  int top = list->topLine;
  if (first < top) top = first;
  // Down until the entry's last line fits, but never past its first line.
  while (top < first && top + LinesFittingFrom(*list, top) < end) ++top;
  if (top == list->topLine) return false;
  list->topLine = static_cast<std::uint16_t>(top);
  return true;
}

bool MoveSectionFocus(SectionList* list, int entries) {
  if (!HasLines(list)) return false;
  const std::vector<std::size_t> shown = ShownEntries(*list);
  if (shown.empty()) return false;
  const std::optional<SectionFocus> focus = FocusedEntry(list);
  std::ptrdiff_t at = 0;
  if (focus) {
    for (std::size_t i = 0; i < shown.size(); ++i) {
      if (shown[i] == focus->firstLine) at = static_cast<std::ptrdiff_t>(i);
    }
    at = std::clamp<std::ptrdiff_t>(at + entries, 0, static_cast<std::ptrdiff_t>(shown.size()) - 1);
  } else {
    at = entries < 0 ? static_cast<std::ptrdiff_t>(shown.size()) - 1 : 0;
  }
  const int before = list->focusEntry;
  FocusLine(*list, shown[static_cast<std::size_t>(at)]);
  const bool scrolled = ScrollFocusIntoView(list);
  return scrolled || list->focusEntry != before;
}

bool PageSectionFocus(SectionList* list, int direction) {
  if (!HasLines(list)) return false;
  const int page = std::max(1, LinesFittingFrom(*list, list->topLine) - 1);
  // The page moves with the mark, as a desktop list's Page Down does.
  const int top = std::clamp(list->topLine + (direction > 0 ? page : -page), 0, static_cast<int>(list->maxTop));
  const bool scrolled = top != list->topLine;
  list->topLine = static_cast<std::uint16_t>(top);
  int entries = 0;
  if (const std::optional<SectionFocus> focus = FocusedEntry(list)) {
    // As many entries as there are lines in a page, counting wrapped titles once.
    const std::vector<std::size_t> shown = ShownEntries(*list);
    const int from = ShownBefore(*list, focus->firstLine);
    for (const std::size_t first : shown) {
      const int at = ShownBefore(*list, first);
      if (direction > 0 ? (at > from && at <= from + page) : (at < from && at >= from - page)) ++entries;
    }
  }
  return MoveSectionFocus(list, direction > 0 ? std::max(1, entries) : -std::max(1, entries)) || scrolled;
}

bool FocusEndOfList(SectionList* list, bool last) {
  // Further than any list reaches: MoveSectionFocus stops at the end.
  constexpr int kFar = 1 << 20;
  return MoveSectionFocus(list, last ? kFar : -kFar);
}

std::int32_t ActivateSectionFocus(SectionList* list) {
  const std::optional<SectionFocus> focus = FocusedEntry(list);
  if (!focus) return 0;
  const ListLine& line = list->lines[focus->firstLine];
  if (line.key & kArticleEntryBit) return line.key & kArticleNumberMask;
  const std::int32_t toggled = ToggleSectionGroup(list, static_cast<std::uint16_t>(focus->firstLine));
  // Closing may leave the top line past the new end.
  if (list->topLine > list->maxTop) list->topLine = list->maxTop;
  ScrollFocusIntoView(list);
  return toggled;
}

void KeepFocusShown(SectionList* list) {
  if (!HasLines(list) || list->focusEntry < 0) return;
  const std::optional<std::size_t> first = LineOfEntry(*list, list->focusEntry);
  if (!first) {
    list->focusEntry = -1;
    return;
  }
  // A closed group hid the marked entry: the mark goes up to the nearest
  // shown entry, the group's header.
  std::size_t line = *first;
  while (line > 0 && !(Shown(list->lines[line]) && StartsEntry(*list, line))) --line;
  if (Shown(list->lines[line])) {
    FocusLine(*list, line);
  } else {
    list->focusEntry = -1;
  }
}

}  // namespace quillory
