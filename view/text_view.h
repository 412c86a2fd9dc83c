#pragma once
// The text view: the one display object of the main window. It owns the
// current article's text, breaks it into display lines for its font and
// width, and keeps the reading position.
//
// Positions are display units: one per display line, plus one for the
// blank line after a paragraph whose style asks for it (never after the
// article's last line). The top position, the saved positions and the page
// size are all counted in these units, so a saved position means another
// place in the text once the font or the width has changed.
//
// Results follow the view's own codes: 0 success, -1 no view, 2 no text,
// 0xFFFC rejected text, 0xFFFE out of memory, -5 bad size; painting and
// scrolling add 1 (nothing to do) and 3 (moved, not repainted).

#include <cstdint>

#include "core/font_description.h"
#include "platform/graphics/device_context.h"
#include "platform/system/memory.h"
#include "view/style_fonts.h"

namespace quillory {

struct LineRecord {
  std::uint16_t textOffset = 0;  // first stored byte of the body (of the label, on a labelled LTR line)
  std::uint16_t count = 0;       // stored bytes of the body; 0 for a rule
  std::uint16_t x = 0;           // left edge of the body, window pixels
  std::uint16_t labelWidth = 0;  // the hanging label column, first line only
  std::uint16_t width = 0;       // measured body width; a rule's length
  std::uint16_t height = 0;      // cell height of the line's font
  std::uint16_t linkNumber = 0;  // of a link line, else 0
  std::uint8_t style = 0;        // the record's style; 0x80 only on a paragraph's last line; 0 ends the table
};

struct LinkHit {
  const LineRecord* line = nullptr;  // null ends the table
  std::uint16_t y = 0;               // top of the line on screen
};

// Bit of the view's flag word: back links are shown and tappable.
constexpr std::uint16_t kShowBackLinks = 0x0001;

// The result codes, as 16-bit values where the view stores them so.
constexpr int kLayoutOk = 0;
constexpr int kNoView = -1;
constexpr int kNoText = 2;
constexpr int kRejectedText = 0xFFFC;
constexpr int kOutOfMemory = 0xFFFE;
constexpr int kBadSize = -5;
constexpr int kNothingToDo = 1;
constexpr int kMovedNotPainted = 3;

// The longest text a view takes: its offsets are 16-bit.
constexpr std::size_t kLongestText = 0xFFFF;

struct TextView {
  LineRecord* lines = nullptr;               // owned (platform heap); capacity + 1 records
  platform::DeviceContext* context = nullptr;  // the main window's; not owned
  platform::HeapBlock text;                  // the article text, owned once a layout accepted it
  std::int32_t unitsDrawn = 0;               // units painted by the last paint: the page size
  FontDescription font;
  FontCache fontCache;
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t topPosition = 0;
  std::uint16_t totalUnits = 0;
  std::uint16_t lineCount = 0;
  std::uint16_t capacity = 0;
  std::uint16_t maxTop = 0;
  std::uint16_t highlightStart = 0;
  std::uint16_t highlightEnd = 0;
  LinkHit* links = nullptr;  // owned (platform heap); rebuilt by every paint
  std::uint16_t flags = 0;   // kShowBackLinks
  // The reader's own beyond the handheld's record. The selection, as
  // reading places (view/text_selection.h): where it was started and where
  // it reaches; equal when nothing is selected. A new layout of the same
  // text keeps it; another text clears it.
  std::uint16_t selectionAnchor = 0;
  std::uint16_t selectionFocus = 0;
  bool bannerShown = false;  // the search banner is over the page until the next paint
};

struct ViewRect {
  std::int32_t left, top, right, bottom;
};

// A new view drawing through `context`; null when the context is null or
// the record cannot be allocated. With a capacity above 0 the line table is
// made at once (a failure there leaves it to the first layout).
TextView* CreateTextView(platform::DeviceContext* context, const ViewRect* rect, const FontDescription& font,
                         int initialCapacity);

// Lays out a new text; with `replace` the view's old text is released
// first. An empty block stands for no text (result 2; with `replace` the
// view is then without text). A rejected text (0xFFFC) is released and the
// view keeps its own.
int LayoutText(TextView* view, platform::HeapBlock text, bool replace);
// Lays out the view's own text again, as after a resize or a font change.
int RelayoutText(TextView* view);

int ResizeTextView(TextView* view, std::int32_t width, std::int32_t height);
// With null: releases every cached font and returns 0. Otherwise takes the
// description, remakes the fonts, lays out (the text at the top of the page
// staying there) and repaints.
int ApplyFontDescription(TextView* view, const FontDescription* font);
// Releases text, tables and fonts; with `freeRecord` the view itself.
void DestroyTextView(TextView* view, bool freeRecord);
// The top position at which the article's end fills the last page; -1
// when there is nothing laid out. Stored in the view.
int ComputeMaxTop(TextView* view);

// Selects the font of a style key from the view's cache (see
// SelectStyleFont) and returns the font it replaced.
platform::Font* SelectStyleFont(TextView* view, std::uint32_t request);

}  // namespace quillory
