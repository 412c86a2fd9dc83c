#pragma once
// Bitmaps: pixels that a memory device context draws into and copies from.
// Bitmap resources are device-independent bitmaps without a file header, as
// the handheld stores them:
//
//   offset size  field
//   0      4     header size, 40 (a larger header is skipped)
//   4      4     width in pixels, 1 to 4096
//   8      4     height in pixels, 1 to 4096; negative = rows top to bottom
//   12     2     planes, 1
//   14     2     bits per pixel: 1 or 4
//   16     4     compression, 0 (none)
//   20     12    image size and resolution, ignored
//   32     4     colours used (0 = all 2^bits)
//   36     4     important colours, ignored
//   40     4×n   palette: blue, green, red, 0
//   ...          rows of pixels, each padded to 4 bytes, bottom row first
//
// All fields are little-endian. A one-bit bitmap becomes a monochrome bitmap:
// copied onto a colour device context, its black pixels take that context's
// text colour and its white pixels its background colour.
//
// A bitmap resource may have a companion of type kBitmapDoubleSize and the
// same identifier: the same picture drawn at twice the width and height, in
// the same form, which screens of twice the density (and more) show instead
// of an enlargement of the small one.

#include <cstdint>
#include <memory>
#include <span>

#include "platform/graphics/device_scale.h"
#include "platform/graphics/framebuffer.h"
#include "platform/graphics/handles.h"
#include "platform/system/resources.h"

namespace platform {

class Bitmap {
 public:
  Bitmap(std::int32_t width, std::int32_t height, bool monochrome)
      : pixels_(width, height, monochrome ? 0x00FFFFFF : 0), monochrome_(monochrome) {}

  // The picture at the program's own pixels: its size is the bitmap's size.
  Framebuffer& pixels() { return pixels_; }
  const Framebuffer& pixels() const { return pixels_; }
  bool monochrome() const { return monochrome_; }

  // Takes the picture drawn at twice the size; false (and nothing kept)
  // unless it is exactly twice the size and of the same kind.
  bool SetDoubleSize(std::unique_ptr<Bitmap> doubled);
  // The picture at `scale`: its own pixels at 1, else enlarged from the
  // largest drawing it has (platform/graphics/picture_scaling.h). The
  // enlargement is made once and kept until the picture is drawn into,
  // which also drops the double-size drawing.
  const Framebuffer& AtScale(DeviceScale scale);

  // How many device contexts hold this bitmap selected.
  int selections = 0;

 private:
  Framebuffer pixels_;
  bool monochrome_;
  std::unique_ptr<Framebuffer> doubled_;  // at scale 2, when the resources drew one
  std::unique_ptr<Framebuffer> scaled_;   // the last enlargement asked for
};

// Null when the bytes are not a bitmap of the form above (the companion is
// not looked at: it is a resource of its own).
std::unique_ptr<Bitmap> ParseBitmap(std::span<const std::uint8_t> bytes);

// The bitmap resource `id` of `module`, with its double-size companion when
// the module has a sound one; null when the bitmap is missing or damaged.
std::unique_ptr<Bitmap> LoadBitmapResource(ModuleHandle module, std::uint16_t id);
// The picture stored as resource `id` of `type`; null when there is none
// or it does not parse.
std::unique_ptr<Bitmap> ParseBitmapResource(ModuleHandle module, std::uint16_t id, ResourceType type);

// The same as a handle, for records that keep handles: the caller owns the
// bitmap and gives it back with DeleteBitmap.
BitmapHandle LoadBitmap(ModuleHandle module, std::uint16_t id);
// Releases a bitmap from LoadBitmap: true when it is gone. Null is
// ignored, and a bitmap still selected into a device context is kept, as
// the context draws with it; both give false.
bool DeleteBitmap(BitmapHandle bitmap);

}  // namespace platform
