#include "gfx_test_support.h"

#include "kartavo/framework/errors.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace fw;
using gfxtest::MakeBitmap;

TEST(GfxBitmapFormats, FifteenBitRoundsEachChannelToNearest) {
  auto bmp = MakeBitmap(256, 1, clBlack, pf15bit);
  for (int v = 0; v < 256; ++v)
    bmp->Canvas()->SetPixels(v, 0, RGB(v, 255 - v, v / 2));
  for (int v = 0; v < 256; ++v) {
    TColor got = bmp->Canvas()->Pixels(v, 0);
    for (auto [want, have] :
         {std::pair{v, int(GetRValue(got))}, std::pair{255 - v, int(GetGValue(got))},
          std::pair{v / 2, int(GetBValue(got))}}) {
      // The nearest of 32 steps, expanded back to 8 bits.
      long step = std::lround(want * 31.0 / 255.0);
      EXPECT_EQ(have, std::lround(step * 255.0 / 31.0)) << "channel value " << want;
      EXPECT_LE(std::abs(have - want), 4);
    }
  }
  // What was read back survives another round trip.
  for (int c5 = 0; c5 < 32; ++c5)
    EXPECT_EQ(To5Bits(From5Bits(c5)), c5);
  for (int c6 = 0; c6 < 64; ++c6)
    EXPECT_EQ(To6Bits(From6Bits(c6)), c6);
}

TEST(GfxBitmapFormats, ConversionsKeepOrRoundColours) {
  auto src = gfxtest::NoiseBitmap(37, 9, pf24bit, 21);
  for (TPixelFormat f : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf32bit}) {
    TBitmap b;
    b.Assign(src.get());
    b.SetPixelFormat(f);
    ASSERT_EQ(b.PixelFormat(), f);
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 37; ++x) {
        TColor want = src->Canvas()->Pixels(x, y);
        TBitmap probe; // the same colour drawn straight into that format
        probe.SetPixelFormat(f);
        probe.SetSize(1, 1);
        probe.Canvas()->SetPixels(0, 0, want);
        ASSERT_EQ(b.Canvas()->Pixels(x, y), probe.Canvas()->Pixels(0, 0)) << int(f);
      }
    b.SetPixelFormat(pf24bit);
    if (f == pf32bit) {
      EXPECT_TRUE(gfxtest::SamePixels(b, *src));
    }
  }
}

TEST(GfxBitmapFormats, FourBitDrawingUsesNearestPaletteColour) {
  auto bmp = MakeBitmap(8, 8, clWhite, pf4bit);
  EXPECT_EQ(bmp->PixelImage().Palette.size(), 16u);
  bmp->Canvas()->SetPixels(1, 1, RGB(250, 10, 10));
  EXPECT_EQ(bmp->Canvas()->Pixels(1, 1), clRed);
  bmp->Canvas()->Pen()->SetColor(RGB(0, 120, 130));
  bmp->Canvas()->MoveTo(0, 3);
  bmp->Canvas()->LineTo(8, 3);
  EXPECT_EQ(bmp->Canvas()->Pixels(5, 3), clTeal);
  // XOR with white swaps index i with 15 - i: red and teal, black and white.
  bmp->Canvas()->Pen()->SetMode(pmXor);
  bmp->Canvas()->Pen()->SetColor(clWhite);
  bmp->Canvas()->MoveTo(0, 1);
  bmp->Canvas()->LineTo(8, 1);
  EXPECT_EQ(bmp->Canvas()->Pixels(1, 1), clTeal);
  EXPECT_EQ(bmp->Canvas()->Pixels(2, 1), clBlack);
}

TEST(GfxBitmapFormats, SizeChangesKeepTheTopLeftAndAddWhite) {
  auto bmp = MakeBitmap(5, 4, clRed, pf15bit);
  bmp->SetSize(8, 2);
  EXPECT_EQ(bmp->Width(), 8);
  EXPECT_EQ(bmp->Height(), 2);
  EXPECT_EQ(bmp->Canvas()->Pixels(4, 1), clRed);
  EXPECT_EQ(bmp->Canvas()->Pixels(5, 1), clWhite);
  bmp->SetHeight(3);
  EXPECT_EQ(bmp->Canvas()->Pixels(0, 2), clWhite);
  auto four = MakeBitmap(3, 3, clNavy, pf4bit);
  four->SetWidth(6);
  EXPECT_EQ(four->Canvas()->Pixels(2, 2), clNavy);
  EXPECT_EQ(four->Canvas()->Pixels(3, 2), clWhite);
  EXPECT_THROW(bmp->SetSize(-1, 5), EInvalidGraphic);
  EXPECT_THROW(bmp->SetSize(100000, 100000), EInvalidGraphic);
  EXPECT_EQ(bmp->Width(), 8);
  bmp->SetSize(0, 0);
  EXPECT_TRUE(bmp->Empty());
  bmp->Canvas()->LineTo(3, 3);
}

TEST(GfxBitmapFormats, ZeroWidthBitmapGrowsFromNoStorage) {
  for (TPixelFormat f : {pf1bit, pf4bit, pf8bit, pf15bit, pf24bit, pf32bit}) {
    TBitmap b;
    b.SetPixelFormat(f);
    b.SetHeight(20); // rows of no bytes: the image has no storage at all
    b.SetWidth(30);
    EXPECT_EQ(b.Canvas()->Pixels(29, 19), clWhite) << int(f);
    b.SetSize(1, 3); // a row narrower than one byte in the one-bit format
    b.SetSize(9, 3);
    EXPECT_EQ(b.Canvas()->Pixels(8, 2), clWhite) << int(f);
  }
}

TEST(GfxBitmapFormats, AssignCopiesIndependently) {
  auto a = gfxtest::NoiseBitmap(6, 5, pf32bit, 4);
  TBitmap b;
  b.Assign(a.get());
  EXPECT_TRUE(gfxtest::SamePixels(b, *a));
  b.Canvas()->SetPixels(0, 0, a->Canvas()->Pixels(0, 0) ^ 0xFFFFFF);
  EXPECT_NE(b.Canvas()->Pixels(0, 0), a->Canvas()->Pixels(0, 0));
  TFont font;
  EXPECT_THROW(b.Assign(&font), EConvertError);
}

TEST(GfxBitmapFormats, PixelImagesLoadOnlyWhenConsistent) {
  TPixelImage img;
  img.Width = 4;
  img.Height = 4;
  img.Format = pf24bit;
  img.Bits.resize(10);
  TBitmap b;
  EXPECT_THROW(b.LoadFromPixelImage(img), EInvalidGraphic);
  img.Bits.assign(static_cast<size_t>(img.Stride() * 4), 0x80);
  b.LoadFromPixelImage(img);
  EXPECT_EQ(b.Canvas()->Pixels(3, 3), RGB(0x80, 0x80, 0x80));
}
