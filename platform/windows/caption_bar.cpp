// The caption bar of top-level windows with kWsCaption, in the handheld's
// look: the title on a dark bar and, for dialogs that have one, a round
// "ok" button at the right that confirms the dialog (command 1); a frame of
// the bar's colour goes round the window.

#include "platform/graphics/dialog_units.h"
#include "platform/windows/message_box.h"
#include "platform/windows/window_system.h"

namespace platform {
namespace {

constexpr Color kBarFace = Rgb(0, 0, 128);
constexpr std::int32_t kOkWidth = 30;
constexpr std::int32_t kOkHeight = 18;
constexpr std::int32_t kMargin = 4;
constexpr std::int32_t kTitleIndent = 6;

// Where the ok button is, in window coordinates; empty without one.
Rect OkButtonRect(const Window& window) {
  if (!(window.exStyle & kWsExCaptionOkButton)) return Rect{};
  const std::int32_t right = window.rect.width() - kMargin;
  const std::int32_t top = (kCaptionBarHeight - kOkHeight) / 2;
  return Rect{right - kOkWidth, top, right, top + kOkHeight};
}

}  // namespace

void DrawCaptionBar(Window& window) {
  if (!HasCaptionBar(window) || !window.surface) return;
  const Rect whole{0, 0, window.rect.width(), window.rect.height()};
  const Rect bar{0, 0, whole.right, std::min(kCaptionBarHeight, whole.bottom)};
  DeviceContext frame(window.surface.get());
  const Pen face = SolidPen(kFrameWidth, kBarFace);
  frame.SelectBrush(GetStockBrush(StockBrush::kHollowBrush));
  frame.SelectPen(&face);
  frame.Rectangle(whole);
  DeviceContext context(window.surface.get(), Point{}, &bar);
  context.FillRect(bar, SolidBrush(kBarFace));
  context.SelectFont(DialogFont());
  context.SetBkMode(BackgroundMode::kTransparent);
  context.SetTextColor(kWhite);
  const Rect ok = OkButtonRect(window);
  const std::int32_t titleRight = ok.empty() ? bar.right - kMargin : ok.left - kMargin;
  context.DrawText(window.title, Rect{kTitleIndent, 0, titleRight, bar.bottom},
                   kDtVCenter | kDtSingleLine | kDtNoPrefix);
  if (!ok.empty()) {
    const Pen outline = SolidPen(1, kWhite);
    context.SelectPen(&outline);
    context.SelectBrush(GetStockBrush(StockBrush::kHollowBrush));
    context.RoundRect(ok, kOkHeight, kOkHeight);
    context.DrawText(u"ok", ok, kDtCenter | kDtVCenter | kDtSingleLine | kDtNoPrefix);
  }
}

bool CaptionBarStylus(Window& window, Point point, bool down) {
  if (!HasCaptionBar(window) || point.y < 0 || point.y >= ClientArea(window).top) return false;
  if (down && OkButtonRect(window).Contains(point)) {
    PostMessage(&window, kWmCommand, MakeLong(kIdOk, kBnClicked), 0);
  }
  return true;
}

}  // namespace platform
