#include "platform/dialogs/dialog.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/controls/controls.h"
#include "platform/dialogs/dialog_navigation.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/dialog_units.h"
#include "platform/graphics/font_catalog.h"
#include "platform/windows/desktop_window.h"
#include "platform/windows/message_box.h"
#include "platform/windows/window_system.h"

namespace platform {
namespace {

constexpr char16_t kDialogClass[] = u"Dialog";

// One running dialog; it lives on the stack of the call that runs it.
struct DialogState {
  DialogProcedure procedure = nullptr;
  bool ended = false;
  std::intptr_t result = 0;
  Font* font = nullptr;
  std::unique_ptr<Font> ownFont;  // a font of the template's own
  Size baseUnits{4, 8};
  std::vector<std::unique_ptr<Bitmap>> pictures;  // the template's, shown by its static controls
};

DialogState* StateOf(WindowHandle dialog) {
  const WindowClass* windowClass = GetWindowClass(dialog);
  if (!windowClass || windowClass->name != kDialogClass) return nullptr;
  return static_cast<DialogState*>(GetWindowData(dialog));
}

LResult DialogWindowProcedure(WindowHandle dialog, std::uint32_t message, WParam first, LParam second) {
  if (message == kWmCreate) {
    SetWindowData(dialog, reinterpret_cast<const CreateParameters*>(second)->parameter);
    return 0;
  }
  DialogState* state = StateOf(dialog);
  if (!state) return DefWindowProc(dialog, message, first, second);
  const LResult handled = state->procedure ? state->procedure(dialog, message, first, second) : 0;
  if (handled != 0 || message == kWmInitDialog) return handled;
  switch (message) {
    case kWmGetFont:
      return reinterpret_cast<LResult>(state->font);
    case kWmClose:
      // The platform's close asks the dialog to cancel, never to vanish; like
      // Escape it comes from no control.
      PostMessage(dialog, kWmCommand, MakeLong(kIdCancel, kBnClicked), 0);
      return 0;
    default:
      return DefWindowProc(dialog, message, first, second);
  }
}

void RegisterDialogClasses() {
  RegisterControlClasses();
  WindowClass dialog;
  dialog.procedure = DialogWindowProcedure;
  dialog.background = GetStockBrush(StockBrush::kWhiteBrush);
  dialog.name = kDialogClass;
  RegisterClass(dialog);  // already there after the first dialog
}

// The template's font: the system face unless it names another; the stock
// dialog font when it asks for the system face at 8 points.
void ChooseFont(const DialogTemplate& dialogTemplate, DialogState& state) {
  const bool systemFace = dialogTemplate.faceName.empty() || dialogTemplate.faceName == u"System";
  if (!(dialogTemplate.style & kDsSetFont) || (systemFace && dialogTemplate.pointSize == 8)) {
    state.font = DialogFont();
  } else {
    FontRequest request;
    request.height = FontHeightOfPoints(dialogTemplate.pointSize);
    if (!systemFace) {
      const std::size_t length = std::min(dialogTemplate.faceName.size(), request.faceName.size() - 1);
      std::copy_n(dialogTemplate.faceName.begin(), length, request.faceName.begin());
    }
    state.ownFont = CreateFont(request);
    state.font = state.ownFont ? state.ownFont.get() : DialogFont();
  }
  if (state.font) state.baseUnits = BaseUnitsOf(*state.font);
}

// The dialog window: its client area is the template's size; centred on
// the work area, or placed from the owner's client area. In a desktop
// window every dialog is centred, and stays centred as the window changes.
WindowHandle MakeDialogWindow(const DialogTemplate& dialogTemplate, WindowHandle owner, DialogState& state) {
  const Rect client =
      TemplateRectToPixels(dialogTemplate.x, dialogTemplate.y, dialogTemplate.width, dialogTemplate.height,
                           state.baseUnits);
  const std::uint32_t style = (dialogTemplate.style & ~(kWsVisible | kWsChild)) | kWsPopup;
  const Size outer = WindowSizeForClient(style, Size{client.width(), client.height()});
  const std::int32_t width = outer.cx;
  const std::int32_t height = outer.cy;
  Point corner{client.left, client.top};
  const bool centred = (dialogTemplate.style & kDsCenter) || HasDesktopWindow();
  if (centred) {
    const Rect place = PlacedRect(Placement::kCentred, outer, WorkArea());
    corner = Point{place.left, place.top};
  } else if (owner) {
    const Point origin = ClientToScreen(owner, Point{0, 0});
    corner = Point{origin.x + client.left, origin.y + client.top};
  }
  const WindowHandle dialog = CreateWindow(dialogTemplate.exStyle, kDialogClass, dialogTemplate.caption, style,
                                           corner.x, corner.y, width, height, owner, 0, &state);
  if (Window* window = Live(dialog); window && HasDesktopWindow()) window->placement = Placement::kCentred;
  return dialog;
}

bool MakeControls(ModuleHandle module, const DialogTemplate& dialogTemplate, WindowHandle dialog,
                  DialogState& state) {
  for (const DialogItemTemplate& item : dialogTemplate.items) {
    const Rect place = TemplateRectToPixels(item.x, item.y, item.width, item.height, state.baseUnits);
    const WindowHandle control = CreateWindow(item.exStyle, item.className, item.text, item.style | kWsChild,
                                              place.left, place.top, place.width(), place.height(), dialog, item.id,
                                              nullptr);
    if (!control) return false;
    SendMessage(control, kWmSetFont, reinterpret_cast<WParam>(state.font), 0);
    const bool picture = item.className == kStaticClass && (item.style & kSsTypeMask) == kSsBitmap;
    if (picture && item.textResource != 0) {
      // A missing picture leaves the control empty, as on the handheld.
      if (auto bitmap = LoadBitmapResource(module, item.textResource)) {
        SendMessage(control, kStmSetImage, kImageBitmap, reinterpret_cast<LParam>(bitmap.get()));
        state.pictures.push_back(std::move(bitmap));
      }
    }
  }
  return true;
}

}  // namespace

std::intptr_t DialogBoxParam(ModuleHandle module, std::uint16_t id, WindowHandle owner, DialogProcedure procedure,
                             LParam parameter) {
  const ResourceHandle resource = FindResource(module, id, ResourceType::kDialog);
  const std::uint8_t* bytes = LoadResource(resource);
  if (!bytes) return -1;
  const auto dialogTemplate = ParseDialogTemplate(std::span<const std::uint8_t>(bytes, SizeofResource(resource)));
  if (!dialogTemplate) return -1;
  return DialogBoxIndirectParam(module, *dialogTemplate, owner, procedure, parameter);
}

std::intptr_t DialogBoxIndirectParam(ModuleHandle module, const DialogTemplate& dialogTemplate, WindowHandle owner,
                                     DialogProcedure procedure, LParam parameter) {
  if (owner && !IsWindow(owner)) return -1;
  RegisterDialogClasses();
  DialogState state;
  state.procedure = procedure;
  ChooseFont(dialogTemplate, state);
  const WindowHandle previousFocus = GetFocus();
  const WindowHandle dialog = MakeDialogWindow(dialogTemplate, owner, state);
  if (!dialog) return -1;
  if (!MakeControls(module, dialogTemplate, dialog, state)) {
    DestroyWindow(dialog);
    return -1;
  }

  // The owner takes no input until the dialog ends.
  const WindowHandle ownerTop = owner ? TopLevelOf(Live(owner)) : nullptr;
  const bool ownerWasDisabled = ownerTop && EnableWindow(ownerTop, false);
  const WindowHandle firstStop = FirstTabStop(dialog);
  if (SendMessage(dialog, kWmInitDialog, reinterpret_cast<WParam>(firstStop), parameter) != 0 && firstStop) {
    FocusControl(firstStop);
  }
  if (IsWindow(dialog) && !state.ended) {
    ShowWindow(dialog, kSwShow);
    // Keys go to the dialog even when its procedure focused nothing.
    if (!IsInsideDialog(GetFocus(), dialog)) SetFocus(dialog);
    RunModalLoop([&] { return state.ended || !IsWindow(dialog); },
                 [dialog](const Message& message) { return HandleDialogKey(dialog, message); });
  }
  if (ownerTop && !ownerWasDisabled) EnableWindow(ownerTop, true);
  if (IsWindow(dialog)) DestroyWindow(dialog);
  if (IsWindow(previousFocus) && !GetFocus()) SetFocus(previousFocus);
  return state.ended ? state.result : 0;
}

bool EndDialog(WindowHandle dialog, std::intptr_t result) {
  DialogState* state = StateOf(dialog);
  if (!state) return false;
  state->ended = true;
  state->result = result;
  // A loop waiting for input looks at the end only when a message comes.
  PostMessage(dialog, kWmNull, 0, 0);
  return true;
}

bool IsDialog(WindowHandle window) { return StateOf(window) != nullptr; }

WindowHandle GetDlgItem(WindowHandle dialog, std::uint16_t id) { return GetChild(dialog, id); }

LResult SendDlgItemMessage(WindowHandle dialog, std::uint16_t id, std::uint32_t message, WParam first,
                           LParam second) {
  return SendMessage(GetDlgItem(dialog, id), message, first, second);
}

bool SetDlgItemText(WindowHandle dialog, std::uint16_t id, std::u16string_view text) {
  const WindowHandle control = GetDlgItem(dialog, id);
  if (!control) return false;
  const std::u16string terminated(text);
  return SendMessage(control, kWmSetText, 0, TextParam(terminated)) != 0;
}

std::u16string GetDlgItemText(WindowHandle dialog, std::uint16_t id, std::size_t maxCount) {
  const WindowHandle control = GetDlgItem(dialog, id);
  if (!control || maxCount == 0) return std::u16string();
  std::u16string buffer(maxCount + 1, u'\0');
  const auto count = SendMessage(control, kWmGetText, maxCount + 1, reinterpret_cast<LParam>(buffer.data()));
  buffer.resize(static_cast<std::size_t>(std::clamp<LResult>(count, 0, static_cast<LResult>(maxCount))));
  return buffer;
}

Rect MapDialogRect(WindowHandle dialog, const Rect& dialogUnits) {
  const DialogState* state = StateOf(dialog);
  return DialogUnitsToPixels(dialogUnits, state ? state->baseUnits : GetDialogBaseUnits());
}

}  // namespace platform
