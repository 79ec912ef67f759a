#include "kartavo/package/package.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(Resources, CursorsHaveTheirSizeAndHotSpots) {
  const auto* hand = kartavo::FindCursorResource("CURGEOHAND");
  const auto* zoom = kartavo::FindCursorResource("curgeozoom");
  ASSERT_TRUE(hand && zoom);
  EXPECT_EQ(hand->HotSpotX, 0);
  EXPECT_EQ(hand->HotSpotY, 0);
  EXPECT_EQ(zoom->HotSpotX, 6);
  EXPECT_EQ(zoom->HotSpotY, 6);
  for (const auto* c : {hand, zoom}) {
    std::set<kartavo::TCursorPixel> seen;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x)
        seen.insert(c->Pixel(x, y));
    // Something visible in black and white, and a transparent surround.
    EXPECT_TRUE(seen.count(kartavo::cpBlack) && seen.count(kartavo::cpWhite));
    EXPECT_TRUE(seen.count(kartavo::cpTransparent));
    EXPECT_EQ(c->Pixel(-1, 0), kartavo::cpTransparent);
    EXPECT_EQ(c->Pixel(0, 32), kartavo::cpTransparent);
  }
  // The lens centre of the zoom cursor is drawn, so the user sees where it acts.
  EXPECT_NE(zoom->Pixel(6, 6), kartavo::cpTransparent);
}

TEST(Resources, BitmapsAre40By20With256Colours) {
  for (auto name : kartavo::BitmapResourceNames()) {
    const auto* bmp = kartavo::FindBitmapResource(name);
    ASSERT_TRUE(bmp) << name;
    EXPECT_EQ(bmp->Width, 40);
    EXPECT_EQ(bmp->Height, 20);
    EXPECT_EQ(bmp->Format, fw::pf8bit);
    EXPECT_EQ(bmp->Palette.size(), 256u);
    ASSERT_EQ(bmp->Bits.size(), static_cast<size_t>(bmp->Stride() * 20));
    std::set<uint8_t> used;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 40; ++x)
        used.insert(bmp->Row(y)[x]);
    EXPECT_GE(used.size(), 2u) << name;
    // The surround is the button face.
    EXPECT_EQ(bmp->Palette[bmp->Row(0)[0]], fw::clBtnFace) << name;
  }
  EXPECT_EQ(kartavo::BitmapResourceNames().size(), 3u);
}

// The atlas's buttons show the first of two glyphs side by side: each
// picture lies whole within its 20 columns, the second one in the same shape.
TEST(Resources, ButtonBitmapsHoldTwoGlyphsOfTheSameShape) {
  for (auto name : {"POINTR", "ZOOMIN"}) {
    const auto* bmp = kartavo::FindBitmapResource(name);
    ASSERT_TRUE(bmp) << name;
    const uint8_t face = bmp->Row(0)[0];
    int drawn = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) {
        const bool first = bmp->Row(y)[x] != face, second = bmp->Row(y)[x + 20] != face;
        EXPECT_EQ(first, second) << name << " at " << x << "," << y;
        drawn += first;
      }
    EXPECT_GT(drawn, 40) << name;
  }
}

TEST(Resources, UnknownNamesFindNothing) {
  EXPECT_EQ(kartavo::FindCursorResource("POINTR"), nullptr);
  EXPECT_EQ(kartavo::FindBitmapResource("CURGEOHAND"), nullptr);
  EXPECT_EQ(kartavo::FindBitmapResource(""), nullptr);
  EXPECT_NE(kartavo::FindBitmapResource("ZoomIn"), nullptr);
  EXPECT_NE(kartavo::FindBitmapResource("zoom11"), kartavo::FindBitmapResource("ZOOMIN"));
}

} // namespace
