#include "platform/graphics/device_context.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <utility>
#include <vector>

#include "platform/graphics/font_catalog.h"

namespace platform {
namespace {

const Brush kStockBrushes[] = {SolidBrush(kWhite), SolidBrush(kBlack), Brush{kWhite, true}};
const Pen kStockPens[] = {SolidPen(1, kWhite), SolidPen(1, kBlack), Pen{kBlack, 1, true}};

template <class T>
T* Swap(T*& slot, T* next) {
  T* previous = slot;
  slot = next;
  return previous;
}

}  // namespace

const Brush* GetStockBrush(StockBrush which) {
  switch (which) {
    case StockBrush::kWhiteBrush: return &kStockBrushes[0];
    case StockBrush::kBlackBrush: return &kStockBrushes[1];
    case StockBrush::kHollowBrush: return &kStockBrushes[2];
  }
  return &kStockBrushes[0];
}

const Pen* GetStockPen(StockPen which) {
  switch (which) {
    case StockPen::kWhitePen: return &kStockPens[0];
    case StockPen::kBlackPen: return &kStockPens[1];
    case StockPen::kNullPen: return &kStockPens[2];
  }
  return &kStockPens[1];
}

// The stock fonts live until the process ends: windows that still hold
// them selected may be torn down after every other static.
Font* SystemFont() {
  static Font* const font = CreateFont(FontRequest{}).release();
  return font;
}

Font* MenuFont() {
  static Font* const font = [] {
    FontRequest request;
    request.height = -11;
    return CreateFont(request).release();
  }();
  return font;
}

DeviceContext::DeviceContext(Framebuffer* target, Point origin, const Rect* clip)
    : target_(target), origin_(origin), fullClip_(clip == nullptr) {
  if (clip) clip_ = *clip;
  brush_ = GetStockBrush(StockBrush::kWhiteBrush);
  pen_ = GetStockPen(StockPen::kBlackPen);
  SelectFont(SystemFont());
}

std::unique_ptr<DeviceContext> DeviceContext::CreateCompatible() {
  std::unique_ptr<DeviceContext> context(new DeviceContext());
  context->memory_ = true;
  context->brush_ = GetStockBrush(StockBrush::kWhiteBrush);
  context->pen_ = GetStockPen(StockPen::kBlackPen);
  context->SelectFont(SystemFont());
  return context;
}

void DeviceContext::Retarget(Framebuffer* target, Point origin, const Rect* clip) {
  target_ = target;
  origin_ = origin;
  fullClip_ = clip == nullptr;
  if (clip) clip_ = *clip;
}

DeviceContext::~DeviceContext() {
  if (font_) --font_->selections;
  if (bitmap_) --bitmap_->selections;
}

Font* DeviceContext::SelectFont(Font* font) {
  if (!font) return nullptr;
  ++font->selections;
  Font* previous = Swap(font_, font);
  if (previous) --previous->selections;
  return previous;
}

const Brush* DeviceContext::SelectBrush(const Brush* brush) { return brush ? Swap(brush_, brush) : nullptr; }
const Pen* DeviceContext::SelectPen(const Pen* pen) { return pen ? Swap(pen_, pen) : nullptr; }

Bitmap* DeviceContext::SelectBitmap(Bitmap* bitmap) {
  assert(memory_ && "only a memory context takes a bitmap");
  if (!bitmap) return nullptr;
  ++bitmap->selections;
  Bitmap* previous = Swap(bitmap_, bitmap);
  if (previous) --previous->selections;
  target_ = &bitmap->pixels();
  return previous;
}

Color DeviceContext::SetTextColor(Color color) { return std::exchange(textColor_, color); }
Color DeviceContext::SetBkColor(Color color) { return std::exchange(bkColor_, color); }
BackgroundMode DeviceContext::SetBkMode(BackgroundMode mode) { return std::exchange(bkMode_, mode); }

Rect DeviceContext::ToDevice(const Rect& rect) const {
  return Scale().ToDevice(
      Rect{rect.left + origin_.x, rect.top + origin_.y, rect.right + origin_.x, rect.bottom + origin_.y});
}

Rect DeviceContext::DeviceClip() const {
  if (!target_) return Rect{};
  return fullClip_ ? target_->bounds() : Intersect(target_->scale().ToDevice(clip_), target_->bounds());
}

void DeviceContext::FillDeviceSpan(const Rect& clip, std::int32_t row, std::int32_t left, std::int32_t right,
                                   Pixel value) {
  if (row < clip.top || row >= clip.bottom) return;
  const std::int32_t from = std::max(left, clip.left);
  const std::int32_t to = std::min(right, clip.right);
  if (from < to) std::fill_n(target_->row(row).begin() + from, to - from, value);
}

void DeviceContext::FillRect(const Rect& rect, const Brush& brush) {
  if (brush.hollow || !target_) return;
  target_->Fill(Intersect(ToDevice(rect), DeviceClip()), ToPixel(brush.color));
}

void DeviceContext::Rectangle(const Rect& rect) { RoundRect(rect, 0, 0); }

void DeviceContext::RoundRect(const Rect& rect, std::int32_t ellipseWidth, std::int32_t ellipseHeight) {
  if (rect.empty() || !target_) return;
  // Drawn in the target's own pixels, so that corners and pens are as
  // smooth as its resolution allows. The figure is described row by row as
  // the span of pixels it covers; a corner ellipse narrows the rows near
  // the top and bottom.
  const DeviceScale scale = Scale();
  const Rect r = ToDevice(rect);
  if (r.empty()) return;
  const double rx = std::min(scale.LengthToDevice(ellipseWidth), r.width()) / 2.0;
  const double ry = std::min(scale.LengthToDevice(ellipseHeight), r.height()) / 2.0;
  const auto inset = [&](std::int32_t y) -> std::int32_t {
    if (rx < 1 || ry < 1) return 0;
    // Measured at the row's edge away from the centre, which gives the
    // stepped corner the handheld draws (3, 1, 0 pixels in for a 6 × 6 ellipse).
    double d = 0;
    if (y < r.top + ry) d = r.top + ry - y;
    if (y + 1 > r.bottom - ry) d = y + 1 - (r.bottom - ry);
    if (d <= 0) return 0;
    const double along = 1.0 - (d / ry) * (d / ry);
    return static_cast<std::int32_t>(std::lround(rx - rx * std::sqrt(std::max(0.0, along))));
  };
  const std::int32_t penWidth = pen_->hollow ? 0 : scale.LengthToDevice(pen_->width);
  const Pixel penPixel = ToPixel(pen_->color);
  const Rect clip = DeviceClip();
  for (std::int32_t y = std::max(r.top, clip.top); y < std::min(r.bottom, clip.bottom); ++y) {
    const std::int32_t left = r.left + inset(y);
    const std::int32_t right = r.right - inset(y);
    // A pixel is inside the outline when the pixels within the pen's width
    // of it, across its row and down its column, are all covered.
    std::int32_t innerLeft = left + penWidth;
    std::int32_t innerRight = right - penWidth;
    for (std::int32_t k = 1; k <= penWidth; ++k) {
      if (y - k < r.top || y + k >= r.bottom) {
        innerRight = innerLeft;
        break;
      }
      innerLeft = std::max({innerLeft, r.left + inset(y - k), r.left + inset(y + k)});
      innerRight = std::min({innerRight, r.right - inset(y - k), r.right - inset(y + k)});
    }
    if (innerRight < innerLeft) innerRight = innerLeft;
    if (!brush_->hollow) FillDeviceSpan(clip, y, innerLeft, innerRight, ToPixel(brush_->color));
    if (penWidth > 0) {
      FillDeviceSpan(clip, y, left, std::min(innerLeft, right), penPixel);
      FillDeviceSpan(clip, y, std::max(innerRight, innerLeft), right, penPixel);
    }
  }
  target_->NoteChanged(Intersect(r, clip));
}

bool DeviceContext::BitBlt(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                           const DeviceContext& source, std::int32_t sourceX, std::int32_t sourceY) {
  if (!source.target_ || !target_) return false;
  const DeviceScale scale = Scale();
  // The source's pixels at this context's scale: its own, or its bitmap's
  // picture drawn or enlarged for it.
  const Framebuffer* picture = source.target_;
  Rect pictureClip = source.DeviceClip();
  if (source.Scale() != scale) {
    if (!source.bitmap_) return false;
    picture = &source.bitmap_->AtScale(scale);
    pictureClip = picture->bounds();
  }
  const Rect destination = Intersect(ToDevice(Rect{x, y, x + width, y + height}), DeviceClip());
  const std::int32_t shiftX = scale.ToDevice(sourceX + source.origin_.x) - scale.ToDevice(x + origin_.x);
  const std::int32_t shiftY = scale.ToDevice(sourceY + source.origin_.y) - scale.ToDevice(y + origin_.y);
  // Only where the source has pixels, as the rows and columns line up.
  const Rect copied = Intersect(destination, Rect{pictureClip.left - shiftX, pictureClip.top - shiftY,
                                                  pictureClip.right - shiftX, pictureClip.bottom - shiftY});
  if (copied.empty()) return true;
  const bool monochrome = source.bitmap_ && source.bitmap_->monochrome();
  const Pixel ink = ToPixel(textColor_);
  const Pixel paper = ToPixel(bkColor_);
  for (std::int32_t row = copied.top; row < copied.bottom; ++row) {
    const auto from = picture->row(row + shiftY).subspan(static_cast<std::size_t>(copied.left + shiftX),
                                                          static_cast<std::size_t>(copied.width()));
    const auto to = target_->row(row).begin() + copied.left;
    if (monochrome) {
      std::transform(from.begin(), from.end(), to, [&](Pixel p) { return (p & 0xFFFFFF) == 0 ? ink : paper; });
    } else {
      std::copy(from.begin(), from.end(), to);
    }
  }
  target_->NoteChanged(copied);
  return true;
}

Pixel DeviceContext::GetPixel(std::int32_t x, std::int32_t y) const {
  const DeviceScale scale = Scale();
  const Point at{scale.ToDevice(x + origin_.x), scale.ToDevice(y + origin_.y)};
  return DeviceClip().Contains(at) ? target_->at(at.x, at.y) : 0xFFFFFFFF;
}

}  // namespace platform
