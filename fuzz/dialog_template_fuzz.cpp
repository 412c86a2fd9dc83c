// Arbitrary dialog resources: parsing stays inside the bytes given, and a
// template that parses converts every place in it to pixels.

#include <cstdint>
#include <span>

#include "platform/dialogs/dialog_template.h"
#include "platform/graphics/dialog_units.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto dialog = platform::ParseDialogTemplate(std::span<const std::uint8_t>(data, size));
  if (!dialog) return 0;
  const platform::Size units{7, 13};
  platform::TemplateRectToPixels(dialog->x, dialog->y, dialog->width, dialog->height, units);
  for (const platform::DialogItemTemplate& item : dialog->items) {
    platform::TemplateRectToPixels(item.x, item.y, item.width, item.height, units);
  }
  return 0;
}
