// The plain stretch: every destination pixel computed on its own from the
// definition, the test oracle of the table-driven StretchBlt.
#pragma once

#include "kartavo/framework/detail/pixel_value.h"
#include "kartavo/framework/detail/raster_target.h"
#include "kartavo/framework/stretch_blit.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace gfxtest {

struct AxisSample {
  bool Inside = false;
  int64_t Nearest = 0;
  std::vector<std::pair<int64_t, int>> Taps; // source pixel, weight of 256
};

// Destination coordinate d of the rectangle [dA, dB) showing [sA, sB) of an
// axis of n source pixels: the source interval it covers, in units of 1/dw.
inline AxisSample SampleAxis(int64_t d, int64_t dA, int64_t dB, int64_t sA, int64_t sB, int64_t n) {
  AxisSample out;
  int64_t dl = std::min(dA, dB), dw = std::abs(dB - dA), sl = std::min(sA, sB),
          sw = std::abs(sB - sA);
  if (dw == 0 || sw == 0 || d < dl || d >= dl + dw) return out;
  int64_t i = d - dl;
  if ((dB < dA) != (sB < sA)) i = dw - 1 - i;
  __int128 lo = __int128{sl} * dw + __int128{i} * sw, hi = lo + sw;
  if (lo + hi < 0 || lo + hi >= 2 * __int128{n} * dw) return out;
  out.Inside = true;
  out.Nearest = static_cast<int64_t>((lo + hi) / (2 * dw));
  __int128 a = std::max<__int128>(lo, 0), b = std::min<__int128>(hi, __int128{n} * dw);
  auto cumulative = [&](__int128 t) {
    return static_cast<int>((512 * (t - a) + (b - a)) / (2 * (b - a)));
  };
  for (int64_t s = static_cast<int64_t>(a / dw); __int128{s} * dw < b; ++s) {
    __int128 from = std::max<__int128>(__int128{s} * dw, a),
             to = std::min<__int128>(__int128{s + 1} * dw, b);
    out.Taps.push_back({s, cumulative(to) - cumulative(from)});
  }
  return out;
}

inline void ReferenceStretch(fw::TPixelImage& dst, const fw::TPixelImage& src,
                             const fw::TStretchRequest& r) {
  using namespace fw;
  const fw::TPixelImage source = src; // the source as it was, also when dst is src
  const uint32_t mask = ValueMask(dst.Format);
  for (int y = std::max(0, r.Clip.Top); y < std::min(dst.Height, r.Clip.Bottom); ++y) {
    AxisSample sy =
        SampleAxis(y, r.Dest.Top, r.Dest.Bottom, r.Source.Top, r.Source.Bottom, source.Height);
    if (!sy.Inside) continue;
    for (int x = std::max(0, r.Clip.Left); x < std::min(dst.Width, r.Clip.Right); ++x) {
      AxisSample sx =
          SampleAxis(x, r.Dest.Left, r.Dest.Right, r.Source.Left, r.Source.Right, source.Width);
      if (!sx.Inside) continue;
      TColor c;
      if (r.Mode == HALFTONE) {
        uint32_t sum[3] = {32768, 32768, 32768};
        for (auto [py, wy] : sy.Taps)
          for (auto [px, wx] : sx.Taps) {
            TColor p = DecodeValue(source, ReadValue(source, int(px), int(py)));
            sum[0] += wx * wy * GetRValue(p);
            sum[1] += wx * wy * GetGValue(p);
            sum[2] += wx * wy * GetBValue(p);
          }
        c = RGB(uint8_t(sum[0] >> 16), uint8_t(sum[1] >> 16), uint8_t(sum[2] >> 16));
      } else {
        c = DecodeValue(source, ReadValue(source, int(sx.Nearest), int(sy.Nearest)));
      }
      uint32_t v = EncodeColor(dst, c);
      if (r.Rop != cmSrcCopy)
        v = ApplyRop3(uint8_t(r.Rop >> 16), EncodeColor(dst, r.Pattern), v, ReadValue(dst, x, y),
                      mask);
      WriteValue(dst, x, y, v);
    }
  }
}

} // namespace gfxtest
