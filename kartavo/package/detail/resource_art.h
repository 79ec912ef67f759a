// The images are drawn as text, one character a pixel, so that they can be
// read and changed here. Cursors: '.' transparent, '#' black, 'o' white;
// a cursor's rows below those drawn are transparent.
// Bitmaps: '.' button face, '#' black, 'o' white, 'b' blue, 'g' grey,
// 'r' red, 'y' yellow.
#pragma once

#include <array>
#include <string_view>

namespace kartavo::resource_art {

// clang-format off

// An open hand for panning; it acts at its top-left corner.
constexpr std::array<std::string_view, 29> kGeoHand = {
    ".....#########..................",
    ".....#ooo#ooo#..................",
    ".#####ooo#ooo#####..............",
    ".#ooo#ooo#ooo#ooo#..............",
    ".#ooo#ooo#ooo#ooo#..............",
    ".#ooo#ooo#ooo#ooo#..............",
    ".#ooo#ooo#ooo#ooo#..............",
    ".#ooo#ooo#ooo#ooo#..............",
    ".#ooo#ooo#ooo#ooo#..............",
    ".#ooo#ooo#ooo#ooo##.............",
    ".#ooo#ooo#ooo#oooo##............",
    ".#ooo#ooo#ooo#ooooo##...........",
    ".#oooooooooooooooooo##..........",
    ".#ooooooooooooooo#ooo##.........",
    ".#ooooooooooooooo##ooo##........",
    ".#ooooooooooooooo###ooo##.......",
    ".#ooooooooooooooo#.##ooo#.......",
    ".#ooooooooooooooo#..##oo#.......",
    ".#ooooooooooooooo#...##o#.......",
    ".#ooooooooooooooo#....###.......",
    ".#ooooooooooooooo#..............",
    ".#ooooooooooooooo#..............",
    ".#ooooooooooooooo#..............",
    ".#ooooooooooooooo#..............",
    ".###ooooooooooo###..............",
    "...#ooooooooooo#................",
    "...#ooooooooooo#................",
    "...#ooooooooooo#................",
    "...#############................",
};

// A magnifying glass whose lens centre (6, 6) is the point it acts on.
constexpr std::array<std::string_view, 20> kGeoZoom = {
    "......#.........................",
    "...#######......................",
    "..##ooooo##.....................",
    ".##ooooooo##....................",
    ".#ooooooooo#....................",
    ".#oooo#oooo#....................",
    "##ooo###ooo##...................",
    ".#oooo#oooo#....................",
    ".#ooooooooo#....................",
    ".##ooooooo##....................",
    "..##ooooo###....................",
    "...##########...................",
    "......#....###..................",
    "............###.................",
    ".............###................",
    "..............###...............",
    "...............###..............",
    "................###.............",
    ".................##.............",
    "..................#.............",
};

// The mouse pointer button: the arrow, and beside it the arrow greyed for
// the disabled button (two glyphs of 20 × 20).
constexpr std::array<std::string_view, 20> kPointer = {
    "........................................",
    "....###.................ggg.............",
    "....#o#.................gog.............",
    "....#o##................gogg............",
    "....#oo##...............googg...........",
    "....#ooo##..............gooogg..........",
    "....#oooo#..............goooog..........",
    "....#oooo##.............goooogg.........",
    "....#ooooo##............gooooogg........",
    "....#oooooo##...........goooooogg.......",
    "....#ooooooo#...........gooooooog.......",
    "....#ooooooo##..........gooooooogg......",
    "....#oooooooo##.........goooooooogg.....",
    "....#ooooooooo#.........gooooooooog.....",
    "....#####ooo###.........gggggoooggg.....",
    "........#ooo##..............gooogg......",
    "........##ooo#..............ggooog......",
    ".........#ooo##..............gooogg.....",
    ".........##ooo#..............ggooog.....",
    "..........#####...............ggggg.....",
};

// The "1:1" button.
constexpr std::array<std::string_view, 20> kZoom11 = {
    "........................................",
    "........................................",
    "....gggggggggggggggggggggggggggggggg....",
    "....g..............................g....",
    "....g......bb................bb....g....",
    "....g....bbbb..............bbbb....g....",
    "....g..bb..bb.....bbbb...bb..bb....g....",
    "....g......bb.....bbbb.......bb....g....",
    "....g......bb................bb....g....",
    "....g......bb................bb....g....",
    "....g......bb.....bbbb.......bb....g....",
    "....g......bb.....bbbb.......bb....g....",
    "....g......bb................bb....g....",
    "....g..bbbbbbbb..........bbbbbbbb..g....",
    "....g..............................g....",
    "....g..............................g....",
    "....g..............................g....",
    "....gggggggggggggggggggggggggggggggg....",
    "........................................",
    "........................................",
};

// The zoom-in button: a magnifying glass with a plus, and beside it the
// glass greyed for the disabled button (two glyphs of 20 × 20).
constexpr std::array<std::string_view, 20> kZoomIn = {
    "........................................",
    "........................................",
    "....#####...............ggggg...........",
    "..####o####...........ggggogggg.........",
    ".##ooooooo##.........ggooooooogg........",
    ".#ooooroooo#.........goooogoooog........",
    "##ooooroooo##.......ggoooogoooogg.......",
    "##ooooroooo##.......ggoooogoooogg.......",
    "#oorrrrrrroo#.......googggggggoog.......",
    "##ooooroooo##.......ggoooogoooogg.......",
    "##ooooroooo##.......ggoooogoooogg.......",
    ".#ooooroooo#.........goooogoooog........",
    ".##ooooooo##.........ggooooooogg........",
    "..####o####y#.........ggggogggggg.......",
    "....#####..y##..........ggggg..ggg......",
    "............y##.................ggg.....",
    ".............y##.................ggg....",
    "..............y##.................ggg...",
    "...............y##.................ggg..",
    "................y##.................ggg.",
};

// clang-format on

} // namespace kartavo::resource_art
