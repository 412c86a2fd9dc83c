#include "platform/dialogs/dialog_template.h"

#include "platform/controls/controls.h"
#include "platform/system/resource_reader.h"

namespace platform {
namespace {

// More controls than any screen of the handheld can hold.
constexpr std::uint16_t kMostControls = 255;

// A name or an ordinal; `ordinal` is set for an ordinal.
std::optional<std::u16string> NameOrOrdinal(ResourceReader& reader, std::uint16_t& ordinal) {
  ordinal = 0;
  const auto first = reader.Word();
  if (!first) return std::nullopt;
  if (*first == 0xFFFF) {
    const auto value = reader.Word();
    if (!value) return std::nullopt;
    ordinal = *value;
    return std::u16string();
  }
  return reader.Text(first);
}

std::optional<std::u16string> ClassOfAtom(std::uint16_t atom) {
  switch (atom) {
    case kButtonAtom: return std::u16string(kButtonClass);
    case kEditAtom: return std::u16string(kEditClass);
    case kStaticAtom: return std::u16string(kStaticClass);
    case kListBoxAtom: return std::u16string(kListBoxClass);
    default: return std::nullopt;
  }
}

bool ReadPlace(ResourceReader& reader, TemplatePlace& place) {
  const auto x = reader.Signed();
  const auto y = x ? reader.Signed() : std::nullopt;
  const auto width = y ? reader.Signed() : std::nullopt;
  const auto height = width ? reader.Signed() : std::nullopt;
  if (!height) return false;
  place.x = *x;
  place.y = *y;
  place.width = *width;
  place.height = *height;
  return true;
}

// Styles, then (after the control count of a dialog) the place.
bool ReadStyles(ResourceReader& reader, TemplatePlace& place) {
  const auto style = reader.DoubleWord();
  const auto exStyle = style ? reader.DoubleWord() : std::nullopt;
  if (!exStyle) return false;
  place.style = *style;
  place.exStyle = *exStyle;
  return true;
}

std::optional<DialogItemTemplate> ReadItem(ResourceReader& reader) {
  DialogItemTemplate item;
  if (!reader.AlignToDoubleWord() || !ReadStyles(reader, item) || !ReadPlace(reader, item)) return std::nullopt;
  const auto id = reader.Word();
  if (!id) return std::nullopt;
  item.id = *id;
  std::uint16_t atom = 0;
  auto className = NameOrOrdinal(reader, atom);
  if (!className) return std::nullopt;
  if (atom != 0) className = ClassOfAtom(atom);
  if (!className || className->empty()) return std::nullopt;
  item.className = std::move(*className);
  auto text = NameOrOrdinal(reader, item.textResource);
  const auto extra = text ? reader.Word() : std::nullopt;
  if (!extra || !reader.Skip(*extra)) return std::nullopt;
  item.text = std::move(*text);
  return item;
}

}  // namespace

std::optional<DialogTemplate> ParseDialogTemplate(std::span<const std::uint8_t> bytes) {
  ResourceReader reader(bytes);
  DialogTemplate dialog;
  const auto count = ReadStyles(reader, dialog) ? reader.Word() : std::nullopt;
  if (!count || *count > kMostControls || !ReadPlace(reader, dialog)) return std::nullopt;
  std::uint16_t ordinal = 0;
  // Neither a menu nor a class of its own is supported: a dialog is a
  // dialog of the platform.
  const auto menu = NameOrOrdinal(reader, ordinal);
  if (!menu || !menu->empty() || ordinal != 0) return std::nullopt;
  const auto windowClass = NameOrOrdinal(reader, ordinal);
  if (!windowClass || !windowClass->empty() || ordinal != 0) return std::nullopt;
  auto caption = reader.Text();
  if (!caption) return std::nullopt;
  dialog.caption = std::move(*caption);
  if (dialog.style & kDsSetFont) {
    const auto points = reader.Word();
    auto face = points ? reader.Text() : std::nullopt;
    if (!face) return std::nullopt;
    dialog.pointSize = *points;
    dialog.faceName = std::move(*face);
  }
  for (std::uint16_t i = 0; i < *count; ++i) {
    auto item = ReadItem(reader);
    if (!item) return std::nullopt;
    dialog.items.push_back(std::move(*item));
  }
  return dialog;
}

}  // namespace platform
