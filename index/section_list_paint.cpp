// Painting the section list and moving its top line.

#include <algorithm>
#include <optional>

#include "core/app_state.h"
#include "index/index_entries.h"
#include "index/section_list.h"
#include "view/letter_code.h"
#include "view/palette.h"

namespace quillory {
namespace {

constexpr std::int32_t kGlyphSize = 9;
constexpr std::int32_t kGlyphGap = 4;

enum GlyphIndex { kPlusGlyph = 0, kMinusGlyph = 1, kPageGlyph = 2 };

// The glyph right of a line: plus or minus for a closed or open group
// header, a page for anything else; a glyph that did not load draws nothing.
void DrawGlyph(platform::DeviceContext& context, platform::DeviceContext& memory, const ListLine& line,
               std::int32_t lineTop) {
  GlyphIndex index = kPageGlyph;
  if (line.key & kGroupHeaderBit) index = (line.style & kExpandedBit) ? kMinusGlyph : kPlusGlyph;
  platform::Bitmap* glyph = App().glyphBitmaps[index];
  if (glyph == nullptr) return;
  const std::int32_t centred = (line.height - kGlyphSize) / 2;
  memory.SelectBitmap(glyph);
  context.BitBlt(line.x + line.width + kGlyphGap, lineTop + std::max(0, centred), kGlyphSize, kGlyphSize, memory, 0,
                 0);
  memory.SelectBitmap(nullptr);
}

// A dotted frame round the drawn lines of the entry with the focus mark,
// glyph included, as desktop lists mark the item the keys act on.
void DrawFocusMark(platform::DeviceContext& context, const platform::Rect& around) {
  const platform::Brush ink = platform::SolidBrush(CurrentPalette().text);
  for (std::int32_t x = around.left; x < around.right; x += 2) {
    context.FillRect(platform::Rect{x, around.top, x + 1, around.top + 1}, ink);
    context.FillRect(platform::Rect{x, around.bottom - 1, x + 1, around.bottom}, ink);
  }
  for (std::int32_t y = around.top; y < around.bottom; y += 2) {
    context.FillRect(platform::Rect{around.left, y, around.left + 1, y + 1}, ink);
    context.FillRect(platform::Rect{around.right - 1, y, around.right, y + 1}, ink);
  }
}

}  // namespace

const ListLine* FirstShownLine(const SectionList& list) {
  const ListLine* line = list.lines;
  for (int passed = 0; passed < list.topLine && line->style != 0; ++line) {
    if (line->style & kShownBit) ++passed;
  }
  return line;
}

int PaintSectionList(SectionList* list, bool erase) {
  if (!list || !list->entries || !list->lines) return -1;
  list->linesDrawn = 0;
  if (list->topLine > list->visibleLines) list->topLine = list->maxTop;
  platform::DeviceContext& context = *list->context;
  const ListLine* line = FirstShownLine(*list);

  const platform::Color oldColour = context.textColor();
  // Text and the glyphs' white stand on the page colour.
  const platform::Color oldBackground = context.SetBkColor(CurrentPalette().page);
  SetRunBase(kLiveFontBase);
  platform::Font* const oldFont = context.font();
  SelectListFont(list, line->style | kWithColour);
  if (erase) FillViewRect(context, list->left, list->top, list->width, list->height, CurrentPalette().page);
  const auto memory = platform::DeviceContext::CreateCompatible();

  std::int32_t y = list->top;
  std::int32_t remaining = list->height;
  std::uint8_t drawnStyle = line->style;
  std::uint16_t drawnKey = 0;
  const std::optional<SectionFocus> focus = FocusedEntry(list);
  std::optional<platform::Rect> focusFrame;
  for (; line->style != 0; ++line) {
    if (remaining < line->height) break;
    if (!(line->style & kShownBit)) continue;
    if ((line->style ^ drawnStyle) & kFontKeyMask) SelectListFont(list, line->style | kWithColour);
    drawnStyle = line->style;
    if (line->key != drawnKey) DrawGlyph(context, *memory, *line, y);
    drawnKey = line->key;
    DrawRun(context, list->entries.data() + line->textOffset, line->count, line->x, y, line->width, line->height);
    const auto index = static_cast<std::size_t>(line - list->lines);
    if (focus && index >= focus->firstLine && index < focus->endLine) {
      const platform::Rect drawn{line->x - 2, y, line->x + line->width + kGlyphGap + kGlyphSize + 2, y + line->height};
      focusFrame = focusFrame ? platform::Rect{std::min(focusFrame->left, drawn.left), focusFrame->top,
                                               std::max(focusFrame->right, drawn.right), drawn.bottom}
                              : drawn;
    }
    y += line->height;
    remaining -= line->height;
    ++list->linesDrawn;
  }
  if (focusFrame) DrawFocusMark(context, *focusFrame);
  SetRunBase(kNoMappingBase);
  context.SelectFont(oldFont);
  context.SetTextColor(oldColour);
  context.SetBkColor(oldBackground);
  return 0;
}

int ScrollSectionList(SectionList* list, int delta, bool repaint, bool clamp) {
  if (!list) return -1;
  int next = list->topLine + delta;
  if (next < 0) {
    next = 0;
  } else if (clamp || next > list->visibleLines) {
    next = std::min<int>(next, list->maxTop);
  }
  if (repaint && next == list->topLine) return 1;
  list->topLine = static_cast<std::uint16_t>(next);
  return repaint ? PaintSectionList(list, true) : 1;
}

}  // namespace quillory
