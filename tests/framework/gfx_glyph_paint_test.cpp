// Glyphs put on a surface the fast way equal the per-pixel decode, blend and
// encode: random coverage (empty, partial and full pixels), colours, places
// across the clip's edges and clips inside the image, on raw noise, in every
// format; glyphs as narrow as a letter and as wide as a line of text.
#include "gfx_test_support.h"

#include "kartavo/framework/detail/coverage_blend.h"
#include "kartavo/framework/detail/glyph_paint.h"

#include <gtest/gtest.h>

#include <random>

namespace fw {
namespace {

using gfxtest::RawNoise;

TGlyphImage RandomGlyph(std::mt19937& rng) {
  TGlyphImage g;
  g.Width = static_cast<int>(rng() % (rng() % 4 ? 14 : 150));
  g.Height = static_cast<int>(rng() % 14);
  g.Coverage.resize(static_cast<size_t>(g.Width * g.Height));
  for (uint8_t& c : g.Coverage) {
    const uint32_t kind = rng() % 4;
    c = kind == 0 ? 0 : kind == 1 ? 255 : static_cast<uint8_t>(rng());
  }
  if (rng() % 4) IndexCoverage(g); // the font engine's glyphs come indexed
  return g;
}

TEST(GlyphPaint, FastWaysEqualTheDecodeBlendEncode) {
  std::mt19937 rng(77);
  constexpr TPixelFormat kFormats[] = {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit};
  for (int n = 0; n < 6000; ++n) {
    const TPixelFormat format = kFormats[rng() % 7];
    TPixelImage fast = RawNoise(200, 30, format, rng);
    TPixelImage plain = fast;
    const TGlyphImage g = RandomGlyph(rng);
    const int left = static_cast<int>(rng() % 10), top = static_cast<int>(rng() % 10);
    const TRect clip =
        n % 2 ? Rect(0, 0, 200, 30)
              : Rect(left, top, left + 1 + int(rng() % 190), top + 1 + int(rng() % 20));
    const int64_t x = int64_t(rng() % 260) - 60, y = int64_t(rng() % 50) - 15;
    // A few colours again and again, as text comes, and new ones now and then.
    const TColor color = rng() % 3 ? TColor(0x10203 * (rng() % 6)) : TColor(rng() & 0xFFFFFF);
    PaintGlyph(fast, clip, g, x, y, color);
    PaintGlyphPlain(plain, clip, g, x, y, color);
    ASSERT_EQ(fast.Bits, plain.Bits) << "format " << int(format) << " glyph " << g.Width << "x"
                                     << g.Height << " at " << x << "," << y;
  }
}

// Each way of blending a row, at every length up to a few registers and at
// every offset, equals the byte-by-byte blend; bytes past the row stay.
TEST(GlyphPaint, RowBlendsOfEveryWidthEqualTheByteBlend) {
  using TBlend = void (*)(uint8_t*, const uint8_t*, const uint8_t*, size_t);
  std::vector<TBlend> ways = {BlendCoverageBytes};
#if defined(__x86_64__) || defined(__i386__)
  ways.push_back(BlendCoverageBytesSse2);
  if (HaveAvx2()) ways.push_back(BlendCoverageBytesAvx2);
#endif
  ways.push_back(BlendCoverageBytesPortable);
  std::mt19937 rng(3);
  for (int n = 0; n < 20000; ++n) {
    const size_t length = rng() % 100, offset = rng() % 7;
    std::vector<uint8_t> under(length + 16), coverage(length + 16), over(length + 16);
    for (size_t i = 0; i < under.size(); ++i) {
      under[i] = static_cast<uint8_t>(rng());
      over[i] = static_cast<uint8_t>(rng() % 3 ? rng() : rng() % 2 * 255);
      const uint32_t kind = rng() % 4;
      coverage[i] = kind == 0 ? 0 : kind == 1 ? 255 : static_cast<uint8_t>(rng());
    }
    // The channel blend of a glyph's pixel.
    std::vector<uint8_t> expected = under;
    for (size_t i = 0; i < length; ++i) {
      const int u = under[offset + i], o = over[i], a = coverage[i];
      expected[offset + i] = static_cast<uint8_t>(a == 255 ? o : u + ((o - u) * a + 127) / 255);
    }
    for (TBlend blend : ways) {
      std::vector<uint8_t> row = under;
      blend(row.data() + offset, coverage.data(), over.data(), length);
      ASSERT_EQ(row, expected) << "length " << length << " offset " << offset;
    }
  }
}

} // namespace
} // namespace fw
