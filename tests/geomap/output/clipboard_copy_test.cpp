// The picture a host puts on the clipboard: the last rendering without the
// control's frame, a black outline, the outer ring untouched.
#include "kartavo/framework/bitmap.h"
#include "kartavo/framework/canvas.h"
#include "kartavo/framework/screen.h"
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/geomap/output/picture_copy.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace kartavo;

// Every pixel a different colour, so a shifted or mirrored copy shows.
std::unique_ptr<fw::TBitmap> Pattern(int w, int h) {
  auto bmp = std::make_unique<fw::TBitmap>();
  bmp->SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      bmp->Canvas()->SetPixels(x, y,
                               static_cast<fw::TColor>((x * 7) << 16 | (y * 5) << 8 | (x + y)));
  return bmp;
}

std::unique_ptr<fw::TBitmap> FromClipboard() {
  auto got = std::make_unique<fw::TBitmap>();
  got->Assign(&fw::Clipboard());
  return got;
}

bool OnRing(int x, int y, int w, int h, int d) {
  const bool inside = x >= d && y >= d && x <= w - 1 - d && y <= h - 1 - d;
  return inside && (x == d || y == d || x == w - 1 - d || y == h - 1 - d);
}

// Compares a copy with the picture it was made of, pixel by pixel.
void ExpectFramelessCopyOf(const fw::TBitmap& copy, const fw::TBitmap& picture) {
  const int w = copy.Width(), h = copy.Height();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const fw::TColor got = copy.Canvas()->Pixels(x, y);
      if (OnRing(x, y, w, h, 0))
        ASSERT_EQ(got, fw::clWhite) << x << "," << y;
      else if (OnRing(x, y, w, h, 1))
        ASSERT_EQ(got, fw::clBlack) << x << "," << y;
      else
        ASSERT_EQ(got, picture.Canvas()->Pixels(x, y)) << x << "," << y;
    }
}

TEST(ClipboardCopy, HoldsTheLastRenderingWithoutFrame) {
  TGeoMap map(nullptr);
  map.SetBounds(0, 0, 320, 240);
  const auto picture = Pattern(400, 300);
  map.SetMapBitMap(picture.get());
  map.Paint();
  const int paints = map.PaintCount();
  map.CopyToClipboard();
  EXPECT_EQ(map.PaintCount(), paints); // no new rendering
  ASSERT_TRUE(fw::Clipboard().HasFormat(fw::CF_BITMAP));
  const auto got = FromClipboard();
  ASSERT_EQ(got->Width(), 320);
  ASSERT_EQ(got->Height(), 240);
  ExpectFramelessCopyOf(*got, map.MapImage().Aux());
  // The frame drawn by the rendering is on the control, not in the copy.
  EXPECT_NE(map.MapImage().Aux().Canvas()->Pixels(0, 0), fw::clWhite);
}

TEST(ClipboardCopy, ClipboardKeepsItsOwnCopy) {
  TGeoMap map(nullptr);
  map.SetBounds(0, 0, 50, 40);
  map.Paint();
  map.CopyToClipboard();
  const auto first = FromClipboard();
  auto pattern = Pattern(60, 60);
  map.SetMapBitMap(pattern.get()); // repaints the control
  EXPECT_EQ(FromClipboard()->PixelImage(), first->PixelImage());
}

TEST(ClipboardCopy, TinyPicturesAreNotMirrored) {
  const auto picture = Pattern(10, 10);
  for (int size = 1; size <= 5; ++size) {
    const auto copy = FramelessPicture(*picture, size, size);
    ASSERT_EQ(copy->Width(), size);
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) {
        const fw::TColor c = copy->Canvas()->Pixels(x, y);
        EXPECT_TRUE(c == fw::clWhite || c == fw::clBlack || (x == 2 && y == 2))
            << size << ": " << x << "," << y;
      }
  }
}

} // namespace
