#pragma once
// Dialog templates: a dialog's caption, size, font and controls, in dialog
// units (platform/graphics/dialog_units.h). A dialog resource holds the
// handheld's template, all little-endian:
//
//   offset size  field
//   0      4     style (kWs* | kDs*)
//   4      4     extended style (kWsExCaptionOkButton puts "ok" in the caption bar)
//   8      2     control count
//   10     2×4   x, y, width, height (signed)
//   18     ...   menu, then window class: each a name or an ordinal (below)
//   ...          caption: UTF-16 code units and a 0 unit
//   ...          with kDsSetFont: point size (2 bytes), face name (UTF-16, 0 unit)
//   then each control, starting on a multiple of 4 bytes from the start:
//   0      4     style
//   4      4     extended style
//   8      2×4   x, y, width, height (signed)
//   16     2     identifier
//   18     ...   window class: a name or an ordinal (a class atom, controls.h)
//   ...          text: a name or an ordinal (the bitmap resource of a picture)
//   ...    2     size of the creation data that follows, which is skipped
//
// A name or an ordinal is either the unit 0 (none), or 0xFFFF followed by a
// 16-bit ordinal, or UTF-16 code units ended by a 0 unit.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform {

// Dialog styles.
constexpr std::uint32_t kDsSetFont = 0x0040;  // the template names its font
constexpr std::uint32_t kDsModalFrame = 0x0080;
constexpr std::uint32_t kDsCenter = 0x0800;  // centred on the screen's work area

// What a dialog and each of its controls have: styles, place and size.
struct TemplatePlace {
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  std::int16_t x = 0;
  std::int16_t y = 0;
  std::int16_t width = 0;
  std::int16_t height = 0;
};

struct DialogItemTemplate : TemplatePlace {
  std::uint16_t id = 0;
  std::u16string className;         // an atom is given by its class's name
  std::u16string text;
  std::uint16_t textResource = 0;  // text given as an ordinal: a resource of the program
};

struct DialogTemplate : TemplatePlace {
  std::u16string caption;
  std::uint16_t pointSize = 0;  // with kDsSetFont
  std::u16string faceName;
  std::vector<DialogItemTemplate> items;
};

// Nothing when the bytes are not a template of the form above, or name a
// class atom the platform does not have.
std::optional<DialogTemplate> ParseDialogTemplate(std::span<const std::uint8_t> bytes);

}  // namespace platform
