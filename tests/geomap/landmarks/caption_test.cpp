// Captions: where the nine anchor placements and a turned caption put the
// text cell.
#include "symbol_test_support.h"

#include "kartavo/framework/canvas.h"
#include "kartavo/geomap/landmarks/caption_drawing.h"

#include <gtest/gtest.h>

#include <climits>

namespace {
using namespace kartavo;
using namespace lmtest;

constexpr int kX = 150, kY = 100;

TLMTextProperties Caption(int h, int v, int direction) {
  TLMTextProperties c = DefaultLandMark().Caption;
  c.Text = "Anchor";
  c.Size = 10;
  c.Transparent = false;
  c.BGColor = kBG;
  c.FGColor = kFG;
  c.HAlignment = static_cast<fw::TAlignment>(h);
  c.VAlignment = static_cast<quillon::TVerticalAlignment>(v);
  c.Direction = direction;
  c.dx = 3;
  c.dy = -2;
  return c;
}

struct TBox {
  int Left = INT_MAX, Top = INT_MAX, Right = INT_MIN, Bottom = INT_MIN; // inclusive
};
// The box of the text cell's background (glyphs may reach past the cell).
TBox BoxOf(const PixelColours& px) {
  TBox b;
  for (auto [p, c] : px) {
    if (c != kBG) continue;
    b.Left = std::min(b.Left, p.first);
    b.Right = std::max(b.Right, p.first);
    b.Top = std::min(b.Top, p.second);
    b.Bottom = std::max(b.Bottom, p.second);
  }
  return b;
}

TEST(Captions, NineAnchorPlacements) {
  fw::TCanvas measure;
  measure.Font()->SetName("MS Sans Serif");
  measure.Font()->SetSize(10);
  const int w = measure.TextWidth("Anchor"), h = measure.TextHeight("Anchor");
  const int alongHalves[3] = {0, 2, 1}, acrossHalves[3] = {0, 1, 2};
  for (int ha = 0; ha < 3; ++ha)
    for (int va = 0; va < 3; ++va) {
      auto bmp = Sheet(300, 200);
      DrawLandMarkCaption(bmp->Canvas(), kX, kY, Caption(ha, va, 0));
      const TBox box = BoxOf(Changed(*bmp));
      const int left = kX + 3 - alongHalves[ha] * (w / 2);
      const int top = kY - 2 - acrossHalves[va] * (h / 2);
      EXPECT_EQ(box.Left, left) << ha << va;
      EXPECT_EQ(box.Top, top) << ha << va;
      EXPECT_EQ(box.Right, left + w - 1) << ha << va;
      EXPECT_EQ(box.Bottom, top + h - 1) << ha << va;
    }
}

TEST(Captions, TurnedCaptionRunsUpFromItsAnchor) {
  // Turned 90° counter-clockwise and anchored at its end: the text runs up
  // the screen and ends at the anchor, its top edge to the left.
  TLMTextProperties c = Caption(1, 0, 90);
  int offX = 0, offY = 0;
  fw::TCanvas measure;
  measure.Font()->SetSize(10);
  const int w = measure.TextWidth("Anchor"), h = measure.TextHeight("Anchor");
  ASSERT_TRUE(CaptionOffset(c, w, h, offX, offY));
  EXPECT_EQ(offX, 0);
  EXPECT_EQ(offY, 2 * (w / 2));
  auto bmp = Sheet(300, 200);
  DrawLandMarkCaption(bmp->Canvas(), kX, kY, c);
  const TBox box = BoxOf(Changed(*bmp));
  EXPECT_NEAR(box.Left, kX + 3, 1);
  EXPECT_NEAR(box.Right, kX + 3 + h - 1, 1);
  EXPECT_NEAR(box.Bottom, kY - 2 + 2 * (w / 2), 1);
  EXPECT_NEAR(box.Top, kY - 2 + 2 * (w / 2) - w, 1);
  EXPECT_EQ(bmp->Canvas()->Font()->Orientation(), 900);
}

TEST(Captions, OffsetsAtOddAnglesAndNothingForBadAlignments) {
  int offX = 0, offY = 0;
  // Centred on both axes, turned 30°: (-w·cos30 - h·sin30, w·sin30 - h·cos30).
  ASSERT_TRUE(CaptionOffset(Caption(2, 1, 30), 41, 13, offX, offY));
  EXPECT_EQ(offX, -20); // -20·0.866 - 6·0.5 = -20.32
  EXPECT_EQ(offY, 5);   //  20·0.5 - 6·0.866 = 4.80
  EXPECT_FALSE(CaptionOffset(Caption(3, 0, 0), 40, 12, offX, offY));
  EXPECT_FALSE(CaptionOffset(Caption(0, 3, 0), 40, 12, offX, offY));
  auto bmp = Sheet(100, 60);
  DrawLandMarkCaption(bmp->Canvas(), 50, 30, Caption(0, 5, 0));
  TLMTextProperties empty = Caption(0, 0, 0);
  empty.Text = "";
  DrawLandMarkCaption(bmp->Canvas(), 50, 30, empty);
  EXPECT_TRUE(Changed(*bmp).empty());
}

} // namespace
