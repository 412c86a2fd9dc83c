// Arbitrary index entry buffers: the bookmarks group put in front, then the
// section list's layout at two sizes, painting every page, taps on every
// row (toggling groups), revealing articles and keeping what is open all
// stay inside the buffer and the list's tables. The first two bytes choose
// the list's size, so that narrow lists and single-byte lines are reached.

#include <cstdint>
#include <cstring>

#include "core/app_state.h"
#include "fuzz/fixed_font.h"
#include "index/index_entries.h"
#include "index/section_list.h"
#include "platform/graphics/font_catalog.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillory;
  if (size < 2) return 0;
  platform::SetFontFactory(quillory_fuzz::FixedFont);
  App().font.asciiBase = kBaseUnicode;
  std::uint16_t bookmarks[] = {static_cast<std::uint16_t>(data[0] % 50), 3, 0};
  App().bookmarks = bookmarks;
  App().bookmarkCount = 2;
  const std::int32_t width = 1 + data[0] % 150;
  const std::int32_t height = 1 + data[1] % 120;
  platform::Framebuffer pixels(160, 130);
  platform::DeviceContext context(&pixels);
  const ListRect rect{4, 4, 4 + width, 4 + height};
  SectionList* list = CreateSectionList(&context, &rect, FontDescription{}, data[1] % 3);
  if (!list) return 0;

  platform::HeapBlock entries = platform::HeapBlock::Allocate(size - 2);
  if (size > 2) std::memcpy(entries.data(), data + 2, size - 2);
  entries = AddBookmarkSection(std::move(entries));
  if (LayoutSectionList(list, entries, true) == kListOk) {
    RevealArticle(list, static_cast<std::uint16_t>(data[1] % 46));
    for (int page = 0; page < 6; ++page) {
      PaintSectionList(list, true);
      for (std::int32_t y = rect.top; y <= rect.bottom; y += 9) {
        HitTestSectionList(list, rect.left + (y * 7) % (width + 1), y);
      }
      if (ScrollSectionList(list, list->linesDrawn > 0 ? list->linesDrawn : 1, false, true) == 0) break;
    }
    const ExpansionState saved = SaveExpansion(list);
    ResizeSectionList(list, width / 2 + 1, height + 7);
    RestoreExpansion(list, saved.get());
    ScrollSectionList(list, -3, true, false);
    PaintSectionList(list, false);
  }
  DestroySectionList(list, true);
  App().bookmarks = nullptr;
  App().bookmarkCount = 0;
  return 0;
}
