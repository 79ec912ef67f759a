#include "kartavo/framework/stretch_blit.h"

#include "kartavo/framework/pixel_value.h"
#include "kartavo/framework/raster_target.h"
#include "kartavo/framework/stretch_axis.h"

#include <array>
#include <cstring>
#include <vector>

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC optimize("O3")
#endif

namespace fw {

namespace {

// Blue, green, red bytes of every 15-bit word.
const std::array<uint32_t, 32768>& Bgr15Table() {
  static const std::array<uint32_t, 32768> table = [] {
    std::array<uint32_t, 32768> t{};
    for (uint32_t w = 0; w < 32768; ++w)
      t[w] =
          From5Bits(w & 31) | (From5Bits((w >> 5) & 31) << 8) | (From5Bits((w >> 10) & 31) << 16);
    return t;
  }();
  return table;
}

// Source rows as blue, green, red byte triplets of the columns [lo, hi).
class TSourceRows {
public:
  TSourceRows(const TPixelImage& src, int lo, int hi)
      : FSrc(src), FLo(lo), FCount(hi - lo), FBuffer(3 * static_cast<size_t>(hi - lo)) {}

  const uint8_t* Get(int y) {
    const uint8_t* row = FSrc.Row(y);
    uint8_t* out = FBuffer.data();
    switch (FSrc.Format) {
    case pf24bit:
      return row + 3 * static_cast<size_t>(FLo);
    case pf32bit:
      for (int i = 0; i < FCount; ++i)
        std::memcpy(out + 3 * i, row + 4 * (FLo + i), 3);
      break;
    case pf15bit: {
      const auto& lut = Bgr15Table();
      for (int i = 0; i < FCount; ++i) {
        uint16_t w;
        std::memcpy(&w, row + 2 * (FLo + i), 2);
        uint32_t c = lut[w & 0x7FFF];
        out[3 * i] = static_cast<uint8_t>(c);
        out[3 * i + 1] = static_cast<uint8_t>(c >> 8);
        out[3 * i + 2] = static_cast<uint8_t>(c >> 16);
      }
      break;
    }
    default:
      for (int i = 0; i < FCount; ++i) {
        TColor c = DecodeValue(FSrc, ReadValue(FSrc, FLo + i, y));
        out[3 * i] = GetBValue(c);
        out[3 * i + 1] = GetGValue(c);
        out[3 * i + 2] = GetRValue(c);
      }
    }
    return out;
  }

private:
  const TPixelImage& FSrc;
  int FLo, FCount;
  std::vector<uint8_t> FBuffer;
};

int BytesPerValue(TPixelFormat f) {
  switch (f) {
  case pf15bit:
  case pf16bit:
    return 2;
  case pf24bit:
    return 3;
  case pf32bit:
    return 4;
  default:
    return 0;
  }
}

class TStretcher {
public:
  TStretcher(TPixelImage& dst, const TPixelImage& src, const TStretchRequest& r)
      : FDst(dst), FSrc(src), FReq(r), FHalftone(r.Mode == HALFTONE),
        FCols(BuildStretchAxis(r.Dest.Left, r.Dest.Right, r.Source.Left, r.Source.Right, src.Width,
                               r.Clip.Left, r.Clip.Right, FHalftone)),
        FRows(BuildStretchAxis(r.Dest.Top, r.Dest.Bottom, r.Source.Top, r.Source.Bottom, src.Height,
                               r.Clip.Top, r.Clip.Bottom, FHalftone)),
        FSource(src, FCols.SourceLo, FCols.SourceHi) {}

  void Run() {
    if (FCols.Count == 0 || FRows.Count == 0) return;
    if (!FHalftone && FReq.Rop == cmSrcCopy && FDst.Format == FSrc.Format &&
        BytesPerValue(FDst.Format) != 0)
      return RunNearestRaw();
    bool inPlace = FDst.Format == pf24bit && FReq.Rop == cmSrcCopy;
    std::vector<uint8_t> bgr(inPlace ? 0 : 3 * static_cast<size_t>(FCols.Count));
    for (int j = 0; j < FRows.Count; ++j) {
      int y = FRows.First + j;
      uint8_t* out = inPlace ? FDst.Row(y) + 3 * static_cast<size_t>(FCols.First) : bgr.data();
      if (FHalftone)
        ProduceAveraged(j, out);
      else
        ProduceNearest(FRows.Nearest[j], out);
      if (!inPlace) Emit(y, out);
    }
  }

private:
  // Same format, plain copy: move stored values, repeating a row that
  // shows the same source row as the one before.
  void RunNearestRaw() {
    const int bpp = BytesPerValue(FDst.Format);
    const uint32_t mask = ValueMask(FDst.Format);
    const int n = FCols.Count;
    std::vector<int> offsets(n);
    for (int i = 0; i < n; ++i)
      offsets[i] = FCols.Nearest[i] * bpp;
    for (int j = 0; j < FRows.Count; ++j) {
      uint8_t* out = FDst.Row(FRows.First + j) + static_cast<size_t>(FCols.First) * bpp;
      if (j > 0 && FRows.Nearest[j] == FRows.Nearest[j - 1]) {
        std::memcpy(out, FDst.Row(FRows.First + j - 1) + static_cast<size_t>(FCols.First) * bpp,
                    static_cast<size_t>(n) * bpp);
        continue;
      }
      const uint8_t* in = FSrc.Row(FRows.Nearest[j]);
      if (bpp == 3) {
        for (int i = 0; i < n; ++i)
          std::memcpy(out + 3 * i, in + offsets[i], 3);
      } else if (bpp == 2) {
        for (int i = 0; i < n; ++i) {
          uint16_t v;
          std::memcpy(&v, in + offsets[i], 2);
          v = static_cast<uint16_t>(v & mask);
          std::memcpy(out + 2 * i, &v, 2);
        }
      } else {
        for (int i = 0; i < n; ++i) {
          uint32_t v;
          std::memcpy(&v, in + offsets[i], 4);
          v &= mask;
          std::memcpy(out + 4 * i, &v, 4);
        }
      }
    }
  }

  void ProduceNearest(int sy, uint8_t* out) {
    const uint8_t* in = FSource.Get(sy);
    const int lo = FCols.SourceLo;
    for (int i = 0; i < FCols.Count; ++i)
      std::memcpy(out + 3 * i, in + 3 * (FCols.Nearest[i] - lo), 3);
  }

  void ProduceAveraged(int j, uint8_t* out) {
    const size_t width = 3 * static_cast<size_t>(FCols.SourceHi - FCols.SourceLo);
    FAcc.assign(width, 0);
    uint16_t* acc = FAcc.data();
    const uint16_t* w = FRows.Weights.data() + FRows.TapOffset[j];
    for (int t = 0; t < FRows.TapCount(j); ++t) {
      const uint16_t wt = w[t];
      if (wt == 0) continue;
      const uint8_t* in = FSource.Get(FRows.TapFirst[j] + t);
      for (size_t k = 0; k < width; ++k)
        acc[k] = static_cast<uint16_t>(acc[k] + wt * in[k]);
    }
    const int lo = FCols.SourceLo;
    for (int i = 0; i < FCols.Count; ++i) {
      const uint16_t* wx = FCols.Weights.data() + FCols.TapOffset[i];
      const uint16_t* a = acc + 3 * (FCols.TapFirst[i] - lo);
      uint32_t b = 32768, g = 32768, r = 32768;
      for (int t = 0, n = FCols.TapCount(i); t < n; ++t) {
        b += uint32_t{wx[t]} * a[3 * t];
        g += uint32_t{wx[t]} * a[3 * t + 1];
        r += uint32_t{wx[t]} * a[3 * t + 2];
      }
      out[3 * i] = static_cast<uint8_t>(b >> 16);
      out[3 * i + 1] = static_cast<uint8_t>(g >> 16);
      out[3 * i + 2] = static_cast<uint8_t>(r >> 16);
    }
  }

  // Writes a row of blue, green, red triplets with the copy mode.
  void Emit(int y, const uint8_t* bgr) {
    const uint32_t mask = ValueMask(FDst.Format);
    const bool plain = FReq.Rop == cmSrcCopy;
    const auto code = static_cast<uint8_t>(FReq.Rop >> 16);
    const uint32_t pattern = EncodeColor(FDst, FReq.Pattern);
    TColor lastColor = 0xFFFFFFFF;
    uint32_t lastValue = 0;
    for (int i = 0; i < FCols.Count; ++i) {
      TColor c = RGB(bgr[3 * i + 2], bgr[3 * i + 1], bgr[3 * i]);
      if (c != lastColor) {
        lastColor = c;
        lastValue = EncodeColor(FDst, c);
      }
      int x = FCols.First + i;
      uint32_t v =
          plain ? lastValue : ApplyRop3(code, pattern, lastValue, ReadValue(FDst, x, y), mask);
      WriteValue(FDst, x, y, v);
    }
  }

  TPixelImage& FDst;
  const TPixelImage& FSrc;
  const TStretchRequest& FReq;
  bool FHalftone;
  TStretchAxis FCols, FRows;
  TSourceRows FSource;
  std::vector<uint16_t> FAcc;
};

} // namespace

void StretchBlt(TPixelImage& dst, const TPixelImage& src, const TStretchRequest& request) {
  if (&dst == &src) {
    TPixelImage copy = src;
    return StretchBlt(dst, copy, request);
  }
  TStretchRequest r = request;
  r.Clip = IntersectRect(r.Clip, Rect(0, 0, dst.Width, dst.Height));
  if (r.Clip.Right <= r.Clip.Left || r.Clip.Bottom <= r.Clip.Top || src.Width <= 0 ||
      src.Height <= 0)
    return;
  TStretcher(dst, src, r).Run();
}

} // namespace fw
