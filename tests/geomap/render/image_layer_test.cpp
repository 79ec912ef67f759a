#include "render_test_support.h"

#include "kartavo/framework/canvas.h"
#include "kartavo/framework/detail/pixel_value.h"
#include "kartavo/geomap/render/image_layer.h"

#include <gtest/gtest.h>

#include <random>

namespace rendertest {
namespace {

// A map image of distinct pixels; its off-screen image (200 x 150) filled
// with one colour before each drawing.
struct Layer {
  TMapImage Image;
  fw::TBitmap* Map = &Image.Bitmap();
  fw::TBitmap* Target = &Image.Aux();
  fw::TBitmap& Cache = Image.Cache();
  TImageLayerCounts Counts;

  explicit Layer(int w = 320, int h = 240) {
    Image.Bitmap().SetSize(w, h);
    std::mt19937 rng(7);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        Map->Canvas()->SetPixels(x, y, rng() & 0xFFFFFF);
    Image.TakeBitmap("noise");
    Image.InvalidateCache();
  }
  TImageLayerPath Draw(double m, bool aa, quillon::TPoint tl = {0, 0}) {
    Target->SetSize(200, 150);
    Target->Canvas()->Brush()->SetColor(0x123456);
    Target->Canvas()->FillRect(fw::Rect(0, 0, 200, 150));
    Image.SetAntiAlias(aa);
    const auto path = DrawMapImage(Image, {tl, m, 200, 150});
    Counts.Count(path);
    return path;
  }
};

TEST(ImageLayer, CacheIsRebuiltOnlyForANewMagnificationOrSmoothing) {
  Layer l;
  EXPECT_EQ(l.Draw(0.5, true), ilpCacheRebuiltAndCopy);
  EXPECT_EQ(l.Cache.Width(), 160);
  EXPECT_EQ(l.Cache.Height(), 120);
  EXPECT_EQ(l.Draw(0.5, true, {40, 20}), ilpCacheCopy); // panning costs a copy
  EXPECT_EQ(l.Draw(0.25, true), ilpCacheRebuiltAndCopy);
  EXPECT_EQ(l.Draw(0.5, true), ilpCacheRebuiltAndCopy); // one magnification is cached
  EXPECT_EQ(l.Draw(0.5, false), ilpCacheRebuiltAndCopy);
  // Above the limit: neither rebuilt nor used; the cache stays for 0.5.
  EXPECT_EQ(l.Draw(0.8, false), ilpDirectStretch);
  EXPECT_EQ(l.Draw(0.5, false), ilpCacheCopy);
  EXPECT_EQ(l.Draw(2, false), ilpDirectStretch);
  EXPECT_EQ(l.Counts.CacheRebuilds, 4);
  EXPECT_EQ(l.Counts.CacheCopies, 6);
  EXPECT_EQ(l.Counts.DirectStretches, 2);
  EXPECT_EQ(l.Draw(0, false), ilpNothing);
}

TEST(ImageLayer, CacheCopyShowsWhatAStretchOfTheWholeImageShows) {
  for (bool aa : {false, true}) {
    Layer l;
    l.Draw(0.5, aa, {60, 40});
    // The same picture resampled at once and cut at the view's corner.
    fw::TBitmap whole;
    whole.SetPixelFormat(fw::pf15bit);
    whole.SetSize(160, 120);
    whole.Canvas()->SetStretchBltMode(aa ? fw::HALFTONE : fw::COLORONCOLOR);
    whole.Canvas()->StretchDraw(fw::Rect(0, 0, 160, 120), l.Map);
    for (int y = 0; y < 150; ++y)
      for (int x = 0; x < 200; ++x) {
        const fw::TColor expected =
            x + 30 < 160 && y + 20 < 120 ? whole.Canvas()->Pixels(x + 30, y + 20) : 0x123456;
        ASSERT_EQ(l.Target->Canvas()->Pixels(x, y), fw::Color15(fw::Word15(expected)))
            << x << "," << y << " aa " << aa;
      }
  }
}

TEST(ImageLayer, DirectStretchTakesTheVisibleSourcePixels) {
  Layer l;
  l.Draw(2, false, {100, 50});
  // Nearest pixels: control (2i, 2j) and (2i+1, 2j+1) show map (100+i, 50+j).
  for (int j = 0; j < 75; j += 7)
    for (int i = 0; i < 100; i += 9) {
      const fw::TColor want = fw::Color15(fw::Word15(l.Map->Canvas()->Pixels(100 + i, 50 + j)));
      ASSERT_EQ(l.Target->Canvas()->Pixels(2 * i, 2 * j), want);
      ASSERT_EQ(l.Target->Canvas()->Pixels(2 * i + 1, 2 * j + 1), want);
    }
}

TEST(ImageLayer, BeyondTheMapImageTheTargetKeepsItsPixels) {
  Layer l(100, 80);
  l.Draw(1, false, {-20, -10});
  const fw::TColor bg = fw::Color15(fw::Word15(0x123456));
  EXPECT_EQ(l.Target->Canvas()->Pixels(19, 50), bg);
  EXPECT_EQ(l.Target->Canvas()->Pixels(50, 9), bg);
  EXPECT_EQ(l.Target->Canvas()->Pixels(120, 50), bg);
  EXPECT_EQ(l.Target->Canvas()->Pixels(20, 10),
            fw::Color15(fw::Word15(l.Map->Canvas()->Pixels(0, 0))));
}

} // namespace
} // namespace rendertest
