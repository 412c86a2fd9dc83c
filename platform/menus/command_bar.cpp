#include "platform/menus/command_bar.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "platform/graphics/bitmap.h"
#include "platform/windows/shell.h"
#include "platform/windows/timer.h"

namespace platform {
namespace {

constexpr std::int32_t kButtonWidth = 23;
constexpr std::int32_t kImageSize = 16;
constexpr std::int32_t kMenuButtonPadding = 12;
constexpr std::int32_t kGap = 4;
constexpr std::uint16_t kNoImage = 65534;
constexpr Color kFace = Rgb(192, 192, 192);
constexpr Color kShadow = Rgb(128, 128, 128);
constexpr Color kTipFace = Rgb(255, 255, 225);
// How long the pointer rests on a button before its tooltip shows.
constexpr std::uint32_t kHoverTipMilliseconds = 500;
constexpr std::uintptr_t kHoverTimer = 1;

struct MenuButton {
  std::u16string label;
  std::uint16_t command = 0;  // of the menu bar's button; 0 on a command bar
  int popup = 0;              // index of the pop-up it opens
};

struct Image {
  const Bitmap* strip;
  std::int32_t index;
};

struct BarState {
  bool menuBar = false;
  WindowHandle owner = nullptr;
  std::unique_ptr<Menu> menu;
  std::vector<MenuButton> menuButtons;
  std::vector<std::u16string> tips;
  std::vector<std::unique_ptr<Bitmap>> strips;
  std::vector<Image> images;
  std::int32_t standardImages = 0;
  std::vector<BarButton> buttons;
  bool closeButton = false;
  int pressed = -1;  // the region held down
  int hovered = -1;  // the region the pointer rests on, stylus up
  WindowHandle tip = nullptr;
};

enum class RegionKind { kMenu, kButton, kClose };

struct Region {
  Rect rect;
  RegionKind kind;
  int index;
};

BarState* State(WindowHandle bar) {
  const WindowClass* windowClass = GetWindowClass(bar);
  return windowClass && windowClass->name == u"#Bar" ? static_cast<BarState*>(GetWindowData(bar)) : nullptr;
}

std::vector<Region> Layout(const BarState& state, WindowHandle bar) {
  std::vector<Region> regions;
  DeviceContext& context = *GetDC(bar);
  Font* oldFont = context.SelectFont(MenuFont());
  const Rect area = GetClientRect(bar);
  std::int32_t x = 0;
  for (std::size_t i = 0; i < state.menuButtons.size(); ++i) {
    const std::int32_t width =
        context.MeasureText(state.menuButtons[i].label, Rect{0, 0, 1000, 100}, kDtSingleLine).width() +
        kMenuButtonPadding;
    regions.push_back(Region{Rect{x, 0, x + width, area.bottom}, RegionKind::kMenu, static_cast<int>(i)});
    x += width;
  }
  if (!state.buttons.empty()) x += kGap;
  for (std::size_t i = 0; i < state.buttons.size(); ++i) {
    regions.push_back(Region{Rect{x, 0, x + kButtonWidth, area.bottom}, RegionKind::kButton, static_cast<int>(i)});
    x += kButtonWidth;
  }
  if (state.closeButton) {
    regions.push_back(Region{Rect{area.right - kButtonWidth, 0, area.right, area.bottom}, RegionKind::kClose, 0});
  }
  context.SelectFont(oldFont);
  return regions;
}

int RegionAt(const std::vector<Region>& regions, Point point) {
  for (std::size_t i = 0; i < regions.size(); ++i) {
    if (regions[i].rect.Contains(point)) return static_cast<int>(i);
  }
  return -1;
}

void DrawImage(DeviceContext& context, const Image& image, std::int32_t x, std::int32_t y) {
  auto memory = DeviceContext::CreateCompatible();
  memory->SelectBitmap(const_cast<Bitmap*>(image.strip));
  context.BitBlt(x, y, kImageSize, kImageSize, *memory, image.index * kImageSize, 0);
}

void PaintBar(WindowHandle bar, BarState& state) {
  const PaintInfo paint = BeginPaint(bar);
  DeviceContext& context = *paint.context;
  const Rect area = GetClientRect(bar);
  context.FillRect(area, SolidBrush(kFace));
  const Rect edge = state.menuBar ? Rect{0, 0, area.right, 1} : Rect{0, area.bottom - 1, area.right, area.bottom};
  context.FillRect(edge, SolidBrush(kShadow));
  const std::vector<Region> regions = Layout(state, bar);
  const BackgroundMode oldMode = context.SetBkMode(BackgroundMode::kTransparent);
  Font* oldFont = context.SelectFont(MenuFont());
  for (std::size_t i = 0; i < regions.size(); ++i) {
    const Region& region = regions[i];
    if (static_cast<int>(i) == state.pressed) context.FillRect(region.rect, SolidBrush(kShadow));
    switch (region.kind) {
      case RegionKind::kMenu:
        context.DrawText(state.menuButtons[static_cast<std::size_t>(region.index)].label, region.rect,
                         kDtCenter | kDtVCenter | kDtSingleLine);
        break;
      case RegionKind::kButton: {
        const BarButton& button = state.buttons[static_cast<std::size_t>(region.index)];
        if (button.image >= 0 && static_cast<std::size_t>(button.image) < state.images.size()) {
          DrawImage(context, state.images[static_cast<std::size_t>(button.image)],
                    region.rect.left + (kButtonWidth - kImageSize) / 2, (area.bottom - kImageSize) / 2);
        }
        break;
      }
      case RegionKind::kClose:
        context.DrawText(u"\u00D7", region.rect, kDtCenter | kDtVCenter | kDtSingleLine | kDtNoPrefix);
        break;
    }
  }
  context.SetBkMode(oldMode);
  context.SelectFont(oldFont);
  EndPaint(bar);
}

LResult TipProcedure(WindowHandle window, std::uint32_t message, WParam first, LParam second) {
  if (message != kWmPaint) return DefWindowProc(window, message, first, second);
  const PaintInfo paint = BeginPaint(window);
  const Rect area = GetClientRect(window);
  const Brush face = SolidBrush(kTipFace);
  const Brush* oldBrush = paint.context->SelectBrush(&face);
  paint.context->Rectangle(area);
  paint.context->SelectBrush(oldBrush);
  const BackgroundMode oldMode = paint.context->SetBkMode(BackgroundMode::kTransparent);
  Font* oldFont = paint.context->SelectFont(MenuFont());
  paint.context->DrawText(GetWindowText(window), area, kDtCenter | kDtVCenter | kDtSingleLine | kDtNoPrefix);
  paint.context->SelectFont(oldFont);
  paint.context->SetBkMode(oldMode);
  EndPaint(window);
  return 0;
}

// The tooltip of a held button, just below a command bar or above a menu bar.
void ShowTip(WindowHandle bar, BarState& state, const Region& region) {
  const std::size_t tipIndex = static_cast<std::size_t>(region.index) + 1;  // the first belongs to the menu
  if (region.kind != RegionKind::kButton || tipIndex >= state.tips.size() || state.tips[tipIndex].empty()) return;
  const std::u16string& text = state.tips[tipIndex];
  DeviceContext& context = *GetDC(bar);
  Font* oldFont = context.SelectFont(MenuFont());
  const std::int32_t width = context.GetTextExtent(text).cx + 8;
  const std::int32_t height = context.GetTextMetrics().height + 4;
  context.SelectFont(oldFont);
  const Point corner = ClientToScreen(bar, Point{region.rect.left, state.menuBar ? -height - 2 : kBarHeight + 2});
  const std::int32_t x = std::clamp(corner.x, 0, std::max(0, ScreenSize().cx - width));
  state.tip = CreateWindow(kWsExNoActivate, u"#ToolTip", text, kWsPopup | kWsVisible, x, corner.y, width, height,
                           bar, 0, nullptr);
}

void HideTip(BarState& state) {
  if (state.tip) DestroyWindow(state.tip);
  state.tip = nullptr;
}

void OpenMenu(WindowHandle bar, BarState& state, const Region& region, std::uint32_t flags) {
  KillTimer(bar, kHoverTimer);
  HideTip(state);
  const MenuButton& button = state.menuButtons[static_cast<std::size_t>(region.index)];
  Menu* popup = GetSubMenu(state.menu.get(), button.popup);
  const Point corner = ClientToScreen(bar, Point{region.rect.left, state.menuBar ? 0 : region.rect.bottom});
  TrackPopupMenu(popup, corner.x, corner.y, state.owner, flags | (state.menuBar ? kTpmBottomAlign : 0));
}

bool IsButton(const std::vector<Region>& regions, int index) {
  return index >= 0 && regions[static_cast<std::size_t>(index)].kind == RegionKind::kButton;
}

// The pointer passing over the bar, stylus up: a button's tooltip shows
// once the pointer has rested on it, and at once when another button's
// tooltip is showing already, as desktop toolbars have it.
void OnHover(WindowHandle bar, BarState& state, Point point) {
  const std::vector<Region> regions = Layout(state, bar);
  const int index = RegionAt(regions, point);
  if (index == state.hovered) return;
  state.hovered = index;
  const bool tipShowing = state.tip != nullptr;
  HideTip(state);
  KillTimer(bar, kHoverTimer);
  if (!IsButton(regions, index)) return;
  if (tipShowing) {
    ShowTip(bar, state, regions[static_cast<std::size_t>(index)]);
  } else {
    SetTimer(bar, kHoverTimer, kHoverTipMilliseconds);
  }
}

void OnHoverTimer(WindowHandle bar, BarState& state) {
  KillTimer(bar, kHoverTimer);
  const std::vector<Region> regions = Layout(state, bar);
  if (state.pressed < 0 && IsButton(regions, state.hovered) && state.tip == nullptr) {
    ShowTip(bar, state, regions[static_cast<std::size_t>(state.hovered)]);
  }
}

void OnPointerLeft(WindowHandle bar, BarState& state) {
  state.hovered = -1;
  KillTimer(bar, kHoverTimer);
  if (state.pressed < 0) HideTip(state);
}

LResult BarProcedure(WindowHandle bar, std::uint32_t message, WParam first, LParam second) {
  BarState* state = static_cast<BarState*>(GetWindowData(bar));
  if (!state) return DefWindowProc(bar, message, first, second);
  const Point point{SignedLowWord(static_cast<std::uintptr_t>(second)),
                    SignedHighWord(static_cast<std::uintptr_t>(second))};
  switch (message) {
    case kWmPaint:
      PaintBar(bar, *state);
      return 0;
    case kWmMouseMove:
      if (state->pressed < 0 && (first & kMkLButton) == 0) OnHover(bar, *state, point);
      return 0;
    case kWmTimer:
      if (first == kHoverTimer) OnHoverTimer(bar, *state);
      return 0;
    case kWmMouseLeave:
      OnPointerLeft(bar, *state);
      return 0;
    case kWmLButtonDown: {
      const std::vector<Region> regions = Layout(*state, bar);
      const int index = RegionAt(regions, point);
      if (index < 0) return 0;
      if (regions[static_cast<std::size_t>(index)].kind == RegionKind::kMenu) {
        OpenMenu(bar, *state, regions[static_cast<std::size_t>(index)], 0);
        return 0;
      }
      // A hover tooltip gives way to the held button's own.
      KillTimer(bar, kHoverTimer);
      HideTip(*state);
      state->pressed = index;
      SetCapture(bar);
      ShowTip(bar, *state, regions[static_cast<std::size_t>(index)]);
      InvalidateRect(bar, false);
      return 0;
    }
    case kWmLButtonUp: {
      if (state->pressed < 0) return 0;
      const std::vector<Region> regions = Layout(*state, bar);
      const int released = RegionAt(regions, point);
      const int pressed = std::exchange(state->pressed, -1);
      ReleaseCapture();
      HideTip(*state);
      InvalidateRect(bar, false);
      if (released != pressed || static_cast<std::size_t>(pressed) >= regions.size()) return 0;
      const Region& region = regions[static_cast<std::size_t>(pressed)];
      if (region.kind == RegionKind::kClose) {
        PostMessage(state->owner, kWmClose, 0, 0);
      } else if (region.kind == RegionKind::kButton) {
        const BarButton& button = state->buttons[static_cast<std::size_t>(region.index)];
        if (button.state & kButtonEnabled) PostMessage(state->owner, kWmCommand, button.command, 0);
      }
      return 0;
    }
    case kWmDestroy:
      HideTip(*state);
      SetWindowData(bar, nullptr);
      delete state;
      return 0;
    default:
      return DefWindowProc(bar, message, first, second);
  }
}

void RegisterBarClasses() {
  WindowClass bar;
  bar.procedure = BarProcedure;
  bar.name = u"#Bar";
  RegisterClass(bar);
  WindowClass tip;
  tip.procedure = TipProcedure;
  tip.name = u"#ToolTip";
  RegisterClass(tip);
}

WindowHandle MakeBar(std::uint32_t exStyle, std::uint32_t style, Rect rect, WindowHandle parent, std::uint16_t id,
                     std::unique_ptr<BarState> state) {
  RegisterBarClasses();
  const WindowHandle bar = CreateWindow(exStyle, u"#Bar", u"", style, rect.left, rect.top, rect.width(),
                                        rect.height(), parent, id, nullptr);
  if (bar) SetWindowData(bar, state.release());
  return bar;
}

std::uint16_t WordAt(const std::uint8_t* bytes, std::uint32_t index) {
  return static_cast<std::uint16_t>(bytes[2 * index] | (bytes[2 * index + 1] << 8));
}

}  // namespace

WindowHandle CreateCommandBar(ModuleHandle, WindowHandle parent, std::uint16_t id) {
  if (!IsWindow(parent)) return nullptr;
  auto state = std::make_unique<BarState>();
  state->owner = parent;
  const Rect client = GetClientRect(parent);
  return MakeBar(0, kWsChild | kWsVisible, Rect{0, 0, client.right, kBarHeight}, parent, id, std::move(state));
}

bool CommandBarInsertMenu(WindowHandle bar, ModuleHandle module, std::uint16_t menuId) {
  BarState* state = State(bar);
  if (!state) return false;
  auto menu = LoadMenu(module, menuId);
  if (!menu) return false;
  state->menuButtons.clear();
  for (std::size_t i = 0; i < menu->items.size(); ++i) {
    if (menu->items[i].popup) state->menuButtons.push_back(MenuButton{menu->items[i].text, 0, static_cast<int>(i)});
  }
  state->menu = std::move(menu);
  InvalidateRect(bar, true);
  return true;
}

bool CommandBarAddCloseButton(WindowHandle bar) {
  BarState* state = State(bar);
  if (!state || state->menuBar) return false;
  state->closeButton = true;
  InvalidateRect(bar, true);
  return true;
}

WindowHandle ShellCreateMenuBar(WindowHandle owner, ModuleHandle module, std::uint16_t definitionId,
                                std::uint32_t flags) {
  const ResourceHandle resource = FindResource(module, definitionId, ResourceType::kRawData);
  const std::uint8_t* bytes = LoadResource(resource);
  const std::uint32_t words = SizeofResource(resource) / 2;
  if (!IsWindow(owner) || !bytes || words < 2) return nullptr;
  const std::uint16_t count = WordAt(bytes, 1);
  if (words < 2 + 7u * count) return nullptr;
  auto state = std::make_unique<BarState>();
  state->menuBar = true;
  state->owner = owner;
  state->menu = LoadMenu(module, WordAt(bytes, 0));
  if (!state->menu) return nullptr;
  for (std::uint16_t i = 0; i < count; ++i) {
    const std::uint32_t at = 2 + 7u * i;
    if (WordAt(bytes, at) != kNoImage) continue;  // the program's bar has text buttons only
    state->menuButtons.push_back(MenuButton{LoadString(module, WordAt(bytes, at + 4)), WordAt(bytes, at + 1),
                                            WordAt(bytes, at + 6)});
  }
  if (flags & kMenuBarHideSipButton) ShellFullScreen(owner, kShfsHideSipButton);
  const Size screen = ScreenSize();
  return MakeBar(kWsExNoActivate, kWsPopup | kWsVisible, Rect{0, screen.cy - kBarHeight, screen.cx, screen.cy},
                 owner, 0, std::move(state));
}

bool BarSetToolTips(WindowHandle bar, std::span<const std::u16string> texts) {
  BarState* state = State(bar);
  if (!state) return false;
  state->tips.assign(texts.begin(), texts.end());
  return true;
}

std::int32_t BarAddBitmap(WindowHandle bar, ModuleHandle module, std::uint16_t bitmapId, std::int32_t count) {
  BarState* state = State(bar);
  if (!state || count <= 0) return -1;
  auto strip = LoadBitmapResource(module, bitmapId);
  if (!strip || strip->pixels().width() < count * kImageSize || strip->pixels().height() < kImageSize) return -1;
  const auto first = static_cast<std::int32_t>(state->images.size());
  for (std::int32_t i = 0; i < count; ++i) state->images.push_back(Image{strip.get(), i});
  state->strips.push_back(std::move(strip));
  return first;
}

std::int32_t BarAddStandardImages(WindowHandle bar, std::int32_t count) {
  BarState* state = State(bar);
  if (!state) return -1;
  const auto first = static_cast<std::int32_t>(state->images.size()) + state->standardImages;
  state->standardImages += count < 0 ? -count : count;
  return first;
}

bool BarAddButtons(WindowHandle bar, std::span<const BarButton> buttons) {
  BarState* state = State(bar);
  if (!state) return false;
  state->buttons.insert(state->buttons.end(), buttons.begin(), buttons.end());
  InvalidateRect(bar, true);
  return true;
}

std::int32_t BarHeight(WindowHandle bar) {
  const Rect rect = GetWindowRect(bar);
  return rect.height();
}

Menu* BarMenu(WindowHandle bar, std::uint16_t buttonCommand) {
  BarState* state = State(bar);
  if (!state) return nullptr;
  if (!state->menuBar) return state->menu.get();
  for (const MenuButton& button : state->menuButtons) {
    if (button.command == buttonCommand) return GetSubMenu(state->menu.get(), button.popup);
  }
  return nullptr;
}

Rect BarButtonRect(WindowHandle bar, int index) {
  const BarState* state = State(bar);
  if (!state) return Rect{};
  for (const Region& region : Layout(*state, bar)) {
    if (region.kind == RegionKind::kButton && region.index == index) return region.rect;
  }
  return Rect{};
}

bool BarOpenMenu(WindowHandle bar, int index) {
  BarState* state = State(bar);
  if (!state || !IsWindowVisible(bar)) return false;
  for (const Region& region : Layout(*state, bar)) {
    if (region.kind == RegionKind::kMenu && region.index == index) {
      OpenMenu(bar, *state, region, kTpmFromKeyboard);
      return true;
    }
  }
  return false;
}

std::u16string BarShownToolTip(WindowHandle bar) {
  const BarState* state = State(bar);
  return state && state->tip ? GetWindowText(state->tip) : std::u16string();
}

}  // namespace platform
