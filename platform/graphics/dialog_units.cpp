#include "platform/graphics/dialog_units.h"

#include "platform/graphics/font_catalog.h"

namespace platform {

Font* DialogFont() {
  // Kept for the whole process, like the other stock fonts: windows torn
  // down at exit may still hold it selected.
  static Font* const font = [] {
    FontRequest request;
    request.height = FontHeightOfPoints(8);
    return CreateFont(request).release();
  }();
  return font;
}

Size BaseUnitsOf(Font& font) {
  std::int32_t letters = 0;
  for (char16_t c = u'A'; c <= u'Z'; ++c) letters += font.Advance(c);
  for (char16_t c = u'a'; c <= u'z'; ++c) letters += font.Advance(c);
  return Size{(letters / 26 + 1) / 2, font.metrics().height};
}

Size GetDialogBaseUnits() {
  Font* font = DialogFont();
  return font ? BaseUnitsOf(*font) : Size{4, 8};
}

Rect DialogUnitsToPixels(const Rect& dialogUnits, Size units) {
  return Rect{dialogUnits.left * units.cx / 4, dialogUnits.top * units.cy / 8, dialogUnits.right * units.cx / 4,
              dialogUnits.bottom * units.cy / 8};
}

Rect TemplateRectToPixels(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height, Size units) {
  const std::int32_t left = x * units.cx / 4;
  const std::int32_t top = y * units.cy / 8;
  return Rect{left, top, left + width * units.cx / 4, top + height * units.cy / 8};
}

}  // namespace platform
