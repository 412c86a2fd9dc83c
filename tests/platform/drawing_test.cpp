// Device contexts without text: selection, shapes, bitmaps and copying.

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "platform/graphics/bitmap.h"
#include "platform/graphics/device_context.h"
#include "tests/platform/pixel_rows.h"

namespace {

using namespace platform;
using quillory_test::Picture;

constexpr Pixel kWhitePixel = 0x00FFFFFF;
constexpr Pixel kBlackPixel = 0x00000000;

TEST(DeviceContext, SelectingReturnsWhatWasReplaced) {
  Framebuffer pixels(8, 8);
  DeviceContext context(&pixels);
  const Brush* white = GetStockBrush(StockBrush::kWhiteBrush);
  const Brush* black = GetStockBrush(StockBrush::kBlackBrush);
  EXPECT_EQ(context.brush(), white);
  EXPECT_EQ(context.SelectBrush(black), white);
  EXPECT_EQ(context.SelectBrush(white), black);
  const Pen red = SolidPen(1, Rgb(255, 0, 0));
  EXPECT_EQ(context.SelectPen(&red), GetStockPen(StockPen::kBlackPen));
  EXPECT_EQ(context.pen(), &red);
  EXPECT_EQ(context.SetTextColor(Rgb(1, 2, 3)), kBlack);
  EXPECT_EQ(context.SetTextColor(kBlack), Rgb(1, 2, 3));
  EXPECT_EQ(context.SetBkColor(Rgb(4, 5, 6)), kWhite);
  EXPECT_EQ(context.SetBkMode(BackgroundMode::kTransparent), BackgroundMode::kOpaque);
  // A failed font selection changes nothing, and putting it back neither.
  Font* before = context.font();
  EXPECT_EQ(context.SelectFont(nullptr), nullptr);
  EXPECT_EQ(context.font(), before);
}

TEST(DeviceContext, ColoursAreStoredRedFirstAndDrawnAsFramebufferPixels) {
  EXPECT_EQ(Rgb(0x12, 0x34, 0x56), 0x00563412u);
  EXPECT_EQ(ToPixel(Rgb(0x12, 0x34, 0x56)), 0x00123456u);
  EXPECT_EQ(ToColor(0x00123456u), Rgb(0x12, 0x34, 0x56));
}

TEST(DeviceContext, RectangleIsOutlinedInsideItsEdgesAndFilledWithTheBrush) {
  Framebuffer pixels(8, 6, 0x00808080);
  DeviceContext context(&pixels);
  context.Rectangle(Rect{1, 1, 6, 5});
  EXPECT_EQ(Picture(pixels, Rect{0, 0, 8, 6}, kBlackPixel),
            (std::vector<std::string>{"........", ".#####..", ".#...#..", ".#...#..", ".#####..", "........"}));
  EXPECT_EQ(pixels.at(2, 2), kWhitePixel);
  EXPECT_EQ(pixels.at(6, 2), 0x00808080u) << "the right edge is excluded";
}

TEST(DeviceContext, OnePixelHighRectangleWithBlackBrushIsARule) {
  Framebuffer pixels(10, 3);
  DeviceContext context(&pixels);
  const Brush* previous = context.SelectBrush(GetStockBrush(StockBrush::kBlackBrush));
  context.Rectangle(Rect{2, 1, 9, 2});
  context.SelectBrush(previous);
  EXPECT_EQ(Picture(pixels, Rect{0, 0, 10, 3}, kBlackPixel),
            (std::vector<std::string>{"..........", "..#######.", ".........."}));
}

TEST(DeviceContext, HollowRoundRectDrawsOnlyAClosedOutlineWithCutCorners) {
  Framebuffer pixels(14, 10, 0x00808080);
  DeviceContext context(&pixels);
  context.SelectBrush(GetStockBrush(StockBrush::kHollowBrush));
  context.RoundRect(Rect{1, 1, 13, 9}, 6, 6);
  EXPECT_EQ(Picture(pixels, Rect{0, 0, 14, 10}, kBlackPixel),
            (std::vector<std::string>{"..............",
                                      "....######....",
                                      "..##......##..",
                                      ".#..........#.",
                                      ".#..........#.",
                                      ".#..........#.",
                                      ".#..........#.",
                                      "..##......##..",
                                      "....######....",
                                      ".............."}));
  EXPECT_EQ(pixels.at(6, 4), 0x00808080u) << "the hollow brush leaves the inside";
}

TEST(DeviceContext, FilledRoundRectFillsOnlyInsideItsOutline) {
  Framebuffer pixels(14, 10, 0x00808080);
  DeviceContext context(&pixels);
  context.RoundRect(Rect{1, 1, 13, 9}, 6, 6);
  EXPECT_EQ(pixels.at(6, 4), kWhitePixel);
  EXPECT_EQ(pixels.at(4, 2), kWhitePixel) << "inside the corner step";
  EXPECT_EQ(pixels.at(2, 1), 0x00808080u) << "outside the corner";
}

TEST(DeviceContext, DrawingIsClippedToTheContextAndShiftedByItsOrigin) {
  Framebuffer pixels(10, 10);
  const Rect clip{2, 2, 8, 8};
  DeviceContext context(&pixels, Point{2, 2}, &clip);
  context.FillRect(Rect{-5, -5, 20, 20}, SolidBrush(kBlack));
  EXPECT_EQ(pixels.at(1, 1), kWhitePixel);
  EXPECT_EQ(pixels.at(2, 2), kBlackPixel);
  EXPECT_EQ(pixels.at(8, 8), kWhitePixel);
  EXPECT_EQ(context.GetPixel(0, 0), kBlackPixel) << "context (0, 0) is pixel (2, 2)";
}

// A 1-bit, 3 × 2 bitmap, bottom row first, with a given palette.
std::vector<std::uint8_t> MonochromeBitmap(Pixel zero, Pixel one) {
  std::vector<std::uint8_t> bytes(40 + 8 + 8, 0);
  bytes[0] = 40;
  bytes[4] = 3;   // width
  bytes[8] = 2;   // height, bottom-up
  bytes[12] = 1;  // planes
  bytes[14] = 1;  // bits
  for (int i = 0; i < 3; ++i) {
    bytes[40 + i] = static_cast<std::uint8_t>(zero >> (8 * i));
    bytes[44 + i] = static_cast<std::uint8_t>(one >> (8 * i));
  }
  bytes[48] = 0b10100000;  // bottom row: 1 0 1
  bytes[52] = 0b01000000;  // top row:    0 1 0
  return bytes;
}

TEST(Bitmap, MonochromeTakesTheTextAndBackgroundColoursOfTheDestination) {
  const auto bytes = MonochromeBitmap(0x000000, 0xFFFFFF);
  auto bitmap = ParseBitmap(bytes);
  ASSERT_TRUE(bitmap);
  EXPECT_TRUE(bitmap->monochrome());
  Framebuffer screen(4, 3, 0x00808080);
  DeviceContext context(&screen);
  auto memory = DeviceContext::CreateCompatible();
  EXPECT_EQ(memory->SelectBitmap(bitmap.get()), nullptr);
  context.SetTextColor(Rgb(255, 0, 0));
  context.SetBkColor(Rgb(0, 0, 255));
  ASSERT_TRUE(context.BitBlt(1, 1, 3, 2, *memory, 0, 0));
  EXPECT_EQ(screen.at(1, 1), 0x00FF0000u) << "black bit → text colour";
  EXPECT_EQ(screen.at(2, 1), 0x000000FFu) << "white bit → background colour";
  EXPECT_EQ(screen.at(1, 2), 0x000000FFu) << "the bottom row came first in the bytes";
  EXPECT_EQ(screen.at(0, 0), 0x00808080u);
  memory.reset();
  EXPECT_EQ(bitmap->selections, 0);
}

TEST(Bitmap, MonochromePaletteIsReadAsBlackAndWhite) {
  // A palette of white for 0 and dark blue for 1 inverts the picture.
  const auto bytes = MonochromeBitmap(0xFFFFFF, 0x000040);
  auto bitmap = ParseBitmap(bytes);
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->pixels().at(0, 0), kWhitePixel);
  EXPECT_EQ(bitmap->pixels().at(1, 0), kBlackPixel);
}

TEST(Bitmap, FourBitsPerPixelUseThePaletteTopDownWhenHeightIsNegative) {
  std::vector<std::uint8_t> bytes(40 + 16 * 4 + 4, 0);
  bytes[0] = 40;
  bytes[4] = 2;
  const std::int32_t height = -1;
  for (int i = 0; i < 4; ++i) bytes[8 + i] = static_cast<std::uint8_t>(height >> (8 * i));
  bytes[12] = 1;
  bytes[14] = 4;
  bytes[40 + 4 * 3 + 2] = 0xAA;  // palette 3: red 0xAA
  bytes[40 + 4 * 7 + 0] = 0x55;  // palette 7: blue 0x55
  bytes[40 + 64] = 0x37;
  auto bitmap = ParseBitmap(bytes);
  ASSERT_TRUE(bitmap);
  EXPECT_FALSE(bitmap->monochrome());
  EXPECT_EQ(bitmap->pixels().at(0, 0), 0x00AA0000u);
  EXPECT_EQ(bitmap->pixels().at(1, 0), 0x00000055u);
}

TEST(Bitmap, DamagedBitmapsAreRefused) {
  const auto good = MonochromeBitmap(0, 0xFFFFFF);
  ASSERT_TRUE(ParseBitmap(good));
  const auto damaged = [&](std::size_t at, std::uint8_t value) {
    auto bytes = good;
    bytes[at] = value;
    return ParseBitmap(bytes) != nullptr;
  };
  EXPECT_FALSE(damaged(0, 12)) << "header too small";
  EXPECT_FALSE(damaged(1, 1)) << "header beyond the data";
  EXPECT_FALSE(damaged(4, 0)) << "no width";
  EXPECT_FALSE(damaged(8, 0)) << "no height";
  EXPECT_FALSE(damaged(9, 0x10)) << "taller than the data";
  EXPECT_FALSE(damaged(12, 2)) << "two planes";
  EXPECT_FALSE(damaged(14, 8)) << "eight bits per pixel";
  EXPECT_FALSE(damaged(16, 1)) << "compressed";
  EXPECT_FALSE(damaged(32, 3)) << "more colours than the bits allow";
  for (std::size_t size = 0; size < good.size(); ++size) {
    EXPECT_FALSE(ParseBitmap(std::span(good).first(size))) << "cut to " << size;
  }
}

TEST(Bitmap, MissingResourceGivesNothing) {
  const Module module{};
  EXPECT_EQ(LoadBitmapResource(&module, 201), nullptr);
  EXPECT_EQ(LoadBitmapResource(nullptr, 201), nullptr);
}

}  // namespace
