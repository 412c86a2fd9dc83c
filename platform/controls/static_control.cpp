// Static controls: a text, or a bitmap shown at its own size. Without
// kSsNotify a static takes no taps: they pass to the parent at the same
// place, so that a picture of keys can be tapped through.

#include "platform/controls/control_support.h"
#include "platform/controls/controls.h"
#include "platform/graphics/bitmap.h"
#include "platform/windows/window.h"

namespace platform {
namespace {

constexpr std::uint16_t kStnClicked = 0;

struct StaticState : ControlState {
  Bitmap* picture = nullptr;  // not owned
};

std::uint32_t TextFormat(std::uint32_t style) {
  std::uint32_t format = kDtWordBreak;
  if ((style & kSsTypeMask) == kSsCenter) format |= kDtCenter;
  if ((style & kSsTypeMask) == kSsRight) format |= kDtRight;
  if (style & kSsNoPrefix) format |= kDtNoPrefix;
  return format;
}

void Paint(WindowHandle control, const StaticState& state) {
  const PaintInfo paint = BeginPaint(control);
  DeviceContext& context = *paint.context;
  const std::uint32_t style = GetWindowStyle(control);
  if ((style & kSsTypeMask) == kSsBitmap) {
    if (state.picture) {
      auto memory = DeviceContext::CreateCompatible();
      memory->SelectBitmap(state.picture);
      const Color oldText = context.SetTextColor(kBlack);
      const Color oldBack = context.SetBkColor(kWhite);
      const Framebuffer& pixels = state.picture->pixels();
      context.BitBlt(0, 0, pixels.width(), pixels.height(), *memory, 0, 0);
      context.SetTextColor(oldText);
      context.SetBkColor(oldBack);
    }
  } else {
    const FontSelection font(context, FontOrSystem(state.font));
    const BackgroundMode oldMode = context.SetBkMode(BackgroundMode::kTransparent);
    context.DrawText(GetWindowText(control), GetClientRect(control), TextFormat(style));
    context.SetBkMode(oldMode);
  }
  EndPaint(control);
}

// The picture's size becomes the control's, as the handheld sizes a
// picture control.
void FitPicture(WindowHandle control, const Bitmap& picture) {
  const Point place = PlaceInParent(control);
  MoveWindow(control, place.x, place.y, picture.pixels().width(), picture.pixels().height(), true);
}

}  // namespace

LResult StaticProcedure(WindowHandle control, std::uint32_t message, WParam first, LParam second) {
  LResult result = 0;
  if (HandleCommonMessage<StaticState>(control, message, first, second, result)) return result;
  auto* state = static_cast<StaticState*>(GetWindowData(control));
  if (!state) return DefWindowProc(control, message, first, second);
  switch (message) {
    case kWmPaint:
      Paint(control, *state);
      return 0;
    case kStmSetImage: {
      if (first != kImageBitmap) return 0;
      Bitmap* previous = state->picture;
      state->picture = reinterpret_cast<Bitmap*>(second);
      if (state->picture) FitPicture(control, *state->picture);
      InvalidateRect(control, true);
      return reinterpret_cast<LResult>(previous);
    }
    case kStmGetImage:
      return reinterpret_cast<LResult>(state->picture);
    case kWmLButtonDown:
    case kWmMouseMove:
    case kWmLButtonUp: {
      if (GetWindowStyle(control) & kSsNotify) {
        if (message == kWmLButtonDown) NotifyParent(control, kStnClicked);
        return 0;
      }
      const Point place = PlaceInParent(control);
      const Point at = StylusPoint(second);
      return SendMessage(GetParent(control), message, first, PointParam(place.x + at.x, place.y + at.y));
    }
    default:
      return DefWindowProc(control, message, first, second);
  }
}

}  // namespace platform
