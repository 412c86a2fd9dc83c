// Buttons: push buttons, owner-drawn buttons (the parent draws them through
// kWmDrawItem) and radio buttons. A tap counts when the stylus is lifted on
// the button it went down on; the button then tells its parent
// kBnClicked. An automatic radio button first checks itself and clears
// the other automatic radio buttons of its group: the controls from the
// last one with kWsGroup before it up to the next one with kWsGroup (the
// whole dialog when none has it).

#include <vector>

#include "platform/controls/control_support.h"
#include "platform/controls/controls.h"
#include "platform/windows/window_system.h"

namespace platform {
namespace {

constexpr std::int32_t kRadioSize = 11;
constexpr std::int32_t kRadioDot = 5;
constexpr std::int32_t kRadioTextGap = 4;
constexpr std::int32_t kCornerEllipse = 6;

struct ButtonState : ControlState {
  bool checked = false;
  bool held = false;     // the stylus went down on the button and is not lifted
  bool pressed = false;  // held, and over the button
};

std::uint32_t TypeOf(WindowHandle button) { return GetWindowStyle(button) & kBsTypeMask; }
bool IsAutoRadio(WindowHandle window) {
  return IsOfClass(window, kButtonClass) && TypeOf(window) == kBsAutoRadioButton;
}

// The automatic radio buttons of the button's group, itself included.
std::vector<WindowHandle> RadioGroup(WindowHandle button) {
  std::vector<WindowHandle> group;
  const Window* parent = Live(GetParent(button));
  if (!parent) return group;
  const auto& siblings = parent->children;
  std::size_t at = 0;
  while (at < siblings.size() && siblings[at] != button) ++at;
  std::size_t first = at;
  while (first > 0 && !(siblings[first]->style & kWsGroup)) --first;
  for (std::size_t i = first; i < siblings.size(); ++i) {
    if (i > first && i > at && (siblings[i]->style & kWsGroup)) break;
    if (IsAutoRadio(siblings[i])) group.push_back(siblings[i]);
  }
  return group;
}

void Click(WindowHandle button) {
  if (TypeOf(button) == kBsAutoRadioButton) {
    for (WindowHandle other : RadioGroup(button)) {
      SendMessage(other, kBmSetCheck, other == button ? kBstChecked : kBstUnchecked, 0);
    }
  }
  NotifyParent(button, kBnClicked);
}

void PaintPushButton(WindowHandle button, DeviceContext& context, const ButtonState& state) {
  const Rect area = GetClientRect(button);
  const Brush* oldBrush = context.SelectBrush(GetStockBrush(state.pressed ? StockBrush::kBlackBrush
                                                                          : StockBrush::kWhiteBrush));
  context.RoundRect(area, kCornerEllipse, kCornerEllipse);
  context.SelectBrush(oldBrush);
  const Color oldText = context.SetTextColor(state.pressed ? kWhite : kBlack);
  context.DrawText(GetWindowText(button), area, kDtCenter | kDtVCenter | kDtSingleLine);
  context.SetTextColor(oldText);
}

void PaintRadioButton(WindowHandle button, DeviceContext& context, const ButtonState& state) {
  const Rect area = GetClientRect(button);
  const std::int32_t top = (area.height() - kRadioSize) / 2;
  const Rect circle{0, top, kRadioSize, top + kRadioSize};
  const Brush* oldBrush = context.SelectBrush(GetStockBrush(state.pressed ? StockBrush::kBlackBrush
                                                                          : StockBrush::kWhiteBrush));
  context.RoundRect(circle, kRadioSize, kRadioSize);
  if (state.checked) {
    const std::int32_t inset = (kRadioSize - kRadioDot) / 2;
    context.SelectBrush(GetStockBrush(state.pressed ? StockBrush::kWhiteBrush : StockBrush::kBlackBrush));
    context.RoundRect(Rect{inset, top + inset, inset + kRadioDot, top + inset + kRadioDot}, kRadioDot, kRadioDot);
  }
  context.SelectBrush(oldBrush);
  context.DrawText(GetWindowText(button), Rect{kRadioSize + kRadioTextGap, 0, area.right, area.bottom},
                   kDtVCenter | kDtSingleLine);
}

void PaintOwnerDrawn(WindowHandle button, DeviceContext& context, const ButtonState& state) {
  DrawItem item;
  item.controlId = GetWindowId(button);
  item.itemState = (state.pressed ? kOdsSelected : 0) | (GetFocus() == button ? kOdsFocus : 0) |
                   (IsWindowEnabled(button) ? 0 : kOdsDisabled);
  item.item = button;
  item.context = &context;
  item.rect = GetClientRect(button);
  SendMessage(GetParent(button), kWmDrawItem, item.controlId, reinterpret_cast<LParam>(&item));
}

void Paint(WindowHandle button, const ButtonState& state) {
  const PaintInfo paint = BeginPaint(button);
  DeviceContext& context = *paint.context;
  const FontSelection font(context, FontOrSystem(state.font));
  const BackgroundMode oldMode = context.SetBkMode(BackgroundMode::kTransparent);
  switch (TypeOf(button)) {
    case kBsOwnerDraw: PaintOwnerDrawn(button, context, state); break;
    case kBsRadioButton:
    case kBsAutoRadioButton: PaintRadioButton(button, context, state); break;
    default: PaintPushButton(button, context, state); break;
  }
  context.SetBkMode(oldMode);
  EndPaint(button);
}

void StylusDown(WindowHandle button, ButtonState& state) {
  SetFocus(button);
  SetCapture(button);
  state.held = state.pressed = true;
  InvalidateRect(button, true);
}

void StylusUp(WindowHandle button, ButtonState& state, Point at) {
  if (!state.held) return;
  const bool clicked = state.pressed && GetClientRect(button).Contains(at);
  state.held = state.pressed = false;
  ReleaseCapture();
  InvalidateRect(button, true);
  // After the capture is let go: the click may open a dialog of its own.
  if (clicked) Click(button);
}

}  // namespace

LResult ButtonProcedure(WindowHandle button, std::uint32_t message, WParam first, LParam second) {
  LResult result = 0;
  if (HandleCommonMessage<ButtonState>(button, message, first, second, result)) return result;
  auto* state = static_cast<ButtonState*>(GetWindowData(button));
  if (!state) return DefWindowProc(button, message, first, second);
  switch (message) {
    case kWmPaint:
      Paint(button, *state);
      return 0;
    case kWmSetFocus:
    case kWmKillFocus:
      InvalidateRect(button, true);
      return 0;
    case kWmLButtonDown:
      StylusDown(button, *state);
      return 0;
    case kWmMouseMove:
      if (state->held) {
        const bool over = GetClientRect(button).Contains(StylusPoint(second));
        if (over != state->pressed) InvalidateRect(button, true);
        state->pressed = over;
      }
      return 0;
    case kWmLButtonUp:
      StylusUp(button, *state, StylusPoint(second));
      return 0;
    case kWmKeyDown:
      if (first == kVkSpace) Click(button);
      return 0;
    case kBmClick:
      Click(button);
      return 0;
    case kBmGetCheck:
      return state->checked ? kBstChecked : kBstUnchecked;
    case kBmSetCheck:
      if (state->checked != (first == kBstChecked)) InvalidateRect(button, true);
      state->checked = first == kBstChecked;
      return 0;
    case kBmGetState:
      return (state->checked ? kBstChecked : kBstUnchecked) | (state->pressed ? kBstPushed : 0);
    default:
      return DefWindowProc(button, message, first, second);
  }
}

}  // namespace platform
