#pragma once
// The section list: the outline of index entries that the Choose Section
// dialog draws into its client area. Each entry is word-wrapped, right to
// left, onto display lines, indented from the right by its level, with a
// 9 × 9 glyph right of its first line: a boxed plus or minus for a group
// header, a page for an article. Entries are shown or hidden; a tap on a
// header opens or closes its group.
//
// The list is not a window: it keeps the dialog's device context and a
// rectangle, and the dialog calls its operations. Lines are counted in
// visible lines only: the top line and the maximum top line skip hidden ones.
//
// Results keep the list's codes: 0 done, -1 no list, 2 no entries,
// 0xFFFC a first entry without style or text, 0xFFFE out of memory.

#include <cstdint>
#include <memory>
#include <optional>

#include "core/font_description.h"
#include "platform/graphics/device_context.h"
#include "platform/system/memory.h"
#include "view/style_fonts.h"

namespace quillory {

struct ListLine {
  std::uint16_t textOffset = 0;  // first stored byte of the segment in the entry buffer
  std::uint16_t count = 0;       // stored bytes in the segment
  std::uint16_t x = 0;           // left edge of the drawn segment
  std::uint16_t width = 0;       // measured width of the segment
  std::uint16_t height = 0;      // text height of the entry's font
  std::uint16_t key = 0;         // the entry's key, on every line of the entry
  std::uint8_t style = 0;        // the entry's style, then its own 0x80 and 0x40; 0 ends the table
};

struct SectionList {
  ListLine* lines = nullptr;                   // owned (platform heap); capacity + 1 records
  platform::DeviceContext* context = nullptr;  // the dialog's; not owned
  platform::HeapBlock entries;                 // owned once laid out
  std::int32_t linesDrawn = 0;                 // by the last paint: the scroll bar's page
  FontDescription font;
  FontCache fontCache;
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t topLine = 0;
  std::uint16_t visibleLines = 0;
  std::uint16_t lineCount = 0;
  std::uint16_t capacity = 0;
  std::uint16_t maxTop = 0;
  // The entry with the keyboard's focus mark: its ordinal among all
  // entries (a new layout keeps it), or -1 for none.
  int focusEntry = -1;
};

constexpr int kListOk = 0;
constexpr int kNoList = -1;
constexpr int kNoEntries = 2;
constexpr int kRejectedEntries = 0xFFFC;
constexpr int kListOutOfMemory = 0xFFFE;

// How far a line stands in from the list's right edge.
inline std::int32_t IndentOf(const SectionList& list, const ListLine& line) {
  return list.left + list.width - line.x - line.width;
}

// The first line drawn: the one after `topLine` shown lines (the table's
// end when there are fewer).
const ListLine* FirstShownLine(const SectionList& list);

// HitTestSectionList's answer for a tap below the last visible line.
constexpr std::int32_t kBelowLastLine = INT32_MIN;

struct ListRect {
  std::int32_t left, top, right, bottom;
};

// A new empty list drawing through `context`, with a line table of
// `initialCapacity` records when that is above 0. Null when the context is
// null or memory runs out (reported through AllocOrStop).
SectionList* CreateSectionList(platform::DeviceContext* context, const ListRect* rect, const FontDescription& font,
                               int initialCapacity);

// Breaks every entry into lines and adopts the buffer (it is released with
// the list or when replaced). An empty block stands for no entries (2; with
// `replace` the list then has none). Entries refused with 0xFFFC stay the
// caller's. Out of memory leaves an empty, terminated table.
int LayoutSectionList(SectionList* list, platform::HeapBlock& entries, bool replace);
// Takes the new size and lays the list's own entries out again.
int ResizeSectionList(SectionList* list, std::int32_t width, std::int32_t height);
// The top line at which the last visible line just fits at the bottom;
// stored. -1 without lines or visible lines.
int ComputeListMaxTop(SectionList* list);

// Draws the visible lines from the top line down; with `erase` the list's
// rectangle is filled white first. -1 without list, entries or table.
int PaintSectionList(SectionList* list, bool erase);
// Moves the top line by `delta`, never below 0 and, with `clamp` or past
// the visible lines, never beyond the maximum top line. 1 when nothing
// changed (with `repaint`) or when not repainted; else the paint's result.
int ScrollSectionList(SectionList* list, int delta, bool repaint, bool clamp);

// What a tap at x, y hits: an article number (> 0) for an article's text
// or glyph; the negative result of ToggleSectionGroup for a header's text,
// glyph or the space right of it; kBelowLastLine under the last line that
// fits; 0 for anything else.
std::int32_t HitTestSectionList(SectionList* list, std::int32_t x, std::int32_t y);
// Opens or closes the group of the header at line `header` and repaints;
// -(key & 0x3FFF). Opening shows the header's direct children; closing
// hides everything below it that is indented deeper than its first child.
// The header's own wrapped lines follow the header, never the toggle.
std::int32_t ToggleSectionGroup(SectionList* list, std::uint16_t header);
// Shows the article's first entry, the entry after it and every entry
// above it that is indented less, when it lies in a closed group. The top
// line stays.
void RevealArticle(SectionList* list, std::uint16_t article);

// Which entries are visible and which of them are open: pairs of (key,
// 0x40 or 0), one per visible entry, ended by a 0.
using ExpansionState = std::unique_ptr<std::uint16_t, platform::HeapDeleter>;
ExpansionState SaveExpansion(const SectionList* list);
// Shows (and opens) again what `saved` records after a new layout; never
// hides anything. -1 without entries, table or state.
int RestoreExpansion(SectionList* list, const std::uint16_t* saved);

// The keyboard's focus mark: the lines [firstLine, endLine) of the marked
// entry, while it is shown.
struct SectionFocus {
  std::size_t firstLine = 0;
  std::size_t endLine = 0;
};
std::optional<SectionFocus> FocusedEntry(const SectionList* list);
// Marks the entry RevealArticle shows for `article` (or, without one, the
// first shown entry) and scrolls it into view.
void FocusArticle(SectionList* list, std::uint16_t article);
// Moves the mark `entries` shown entries down (up when negative), stopping
// at the first and the last, and scrolls so that the marked entry shows
// whole. Whether the mark or the top line moved; nothing is repainted.
bool MoveSectionFocus(SectionList* list, int entries);
// A page down (`direction` > 0) or up: the top line and the mark move by
// the lines of a page less one.
bool PageSectionFocus(SectionList* list, int direction);
// The first (`last` false) or the last shown entry.
bool FocusEndOfList(SectionList* list, bool last);
// Scrolls so that the marked entry shows whole; whether the top line moved.
bool ScrollFocusIntoView(SectionList* list);
// Enter on the marked entry: an article's number (> 0); for a group header
// the group is opened or closed (and repainted), with ToggleSectionGroup's
// negative result; 0 without a mark.
std::int32_t ActivateSectionFocus(SectionList* list);
// After a group was closed by a tap: a mark hidden with it moves up to the
// nearest shown entry.
void KeepFocusShown(SectionList* list);

// Releases entries, line table and fonts; with `freeRecord` the list itself.
void DestroySectionList(SectionList* list, bool freeRecord);

// Selects the font of the style key in bits 0-4 of `request` from the
// list's cache (with kWithColour also its colour: blue for large bold,
// black otherwise) and returns the font it replaced.
platform::Font* SelectListFont(SectionList* list, std::uint32_t request);

}  // namespace quillory
