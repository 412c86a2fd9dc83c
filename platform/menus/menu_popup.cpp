// The pop-up menu: a window in front of everything that holds the stylus
// while it is open, so that a tap anywhere else dismisses it.

#include <algorithm>

#include "platform/menus/menu.h"
#include "platform/windows/window.h"

namespace platform {
namespace {

constexpr std::int32_t kBorder = 1;
constexpr std::int32_t kCheckColumn = 16;
constexpr std::int32_t kShortcutGap = 16;
constexpr std::int32_t kRightMargin = 8;
constexpr std::int32_t kSeparatorHeight = 7;
constexpr Color kSelection = Rgb(0, 0, 128);
constexpr Color kGrayText = Rgb(128, 128, 128);

struct PopupState {
  Menu* menu = nullptr;
  int selected = -1;
  bool done = false;
  std::uint16_t chosen = 0;
  std::int32_t itemHeight = 0;
};

bool Selectable(const MenuItem& item) { return !(item.flags & (kMfSeparator | kMfGrayed | kMfPopup)); }

std::int32_t HeightOf(const PopupState& state, const MenuItem& item) {
  return (item.flags & kMfSeparator) ? kSeparatorHeight : state.itemHeight;
}

int ItemAt(const PopupState& state, Point point, std::int32_t width) {
  if (point.x < 0 || point.x >= width) return -1;
  std::int32_t top = kBorder;
  for (std::size_t i = 0; i < state.menu->items.size(); ++i) {
    const std::int32_t height = HeightOf(state, state.menu->items[i]);
    if (point.y >= top && point.y < top + height) return static_cast<int>(i);
    top += height;
  }
  return -1;
}

void Choose(PopupState& state, int index) {
  if (index < 0 || !Selectable(state.menu->items[static_cast<std::size_t>(index)])) return;
  state.chosen = state.menu->items[static_cast<std::size_t>(index)].command;
  state.done = true;
}

// Moves the selection to the next selectable item in `direction`, from
// `from` (which need not be selectable), wrapping round.
void StepFrom(PopupState& state, int from, int direction) {
  const int count = static_cast<int>(state.menu->items.size());
  int index = from;
  for (int tries = 0; tries < count; ++tries) {
    index = (index + direction + count) % count;
    if (Selectable(state.menu->items[static_cast<std::size_t>(index)])) {
      state.selected = index;
      return;
    }
  }
}

void Step(PopupState& state, int direction) {
  const int count = static_cast<int>(state.menu->items.size());
  // With nothing selected, Down starts at the first item and Up at the last.
  StepFrom(state, state.selected >= 0 ? state.selected : (direction > 0 ? -1 : count), direction);
}

// The letter after the item's '&', in lower case.
char16_t Mnemonic(const std::u16string& text) {
  const std::size_t at = text.find(u'&');
  if (at == std::u16string::npos || at + 1 >= text.size()) return 0;
  const char16_t c = text[at + 1];
  return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

// Chooses the item whose underlined letter is `typed` (any letter case).
void ChooseByMnemonic(PopupState& state, char16_t typed) {
  if (typed >= u'A' && typed <= u'Z') typed = static_cast<char16_t>(typed - u'A' + u'a');
  for (std::size_t i = 0; i < state.menu->items.size(); ++i) {
    if (Selectable(state.menu->items[i]) && Mnemonic(state.menu->items[i].text) == typed) {
      Choose(state, static_cast<int>(i));
      return;
    }
  }
}

void OnKeyDown(WindowHandle window, PopupState& state, WParam key) {
  const int count = static_cast<int>(state.menu->items.size());
  switch (key) {
    case kVkUp:
    case kVkDown:
      Step(state, key == kVkUp ? -1 : 1);
      break;
    case kVkHome:
      StepFrom(state, -1, 1);
      break;
    case kVkEnd:
      StepFrom(state, count, -1);
      break;
    case kVkReturn:
      Choose(state, state.selected);
      return;
    case kVkEscape:
    case kVkF10:
      state.done = true;
      return;
    default:
      // A letter key by its virtual key, so that the underlined letters
      // work whatever letters the desktop's keyboard layout types.
      if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) ChooseByMnemonic(state, static_cast<char16_t>(key));
      return;
  }
  InvalidateRect(window, false);
}

void Paint(WindowHandle window, PopupState& state) {
  const PaintInfo paint = BeginPaint(window);
  DeviceContext& context = *paint.context;
  Font* oldFont = context.SelectFont(MenuFont());
  const Rect area = GetClientRect(window);
  context.SelectBrush(GetStockBrush(StockBrush::kWhiteBrush));
  context.Rectangle(area);
  const BackgroundMode oldMode = context.SetBkMode(BackgroundMode::kTransparent);
  const Color oldText = context.textColor();
  std::int32_t top = kBorder;
  for (std::size_t i = 0; i < state.menu->items.size(); ++i) {
    const MenuItem& item = state.menu->items[i];
    const std::int32_t height = HeightOf(state, item);
    const Rect row{kBorder, top, area.right - kBorder, top + height};
    if (item.flags & kMfSeparator) {
      context.FillRect(Rect{row.left + 2, top + height / 2, row.right - 2, top + height / 2 + 1},
                       SolidBrush(kGrayText));
    } else {
      const bool selected = static_cast<int>(i) == state.selected;
      if (selected) context.FillRect(row, SolidBrush(kSelection));
      context.SetTextColor((item.flags & kMfGrayed) ? kGrayText : selected ? kWhite : kBlack);
      if (item.flags & kMfChecked) {
        // A check mark: a short stroke down and a long one up.
        const Brush ink = SolidBrush(context.textColor());
        const std::int32_t middle = top + height / 2;
        for (int k = 0; k < 3; ++k) context.FillRect(Rect{4 + k, middle + k - 1, 5 + k, middle + k + 1}, ink);
        for (int k = 0; k < 5; ++k) context.FillRect(Rect{7 + k, middle + 1 - k, 8 + k, middle + 3 - k}, ink);
      }
      context.DrawText(item.text, Rect{row.left + kCheckColumn, top, row.right - kRightMargin, top + height},
                       kDtVCenter | kDtSingleLine);
      if (!item.shortcut.empty()) {
        context.DrawText(item.shortcut, Rect{row.left, top, row.right - kRightMargin, top + height},
                         kDtRight | kDtVCenter | kDtSingleLine | kDtNoPrefix);
      }
    }
    top += height;
  }
  context.SetTextColor(oldText);
  context.SetBkMode(oldMode);
  context.SelectFont(oldFont);
  EndPaint(window);
}

LResult PopupProcedure(WindowHandle window, std::uint32_t message, WParam first, LParam second) {
  auto* state = static_cast<PopupState*>(GetWindowData(window));
  if (!state) return DefWindowProc(window, message, first, second);
  const Point point{SignedLowWord(static_cast<std::uintptr_t>(second)),
                    SignedHighWord(static_cast<std::uintptr_t>(second))};
  const std::int32_t width = GetClientRect(window).right;
  switch (message) {
    case kWmPaint:
      Paint(window, *state);
      return 0;
    case kWmLButtonDown:
    case kWmMouseMove: {
      const int index = ItemAt(*state, point, width);
      if (message == kWmLButtonDown && index < 0 && !GetClientRect(window).Contains(point)) {
        state->done = true;  // a tap outside dismisses the menu
        return 0;
      }
      // The pointer passing off the items keeps what the keys selected.
      const bool dragging = message == kWmLButtonDown || (first & kMkLButton) != 0;
      if (index != state->selected && (index >= 0 || dragging)) {
        state->selected = index;
        InvalidateRect(window, false);
      }
      return 0;
    }
    case kWmLButtonUp:
      Choose(*state, ItemAt(*state, point, width));
      return 0;
    case kWmKeyDown:
      OnKeyDown(window, *state, first);
      return 0;
    case kWmChar:
      ChooseByMnemonic(*state, static_cast<char16_t>(first));
      return 0;
    default:
      return DefWindowProc(window, message, first, second);
  }
}

}  // namespace

std::uint16_t TrackPopupMenu(Menu* menu, std::int32_t x, std::int32_t y, WindowHandle owner, std::uint32_t flags) {
  if (!menu || menu->items.empty()) return 0;
  WindowClass popupClass;
  popupClass.procedure = PopupProcedure;
  popupClass.name = u"#MenuPopup";
  RegisterClass(popupClass);  // already there after the first menu

  PopupState state;
  state.menu = menu;
  Framebuffer scratch(1, 1);
  DeviceContext measure(&scratch);
  Font* oldFont = measure.SelectFont(MenuFont());
  state.itemHeight = measure.GetTextMetrics().height + 4;
  std::int32_t width = 0;
  std::int32_t height = 2 * kBorder;
  for (const MenuItem& item : menu->items) {
    height += HeightOf(state, item);
    const std::int32_t text = measure.MeasureText(item.text, Rect{0, 0, 1000, 100}, kDtSingleLine).width();
    const std::int32_t shortcut =
        item.shortcut.empty() ? 0 : kShortcutGap + measure.GetTextExtent(item.shortcut).cx;
    width = std::max(width, kCheckColumn + text + shortcut + kRightMargin + 2 * kBorder);
  }
  measure.SelectFont(oldFont);
  const Size screen = ScreenSize();
  if (flags & kTpmBottomAlign) y -= height;
  if (flags & kTpmFromKeyboard) StepFrom(state, -1, 1);
  x = std::clamp(x, 0, std::max(0, screen.cx - width));
  y = std::clamp(y, 0, std::max(0, screen.cy - height));

  const WindowHandle popup =
      CreateWindow(0, u"#MenuPopup", u"", kWsPopup | kWsVisible, x, y, width, height, nullptr, 0, nullptr);
  if (!popup) return 0;
  SetWindowData(popup, &state);
  InvalidateRect(popup, true);
  const WindowHandle previousCapture = SetCapture(popup);
  const WindowHandle previousFocus = SetFocus(popup);
  RunModalLoop([&state] { return state.done; });
  SetWindowData(popup, nullptr);
  ReleaseCapture();
  if (previousCapture) SetCapture(previousCapture);
  DestroyWindow(popup);
  SetFocus(previousFocus);
  if (state.chosen != 0 && owner) PostMessage(owner, kWmCommand, state.chosen, 0);
  return state.chosen;
}

}  // namespace platform
