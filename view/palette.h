#pragma once
// The colours the reader's page is painted in. The day palette is the
// handheld's: black text on white, large bold headings blue, small text and
// link captions navy, matches blue on yellow. The night palette is for
// reading in the dark: a near-black page and light text, with headings and
// links in light blues so that they keep their meaning, and matches still
// marked in yellow. The reader's "NightReading" setting chooses between them
// (AppState::nightReading); the page, the search banner, the Choose Section
// list and the main window's scroll bar follow it.

#include <array>
#include <cstdint>

#include "platform/graphics/color.h"
#include "platform/windows/window.h"

namespace quillory {

struct Palette {
  platform::Color page;     // the text area and the section list
  platform::Color text;     // every style not named below
  platform::Color heading;  // large bold styles
  platform::Color small;    // small styles and link captions
  platform::Color rule;
  platform::Color linkBox;
  // A search match and the reader's selection.
  platform::Color markText;
  platform::Color markBackground;
  // The title banner after a search: its five frames outside in, its inside
  // and its text.
  std::array<platform::Color, 5> bannerFrames;
  platform::Color bannerInside;
  platform::Color bannerText;
  platform::ScrollBarColors scrollBar;
};

const Palette& DayPalette();
const Palette& NightPalette();
// The palette AppState's night reading setting asks for.
const Palette& CurrentPalette();

// WCAG's contrast ratio of two colours, from 1 (the same) to 21 (black on
// white): how well a text colour reads on its background.
double ContrastRatio(platform::Color a, platform::Color b);

}  // namespace quillory
