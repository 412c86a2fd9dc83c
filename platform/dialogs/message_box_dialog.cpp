#include "platform/dialogs/message_box_dialog.h"

#include <algorithm>
#include <vector>

#include "platform/controls/control_support.h"
#include "platform/controls/controls.h"
#include "platform/dialogs/dialog.h"
#include "platform/graphics/dialog_units.h"
#include "platform/system/text_encoding.h"
#include "platform/windows/input.h"
#include "platform/windows/window_system.h"

namespace platform {
namespace {

constexpr std::int32_t kMargin = 8;
constexpr std::int32_t kScreenMargin = 8;
constexpr std::int32_t kIconSize = 32;
constexpr std::int32_t kButtonWidth = 56;
constexpr std::int32_t kButtonHeight = 22;
constexpr std::int32_t kButtonGap = 6;
constexpr std::uint16_t kTextId = kStaticId;

struct OpenBox {
  WindowHandle box;
  const MessageBoxRequest* request;
};

std::vector<OpenBox>& OpenBoxes() {
  static std::vector<OpenBox> boxes;
  return boxes;
}

const MessageBoxRequest* RequestOf(WindowHandle box) {
  for (const OpenBox& open : OpenBoxes()) {
    if (open.box == box) return open.request;
  }
  return nullptr;
}

bool HasIcon(const MessageBoxRequest& request) {
  return request.icon() == kMbIconStop || request.icon() == kMbIconExclamation;
}

DialogTemplate BoxTemplate(const MessageBoxRequest& request) {
  DialogTemplate box;
  box.style = kWsPopup | kWsCaption | kDsSetFont;
  box.caption = Utf8ToUtf16(request.hasCaption ? request.caption : "Error");
  box.pointSize = 8;
  box.faceName = u"System";
  DialogItemTemplate text;
  text.style = kWsVisible | kSsLeft | kSsNoPrefix;
  text.id = kTextId;
  text.className = kStaticClass;
  text.text = Utf8ToUtf16(request.text);
  box.items.push_back(text);
  const auto add = [&box](std::uint16_t id, const char16_t* label) {
    DialogItemTemplate button;
    button.style = kWsVisible | kWsTabStop | (box.items.size() == 1 ? kBsDefPushButton : kBsPushButton);
    button.id = id;
    button.className = kButtonClass;
    button.text = label;
    box.items.push_back(button);
  };
  if (request.buttons() == kMbYesNoCancel) {
    add(kIdYes, u"Yes");
    add(kIdNo, u"No");
    add(kIdCancel, u"Cancel");
  } else {
    add(kIdOk, u"OK");
  }
  return box;
}

// Sizes the box to its text and buttons, centred on the work area.
void Arrange(WindowHandle box, const MessageBoxRequest& request) {
  const Rect area = WorkArea();
  const std::int32_t iconBlock = HasIcon(request) ? kIconSize + kMargin : 0;
  const std::int32_t widest = std::max(kButtonWidth, area.width() - 2 * kScreenMargin - 2 * kMargin - iconBlock);
  const WindowHandle text = GetDlgItem(box, kTextId);
  DeviceContext& context = *GetDC(text);
  Font* old = context.SelectFont(DialogFont());
  const Rect measured = context.MeasureText(GetWindowText(text), Rect{0, 0, widest, 10000}, kDtWordBreak | kDtNoPrefix);
  context.SelectFont(old);

  const int buttons = request.buttons() == kMbYesNoCancel ? 3 : 1;
  const std::int32_t row = buttons * kButtonWidth + (buttons - 1) * kButtonGap;
  const std::int32_t width = std::max(iconBlock + measured.width(), row) + 2 * kMargin;
  const std::int32_t body = std::max(measured.height(), HasIcon(request) ? kIconSize : 0);
  const std::int32_t height = kMargin + body + kMargin + kButtonHeight + kMargin;
  MoveWindow(text, kMargin + iconBlock, kMargin, measured.width(), measured.height(), false);
  std::int32_t x = (width - row) / 2;
  const std::int32_t y = kMargin + body + kMargin;
  Window* window = Live(box);
  for (Window* control : window->children) {
    if (control->id == kTextId) continue;
    MoveWindow(control, x, y, kButtonWidth, kButtonHeight, false);
    x += kButtonWidth + kButtonGap;
  }
  // Centred, and kept so as the work area changes.
  PlaceWindow(*window, Placement::kCentred, WindowSizeForClient(GetWindowStyle(box), Size{width, height}));
}

void DrawStopIcon(DeviceContext& context, Point at) {
  const Brush red = SolidBrush(Rgb(255, 0, 0));
  const Brush* oldBrush = context.SelectBrush(&red);
  context.RoundRect(Rect{at.x, at.y, at.x + kIconSize, at.y + kIconSize}, kIconSize, kIconSize);
  context.SelectBrush(oldBrush);
  const Brush white = SolidBrush(kWhite);
  for (std::int32_t i = 9; i < 23; ++i) {
    context.FillRect(Rect{at.x + i - 1, at.y + i, at.x + i + 2, at.y + i + 1}, white);
    context.FillRect(Rect{at.x + 31 - i - 1, at.y + i, at.x + 31 - i + 2, at.y + i + 1}, white);
  }
}

void DrawExclamationIcon(DeviceContext& context, Point at) {
  const Brush yellow = SolidBrush(Rgb(255, 255, 0));
  const Brush black = SolidBrush(kBlack);
  for (std::int32_t y = 0; y < kIconSize; ++y) {
    const std::int32_t half = y / 2;
    const std::int32_t left = at.x + kIconSize / 2 - half - 1;
    const std::int32_t right = at.x + kIconSize / 2 + half + 1;
    context.FillRect(Rect{left, at.y + y, right, at.y + y + 1}, y == kIconSize - 1 ? black : yellow);
    context.FillRect(Rect{left, at.y + y, left + 1, at.y + y + 1}, black);
    context.FillRect(Rect{right - 1, at.y + y, right, at.y + y + 1}, black);
  }
  context.FillRect(Rect{at.x + 15, at.y + 11, at.x + 18, at.y + 23}, black);
  context.FillRect(Rect{at.x + 15, at.y + 25, at.x + 18, at.y + 28}, black);
}

// The button a command answers with: Enter off the buttons presses the
// first; backing out (Escape, or closing the box: a Cancel from no button)
// gives the request's answer for it, else cancels (or says OK when that is
// the only answer).
int AnswerOf(const MessageBoxRequest& request, std::uint16_t command, bool fromButton) {
  const bool yesNoCancel = request.buttons() == kMbYesNoCancel;
  switch (command) {
    case kIdOk: return yesNoCancel ? kIdYes : kIdOk;
    case kIdCancel:
      if (!fromButton && request.backOutAnswer != 0) return request.backOutAnswer;
      return yesNoCancel ? kIdCancel : kIdOk;
    case kIdYes:
    case kIdNo: return yesNoCancel ? command : 0;
    default: return 0;
  }
}

LResult BoxProcedure(WindowHandle box, std::uint32_t message, WParam first, LParam second) {
  if (message == kWmInitDialog) {
    const auto* request = reinterpret_cast<const MessageBoxRequest*>(second);
    OpenBoxes().push_back(OpenBox{box, request});
    Arrange(box, *request);
    return 1;  // the focus on the first button
  }
  const MessageBoxRequest* request = RequestOf(box);
  if (!request) return 0;
  switch (message) {
    case kWmPaint: {
      const PaintInfo paint = BeginPaint(box);
      if (request->icon() == kMbIconStop) DrawStopIcon(*paint.context, Point{kMargin, kMargin});
      if (request->icon() == kMbIconExclamation) DrawExclamationIcon(*paint.context, Point{kMargin, kMargin});
      EndPaint(box);
      return 1;
    }
    case kWmCommand:
      if (const int answer = AnswerOf(*request, LowWord(first), second != 0)) EndDialog(box, answer);
      return 1;
    default:
      return 0;
  }
}

// A box of no window keeps every window of the program from input, as the
// handheld does for a task-modal box; these are the windows it disabled.
std::vector<WindowHandle> DisableProgramWindows() {
  std::vector<WindowHandle> disabled;
  for (Window* top : System().topLevels) {
    if (top->enabled && !(top->exStyle & kWsExNoActivate)) {
      top->enabled = false;
      disabled.push_back(top);
    }
  }
  return disabled;
}

}  // namespace

int RunMessageBoxDialog(const MessageBoxRequest& request) {
  const WindowHandle owner = IsWindow(request.owner) ? request.owner : nullptr;
  const WindowHandle foreground = GetForegroundWindow();
  const std::vector<WindowHandle> disabled = owner ? std::vector<WindowHandle>() : DisableProgramWindows();
  const std::intptr_t answer =
      DialogBoxIndirectParam(nullptr, BoxTemplate(request), owner, BoxProcedure, reinterpret_cast<LParam>(&request));
  for (WindowHandle window : disabled) EnableWindow(window, true);
  if (!GetForegroundWindow() && IsWindow(foreground)) SetForegroundWindow(foreground);
  auto& boxes = OpenBoxes();
  boxes.erase(std::remove_if(boxes.begin(), boxes.end(), [&request](const OpenBox& open) {
                return open.request == &request;
              }), boxes.end());
  return answer > 0 ? static_cast<int>(answer) : 0;
}

WindowHandle OpenMessageBox() {
  for (auto it = OpenBoxes().rbegin(); it != OpenBoxes().rend(); ++it) {
    if (IsWindow(it->box)) return it->box;
  }
  return nullptr;
}

void AnswerMessageBox(WindowHandle box, int button) {
  const WindowHandle control = GetDlgItem(box, static_cast<std::uint16_t>(button));
  if (!control || !IsOfClass(control, kButtonClass)) {
    EndDialog(box, button);
    return;
  }
  const Rect client = GetClientRect(control);
  const Point centre = ClientToScreen(control, Point{client.width() / 2, client.height() / 2});
  InjectStylus(StylusAction::kDown, centre);
  InjectStylus(StylusAction::kUp, centre);
}

}  // namespace platform
