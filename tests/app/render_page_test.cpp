#include "app/render_page.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/platform/png_reader.h"
#include "tests/support/crispness.h"

namespace quillory {
namespace {

TEST(RenderPage, WritesThePageAsPngOfTheAskedSize) {
  RenderOptions options;
  options.article = 4;
  options.output = ::testing::TempDir() + "render_page_test.png";
  options.width = 200;
  options.height = 100;
  options.face = "David CLM";
  std::string error;
  ASSERT_EQ(RenderPage(options, error), 0) << error;
  const auto page = quillory_test::ReadPng(options.output);
  ASSERT_TRUE(page);
  EXPECT_EQ(page->width(), 200);
  EXPECT_EQ(page->height(), 100);
  bool ink = false;
  for (std::int32_t y = 0; y < page->height(); ++y) {
    for (std::int32_t x = 0; x < page->width(); ++x) ink |= page->at(x, y) != 0x00FFFFFF;
  }
  EXPECT_TRUE(ink) << "the title is drawn";
}

TEST(RenderPage, AtAScaleThePictureIsThatMuchLargerAndItsTextSharp) {
  RenderOptions options;
  options.article = 4;
  options.output = ::testing::TempDir() + "render_page_scaled_test.png";
  options.face = "David CLM";
  options.scale = platform::DeviceScale::FromQuarters(8);
  std::string error;
  ASSERT_EQ(RenderPage(options, error), 0) << error;
  const auto page = quillory_test::ReadPng(options.output);
  ASSERT_TRUE(page);
  EXPECT_EQ(page->width(), 480) << "the 240-pixel page at scale 2";
  EXPECT_EQ(page->height(), 588);
  const quillory_test::Crispness crispness = quillory_test::MeasureCrispness(*page, page->bounds());
  EXPECT_GT(crispness.inkedBlocks, 1000);
  EXPECT_LT(crispness.UniformShare(), 0.5);
}

TEST(RenderPage, AnUnwritableFileIsReported) {
  RenderOptions options;
  options.article = 1;
  options.output = "/nonexistent-folder/page.png";
  std::string error;
  EXPECT_EQ(RenderPage(options, error), 1);
  EXPECT_NE(error.find("/nonexistent-folder/page.png"), std::string::npos);
}

}  // namespace
}  // namespace quillory
