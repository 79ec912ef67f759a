#include "kartavo/geomap/render/map_image.h"

#include "../picture_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kartavo {
namespace {

TEST(MapImage, StartsWithoutAMapAndWithEmptyBitmaps) {
  const TMapImage image;
  EXPECT_TRUE(image.Name().empty());
  EXPECT_EQ(image.Width(), 0);
  EXPECT_TRUE(image.Bitmap().Empty());
  EXPECT_EQ(image.Aux().PixelFormat(), fw::pf15bit);
  EXPECT_EQ(image.Cache().PixelFormat(), fw::pf15bit);
  EXPECT_EQ(image.CacheMag(), 0.0);
  EXPECT_TRUE(image.AntiAlias() && image.CacheAA());
  EXPECT_DOUBLE_EQ(image.CacheMagLimit(), 2.0 / 3.0);
}

TEST(MapImage, TakingTheBitmapSizesNameAndOffScreenImage) {
  TMapImage image;
  image.Bitmap().LoadFromPixelImage(testing::Picture(30, 20));
  image.TakeBitmap("a.bmp");
  EXPECT_EQ(image.Name(), "a.bmp");
  EXPECT_EQ(image.Width(), 30);
  EXPECT_EQ(image.Height(), 20);
  EXPECT_EQ(image.Aux().Width(), 30);
  image.Forget();
  EXPECT_TRUE(image.Name().empty());
  EXPECT_EQ(image.Height(), 0);
  EXPECT_EQ(image.Bitmap().Width(), 30); // the picture stays
}

TEST(MapImage, CacheLimitIsClampedToItsRange) {
  TMapImage image;
  for (double v : {0.9, -1.0, std::nan(""), 0.5}) {
    image.SetCacheMagLimit(v);
    EXPECT_GE(image.CacheMagLimit(), 0.0) << v;
    EXPECT_LE(image.CacheMagLimit(), TMapImage::MaxCacheMagLimit) << v;
  }
  EXPECT_EQ(image.CacheMagLimit(), 0.5);
  image.SetCacheMagLimit(-1);
  EXPECT_EQ(image.CacheMagLimit(), 0.0);
}

// A copy keeps its own bitmaps (a host may hold them) and compares by the
// pictures: one differing byte in any bitmap makes the images differ.
TEST(MapImage, CopiesComparePicturesNotBitmaps) {
  TMapImage a;
  a.Bitmap().LoadFromPixelImage(testing::Picture(8, 4, 0x10));
  a.TakeBitmap("m.jpg");
  a.Cache().LoadFromPixelImage(testing::Picture(4, 2, 0x20));
  a.SetCacheMade(0.5, false);
  TMapImage b;
  const fw::TBitmap* own = &b.Bitmap();
  EXPECT_NE(a, b);
  b = a;
  EXPECT_EQ(&b.Bitmap(), own);
  EXPECT_EQ(a, b);
  EXPECT_EQ(TMapImage(a), a);

  b.Bitmap().ScanLine(3)[0] ^= 1;
  EXPECT_NE(a, b);
  b = a;
  b.Cache().ScanLine(1)[2] ^= 1;
  EXPECT_NE(a, b);
  b = a;
  b.InvalidateCache();
  EXPECT_NE(a, b);
}

} // namespace
} // namespace kartavo
