#pragma once
// Dialog resources, built at compile time from a readable table so that the
// bytes cannot drift from it. The layout is the handheld's dialog template,
// which platform/dialogs/dialog_template.h describes field by field: the
// dialog's styles, control count, place and size, no menu, the platform's
// dialog class, the caption, the font, then each control on a 4-byte boundary
// with its styles, place, size, identifier, class atom, text (or a resource
// ordinal) and no creation data.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/dialogs/dialog_template.h"
#include "platform/windows/window.h"
#include "resources/little_endian_bytes.h"

namespace quillory {

struct DialogControl {
  std::uint16_t classAtom;  // platform::kStaticAtom, kButtonAtom, kEditAtom, kListBoxAtom
  std::uint32_t style;      // the class's styles and kWs* styles; child and visible are added
  std::uint16_t id;
  std::int16_t x, y, width, height;  // dialog units
  std::u16string_view text;
  std::uint16_t resource = 0;  // nonzero: the text is this resource (a picture's bitmap)
};

struct DialogDefinition {
  std::uint32_t style;
  std::uint32_t exStyle;
  std::int16_t x, y, width, height;  // dialog units
  std::u16string_view caption;
  std::uint16_t pointSize;
  std::u16string_view faceName;
  std::span<const DialogControl> controls;
};

// Passes bytes on to a writer and counts them, for the 4-byte alignment of
// the controls.
template <typename Writer>
class AligningWriter : public LittleEndianWriter<AligningWriter<Writer>> {
 public:
  constexpr explicit AligningWriter(Writer& out) : out_(out) {}
  constexpr void Byte(std::uint8_t value) {
    out_.Byte(value);
    ++at_;
  }
  constexpr void AlignToDoubleWord() {
    while (at_ % 4 != 0) Byte(0);
  }
  constexpr void Text(std::u16string_view text) {
    this->Utf16(text);
    this->Word(0);
  }

 private:
  Writer& out_;
  std::size_t at_ = 0;
};

template <typename Writer>
constexpr void WriteDialogTemplate(Writer& sink, const DialogDefinition& dialog) {
  AligningWriter<Writer> out(sink);
  out.DoubleWord(dialog.style | platform::kDsSetFont);  // the font is always given
  out.DoubleWord(dialog.exStyle);
  out.Word(static_cast<std::uint16_t>(dialog.controls.size()));
  for (const std::int16_t value : {dialog.x, dialog.y, dialog.width, dialog.height}) {
    out.Word(static_cast<std::uint16_t>(value));
  }
  out.Word(0);  // no menu
  out.Word(0);  // the platform's dialog class
  out.Text(dialog.caption);
  out.Word(dialog.pointSize);
  out.Text(dialog.faceName);
  for (const DialogControl& control : dialog.controls) {
    out.AlignToDoubleWord();
    out.DoubleWord(control.style | platform::kWsChild | platform::kWsVisible);
    out.DoubleWord(0);
    for (const std::int16_t value : {control.x, control.y, control.width, control.height}) {
      out.Word(static_cast<std::uint16_t>(value));
    }
    out.Word(control.id);
    out.Word(0xFFFF);
    out.Word(control.classAtom);
    if (control.resource != 0) {
      out.Word(0xFFFF);
      out.Word(control.resource);
    } else {
      out.Text(control.text);
    }
    out.Word(0);  // no creation data
  }
}

constexpr std::size_t DialogTemplateSize(const DialogDefinition& dialog) {
  ByteCount count;
  WriteDialogTemplate(count, dialog);
  return count.size();
}

// kSize must be DialogTemplateSize of the same dialog; any other size stops
// the compilation.
template <std::size_t kSize>
constexpr std::array<std::uint8_t, kSize> DialogTemplateBytes(const DialogDefinition& dialog) {
  LittleEndianBytes<kSize> out;
  WriteDialogTemplate(out, dialog);
  return out.Finished();
}

}  // namespace quillory
