#include "app/main_window.h"

#include <algorithm>

#include "app/article_loading.h"
#include "app/bars.h"
#include "app/commands.h"
#include "app/night_reading.h"
#include "app/reader_calls.h"
#include "app/view_input.h"
#include "app/view_pointer.h"
#include "core/app_state.h"
#include "core/shell_calls.h"
#include "platform/windows/shell.h"
#include "platform/windows/window.h"
#include "resources/program_resources.h"
#include "view/palette.h"
#include "view/text_paint.h"
#include "view/text_scroll.h"

namespace quillory {
namespace {

using platform::LParam;
using platform::LResult;
using platform::WindowHandle;
using platform::WParam;

// A position change with the no-activate bit and any bit from 0x10000 up is
// the shell's way of closing the program.
constexpr std::uint32_t kShellCloseFlags = 0xFFFF0000;

void OnCreate(WindowHandle window) {
  App().mainWindow = window;
  CreateBars(window);
  InitialLoad(window);
  UpdateReverseCheck(window, true);
  UpdateBookmarkCheck(window);
  ShowNightReading(window);
}

void OnDestroy() {
  AppState& app = App();
  if (app.barWindow != nullptr) {
    platform::DestroyWindow(app.barWindow);
    app.barWindow = nullptr;
  }
  StopReader();
}

LResult OnActivate(WindowHandle window, std::uint32_t message, WParam first, LParam second) {
  if (Switches().ignoreActivate != 0) return platform::DefWindowProc(window, message, first, second);
  if (platform::LowWord(first) == platform::kWaInactive) return 0;
  std::uint32_t hide = platform::kShfsHideSipButton;
  if (Switches().fullScreen != 0) hide |= platform::kShfsHideTaskBar | platform::kShfsHideStartIcon;
  platform::ShellFullScreen(window, hide);
  return 0;
}

// The resize rule, after the bar has followed the window's width; full
// screen came or went with many a new size.
void OnSize(WindowHandle window, LParam second) {
  FitBars(window);
  HandleViewResize(window, platform::LowWord(static_cast<WParam>(second)),
                   platform::HighWord(static_cast<WParam>(second)));
  UpdateFullScreenCheck();
}

// The client area round the text area (the gutter) in the page's colour,
// which the class's white stands for by day.
LResult OnEraseBackground(WindowHandle window, WParam first) {
  auto* context = reinterpret_cast<platform::DeviceContext*>(first);
  if (context == nullptr) return 0;
  context->FillRect(platform::GetClientRect(window), platform::SolidBrush(CurrentPalette().page));
  return 1;
}

void OnPaint(WindowHandle window) {
  platform::BeginPaint(window);
  PaintTextView(App().textView, true);
  platform::EndPaint(window);
}

void OnPositionChanged(WindowHandle window, LParam second) {
  const auto* position = reinterpret_cast<const platform::WindowPosition*>(second);
  if (position == nullptr) return;
  if ((position->flags & platform::kSwpNoActivate) != 0 && (position->flags & kShellCloseFlags) != 0) {
    platform::DestroyWindow(window);
  }
}

LResult OnVerticalScroll(WindowHandle window, std::uint32_t message, WParam first, LParam second) {
  const TextView* view = App().textView;
  const int amount =
      view != nullptr ? ScrollAmountFor(*view, platform::LowWord(first), platform::SignedHighWord(first)) : 0;
  if (amount != 0) ScrollTextView(App().textView, amount, 1, true);
  platform::DefWindowProc(window, message, first, second);
  if (amount != 0) UpdateScrollBar(window);
  return 1;
}

}  // namespace

bool RegisterMainWindowClass() {
  platform::WindowClass windowClass;
  windowClass.style = platform::kCsHRedraw | platform::kCsVRedraw;
  windowClass.procedure = MainWindowProc;
  windowClass.module = App().module;
  windowClass.icon = kIconId;
  windowClass.background = platform::GetStockBrush(platform::StockBrush::kWhiteBrush);
  windowClass.name = kMainWindowName;
  return platform::RegisterClass(windowClass);
}

LResult MainWindowProc(WindowHandle window, std::uint32_t message, WParam first, LParam second) {
  switch (message) {
    case platform::kWmCreate:
      OnCreate(window);
      return 0;
    case platform::kWmDestroy:
      OnDestroy();
      return 0;
    case platform::kWmSize:
      OnSize(window, second);
      return 0;
    case platform::kWmActivate:
      return OnActivate(window, message, first, second);
    case platform::kWmEraseBackground:
      return OnEraseBackground(window, first);
    case platform::kWmPaint:
      OnPaint(window);
      return 0;
    case platform::kWmSettingChange:
      platform::ShellHandleSettingChange(window, first, second);
      return 0;
    case platform::kWmWindowPositionChanged:
      OnPositionChanged(window, second);
      return 0;
    case platform::kWmHelp:
      DispatchCommand(window, kAboutCommand);
      return 0;
    case platform::kWmKeyDown:
      return HandleViewKey(window, static_cast<std::uint16_t>(first));
    case platform::kWmCommand:
      if (DispatchCommand(window, first) == 0) return 0;
      return platform::DefWindowProc(window, message, first, second);
    case platform::kWmVScroll:
      return OnVerticalScroll(window, message, first, second);
    case platform::kWmLButtonDown:
      HandleViewPress(window, platform::SignedLowWord(static_cast<WParam>(second)),
                      platform::SignedHighWord(static_cast<WParam>(second)), std::max<int>(1, platform::ClickCount(first)));
      return 0;
    case platform::kWmMouseMove:
      HandleViewPointerMove(window, platform::SignedLowWord(static_cast<WParam>(second)),
                            platform::SignedHighWord(static_cast<WParam>(second)), (first & platform::kMkLButton) != 0);
      return 0;
    case platform::kWmLButtonUp:
      HandleViewRelease(window);
      return 0;
    case platform::kWmTimer:
      HandleViewTimer(window, first);
      return 0;
    case platform::kWmHibernate:
      platform::DestroyWindow(window);
      return 0;
    default:
      return platform::DefWindowProc(window, message, first, second);
  }
}

}  // namespace quillory
