// The outlines of the other registered maps on the rendered picture.
#include "atlas_test_support.h"

#include "kartavo/framework/canvas.h"
#include "kartavo/geoatlas/detail/map_outline.h"

namespace atlas_test {
namespace {

int CountColour(const fw::TBitmap& b, fw::TColor c) {
  int n = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      n += b.Canvas()->Pixels(x, y) == c;
  return n;
}

// The pixels of the outline of a rectangle from (l, t) to (r, b), corners
// included.
void ExpectRectangle(const fw::TBitmap& shown, int l, int t, int r, int b, fw::TColor c) {
  for (int x = l; x <= r; ++x) {
    EXPECT_EQ(shown.Canvas()->Pixels(x, t), c) << x << "," << t;
    EXPECT_EQ(shown.Canvas()->Pixels(x, b), c) << x << "," << b;
  }
  for (int y = t; y <= b; ++y) {
    EXPECT_EQ(shown.Canvas()->Pixels(l, y), c) << l << "," << y;
    EXPECT_EQ(shown.Canvas()->Pixels(r, y), c) << r << "," << y;
  }
}

TEST_F(AtlasTest, OtherMapsAreOutlinedOnTheWorld) {
  RegisterAll();
  ASSERT_TRUE(Atlas->SelectMap(1));
  const fw::TBitmap& shown = *Map().Surface();
  // Continent: 40 N 0 E to 0 N 80 E is (160, 40) to (240, 80); country:
  // 20 N 20 E to 10 N 40 E is (180, 60) to (200, 70).
  ExpectRectangle(shown, 160, 40, 240, 80, 0xFF0000);
  ExpectRectangle(shown, 180, 60, 200, 70, 0xFF0000);
  EXPECT_EQ(CountColour(shown, 0xFF0000), 2 * (80 + 40) + 2 * (20 + 10));
  // The world's own edge (column 320, row 160) is not outlined.
  EXPECT_NE(shown.Canvas()->Pixels(320, 100), 0xFF0000u);
  EXPECT_NE(shown.Canvas()->Pixels(100, 160), 0xFF0000u);
}

TEST_F(AtlasTest, TheShownMapsOwnOutlineIsLeftOut) {
  RegisterAll();
  ASSERT_TRUE(Atlas->SelectMap(2));
  Map().SetTopLeft({-20, -20});
  const fw::TBitmap& shown = *Map().Surface();
  // A quarter of a degree a pixel from 0 E and 40 N, shifted by 20 pixels:
  // the country lies at (100, 100) to (180, 140); the world is far outside.
  ExpectRectangle(shown, 100, 100, 180, 140, 0xFF0000);
  EXPECT_EQ(CountColour(shown, 0xFF0000), 2 * (80 + 40));
  EXPECT_NE(shown.Canvas()->Pixels(20, 100), 0xFF0000u);  // the continent's own left edge
  EXPECT_NE(shown.Canvas()->Pixels(200, 180), 0xFF0000u); // and its bottom edge
}

TEST_F(AtlasTest, OutlineColourAndVisibilityRepaint) {
  RegisterAll();
  ASSERT_TRUE(Atlas->SelectMap(1));
  const fw::TBitmap& shown = *Map().Surface();
  Atlas->SetMapOutlineColor(0x00FF00);
  EXPECT_EQ(CountColour(shown, 0xFF0000), 0);
  EXPECT_EQ(CountColour(shown, 0x00FF00), 300);
  Atlas->SetMapOutlineVisible(false);
  EXPECT_EQ(CountColour(shown, 0x00FF00), 0);
  Atlas->SetMapOutlineVisible(true);
  // Removing a map takes its outline away.
  Atlas->UnregisterMap(2);
  EXPECT_EQ(CountColour(shown, 0x00FF00), 60);
}

TEST_F(AtlasTest, CornersThatDoNotConvertAreSkipped) {
  // A map without calibration converts no corner: nothing is drawn, not even
  // a line from where the pen stood.
  TGeoMap bare(nullptr);
  fw::TBitmap pic;
  pic.SetSize(50, 50);
  fw::TCanvas& c = *pic.Canvas();
  c.Brush()->SetColor(fw::clWhite);
  c.FillRect(fw::Rect(0, 0, 50, 50));
  c.Pen()->SetColor(fw::clBlack);
  c.MoveTo(5, 5);
  DrawMapOutline(c, bare, Atlas->Maps(1).Corners);
  EXPECT_EQ(CountColour(pic, fw::clBlack), 0);
}

} // namespace
} // namespace atlas_test
