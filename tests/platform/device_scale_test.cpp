// Drawing at a device scale: the program's pixels mapped onto a denser
// framebuffer, text rasterized at its resolution, pictures enlarged.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/graphics/bitmap.h"
#include "platform/graphics/device_context.h"
#include "platform/graphics/picture_scaling.h"
#include "tests/platform/pixel_rows.h"
#include "tests/platform/test_fonts.h"
#include "tests/support/crispness.h"

namespace {

using namespace platform;
using quillory_test::kDavidMedium;
using quillory_test::Picture;
using quillory_test::RequestOfHeight;

constexpr Pixel kWhitePixel = 0x00FFFFFF;
constexpr Pixel kBlackPixel = 0x00000000;
constexpr DeviceScale kTwice = DeviceScale::FromQuarters(8);

// The columns, in device pixels, that hold any pixel other than white.
Rect InkBounds(const Framebuffer& pixels) {
  Rect ink{pixels.width(), pixels.height(), 0, 0};
  for (std::int32_t y = 0; y < pixels.height(); ++y) {
    for (std::int32_t x = 0; x < pixels.width(); ++x) {
      if (pixels.at(x, y) == kWhitePixel) continue;
      ink = Rect{std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1), std::max(ink.bottom, y + 1)};
    }
  }
  return ink;
}

TEST(DeviceScale, MapsEveryEdgeTheSameWaySoThatShapesStillTouch) {
  const struct {
    int quarters;
    std::vector<std::int32_t> logical;
    std::vector<std::int32_t> device;
  } cases[] = {
      {4, {-3, 0, 1, 7}, {-3, 0, 1, 7}}, {5, {-1, 0, 1, 2, 3, 4}, {-1, 0, 1, 3, 4, 5}},  // 1.25: halves round up
      {6, {-1, 1, 2, 3}, {-1, 2, 3, 5}}, {8, {-2, 0, 3, 240}, {-4, 0, 6, 480}},
      {10, {1, 2, 3}, {3, 5, 8}},        {16, {1, 60}, {4, 240}},
  };
  for (const auto& c : cases) {
    const DeviceScale scale = DeviceScale::FromQuarters(c.quarters);
    for (std::size_t i = 0; i < c.logical.size(); ++i) {
      EXPECT_EQ(scale.ToDevice(c.logical[i]), c.device[i]) << c.quarters << " quarters, " << c.logical[i];
    }
    // Every screen pixel lies in exactly one program pixel, whose mapping
    // starts at or before it.
    for (std::int32_t device = -10; device < 40; ++device) {
      const std::int32_t logical = scale.ToLogical(device);
      EXPECT_LE(scale.ToDevice(logical), device);
      EXPECT_GT(scale.ToDevice(logical + 1), device);
      EXPECT_GE(scale.ToDevice(scale.LogicalCovering(device)), device);
    }
  }
  EXPECT_EQ(DeviceScale::FromQuarters(2).quarters(), 4) << "held to 1";
  EXPECT_EQ(DeviceScale::FromQuarters(40).quarters(), 16) << "held to 4";
  EXPECT_EQ(DeviceScale::Nearest(2.08).quarters(), 8);
  EXPECT_EQ(DeviceScale::Nearest(1.9).quarters(), 8);
  EXPECT_EQ(DeviceScale::Nearest(0).quarters(), 4);
}

TEST(DeviceScale, FillsPensAndCornersAreDrawnAtTheScreensResolution) {
  Framebuffer pixels(Size{8, 5}, kTwice, 0x00808080);
  ASSERT_EQ(pixels.width(), 16);
  ASSERT_EQ(pixels.height(), 10);
  DeviceContext context(&pixels);
  context.Rectangle(Rect{1, 1, 6, 4});
  EXPECT_EQ(Picture(pixels, Rect{0, 0, 16, 10}, kBlackPixel),
            (std::vector<std::string>{"................", "................", "..##########....", "..##########....",
                                      "..##......##....", "..##......##....", "..##########....", "..##########....",
                                      "................", "................"}))
      << "a one-pixel pen is two screen pixels wide";
  EXPECT_EQ(context.GetPixel(2, 2), kWhitePixel) << "read back by the program's pixel";
  EXPECT_EQ(context.GetPixel(1, 1), kBlackPixel);

  // A rounded corner is cut in screen pixels, finer than the program's
  // (3, 1, 0 pixels in at scale 1, so 6, 6, 2, 2, 0, 0 doubled).
  Framebuffer round(Size{12, 12}, kTwice);
  DeviceContext roundContext(&round);
  roundContext.SelectBrush(GetStockBrush(StockBrush::kBlackBrush));
  roundContext.RoundRect(Rect{0, 0, 12, 12}, 6, 6);
  EXPECT_EQ(Picture(round, Rect{0, 0, 8, 6}, kBlackPixel),
            (std::vector<std::string>{"......##", "...#####", "..######", ".#######", "########", "########"}));
}

TEST(DeviceScale, AClipInTheProgramsPixelsCutsOnTheMappedEdge) {
  Framebuffer pixels(Size{10, 4}, DeviceScale::FromQuarters(6));
  const Rect clip{3, 0, 7, 4};
  DeviceContext context(&pixels, Point{1, 0}, &clip);
  context.FillRect(Rect{-5, 0, 20, 2}, SolidBrush(kBlack));
  // Clip 3 to 7 at 1.5: screen columns 5 (4.5 rounded up) to 11 (10.5 up).
  EXPECT_EQ(Picture(pixels, Rect{0, 0, 15, 1}, kBlackPixel), (std::vector<std::string>{".....######...."}));
}

TEST(DeviceScale, TextMeasuresAsAtScaleOneAndIsRasterizedNotEnlarged) {
  auto font = Font::Open(FontFile{kDavidMedium}, RequestOfHeight(-16));
  ASSERT_TRUE(font);
  const std::u16string text = u"\u05E9\u05DC\u05D5\u05DD \u05E2\u05D5\u05DC\u05DD";
  Framebuffer single(Size{120, 24}, DeviceScale{});
  Framebuffer dense(Size{120, 24}, kTwice);
  DeviceContext one(&single);
  DeviceContext two(&dense);
  one.SelectFont(font.get());
  two.SelectFont(font.get());
  const Size extent = one.GetTextExtent(text);
  EXPECT_EQ(two.GetTextExtent(text).cx, extent.cx) << "layout is the same at every scale";
  EXPECT_EQ(two.GetTextExtentExPoint(text, 30).fit, one.GetTextExtentExPoint(text, 30).fit);
  one.DrawText(text, Rect{4, 2, 120, 24}, kDtSingleLine | kDtNoPrefix);
  two.DrawText(text, Rect{4, 2, 120, 24}, kDtSingleLine | kDtNoPrefix);

  // What is drawn stays within one program pixel of what was measured.
  const Rect ink = InkBounds(dense);
  EXPECT_GE(ink.left, kTwice.ToDevice(4 - 1));
  EXPECT_LE(ink.right, kTwice.ToDevice(4 + extent.cx + 1));
  // Glyphs rendered at twice the size: the ink is about twice as tall.
  const Rect singleInk = InkBounds(single);
  EXPECT_NEAR(ink.height(), 2 * singleInk.height(), 3);

  // Rasterized, so edges fall between the program's pixels.
  const quillory_test::Crispness crispness = quillory_test::MeasureCrispness(dense, dense.bounds());
  ASSERT_GT(crispness.inkedBlocks, 50);
  EXPECT_LT(crispness.UniformShare(), 0.5);
}

TEST(DeviceScale, ABitmapIsShownAtTheScaleWithItsInkAndPaperColours) {
  // An L of black on white, copied onto a context drawing red on yellow.
  Bitmap bitmap(3, 3, true);
  for (const Point p : {Point{0, 0}, Point{0, 1}, Point{0, 2}, Point{1, 2}, Point{2, 2}})
    bitmap.pixels().at(p.x, p.y) = 0;
  Framebuffer pixels(Size{5, 5}, kTwice, 0x00808080);
  DeviceContext context(&pixels);
  context.SetTextColor(Rgb(255, 0, 0));
  context.SetBkColor(Rgb(255, 255, 0));
  auto memory = DeviceContext::CreateCompatible();
  memory->SelectBitmap(&bitmap);
  ASSERT_TRUE(context.BitBlt(1, 1, 3, 3, *memory, 0, 0));
  // Enlarged by the pixel-art rules: the L's inner corner is filled in.
  EXPECT_EQ(Picture(pixels, Rect{0, 0, 10, 10}, 0x00FF0000),
            (std::vector<std::string>{"..........", "..........", "..##......", "..##......", "..##......",
                                      "..###.....", "..######..", "..######..", "..........", ".........."}));
  EXPECT_EQ(pixels.at(4, 2), 0x00FFFF00u) << "paper";
  EXPECT_EQ(pixels.at(0, 0), 0x00808080u) << "outside the copy";

  // A picture drawn at twice the size is shown as it was drawn.
  auto doubled = std::make_unique<Bitmap>(6, 6, true);
  doubled->pixels().at(5, 0) = 0;
  ASSERT_TRUE(bitmap.SetDoubleSize(std::move(doubled)));
  ASSERT_TRUE(context.BitBlt(1, 1, 3, 3, *memory, 0, 0));
  EXPECT_EQ(Picture(pixels, Rect{2, 2, 8, 3}, 0x00FF0000), (std::vector<std::string>{".....#"}));
  // Drawn into, it is enlarged from what it is now: the double-size drawing
  // no longer shows it.
  bitmap.pixels().Fill(Rect{2, 0, 3, 1}, 0);
  ASSERT_TRUE(context.BitBlt(1, 1, 3, 3, *memory, 0, 0));
  EXPECT_EQ(pixels.at(6, 2), 0x00FF0000u) << "the pixel drawn in";
  EXPECT_FALSE(bitmap.SetDoubleSize(std::make_unique<Bitmap>(5, 6, true))) << "not twice the size";
  EXPECT_FALSE(bitmap.SetDoubleSize(std::make_unique<Bitmap>(6, 6, false))) << "not of the same kind";
}

TEST(PictureScaling, SlantedEdgesAreSmoothedStraightOnesKeptAndNoColourIsMade) {
  // A slanted edge above a straight bar, in two colours.
  const std::vector<std::string> rows = {"#.....", "##....", "###...", "####..", "......", "######"};
  Framebuffer picture(6, 6);
  for (std::int32_t y = 0; y < 6; ++y) {
    for (std::int32_t x = 0; x < 6; ++x) picture.at(x, y) = rows[y][x] == '#' ? kBlackPixel : kWhitePixel;
  }
  const Framebuffer doubled = ScalePicture(picture, Size{6, 6}, kTwice);
  ASSERT_EQ(doubled.width(), 12);
  EXPECT_EQ(doubled.scale(), kTwice);
  const std::vector<std::string> drawn = Picture(doubled, Rect{0, 0, 12, 12}, kBlackPixel);
  EXPECT_EQ(drawn[2], "###.........") << "one screen pixel a row, where doubling steps by two";
  EXPECT_EQ(drawn[3], "#####.......");
  EXPECT_EQ(drawn[10], "############") << "a straight edge stays straight";
  EXPECT_EQ(drawn[11], "############");
  // Any scale: every pixel is one of the picture's colours.
  for (const int quarters : {5, 6, 10, 12, 13, 16}) {
    const Framebuffer scaled = ScalePicture(picture, Size{6, 6}, DeviceScale::FromQuarters(quarters));
    EXPECT_EQ(scaled.width(), DeviceScale::FromQuarters(quarters).ToDevice(6)) << quarters;
    for (const Pixel p : scaled.pixels()) ASSERT_TRUE(p == kWhitePixel || p == kBlackPixel) << quarters;
  }
}

}  // namespace
