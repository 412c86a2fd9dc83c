#pragma once
// What the controls share. Nothing outside platform/ includes this.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/graphics/device_context.h"
#include "platform/graphics/geometry.h"
#include "platform/windows/messages.h"
#include "platform/windows/window.h"

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
// The top row a scroll notification (kWmVScroll's first parameter) asks
// for, from `top` with pages of `page` rows, kept from 0 to `last`; nothing
// for a code that asks for no move.
std::optional<std::ptrdiff_t> ScrolledTop(WParam first, std::ptrdiff_t top, std::ptrdiff_t page, std::ptrdiff_t last);
// Where `control` stands in its parent's client area.
Point PlaceInParent(WindowHandle control);

// What every control keeps: the font it was given (null: the system font).
struct ControlState {
  Font* font = nullptr;
};

// The messages every control answers alike: its State (a ControlState),
// made at kWmCreate and released at kWmDestroy, and its font, which a
// kWmSetFont asking for it repaints. True when `message` was one of them,
// with the answer in `result`.
template <typename State>
bool HandleCommonMessage(WindowHandle control, std::uint32_t message, WParam first, LParam second, LResult& result) {
  auto* state = static_cast<State*>(GetWindowData(control));
  result = 0;
  switch (message) {
    case kWmCreate:
      SetWindowData(control, new State);
      return true;
    case kWmDestroy:
      SetWindowData(control, nullptr);
      delete state;
      return true;
    case kWmSetFont:
      if (!state) return false;
      state->font = reinterpret_cast<Font*>(first);
      if (LowWord(static_cast<std::uintptr_t>(second))) InvalidateRect(control, true);
      return true;
    case kWmGetFont:
      result = state ? reinterpret_cast<LResult>(state->font) : 0;
      return true;
    default:
      return false;
  }
}

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
