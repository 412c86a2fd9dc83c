#include "view/palette.h"

#include <algorithm>
#include <cmath>

#include "core/app_state.h"

namespace quillory {
namespace {

using platform::Rgb;

const Palette kDay{
    .page = platform::kWhite,
    .text = platform::kBlack,
    .heading = Rgb(0, 0, 255),
    .small = Rgb(0, 0, 128),
    .rule = platform::kBlack,
    .linkBox = platform::kBlack,
    .markText = Rgb(0, 0, 255),
    .markBackground = Rgb(255, 255, 0),
    .bannerFrames = {Rgb(255, 0, 0), Rgb(255, 0, 0), platform::kWhite, Rgb(0, 0, 255), Rgb(0, 0, 255)},
    .bannerInside = Rgb(255, 255, 0),
    .bannerText = Rgb(255, 0, 0),
    .scrollBar = platform::ScrollBarColors{},
};

// Light greys and blues on a page dark enough for a dim room but not pure
// black, against which light text glares; every text colour keeps a
// contrast of 4.5:1 or more with the ground it stands on.
const Palette kNight{
    .page = Rgb(18, 18, 20),
    .text = Rgb(222, 222, 218),
    .heading = Rgb(122, 176, 255),
    .small = Rgb(168, 200, 240),
    .rule = Rgb(128, 128, 128),
    .linkBox = Rgb(120, 150, 200),
    .markText = Rgb(10, 20, 90),
    .markBackground = Rgb(230, 200, 80),
    .bannerFrames = {Rgb(200, 70, 70), Rgb(200, 70, 70), Rgb(90, 90, 90), Rgb(110, 150, 230), Rgb(110, 150, 230)},
    .bannerInside = Rgb(52, 44, 8),
    .bannerText = Rgb(255, 150, 140),
    .scrollBar = platform::ScrollBarColors{Rgb(40, 40, 44), Rgb(78, 78, 84), Rgb(24, 24, 26), Rgb(200, 200, 200)},
};

// The relative luminance of an sRGB channel, as WCAG 2 defines it.
double Linear(std::uint8_t channel) {
  const double c = channel / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(platform::Color c) {
  return 0.2126 * Linear(platform::RedOf(c)) + 0.7152 * Linear(platform::GreenOf(c)) +
         0.0722 * Linear(platform::BlueOf(c));
}

}  // namespace

const Palette& DayPalette() { return kDay; }
const Palette& NightPalette() { return kNight; }
const Palette& CurrentPalette() { return App().nightReading ? kNight : kDay; }

double ContrastRatio(platform::Color a, platform::Color b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace quillory
