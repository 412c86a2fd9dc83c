#pragma once
// Device contexts: the drawing state (font, brush, pen, colours, background
// mode) and the drawing operations over a framebuffer. A window's context
// draws into the window's framebuffer and lives as long as the window; a
// memory context draws into whichever bitmap is selected into it.
//
// Selecting an object returns the one it replaced, so that the caller can
// put it back; selected objects are not owned, and each must outlive its
// selection. Text is drawn left to right in the order given: no reordering
// of any kind happens here.
//
// Coordinates, sizes, pens and fonts are in the program's pixels; a context
// draws at the scale of the framebuffer it draws into (a window's surface
// at the screen's device scale, a bitmap at its own pixels), so a 1-pixel
// pen is as wide as one program pixel on the screen and text is rasterized
// at the screen's resolution, while every measurement stays what it is at
// scale 1.

#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/graphics/bitmap.h"
#include "platform/graphics/color.h"
#include "platform/graphics/device_scale.h"
#include "platform/graphics/font.h"
#include "platform/graphics/framebuffer.h"
#include "platform/graphics/geometry.h"
#include "platform/graphics/paint_objects.h"

namespace platform {

enum class BackgroundMode { kTransparent = 1, kOpaque = 2 };

// Formatting flags of DrawText, with the handheld's values.
enum DrawTextFormat : std::uint32_t {
  kDtLeft = 0x000,
  kDtCenter = 0x001,
  kDtRight = 0x002,
  kDtVCenter = 0x004,  // single line only
  kDtBottom = 0x008,   // single line only
  kDtWordBreak = 0x010,
  kDtSingleLine = 0x020,
  kDtNoClip = 0x100,
  kDtNoPrefix = 0x800,  // '&' is an ordinary character
};

struct TextFit {
  std::int32_t fit = 0;    // characters that fit the width
  std::int32_t width = 0;  // their extent
};

class DeviceContext {
 public:
  // Draws into `target` (not owned) with `origin` as its (0, 0), clipped to
  // `clip` (in the target's pixels). A null target draws nothing.
  explicit DeviceContext(Framebuffer* target, Point origin = {}, const Rect* clip = nullptr);
  ~DeviceContext();
  DeviceContext(const DeviceContext&) = delete;
  DeviceContext& operator=(const DeviceContext&) = delete;

  // A memory context: draws into the bitmap selected into it, nothing before.
  static std::unique_ptr<DeviceContext> CreateCompatible();

  // Points the context at another place (a window that moved or grew); the
  // selected objects and colours stay.
  void Retarget(Framebuffer* target, Point origin, const Rect* clip);

  // A null font selects nothing and returns null, so that putting back the
  // result of a failed selection changes nothing.
  Font* SelectFont(Font* font);
  const Brush* SelectBrush(const Brush* brush);
  const Pen* SelectPen(const Pen* pen);
  // Memory contexts only; returns the bitmap it replaced (null at first).
  Bitmap* SelectBitmap(Bitmap* bitmap);

  Color SetTextColor(Color color);
  Color SetBkColor(Color color);
  BackgroundMode SetBkMode(BackgroundMode mode);
  Color textColor() const { return textColor_; }
  Color bkColor() const { return bkColor_; }
  Font* font() const { return font_; }
  const Brush* brush() const { return brush_; }
  const Pen* pen() const { return pen_; }

  // The extent of the text in the selected font: its advances and the cell height.
  Size GetTextExtent(std::u16string_view text) const;
  // How many characters from the start fit in `maxExtent` pixels, and their extent.
  TextFit GetTextExtentExPoint(std::u16string_view text, std::int32_t maxExtent) const;
  TextMetrics GetTextMetrics() const;
  // Draws text in `rect` as `format` says; returns the height of the text.
  std::int32_t DrawText(std::u16string_view text, const Rect& rect, std::uint32_t format);
  // The rectangle the text would take when drawn in `rect`: same left and
  // top, right and bottom set to its extent. Draws nothing.
  Rect MeasureText(std::u16string_view text, const Rect& rect, std::uint32_t format) const;

  // Outlined with the pen, filled with the brush; right and bottom excluded.
  void Rectangle(const Rect& rect);
  // The same with corners cut by an ellipse of the given size.
  void RoundRect(const Rect& rect, std::int32_t ellipseWidth, std::int32_t ellipseHeight);
  void FillRect(const Rect& rect, const Brush& brush);
  // Copies a block of `source` at the same size in the program's pixels: a
  // bitmap is shown at this context's scale as Bitmap::AtScale draws it.
  // False when the source has no pixels, or is a window's context of
  // another scale.
  bool BitBlt(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height, const DeviceContext& source,
              std::int32_t sourceX, std::int32_t sourceY);

  // The screen pixel at the top left of the program's pixel x, y.
  Pixel GetPixel(std::int32_t x, std::int32_t y) const;
  // The framebuffer drawn into (null for a memory context without a bitmap).
  Framebuffer* target() const { return target_; }

 private:
  DeviceContext() = default;
  DeviceScale Scale() const { return target_ ? target_->scale() : DeviceScale{}; }
  // A rectangle of context coordinates in the target's pixels.
  Rect ToDevice(const Rect& rect) const;
  // Fills a span of one row of the target's pixels, clipped to `clip`.
  void FillDeviceSpan(const Rect& clip, std::int32_t row, std::int32_t left, std::int32_t right, Pixel value);
  // Blends a glyph's coverage in the text colour, its pen position and
  // baseline in the target's pixels.
  void BlendGlyph(const GlyphImage& glyph, std::int32_t penX, std::int32_t baseline, const Rect& clip);
  // Draws one line of text with its top at `y`, the character at
  // `underlined` (if any) underlined; `clip` in the target's pixels.
  void DrawLine(std::u16string_view text, std::int32_t x, std::int32_t y, const Rect& clip, std::size_t underlined);
  // The clip in the target's pixels.
  Rect DeviceClip() const;

  Framebuffer* target_ = nullptr;
  Point origin_;  // program pixels from the target's corner to the context's (0, 0)
  Rect clip_;     // in the target, in program pixels
  bool fullClip_ = true;  // the clip follows the target's bounds
  bool memory_ = false;
  Bitmap* bitmap_ = nullptr;
  Font* font_ = nullptr;
  const Brush* brush_ = nullptr;
  const Pen* pen_ = nullptr;
  Color textColor_ = kBlack;
  Color bkColor_ = kWhite;
  BackgroundMode bkMode_ = BackgroundMode::kOpaque;
};

// The font a context draws with before any other is selected: the default
// face at the default height. Null only when the system has no font.
Font* SystemFont();
// The smaller font of menus, bars and tooltips, so that the whole menu fits
// the handheld's screen.
Font* MenuFont();

}  // namespace platform
