#include "platform/controls/control_support.h"

#include <algorithm>

#include "platform/controls/controls.h"
#include "platform/windows/window.h"

namespace platform {

void RegisterControlClasses() {
  const struct {
    const char16_t* name;
    WindowProcedure procedure;
  } classes[] = {
      {kStaticClass, StaticProcedure},
      {kButtonClass, ButtonProcedure},
      {kEditClass, EditProcedure},
      {kListBoxClass, ListBoxProcedure},
  };
  for (const auto& entry : classes) {
    WindowClass windowClass;
    windowClass.procedure = entry.procedure;
    windowClass.background = GetStockBrush(StockBrush::kWhiteBrush);
    windowClass.name = entry.name;
    RegisterClass(windowClass);  // already there after the first time
  }
}

bool IsOfClass(WindowHandle window, const char16_t* className) {
  const WindowClass* windowClass = GetWindowClass(window);
  return windowClass && windowClass->name == className;
}

Point StylusPoint(LParam second) {
  const auto packed = static_cast<std::uintptr_t>(second);
  return Point{SignedLowWord(packed), SignedHighWord(packed)};
}

void NotifyParent(WindowHandle control, std::uint16_t code) {
  SendMessage(GetParent(control), kWmCommand, MakeLong(GetWindowId(control), code),
              reinterpret_cast<LParam>(control));
}

Font* FontOrSystem(Font* font) { return font ? font : SystemFont(); }

std::optional<std::ptrdiff_t> ScrolledTop(WParam first, std::ptrdiff_t top, std::ptrdiff_t page, std::ptrdiff_t last) {
  switch (LowWord(first)) {
    case kSbLineUp: --top; break;
    case kSbLineDown: ++top; break;
    case kSbPageUp: top -= page; break;
    case kSbPageDown: top += page; break;
    case kSbThumbPosition:
    case kSbThumbTrack: top = SignedHighWord(first); break;
    case kSbTop: top = 0; break;
    case kSbBottom: top = last; break;
    default: return std::nullopt;
  }
  return std::clamp<std::ptrdiff_t>(top, 0, std::max<std::ptrdiff_t>(0, last));
}

Point PlaceInParent(WindowHandle control) {
  const Rect rect = GetWindowRect(control);
  return ScreenToClient(GetParent(control), Point{rect.left, rect.top});
}

}  // namespace platform
