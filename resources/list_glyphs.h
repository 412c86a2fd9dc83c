#pragma once
// The section list's glyphs, 9 × 9 in one bit, in the order of their
// resource identifiers: a group that opens, a group that closes, and an
// article. Characters name colours as resources/pixel_art.h lists for
// one-bit pictures.

#include <array>

#include "resources/pixel_art.h"
#include "resources/program_resources.h"

namespace quillory {

using ListGlyphArt = PixelArt<kListGlyphSize, kListGlyphSize>;

constexpr ListGlyphArt kExpandGlyph{{
    "#########",
    "#.......#",
    "#...#...#",
    "#...#...#",
    "#.#####.#",
    "#...#...#",
    "#...#...#",
    "#.......#",
    "#########",
}};

constexpr ListGlyphArt kCollapseGlyph{{
    "#########",
    "#.......#",
    "#.......#",
    "#.......#",
    "#.#####.#",
    "#.......#",
    "#.......#",
    "#.......#",
    "#########",
}};

// A page with its corner folded down and two lines of text.
constexpr ListGlyphArt kArticleGlyph{{
    ".#####...",
    ".#...##..",
    ".#...#.#.",
    ".#...####",
    ".#.####.#",
    ".#......#",
    ".#.####.#",
    ".#......#",
    ".########",
}};

constexpr std::array<ListGlyphArt, kListGlyphCount> kListGlyphs = {kExpandGlyph, kCollapseGlyph, kArticleGlyph};

}  // namespace quillory
