#include "platform/dialogs/dialog_navigation.h"

#include <vector>

#include "platform/controls/control_support.h"
#include "platform/controls/controls.h"
#include "platform/dialogs/dialog.h"
#include "platform/windows/input.h"
#include "platform/windows/message_box.h"
#include "platform/windows/window_system.h"

namespace platform {
namespace {

// Its own visibility counts, not its dialog's: the first stop is chosen
// before the dialog shows.
bool IsTabStop(WindowHandle control) {
  const Window* window = Live(control);
  return window && (window->style & kWsTabStop) && window->visible && window->enabled;
}

// The controls of the dialog in the order they were made.
std::vector<WindowHandle> Controls(WindowHandle dialog) {
  const Window* window = Live(dialog);
  return window ? std::vector<WindowHandle>(window->children.begin(), window->children.end())
                : std::vector<WindowHandle>();
}

bool PushesOnEnter(WindowHandle control) {
  if (!IsOfClass(control, kButtonClass)) return false;
  const std::uint32_t type = GetWindowStyle(control) & kBsTypeMask;
  return type == kBsPushButton || type == kBsDefPushButton || type == kBsOwnerDraw;
}

void MoveFocus(WindowHandle dialog, WindowHandle from, bool backwards) {
  const std::vector<WindowHandle> controls = Controls(dialog);
  const auto count = static_cast<std::ptrdiff_t>(controls.size());
  std::ptrdiff_t at = -1;
  for (std::ptrdiff_t i = 0; i < count; ++i) {
    if (controls[static_cast<std::size_t>(i)] == from) at = i;
  }
  for (std::ptrdiff_t step = 1; step <= count; ++step) {
    const std::ptrdiff_t start = at < 0 ? (backwards ? count : -1) : at;
    const std::ptrdiff_t next = ((start + (backwards ? -step : step)) % count + count) % count;
    if (IsTabStop(controls[static_cast<std::size_t>(next)])) {
      FocusControl(controls[static_cast<std::size_t>(next)]);
      return;
    }
  }
}

void SendCommand(WindowHandle dialog, std::uint16_t id, WindowHandle control) {
  SendMessage(dialog, kWmCommand, MakeLong(id, kBnClicked), reinterpret_cast<LParam>(control));
}

}  // namespace

bool IsInsideDialog(WindowHandle window, WindowHandle dialog) {
  for (WindowHandle w = window; w; w = GetParent(w)) {
    if (w == dialog) return true;
  }
  return false;
}

WindowHandle FirstTabStop(WindowHandle dialog) {
  for (WindowHandle control : Controls(dialog)) {
    if (IsTabStop(control)) return control;
  }
  return nullptr;
}

void FocusControl(WindowHandle control) {
  SetFocus(control);
  if (IsOfClass(control, kEditClass)) SendMessage(control, kEmSetSel, 0, -1);
}

bool HandleDialogKey(WindowHandle dialog, const Message& message) {
  if (message.id != kWmKeyDown || !IsInsideDialog(message.window, dialog)) return false;
  const bool navigation = message.first == kVkReturn || message.first == kVkEscape || message.first == kVkTab;
  // The window the key goes to may want it for itself.
  if (navigation &&
      (SendMessage(message.window, kWmGetDlgCode, message.first, reinterpret_cast<LParam>(&message)) & kDlgcWantMessage)) {
    return false;
  }
  switch (message.first) {
    case kVkReturn: {
      const std::uint32_t style = GetWindowStyle(message.window);
      if (IsOfClass(message.window, kEditClass) && (style & kEsMultiLine) && (style & kEsWantReturn)) return false;
      if (message.window != dialog && PushesOnEnter(message.window)) {
        SendCommand(dialog, GetWindowId(message.window), message.window);
      } else {
        SendCommand(dialog, kIdOk, GetDlgItem(dialog, kIdOk));
      }
      return true;
    }
    case kVkEscape:
      // From no control, as a dialog tells backing out from its Cancel button.
      SendCommand(dialog, kIdCancel, nullptr);
      return true;
    case kVkTab:
      MoveFocus(dialog, message.window, GetKeyState(kVkShift));
      return true;
    default:
      return false;
  }
}

}  // namespace platform
