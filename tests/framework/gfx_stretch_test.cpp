#include "gfx_stretch_oracle.h"
#include "gfx_test_support.h"

#include <gtest/gtest.h>

using namespace fw;
using gfxtest::MakeBitmap;
using gfxtest::NoiseBitmap;

TEST(GfxStretch, NearestPicksExactSourcePixels) {
  for (TPixelFormat f : {pf15bit, pf24bit, pf32bit, pf4bit}) {
    auto src = NoiseBitmap(13, 7, f, 1);
    auto dst = MakeBitmap(26, 14, clWhite, f);
    dst->Canvas()->StretchDraw(Rect(0, 0, 26, 14), src.get());
    for (int y = 0; y < 14; ++y)
      for (int x = 0; x < 26; ++x)
        ASSERT_EQ(dst->Canvas()->Pixels(x, y), src->Canvas()->Pixels(x / 2, y / 2)) << int(f);
    // Mirrored destination rectangle.
    dst->Canvas()->StretchDraw(Rect(13, 0, 0, 7), src.get());
    for (int x = 0; x < 13; ++x)
      ASSERT_EQ(dst->Canvas()->Pixels(x, 3), src->Canvas()->Pixels(12 - x, 3));
  }
}

TEST(GfxStretch, HalftoneHalvingGivesEachBlocksMean) {
  for (TPixelFormat f : {pf24bit, pf32bit, pf15bit}) {
    auto src = NoiseBitmap(20, 12, f, 2);
    auto dst = MakeBitmap(10, 6, clWhite, f == pf15bit ? pf24bit : f);
    dst->Canvas()->SetStretchBltMode(HALFTONE);
    dst->Canvas()->CopyRect(Rect(0, 0, 10, 6), src->Canvas(), Rect(0, 0, 20, 12));
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 10; ++x) {
        int sum[3] = {0, 0, 0};
        for (int k = 0; k < 4; ++k) {
          TColor p = src->Canvas()->Pixels(2 * x + k % 2, 2 * y + k / 2);
          sum[0] += GetRValue(p);
          sum[1] += GetGValue(p);
          sum[2] += GetBValue(p);
        }
        TColor want = RGB((sum[0] + 2) / 4, (sum[1] + 2) / 4, (sum[2] + 2) / 4);
        ASSERT_EQ(dst->Canvas()->Pixels(x, y), want) << x << "," << y;
      }
  }
}

TEST(GfxStretch, SourceBeyondTheImageLeavesTheDestination) {
  auto src = MakeBitmap(10, 10, clRed);
  auto dst = MakeBitmap(20, 20, clBlue);
  // Source from (5, 5) to (15, 15) at scale 2: only its first half exists.
  dst->Canvas()->CopyRect(Rect(0, 0, 20, 20), src->Canvas(), Rect(5, 5, 15, 15));
  EXPECT_EQ(dst->Canvas()->Pixels(9, 9), clRed);
  EXPECT_EQ(dst->Canvas()->Pixels(10, 9), clBlue);
  EXPECT_EQ(dst->Canvas()->Pixels(9, 10), clBlue);
  dst->Canvas()->CopyRect(Rect(0, 0, 20, 20), src->Canvas(), Rect(-100, 0, -50, 10));
  EXPECT_EQ(dst->Canvas()->Pixels(0, 19), clBlue);
}

TEST(GfxStretch, OverlappingCopyWithinOneBitmapReadsTheOldPixels) {
  auto bmp = NoiseBitmap(30, 20, pf24bit, 3);
  auto snapshot = NoiseBitmap(30, 20, pf24bit, 3);
  bmp->Canvas()->CopyRect(Rect(3, 2, 30, 20), bmp->Canvas(), Rect(0, 0, 27, 18));
  for (int y = 2; y < 20; ++y)
    for (int x = 3; x < 30; ++x)
      ASSERT_EQ(bmp->Canvas()->Pixels(x, y), snapshot->Canvas()->Pixels(x - 3, y - 2));
}

TEST(GfxStretch, SourceInvertTwiceRestores) {
  auto src = NoiseBitmap(17, 9, pf24bit, 4);
  auto dst = NoiseBitmap(40, 30, pf15bit, 5);
  auto before = NoiseBitmap(40, 30, pf15bit, 5);
  dst->Canvas()->SetCopyMode(cmSrcInvert);
  dst->Canvas()->SetStretchBltMode(HALFTONE);
  for (int i = 0; i < 2; ++i)
    dst->Canvas()->StretchDraw(Rect(-3, 4, 33, 27), src.get());
  EXPECT_TRUE(gfxtest::SamePixels(*dst, *before));
}

// StretchCoverage is the rectangle of pixels whose centre maps inside the
// source along both axes, within the clip and the destination.
void ExpectCoverageOfPlainDefinition(const TPixelImage& dst, const TPixelImage& src,
                                     const TStretchRequest& r) {
  int64_t x0 = INT64_MAX, x1 = INT64_MIN, y0 = INT64_MAX, y1 = INT64_MIN;
  for (int x = std::max(0, r.Clip.Left); x < std::min(dst.Width, r.Clip.Right); ++x)
    if (gfxtest::SampleAxis(x, r.Dest.Left, r.Dest.Right, r.Source.Left, r.Source.Right, src.Width)
            .Inside) {
      x0 = std::min<int64_t>(x0, x);
      x1 = std::max<int64_t>(x1, x + 1);
    }
  for (int y = std::max(0, r.Clip.Top); y < std::min(dst.Height, r.Clip.Bottom); ++y)
    if (gfxtest::SampleAxis(y, r.Dest.Top, r.Dest.Bottom, r.Source.Top, r.Source.Bottom, src.Height)
            .Inside) {
      y0 = std::min<int64_t>(y0, y);
      y1 = std::max<int64_t>(y1, y + 1);
    }
  const TRect got = StretchCoverage(dst, src, r);
  if (x0 > x1 || y0 > y1) {
    EXPECT_TRUE(got.Right <= got.Left || got.Bottom <= got.Top);
    return;
  }
  EXPECT_EQ(got, Rect(int(x0), int(y0), int(x1), int(y1)));
}

TEST(GfxStretch, TablesAgreeWithThePlainDefinition) {
  const TPixelFormat formats[] = {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit};
  const TCopyMode rops[] = {cmSrcCopy,    cmSrcCopy,   cmSrcInvert, cmSrcAnd,
                            cmNotSrcCopy, cmPatInvert, cmMergePaint};
  std::mt19937 rng(2024);
  auto pick = [&](int lo, int hi) { return lo + int(rng() % uint32_t(hi - lo + 1)); };
  for (int n = 0; n < 1500; ++n) {
    TPixelFormat sf = formats[rng() % 7], df = formats[rng() % 7];
    int sw = pick(1, 40), sh = pick(1, 30), dw = pick(1, 50), dh = pick(1, 40);
    auto src = NoiseBitmap(sw, sh, sf, rng());
    auto dst = NoiseBitmap(dw, dh, df, rng());
    TStretchRequest r;
    r.Dest = Rect(pick(-20, dw + 5), pick(-20, dh + 5), pick(-20, dw + 20), pick(-20, dh + 20));
    r.Source = Rect(pick(-10, sw), pick(-10, sh), pick(-5, sw + 10), pick(-5, sh + 10));
    if (n % 5 == 0) r.Source = Rect(0, 0, sw, sh); // the common whole-image case
    if (n % 4 == 1) // unscaled, as the map control copies its pictures
      r.Dest = Bounds(pick(-5, 5), pick(-5, 5), r.Source.Right - r.Source.Left,
                      r.Source.Bottom - r.Source.Top);
    if (n % 3 == 1) // stored bits the format does not use (bit 15 of 15-bit words) are ignored
      for (int y = 0; y < sh; ++y)
        for (int64_t i = 0; i < src->PixelImage().Stride(); ++i)
          src->ScanLine(y)[i] = static_cast<uint8_t>(rng());
    r.Clip =
        n % 3 == 0 ? Rect(pick(0, dw), pick(0, dh), pick(0, dw), pick(0, dh)) : Rect(0, 0, dw, dh);
    r.Mode = n % 2 ? HALFTONE : COLORONCOLOR;
    r.Rop = rops[rng() % 7];
    r.Pattern = rng() & 0xFFFFFF;
    TPixelImage want = dst->PixelImage();
    gfxtest::ReferenceStretch(want, src->PixelImage(), r);
    TPixelImage got = dst->PixelImage();
    StretchBlt(got, src->PixelImage(), r);
    ASSERT_EQ(got.Bits, want.Bits)
        << "case " << n << " formats " << int(sf) << "->" << int(df) << " mode " << int(r.Mode);
    ExpectCoverageOfPlainDefinition(got, src->PixelImage(), r);
  }
}

// Smoothed enlargements (the map control zoomed in) go through vector
// shuffles four pixels at a time: rows wide enough for many steps, at
// magnifications from 1 to 4, mirrored, offset, clipped and reaching past
// the source's edges.
TEST(GfxStretch, SmoothEnlargementsAgreeWithThePlainDefinition) {
  std::mt19937 rng(77);
  auto pick = [&](int lo, int hi) { return lo + int(rng() % uint32_t(hi - lo + 1)); };
  const TPixelFormat sources[] = {pf24bit, pf32bit, pf15bit, pf8bit};
  const TPixelFormat targets[] = {pf15bit, pf24bit, pf32bit};
  for (int n = 0; n < 300; ++n) {
    const int sw = pick(1, 90), sh = pick(1, 12);
    auto src = NoiseBitmap(sw, sh, sources[rng() % 4], rng());
    const int dw = pick(1, 200), dh = pick(1, 30);
    auto dst = NoiseBitmap(dw, dh, targets[rng() % 3], rng());
    const int vw = pick(1, sw), vh = pick(1, sh), vx = pick(-3, sw - 1), vy = pick(-2, sh - 1);
    const double mx = 1 + (rng() % 3000) / 1000.0, my = 1 + (rng() % 3000) / 1000.0;
    TStretchRequest r;
    r.Source = Rect(vx, vy, vx + vw, vy + vh);
    const int ox = pick(-10, 10), oy = pick(-5, 5);
    r.Dest = Rect(ox, oy, ox + int(vw * mx), oy + int(vh * my));
    if (n % 7 == 3) std::swap(r.Dest.Left, r.Dest.Right);
    if (n % 11 == 5) std::swap(r.Source.Top, r.Source.Bottom);
    r.Clip =
        n % 4 == 0 ? Rect(pick(0, dw), pick(0, dh), pick(0, dw), pick(0, dh)) : Rect(0, 0, dw, dh);
    r.Mode = HALFTONE;
    TPixelImage want = dst->PixelImage();
    gfxtest::ReferenceStretch(want, src->PixelImage(), r);
    TPixelImage got = dst->PixelImage();
    StretchBlt(got, src->PixelImage(), r);
    ASSERT_EQ(got.Bits, want.Bits) << "case " << n;
  }
}

TEST(GfxStretch, ThirtyTwoBitFastPathsAgreeWithThePlainDefinition) {
  // The benchmark's cases on a smaller picture: a region doubled by nearest
  // pixels, the whole picture halved and shrunk by odd ratios with halftone.
  auto src = NoiseBitmap(203, 151, pf32bit, 9);
  struct TCase {
    int dw, dh;
    TRect source;
    TStretchBltMode mode;
  };
  for (const TCase& c : {TCase{192, 108, Rect(10, 10, 106, 64), COLORONCOLOR},
                         TCase{101, 75, Rect(0, 0, 203, 151), HALFTONE},
                         TCase{67, 50, Rect(0, 0, 203, 151), HALFTONE},
                         TCase{300, 200, Rect(0, 0, 203, 151), HALFTONE}}) {
    auto dst = NoiseBitmap(c.dw, c.dh, pf32bit, 3);
    TStretchRequest r;
    r.Dest = Rect(0, 0, c.dw, c.dh);
    r.Source = c.source;
    r.Clip = r.Dest;
    r.Mode = c.mode;
    TPixelImage want = dst->PixelImage();
    gfxtest::ReferenceStretch(want, src->PixelImage(), r);
    TPixelImage got = dst->PixelImage();
    StretchBlt(got, src->PixelImage(), r);
    EXPECT_EQ(got.Bits, want.Bits) << c.dw << " x " << c.dh << " mode " << int(c.mode);
  }
}

TEST(GfxStretch, LargeRatiosAndFarRectanglesStayBounded) {
  auto src = NoiseBitmap(300, 2, pf24bit, 6);
  auto dst = MakeBitmap(3, 3, clWhite);
  dst->Canvas()->SetStretchBltMode(HALFTONE);
  dst->Canvas()->StretchDraw(Rect(0, 0, 1, 1), src.get());
  TPixelImage want = MakeBitmap(3, 3, clWhite)->PixelImage();
  TStretchRequest r{Rect(0, 0, 1, 1), Rect(0, 0, 300, 2), Rect(0, 0, 3, 3), HALFTONE};
  gfxtest::ReferenceStretch(want, src->PixelImage(), r);
  EXPECT_EQ(dst->PixelImage().Bits, want.Bits);
  // A destination a billion pixels wide shows a sliver of the source.
  dst->Canvas()->StretchDraw(Rect(-1000000000, -1000000000, 1000000000, 1000000000), src.get());
  dst->Canvas()->CopyRect(Rect(0, 0, 3, 3), src->Canvas(),
                          Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX));
  EXPECT_NE(dst->Canvas()->Pixels(1, 1), CLR_INVALID);
}

// Copies at scale 1 between formats take a plain row conversion; each
// destination pixel must still be its source pixel.
TEST(GfxStretch, UnscaledCopiesBetweenFormatsKeepEveryPixel) {
  std::mt19937 rng(21);
  for (TPixelFormat sf : {pf15bit, pf24bit, pf32bit, pf8bit})
    for (TPixelFormat df : {pf15bit, pf24bit, pf32bit}) {
      auto src = gfxtest::NoiseBitmap(37, 23, sf, rng());
      auto dst = gfxtest::MakeBitmap(41, 29, 0x123456, df);
      const int sx = int(rng() % 10), sy = int(rng() % 8), dx = int(rng() % 12) - 4;
      dst->Canvas()->CopyRect(Rect(dx, 3, dx + 25, 18), src->Canvas(),
                              Rect(sx, sy, sx + 25, sy + 15));
      for (int y = 3; y < 18; ++y)
        for (int x = std::max(dx, 0); x < dx + 25; ++x) {
          const TColor want = DecodeValue(
              dst->PixelImage(),
              EncodeColor(dst->PixelImage(), src->Canvas()->Pixels(sx + x - dx, sy + y - 3)));
          ASSERT_EQ(dst->Canvas()->Pixels(x, y), want) << int(sf) << "->" << int(df);
        }
    }
}
