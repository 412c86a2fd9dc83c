#pragma once
// The toolbar's pictures, 16 × 16 each on the toolbar's silver, in the order
// of ToolbarPicture. Characters name colours as resources/pixel_art.h lists.

#include <array>

#include "resources/pixel_art.h"
#include "resources/program_resources.h"

namespace quillory {

using ToolbarPictureArt = PixelArt<kToolbarPictureSize, kToolbarPictureSize>;

// Steps back, as the left-arrow key does.
constexpr ToolbarPictureArt kPreviousArticlePicture{{
    "................",
    "................",
    ".......#........",
    "......##........",
    ".....#B#........",
    "....#BB#######..",
    "...#BBBBBBBBB#..",
    "..#BBBBBBBBBB#..",
    "...#bBBbbbbbb#..",
    "....#bB#######..",
    ".....#b#........",
    "......##........",
    ".......#........",
    "................",
    "................",
    "................",
}};

// A calendar page with this week's row marked.
constexpr ToolbarPictureArt kThisWeekPicture{{
    "................",
    "....#.....#.....",
    ".#############..",
    ".#RRRRRRRRRRR#+.",
    ".#RRRRRRRRRRR#+.",
    ".#############+.",
    ".#WW+WW+WW+WW#+.",
    ".#WW+WW+WW+WW#+.",
    ".#+++++++++++#+.",
    ".#BB+BB+BB+BB#+.",
    ".#BB+BB+BB+BB#+.",
    ".#+++++++++++#+.",
    ".#WW+WW+WW+WW#+.",
    ".#WW+WW+WW+WW#+.",
    ".#############+.",
    "..+++++++++++++.",
}};

constexpr ToolbarPictureArt kNextArticlePicture{{
    "................",
    "................",
    "........#.......",
    "........##......",
    "........#B#.....",
    "..#######BB#....",
    "..#BBBBBBBBB#...",
    "..#BBBBBBBBBB#..",
    "..#bbbbbbBBb#...",
    "..#######Bb#....",
    "........#b#.....",
    "........##......",
    "........#.......",
    "................",
    "................",
    "................",
}};

// A serif capital.
constexpr ToolbarPictureArt kChooseFontPicture{{
    "................",
    "................",
    ".......##.......",
    ".......###......",
    "......#.##......",
    "......#..##.....",
    ".....#...##.....",
    ".....#....##....",
    "....#.....##....",
    "....#########...",
    "...#.......##...",
    "...#.......##...",
    "..###.....####..",
    "................",
    "................",
    "................",
}};

constexpr ToolbarPictureArt kSearchPicture{{
    "................",
    "....####........",
    "..##WWCC##......",
    "..#WWCCCC#......",
    ".#WWCCCCCC#.....",
    ".#WCCCCCCc#.....",
    ".#CCCCCCCc#.....",
    ".#CCCCCCCc#.....",
    "..#CCCCCc#......",
    "..##cccc###.....",
    "....####.###....",
    "..........###...",
    "...........###..",
    "............###.",
    ".............##.",
    "................",
}};

// The search glass with an arrow on to the next match.
constexpr ToolbarPictureArt kSearchAgainPicture{{
    "....####........",
    "..##WWCC##......",
    "..#WWCCCC#......",
    ".#WWCCCCCC#.....",
    ".#WCCCCCCc#.....",
    ".#CCCCCCCc#.....",
    ".#CCCCCCCc#.....",
    "..#CCCCCc#......",
    "..##cccc###.....",
    "....####.###....",
    "..........###...",
    "......g....###..",
    ".ggggggg....###.",
    ".gggggggg....##.",
    ".ggggggg........",
    "......g.........",
}};

// A list of articles, bulleted on the right as right-to-left text is.
constexpr ToolbarPictureArt kChooseArticlePicture{{
    "................",
    ".#############..",
    ".#WWWWWWWWWWW#+.",
    ".#W++++++WBBW#+.",
    ".#W######WBBW#+.",
    ".#WWWWWWWWWWW#+.",
    ".#WW+++++WBBW#+.",
    ".#WW#####WBBW#+.",
    ".#WWWWWWWWWWW#+.",
    ".#W++++++WBBW#+.",
    ".#W######WBBW#+.",
    ".#WWWWWWWWWWW#+.",
    ".#WWWW+++WBBW#+.",
    ".#WWWW###WBBW#+.",
    ".#############+.",
    "..+++++++++++++.",
}};

constexpr std::array<ToolbarPictureArt, kToolbarPictureCount> kToolbarPictures = {
    kPreviousArticlePicture, kThisWeekPicture, kNextArticlePicture, kChooseFontPicture,
    kSearchPicture,          kSearchAgainPicture, kChooseArticlePicture,
};

}  // namespace quillory
