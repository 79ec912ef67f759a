#include "kartavo/framework/detail/glyph_paint.h"

#include "kartavo/framework/detail/coverage_blend.h"
#include "kartavo/framework/detail/pixel_value.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace fw {
namespace {

// One channel of the blend: under moved towards over by coverage / 255.
inline int Mix(int under, int over, int coverage) {
  return under + ((over - under) * coverage + 127) / 255;
}

TColor Blend(TColor under, TColor over, int coverage) {
  return RGB(static_cast<uint8_t>(Mix(GetRValue(under), GetRValue(over), coverage)),
             static_cast<uint8_t>(Mix(GetGValue(under), GetGValue(over), coverage)),
             static_cast<uint8_t>(Mix(GetBValue(under), GetBValue(over), coverage)));
}

// The columns of the glyph that fall inside the clip.
struct TGlyphColumns {
  int64_t First, End;
};
TGlyphColumns Columns(const TRect& clip, const TGlyphImage& g, int64_t x0) {
  return {std::max<int64_t>(0, clip.Left - x0),
          std::min<int64_t>(g.Width, int64_t{clip.Right} - x0)};
}

// Calls paint(pixel, coverage) for every covered pixel inside the clip;
// pixel points at the pixel's first byte.
template <int Bytes, class Paint>
void ForCovered(TPixelImage& img, const TRect& clip, const TGlyphImage& g, int64_t x0, int64_t y0,
                Paint paint) {
  const TGlyphColumns cols = Columns(clip, g, x0);
  for (int gy = 0; gy < g.Height; ++gy) {
    const int64_t y = y0 + gy;
    if (y < clip.Top || y >= clip.Bottom) continue;
    const uint8_t* cov = g.Coverage.data() + static_cast<size_t>(gy) * g.Width;
    uint8_t* row = img.Row(static_cast<int>(y));
    for (int64_t gx = cols.First; gx < cols.End; ++gx)
      if (const int a = cov[gx]; a != 0) paint(row + (x0 + gx) * Bytes, a);
  }
}

// The same for a glyph wholly inside the clip whose covered pixels are
// listed: full pixels first, then the partial ones (each pixel is painted
// once, so the order does not matter), without visiting the empty ones.
template <int Bytes, class Full, class Partial>
bool ForListedCovered(TPixelImage& img, const TRect& clip, const TGlyphImage& g, int64_t x0,
                      int64_t y0, Full full, Partial partial) {
  if (!g.Indexed || x0 < clip.Left || y0 < clip.Top || x0 + g.Width > clip.Right ||
      y0 + g.Height > clip.Bottom)
    return false;
  const int64_t stride = img.Stride();
  uint8_t* origin = img.Bits.data() + y0 * stride + x0 * Bytes;
  for (const TGlyphPixel& p : g.Full)
    full(origin + p.Y * stride + p.X * Bytes);
  for (const TGlyphPixel& p : g.Partial)
    partial(origin + p.Y * stride + p.X * Bytes, p.Coverage);
  return true;
}

// The glyph's coverage for each byte of its pixels on a 24 or 32-bit
// surface: the fourth byte of a 32-bit pixel takes the colour's wherever the
// glyph covers the pixel. Made once per bitmap and pixel size.
template <int Bytes> const uint8_t* SpreadCoverage(const TGlyphImage& g) {
  if (g.SpreadBytes != Bytes) {
    g.Spread.resize(g.Coverage.size() * Bytes);
    for (size_t i = 0; i < g.Coverage.size(); ++i) {
      std::memset(&g.Spread[i * Bytes], g.Coverage[i], 3);
      if (Bytes == 4) g.Spread[i * Bytes + 3] = g.Coverage[i] ? 255 : 0;
    }
    g.SpreadBytes = Bytes;
  }
  return g.Spread.data();
}

// A glyph's coverage rows on a 24 or 32-bit surface, blended many bytes at
// a time.
template <int Bytes>
void BlendRows(TPixelImage& img, const TRect& clip, const TGlyphImage& g, int64_t x0, int64_t y0,
               const uint8_t (&over)[4]) {
  const TGlyphColumns cols = Columns(clip, g, x0);
  if (cols.First >= cols.End) return;
  const size_t bytes = static_cast<size_t>(cols.End - cols.First) * Bytes;
  // The colour for every byte of the widest row.
  thread_local std::vector<uint8_t> pattern;
  if (pattern.size() < bytes) pattern.resize(bytes);
  for (size_t i = 0; i < bytes; i += Bytes)
    std::memcpy(&pattern[i], over, Bytes);
  const uint8_t* spread = SpreadCoverage<Bytes>(g);
  const int64_t rowFirst = std::max<int64_t>(0, clip.Top - y0);
  const int64_t rowEnd = std::min<int64_t>(g.Height, int64_t{clip.Bottom} - y0);
  for (int64_t gy = rowFirst; gy < rowEnd; ++gy)
    BlendCoverageBytes(img.Row(static_cast<int>(y0 + gy)) + (x0 + cols.First) * Bytes,
                       spread + (gy * g.Width + cols.First) * Bytes, pattern.data(), bytes);
}

// 24 and 32-bit surfaces, on the bytes blue, green, red (and the unused
// fourth byte as encoding writes it): a font's glyph through its lists of
// covered pixels, other coverage (a line of text) row by row.
template <int Bytes>
void PaintGlyphBytes(TPixelImage& img, const TRect& clip, const TGlyphImage& g, int64_t x0,
                     int64_t y0, TColor color) {
  const uint32_t solid = EncodeColor(img, color);
  const uint8_t over[4] = {GetBValue(color), GetGValue(color), GetRValue(color),
                           static_cast<uint8_t>(solid >> 24)};
  auto full = [&](uint8_t* p) { std::memcpy(p, over, Bytes); };
  auto partial = [&](uint8_t* p, int a) {
    for (int i = 0; i < 3; ++i)
      p[i] = static_cast<uint8_t>(Mix(p[i], over[i], a));
    if (Bytes == 4) p[3] = over[3];
  };
  if (!ForListedCovered<Bytes>(img, clip, g, x0, y0, full, partial))
    BlendRows<Bytes>(img, clip, g, x0, y0, over);
}

// A 5-bit channel blended towards the 8-bit channel value over: the level
// under it in 8 bits, moved by the coverage and rounded back to 5 bits, for
// every coverage and level.
using TChannelBlend5 = std::array<std::array<uint8_t, 32>, 256>; // [coverage][level under]

void MakeChannelBlend(TChannelBlend5& t, int over) {
  for (int a = 0; a < 256; ++a)
    for (int u = 0; u < 32; ++u)
      t[a][u] = To5Bits(static_cast<uint8_t>(Mix(From5Bits(static_cast<uint8_t>(u)), over, a)));
}

struct TColorBlend15 {
  TColor Color = 0xFFFFFFFF; // none yet
  TChannelBlend5 Red, Green, Blue;
};

// The blends of the colours met last (text is mostly one or two colours);
// one set per thread, as each thread draws on its own surfaces.
const TColorBlend15& BlendFor(TColor color) {
  thread_local std::array<TColorBlend15, 3> blends;
  thread_local size_t next = 0;
  for (const TColorBlend15& b : blends)
    if (b.Color == color) return b;
  TColorBlend15& b = blends[next];
  next = (next + 1) % blends.size();
  b.Color = color;
  MakeChannelBlend(b.Red, GetRValue(color));
  MakeChannelBlend(b.Green, GetGValue(color));
  MakeChannelBlend(b.Blue, GetBValue(color));
  return b;
}

// The map control's 15-bit off-screen picture: each channel of the word
// under the glyph through the blend tables of the colour.
void PaintGlyph15(TPixelImage& img, const TRect& clip, const TGlyphImage& g, int64_t x0, int64_t y0,
                  TColor color) {
  const uint16_t solid = Word15(color);
  const TColorBlend15& blend = BlendFor(color & 0xFFFFFF);
  auto full = [&](uint8_t* p) { std::memcpy(p, &solid, 2); };
  auto partial = [&](uint8_t* p, int a) {
    uint16_t under;
    std::memcpy(&under, p, 2);
    const auto w =
        static_cast<uint16_t>(blend.Red[a][(under >> 10) & 31] << 10 |
                              blend.Green[a][(under >> 5) & 31] << 5 | blend.Blue[a][under & 31]);
    std::memcpy(p, &w, 2);
  };
  if (ForListedCovered<2>(img, clip, g, x0, y0, full, partial)) return;
  ForCovered<2>(img, clip, g, x0, y0, [&](uint8_t* p, int a) {
    if (a == 255)
      full(p);
    else
      partial(p, a);
  });
}

} // namespace

void IndexCoverage(TGlyphImage& g) {
  g.Full.clear();
  g.Partial.clear();
  g.Indexed = g.Width <= UINT16_MAX && g.Height <= UINT16_MAX;
  if (!g.Indexed) return;
  for (int y = 0; y < g.Height; ++y)
    for (int x = 0; x < g.Width; ++x) {
      const uint8_t a = g.Coverage[static_cast<size_t>(y) * g.Width + x];
      const TGlyphPixel p{static_cast<uint16_t>(x), static_cast<uint16_t>(y), a};
      if (a == 255)
        g.Full.push_back(p);
      else if (a != 0)
        g.Partial.push_back(p);
    }
}

void PaintGlyphPlain(TPixelImage& img, const TRect& clip, const TGlyphImage& g, int64_t x0,
                     int64_t y0, TColor color) {
  const uint32_t solid = EncodeColor(img, color);
  const bool palette = IsPaletteFormat(img.Format);
  for (int gy = 0; gy < g.Height; ++gy) {
    int64_t y = y0 + gy;
    if (y < clip.Top || y >= clip.Bottom) continue;
    for (int gx = 0; gx < g.Width; ++gx) {
      int64_t x = x0 + gx;
      if (x < clip.Left || x >= clip.Right) continue;
      int a = g.Coverage[static_cast<size_t>(gy) * g.Width + gx];
      if (a == 0 || (palette && a < 128)) continue;
      int xi = static_cast<int>(x), yi = static_cast<int>(y);
      if (a == 255 || palette) {
        WriteValue(img, xi, yi, solid);
      } else {
        TColor under = DecodeValue(img, ReadValue(img, xi, yi));
        WriteValue(img, xi, yi, EncodeColor(img, Blend(under, color, a)));
      }
    }
  }
}

void PaintGlyph(TPixelImage& img, const TRect& clip, const TGlyphImage& g, int64_t x0, int64_t y0,
                TColor color) {
  switch (img.Format) {
  case pf15bit:
    return PaintGlyph15(img, clip, g, x0, y0, color);
  case pf24bit:
    return PaintGlyphBytes<3>(img, clip, g, x0, y0, color);
  case pf32bit:
    return PaintGlyphBytes<4>(img, clip, g, x0, y0, color);
  default:
    return PaintGlyphPlain(img, clip, g, x0, y0, color);
  }
}

} // namespace fw
