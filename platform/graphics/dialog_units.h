#pragma once
// Dialog units: templates place controls in units of the dialog font's
// average character, a quarter of its width across and an eighth of its cell
// height down, so that a dialog keeps its proportions with any font.

#include <cstdint>

#include "platform/graphics/font.h"
#include "platform/graphics/geometry.h"

namespace platform {

// The screen's logical resolution, by which points become pixels.
constexpr std::int32_t kLogicalPixelsPerInch = 96;

// The font height value (negative: character height) of a size in points,
// rounded to the nearest pixel as the handheld rounds it.
constexpr std::int32_t FontHeightOfPoints(std::int32_t points) {
  return -((points * kLogicalPixelsPerInch + 36) / 72);
}

// The system face at 8 points: what dialogs, their controls and message
// boxes draw with unless a template names another font. Lives for the run.
Font* DialogFont();

// The base units of a font: across, the average width of the 52 Latin
// letters, halved and rounded up; down, the cell height.
Size BaseUnitsOf(Font& font);
// The base units of DialogFont(): the system's dialog base units.
Size GetDialogBaseUnits();

// A rectangle in dialog units (left, top, right, bottom) to pixels with
// `units`: x * units.cx / 4 and y * units.cy / 8, each edge rounded toward
// zero.
Rect DialogUnitsToPixels(const Rect& dialogUnits, Size units);
// A template's position and size (x, y, width, height in dialog units) to
// a pixel rectangle: position and size are each converted as above, as
// the dialog manager places a control.
Rect TemplateRectToPixels(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height, Size units);

}  // namespace platform
