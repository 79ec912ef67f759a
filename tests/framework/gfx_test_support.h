// Helpers of the graphics tests: bitmaps filled with a colour or noise and
// pixel-set comparisons.
#pragma once

#include "kartavo/framework/bitmap.h"
#include "kartavo/framework/detail/pixel_value.h"

#include <cstdint>
#include <memory>
#include <random>
#include <set>
#include <utility>

namespace gfxtest {

inline std::unique_ptr<fw::TBitmap> MakeBitmap(int w, int h, fw::TColor fill,
                                               fw::TPixelFormat format = fw::pf24bit) {
  auto bmp = std::make_unique<fw::TBitmap>();
  bmp->SetPixelFormat(format);
  bmp->SetSize(w, h);
  bmp->Canvas()->Brush()->SetColor(fill);
  bmp->Canvas()->FillRect(fw::Rect(0, 0, w, h));
  return bmp;
}

inline std::unique_ptr<fw::TBitmap> NoiseBitmap(int w, int h, fw::TPixelFormat format,
                                                uint32_t seed) {
  auto bmp = MakeBitmap(w, h, fw::clWhite, format);
  std::mt19937 rng(seed);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      bmp->Canvas()->SetPixels(x, y, rng() & 0xFFFFFF);
  return bmp;
}

// Pixel storage of random bytes (padding included), for comparing two ways
// of drawing on the same arbitrary pixels.
inline fw::TPixelImage RawNoise(int w, int h, fw::TPixelFormat format, std::mt19937& rng) {
  fw::TPixelImage img;
  img.Width = w;
  img.Height = h;
  img.Format = format;
  img.Bits.resize(static_cast<size_t>(img.Stride() * h));
  for (uint8_t& b : img.Bits)
    b = static_cast<uint8_t>(rng());
  return img;
}

using PixelSet = std::set<std::pair<int, int>>;

// The pixels whose colour differs from background.
inline PixelSet PixelsNot(const fw::TBitmap& bmp, fw::TColor background) {
  PixelSet s;
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x)
      if (bmp.Canvas()->Pixels(x, y) != background) s.insert({x, y});
  return s;
}

inline bool SamePixels(const fw::TBitmap& a, const fw::TBitmap& b) {
  return a.PixelImage().Bits == b.PixelImage().Bits && a.Width() == b.Width() &&
         a.Height() == b.Height();
}

} // namespace gfxtest
