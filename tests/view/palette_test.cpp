// The palettes: every text colour of the night palette reads on its ground
// at WCAG AA (4.5:1 or more), the day palette is the handheld's, and the
// page follows the reader's setting.

#include <gtest/gtest.h>

#include "core/app_state.h"
#include "view/palette.h"
#include "view/style_fonts.h"

namespace {

using namespace quillory;

TEST(Palette, ContrastIsMeasuredAsWcagDefinesIt) {
  EXPECT_NEAR(ContrastRatio(platform::kBlack, platform::kWhite), 21.0, 1e-9);
  EXPECT_NEAR(ContrastRatio(platform::kWhite, platform::kBlack), 21.0, 1e-9) << "in either order";
  EXPECT_NEAR(ContrastRatio(platform::Rgb(119, 119, 119), platform::kWhite), 4.48, 0.01) << "#777 on white just fails";
  EXPECT_NEAR(ContrastRatio(platform::Rgb(0, 0, 255), platform::kWhite), 8.59, 0.01);
}

TEST(Palette, EveryNightTextColourReadsOnItsGround) {
  const Palette& night = NightPalette();
  const struct {
    const char* what;
    platform::Color text;
    platform::Color ground;
  } pairs[] = {
      {"text", night.text, night.page},
      {"headings", night.heading, night.page},
      {"small text and links", night.small, night.page},
      {"marked text", night.markText, night.markBackground},
      {"the banner", night.bannerText, night.bannerInside},
  };
  for (const auto& pair : pairs) EXPECT_GE(ContrastRatio(pair.text, pair.ground), 4.5) << pair.what;
  // Headings and links keep their own colours, told apart from the text.
  EXPECT_NE(night.heading, night.text);
  EXPECT_NE(night.small, night.text);
  EXPECT_NE(night.heading, night.small);
  EXPECT_LT(ContrastRatio(night.page, platform::kBlack), 1.5) << "a near-black page";
  EXPECT_GT(ContrastRatio(night.markBackground, night.page), 3.0) << "a match stands out of the page";
}

TEST(Palette, TheSettingChoosesThePaletteThatStylesAreColouredFrom) {
  ResetAppState();
  EXPECT_EQ(&CurrentPalette(), &DayPalette());
  EXPECT_EQ(StyleColour(0x0C), platform::Rgb(0, 0, 255)) << "large bold: blue by day";
  EXPECT_EQ(StyleColour(0x02), platform::Rgb(0, 0, 128)) << "small: navy";
  EXPECT_EQ(StyleColour(0x01), platform::kBlack);
  App().nightReading = 1;
  EXPECT_EQ(&CurrentPalette(), &NightPalette());
  EXPECT_EQ(StyleColour(0x0C), NightPalette().heading);
  EXPECT_EQ(StyleColour(0x02), NightPalette().small);
  EXPECT_EQ(StyleColour(0x01), NightPalette().text);
  ResetAppState();
}

}  // namespace
