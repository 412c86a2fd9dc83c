#pragma once
// What the controls share. Nothing outside platform/ includes this.

#include <cstdint>

#include "platform/device_context.h"
#include "platform/geometry.h"
#include "platform/messages.h"

namespace platform {

// The procedures of the control classes.
LResult StaticProcedure(WindowHandle control, std::uint32_t message, WParam first, LParam second);
LResult ButtonProcedure(WindowHandle control, std::uint32_t message, WParam first, LParam second);
LResult EditProcedure(WindowHandle control, std::uint32_t message, WParam first, LParam second);
LResult ListBoxProcedure(WindowHandle control, std::uint32_t message, WParam first, LParam second);

bool IsOfClass(WindowHandle window, const char16_t* className);
// The client point of a stylus message.
Point StylusPoint(LParam second);
// A kWmCommand to the control's parent with the control's identifier and `code`.
void NotifyParent(WindowHandle control, std::uint16_t code);
// The font a control draws with: the one it was given, else the system font.
Font* FontOrSystem(Font* font);
// Where `control` stands in its parent's client area.
Point PlaceInParent(WindowHandle control);

// Selects a font into a context for one drawing, and puts the old one back.
class FontSelection {
 public:
  FontSelection(DeviceContext& context, Font* font) : context_(context), previous_(context.SelectFont(font)) {}
  ~FontSelection() { context_.SelectFont(previous_); }
  FontSelection(const FontSelection&) = delete;
  FontSelection& operator=(const FontSelection&) = delete;

 private:
  DeviceContext& context_;
  Font* previous_;
};

}  // namespace platform
