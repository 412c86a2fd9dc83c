#include "platform/graphics/bitmap.h"

#include <algorithm>
#include <array>

#include "platform/graphics/picture_scaling.h"

namespace platform {
namespace {

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::int32_t kLargestSide = 4096;
constexpr DeviceScale kDoubleScale = DeviceScale::FromQuarters(8);
// From 1.5 up, the picture drawn at twice the size is the nearer one to
// start from; below, the picture at its own size.
constexpr int kFromDoubleQuarters = 6;

std::uint32_t ReadU32(std::span<const std::uint8_t> b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t ReadU16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

}  // namespace

std::unique_ptr<Bitmap> ParseBitmap(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kInfoHeaderSize) return nullptr;
  const std::uint32_t headerSize = ReadU32(bytes, 0);
  const auto width = static_cast<std::int32_t>(ReadU32(bytes, 4));
  const auto signedHeight = static_cast<std::int32_t>(ReadU32(bytes, 8));
  const std::uint16_t planes = ReadU16(bytes, 12);
  const std::uint16_t bits = ReadU16(bytes, 14);
  const std::uint32_t compression = ReadU32(bytes, 16);
  std::uint32_t colours = ReadU32(bytes, 32);

  if (headerSize < kInfoHeaderSize || headerSize > bytes.size() || planes != 1 || compression != 0) return nullptr;
  if (bits != 1 && bits != 4) return nullptr;
  if (width < 1 || width > kLargestSide || signedHeight == 0 || signedHeight < -kLargestSide ||
      signedHeight > kLargestSide) {
    return nullptr;
  }
  const std::uint32_t allColours = 1u << bits;
  if (colours == 0) colours = allColours;
  if (colours > allColours) return nullptr;

  const std::int32_t height = signedHeight < 0 ? -signedHeight : signedHeight;
  const std::size_t paletteAt = headerSize;
  const std::size_t pixelsAt = paletteAt + 4 * std::size_t{colours};
  const std::size_t stride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
  if (pixelsAt > bytes.size() || (bytes.size() - pixelsAt) / stride < static_cast<std::size_t>(height)) {
    return nullptr;
  }

  std::array<Pixel, 16> palette{};
  for (std::uint32_t i = 0; i < colours; ++i) {
    const std::size_t at = paletteAt + 4 * i;
    palette[i] = (static_cast<Pixel>(bytes[at + 2]) << 16) | (bytes[at + 1] << 8) | bytes[at];
  }
  const bool monochrome = bits == 1;
  if (monochrome) {
    // A monochrome bitmap keeps only black and white; each palette entry
    // becomes the nearer of the two.
    for (Pixel& p : palette) {
      const unsigned brightness = ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
      p = brightness >= 3 * 128 ? 0x00FFFFFF : 0;
    }
  }

  auto bitmap = std::make_unique<Bitmap>(width, height, monochrome);
  for (std::int32_t row = 0; row < height; ++row) {
    const std::int32_t y = signedHeight > 0 ? height - 1 - row : row;
    const std::size_t rowAt = pixelsAt + static_cast<std::size_t>(row) * stride;
    for (std::int32_t x = 0; x < width; ++x) {
      const std::size_t bit = static_cast<std::size_t>(x) * bits;
      const std::uint8_t byte = bytes[rowAt + bit / 8];
      const unsigned index = (byte >> (8 - bits - bit % 8)) & (allColours - 1);
      bitmap->pixels().at(x, y) = index < colours ? palette[index] : 0;
    }
  }
  return bitmap;
}

bool Bitmap::SetDoubleSize(std::unique_ptr<Bitmap> doubled) {
  if (!doubled || doubled->monochrome() != monochrome_ || doubled->pixels_.width() != 2 * pixels_.width() ||
      doubled->pixels_.height() != 2 * pixels_.height()) {
    return false;
  }
  doubled_ = std::make_unique<Framebuffer>(Size{pixels_.width(), pixels_.height()}, kDoubleScale);
  for (std::int32_t y = 0; y < doubled_->height(); ++y) {
    const auto from = doubled->pixels_.row(y);
    std::copy(from.begin(), from.end(), doubled_->row(y).begin());
  }
  scaled_.reset();
  pixels_.TakeChanged();  // the double shows the picture as it is now
  return true;
}

const Framebuffer& Bitmap::AtScale(DeviceScale scale) {
  if (scale.identity()) return pixels_;
  // Drawn into since: the enlargement and the double-size drawing show
  // what it was.
  if (!pixels_.TakeChanged().empty()) {
    scaled_.reset();
    doubled_.reset();
  }
  if (!scaled_ || scaled_->scale() != scale) {
    const Size logical{pixels_.width(), pixels_.height()};
    const bool fromDouble = doubled_ && scale.quarters() >= kFromDoubleQuarters;
    scaled_ = std::make_unique<Framebuffer>(ScalePicture(fromDouble ? *doubled_ : pixels_, logical, scale));
  }
  return *scaled_;
}

std::unique_ptr<Bitmap> ParseBitmapResource(ModuleHandle module, std::uint16_t id, ResourceType type) {
  const ResourceHandle resource = FindResource(module, id, type);
  const std::uint8_t* bytes = LoadResource(resource);
  if (!bytes) return nullptr;
  return ParseBitmap(std::span<const std::uint8_t>(bytes, SizeofResource(resource)));
}

std::unique_ptr<Bitmap> LoadBitmapResource(ModuleHandle module, std::uint16_t id) {
  auto bitmap = ParseBitmapResource(module, id, ResourceType::kBitmap);
  if (bitmap) bitmap->SetDoubleSize(ParseBitmapResource(module, id, ResourceType::kBitmapDoubleSize));
  return bitmap;
}

BitmapHandle LoadBitmap(ModuleHandle module, std::uint16_t id) { return LoadBitmapResource(module, id).release(); }

bool DeleteBitmap(BitmapHandle bitmap) {
  if (bitmap == nullptr || bitmap->selections > 0) return false;
  delete bitmap;
  return true;
}

}  // namespace platform
