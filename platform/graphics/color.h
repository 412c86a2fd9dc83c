#pragma once
// Colours as the handheld names them: 0x00BBGGRR, red in the low byte.
// Framebuffer pixels are 0x00RRGGBB, the order the display takes them.

#include <cstdint>

namespace platform {

using Color = std::uint32_t;

constexpr Color Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return static_cast<Color>(red) | (static_cast<Color>(green) << 8) | (static_cast<Color>(blue) << 16);
}
constexpr std::uint8_t RedOf(Color c) { return static_cast<std::uint8_t>(c); }
constexpr std::uint8_t GreenOf(Color c) { return static_cast<std::uint8_t>(c >> 8); }
constexpr std::uint8_t BlueOf(Color c) { return static_cast<std::uint8_t>(c >> 16); }

using Pixel = std::uint32_t;

constexpr Pixel ToPixel(Color c) {
  return (static_cast<Pixel>(RedOf(c)) << 16) | (static_cast<Pixel>(GreenOf(c)) << 8) | BlueOf(c);
}
constexpr Color ToColor(Pixel p) {
  return Rgb(static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8), static_cast<std::uint8_t>(p));
}

constexpr Color kBlack = Rgb(0, 0, 0);
constexpr Color kWhite = Rgb(255, 255, 255);

}  // namespace platform
