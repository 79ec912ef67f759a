// Spans filled a block at a time equal the pixels written one by one, in
// every format, for spans of every length, cut by the clip.
#include "kartavo/framework/detail/pixel_value.h"
#include "kartavo/framework/detail/raster_target.h"

#include <gtest/gtest.h>

#include <random>

namespace fw {
namespace {

TEST(SpanFill, BlocksEqualPixelByPixel) {
  std::mt19937 rng(5);
  constexpr TPixelFormat kFormats[] = {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit};
  for (int n = 0; n < 3000; ++n) {
    TPixelImage img;
    img.Width = 1 + static_cast<int>(rng() % 70);
    img.Height = 3;
    img.Format = kFormats[rng() % 7];
    img.Bits.resize(static_cast<size_t>(img.Stride() * img.Height));
    for (uint8_t& b : img.Bits)
      b = static_cast<uint8_t>(rng());
    TPixelImage want = img;
    const uint32_t value = rng() & ValueMask(img.Format);
    const int64_t x0 = int64_t(rng() % 90) - 10, x1 = x0 + int64_t(rng() % 80);
    TRasterTarget(img, Rect(0, 0, img.Width, img.Height), pmCopy, value).Span(1, x0, x1);
    for (int64_t x = std::max<int64_t>(x0, 0); x < std::min<int64_t>(x1, img.Width); ++x)
      WriteValue(want, static_cast<int>(x), 1, value);
    ASSERT_EQ(img.Bits, want.Bits) << "format " << int(img.Format) << " span " << x0 << ".." << x1;
  }
}

} // namespace
} // namespace fw
