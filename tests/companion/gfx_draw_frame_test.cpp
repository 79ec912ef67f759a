#include "kartavo/companion/draw_frame.h"
#include "kartavo/framework/bitmap.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <string>

using namespace fw;
using namespace quillon;

namespace {

constexpr TColor kHi = 0x0000F1, kLight = 0x0000F2, kShadow = 0x0000F3, kDark = 0x0000F4,
                 kLine = 0x0000F5, kBack = 0x123456;

// The frame drawn into a 10 x 8 bitmap around (1, 1)-(8, 6), as letters:
// h highlight, l light, s shadow, d dark shadow, n line, . untouched.
std::string Picture(TFrameStyle style) {
  TBitmap bmp;
  bmp.SetSize(10, 8);
  bmp.Canvas()->Brush()->SetColor(kBack);
  bmp.Canvas()->FillRect(Rect(0, 0, 10, 8));
  DrawFrame(bmp.Canvas(), style, 1, 1, 8, 6, kHi, kLight, kShadow, kDark, kLine);
  const std::map<TColor, char> letters = {{kHi, 'h'},   {kLight, 'l'}, {kShadow, 's'},
                                          {kDark, 'd'}, {kLine, 'n'},  {kBack, '.'}};
  std::string s;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 10; ++x)
      s += letters.at(bmp.Canvas()->Pixels(x, y));
    s += '\n';
  }
  return s;
}

} // namespace

TEST(GfxDrawFrame, StylesByOrdinal) {
  EXPECT_EQ(Picture(fsNone), "..........\n"
                             "..........\n"
                             "..........\n"
                             "..........\n"
                             "..........\n"
                             "..........\n"
                             "..........\n"
                             "..........\n");
  EXPECT_EQ(Picture(fsSingle), "..........\n"
                               ".nnnnnnnn.\n"
                               ".n......n.\n"
                               ".n......n.\n"
                               ".n......n.\n"
                               ".n......n.\n"
                               ".nnnnnnnn.\n"
                               "..........\n");
  EXPECT_EQ(Picture(fsRaised), "..........\n"
                               ".hhhhhhhs.\n"
                               ".h......s.\n"
                               ".h......s.\n"
                               ".h......s.\n"
                               ".h......s.\n"
                               ".ssssssss.\n"
                               "..........\n");
  EXPECT_EQ(Picture(fsLowered), "..........\n"
                                ".sssssssh.\n"
                                ".s......h.\n"
                                ".s......h.\n"
                                ".s......h.\n"
                                ".s......h.\n"
                                ".hhhhhhhh.\n"
                                "..........\n");
  EXPECT_EQ(Picture(fsDoubleLowered), "..........\n"
                                      ".sssssssh.\n"
                                      ".sdddddlh.\n"
                                      ".sd....lh.\n"
                                      ".sd....lh.\n"
                                      ".sllllllh.\n"
                                      ".hhhhhhhh.\n"
                                      "..........\n");
  EXPECT_EQ(Picture(fsDoubleRaised), "..........\n"
                                     ".llllllld.\n"
                                     ".lhhhhhsd.\n"
                                     ".lh....sd.\n"
                                     ".lh....sd.\n"
                                     ".lssssssd.\n"
                                     ".dddddddd.\n"
                                     "..........\n");
}

TEST(GfxDrawFrame, LeavesTheBrushAndClipsFarRectangles) {
  TBitmap bmp;
  bmp.SetSize(6, 6);
  bmp.Canvas()->Brush()->SetColor(clRed);
  bmp.Canvas()->Brush()->SetStyle(bsClear);
  DrawFrame(bmp.Canvas(), fsDoubleRaised, INT_MIN, -1000000000, 3, INT_MAX, kHi, kLight, kShadow,
            kDark, kLine);
  EXPECT_EQ(bmp.Canvas()->Brush()->Color(), clRed);
  EXPECT_EQ(bmp.Canvas()->Brush()->Style(), bsClear);
  EXPECT_EQ(bmp.Canvas()->Pixels(3, 0), kDark); // the right edge
  EXPECT_EQ(bmp.Canvas()->Pixels(2, 0), kShadow);
  EXPECT_EQ(bmp.Canvas()->Pixels(1, 0), clWhite);
  DrawFrame(bmp.Canvas(), fsSingle, 4, 4, 2, 2, kHi, kLight, kShadow, kDark, kLine);
  DrawFrame(nullptr, fsSingle, 0, 0, 5, 5, kHi, kLight, kShadow, kDark, kLine);
  EXPECT_EQ(bmp.Canvas()->Pixels(4, 4), clWhite);
}
