// Arbitrary article texts: laying them out at several widths, painting
// every page, highlighting, tapping and drawing the banner stay inside the
// text and the view's tables. Fonts are fixed-pitch so that runs are fast
// and independent of the system's fonts.

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/app_state.h"
#include "fuzz/fixed_font.h"
#include "platform/graphics/font_catalog.h"
#include "view/text_paint.h"
#include "view/text_scroll.h"
#include "view/text_view.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillory;
  platform::SetFontFactory(quillory_fuzz::FixedFont);
  App().font.asciiBase = kBaseUnicode;
  platform::Framebuffer pixels(120, 90);
  platform::DeviceContext context(&pixels);
  const ViewRect rect{2, 2, 118, 88};
  TextView* view = CreateTextView(&context, &rect, FontDescription{}, 4);
  if (!view) return 0;
  platform::HeapBlock text = platform::HeapBlock::Allocate(size);
  if (size > 0) std::memcpy(text.data(), data, size);
  if (LayoutText(view, std::move(text), true) == kLayoutOk) {
    view->flags = size % 2 ? kShowBackLinks : 0;
    view->highlightStart = static_cast<std::uint16_t>(size / 3);
    view->highlightEnd = static_cast<std::uint16_t>(size / 2);
    for (int page = 0; page < 8; ++page) {
      PaintTextView(view, true);
      HitTestLink(view, 30, 20);
      if (ScrollTextView(view, std::max(1, view->unitsDrawn - 1), 0, true) != kMovedNotPainted) break;
    }
    DrawSearchBanner(view);
    ResizeTextView(view, 13, 40);
    ShowOffsetAtTop(view, static_cast<std::uint16_t>(size / 2));
    PaintTextView(view, true);
  }
  DestroyTextView(view, true);
  return 0;
}
