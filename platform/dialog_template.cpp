#include "platform/dialog_template.h"

#include "platform/controls.h"

namespace platform {
namespace {

// More controls than any screen of the handheld can hold.
constexpr std::uint16_t kMostControls = 255;

class TemplateReader {
 public:
  explicit TemplateReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::optional<std::uint16_t> Word() {
    if (at_ + 2 > bytes_.size()) return std::nullopt;
    const auto word = static_cast<std::uint16_t>(bytes_[at_] | (bytes_[at_ + 1] << 8));
    at_ += 2;
    return word;
  }
  std::optional<std::uint32_t> DoubleWord() {
    const auto low = Word();
    const auto high = low ? Word() : std::nullopt;
    if (!high) return std::nullopt;
    return static_cast<std::uint32_t>(*low | (static_cast<std::uint32_t>(*high) << 16));
  }
  std::optional<std::int16_t> Signed() {
    const auto word = Word();
    if (!word) return std::nullopt;
    return static_cast<std::int16_t>(*word);
  }
  // Text up to a 0 unit, the first unit already read.
  std::optional<std::u16string> TextFrom(std::uint16_t first) {
    std::u16string text;
    for (auto unit = std::optional<std::uint16_t>(first); unit; unit = Word()) {
      if (*unit == 0) return text;
      text += static_cast<char16_t>(*unit);
    }
    return std::nullopt;
  }
  std::optional<std::u16string> Text() {
    const auto first = Word();
    if (!first) return std::nullopt;
    return TextFrom(*first);
  }
  // A name or an ordinal; `ordinal` is set for an ordinal.
  std::optional<std::u16string> NameOrOrdinal(std::uint16_t& ordinal) {
    ordinal = 0;
    const auto first = Word();
    if (!first) return std::nullopt;
    if (*first == 0xFFFF) {
      const auto value = Word();
      if (!value) return std::nullopt;
      ordinal = *value;
      return std::u16string();
    }
    return TextFrom(*first);
  }
  bool AlignToDoubleWord() {
    at_ = (at_ + 3) & ~static_cast<std::size_t>(3);
    return at_ <= bytes_.size();
  }
  bool Skip(std::size_t count) {
    if (count > bytes_.size() - at_) return false;
    at_ += count;
    return true;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

std::optional<std::u16string> ClassOfAtom(std::uint16_t atom) {
  switch (atom) {
    case kButtonAtom: return std::u16string(kButtonClass);
    case kEditAtom: return std::u16string(kEditClass);
    case kStaticAtom: return std::u16string(kStaticClass);
    case kListBoxAtom: return std::u16string(kListBoxClass);
    default: return std::nullopt;
  }
}

bool ReadPlace(TemplateReader& reader, std::int16_t& x, std::int16_t& y, std::int16_t& width, std::int16_t& height) {
  const auto a = reader.Signed();
  const auto b = a ? reader.Signed() : std::nullopt;
  const auto c = b ? reader.Signed() : std::nullopt;
  const auto d = c ? reader.Signed() : std::nullopt;
  if (!d) return false;
  x = *a;
  y = *b;
  width = *c;
  height = *d;
  return true;
}

std::optional<DialogItemTemplate> ReadItem(TemplateReader& reader) {
  DialogItemTemplate item;
  if (!reader.AlignToDoubleWord()) return std::nullopt;
  const auto style = reader.DoubleWord();
  const auto exStyle = style ? reader.DoubleWord() : std::nullopt;
  if (!exStyle || !ReadPlace(reader, item.x, item.y, item.width, item.height)) return std::nullopt;
  item.style = *style;
  item.exStyle = *exStyle;
  const auto id = reader.Word();
  if (!id) return std::nullopt;
  item.id = *id;
  std::uint16_t atom = 0;
  auto className = reader.NameOrOrdinal(atom);
  if (!className) return std::nullopt;
  if (atom != 0) className = ClassOfAtom(atom);
  if (!className || className->empty()) return std::nullopt;
  item.className = std::move(*className);
  auto text = reader.NameOrOrdinal(item.textResource);
  const auto extra = text ? reader.Word() : std::nullopt;
  if (!extra || !reader.Skip(*extra)) return std::nullopt;
  item.text = std::move(*text);
  return item;
}

}  // namespace

std::optional<DialogTemplate> ParseDialogTemplate(std::span<const std::uint8_t> bytes) {
  TemplateReader reader(bytes);
  DialogTemplate dialog;
  const auto style = reader.DoubleWord();
  const auto exStyle = style ? reader.DoubleWord() : std::nullopt;
  const auto count = exStyle ? reader.Word() : std::nullopt;
  if (!count || *count > kMostControls || !ReadPlace(reader, dialog.x, dialog.y, dialog.width, dialog.height)) {
    return std::nullopt;
  }
  dialog.style = *style;
  dialog.exStyle = *exStyle;
  std::uint16_t ordinal = 0;
  // Neither a menu nor a class of its own is supported: a dialog is a
  // dialog of the platform.
  const auto menu = reader.NameOrOrdinal(ordinal);
  if (!menu || !menu->empty() || ordinal != 0) return std::nullopt;
  const auto windowClass = reader.NameOrOrdinal(ordinal);
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
