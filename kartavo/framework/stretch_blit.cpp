#include "kartavo/framework/stretch_blit.h"

#include "kartavo/framework/detail/pixel_value.h"
#include "kartavo/framework/detail/raster_target.h"
#include "kartavo/framework/detail/row_kernels.h"
#include "kartavo/framework/detail/stretch_axis.h"
#include "kartavo/framework/detail/stretch_enlarge.h"
#include "kartavo/framework/detail/triplet_sink.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC optimize("O3")
#endif

namespace fw {

namespace {

// Each 8-bit channel rounded to 5 bits and put in its place in a 15-bit word.
struct TChannels15 {
  std::array<uint16_t, 256> Red, Green, Blue;
  TChannels15() {
    for (int c = 0; c < 256; ++c) {
      const auto c5 = To5Bits(static_cast<uint8_t>(c));
      Red[c] = static_cast<uint16_t>(c5 << 10);
      Green[c] = static_cast<uint16_t>(c5 << 5);
      Blue[c] = c5;
    }
  }
};

// Source rows as blue, green, red byte triplets of the columns [lo, hi).
// Converted rows have 16 bytes to spare at their end, for vector loads.
class TSourceRows {
public:
  TSourceRows(const TPixelImage& src, int lo, int hi)
      : FSrc(src), FLo(lo), FCount(hi - lo), FBuffer(3 * static_cast<size_t>(hi - lo) + 16) {}

  // The row's triplets, in into when it is given and the row needs
  // converting (the return value tells where they are).
  const uint8_t* Get(int y, uint8_t* into = nullptr) {
    const uint8_t* row = FSrc.Row(y);
    uint8_t* out = into ? into : FBuffer.data();
    switch (FSrc.Format) {
    case pf24bit:
      return row + 3 * static_cast<size_t>(FLo);
    case pf32bit:
      for (int i = 0; i < FCount; ++i)
        std::memcpy(out + 3 * i, row + 4 * (FLo + i), 3);
      break;
    case pf15bit:
      Expand15(row + 2 * static_cast<size_t>(FLo), FCount, out);
      break;
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

  // acc[k] = (first ? 0 : acc[k]) + w * channel k of row y.
  void Accumulate(int y, uint16_t w, bool first, uint16_t* acc) {
    if (Planar()) { // channels in three planes of FCount sums: blue, green, red
      const uint8_t* row = FSrc.Row(y) + 2 * static_cast<size_t>(FLo);
      // Planes of FCount + 4 sums, as the accumulator row is laid out.
      const size_t plane = static_cast<size_t>(FCount) + 4;
      uint16_t *pb = acc, *pg = acc + plane, *pr = acc + 2 * plane;
      for (int i = 0; i < FCount; ++i) {
        uint16_t word;
        std::memcpy(&word, row + 2 * i, 2);
        auto b = static_cast<uint16_t>(w * Level5(word & 31u)),
             g = static_cast<uint16_t>(w * Level5((word >> 5) & 31u)),
             r = static_cast<uint16_t>(w * Level5((word >> 10) & 31u));
        pb[i] = static_cast<uint16_t>((first ? 0 : pb[i]) + b);
        pg[i] = static_cast<uint16_t>((first ? 0 : pg[i]) + g);
        pr[i] = static_cast<uint16_t>((first ? 0 : pr[i]) + r);
      }
      return;
    }
    const uint8_t* in = Get(y);
    const size_t n = 3 * static_cast<size_t>(FCount);
    if (first) {
      for (size_t k = 0; k < n; ++k)
        acc[k] = static_cast<uint16_t>(w * in[k]);
    } else {
      for (size_t k = 0; k < n; ++k)
        acc[k] = static_cast<uint16_t>(acc[k] + w * in[k]);
    }
  }

  // 15-bit rows accumulate per channel plane, which vectorises; others interleaved.
  bool Planar() const { return FSrc.Format == pf15bit; }
  int Count() const { return FCount; }

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

// Where averaged pixels go: blue, green, red triplets (TTripletSink), or 15-bit words.
struct TWord15Sink {
  uint8_t* Out;
  const TChannels15& To15;
  void operator()(int i, uint32_t b, uint32_t g, uint32_t r) const {
    const auto w = static_cast<uint16_t>(To15.Red[r] | To15.Green[g] | To15.Blue[b]);
    std::memcpy(Out + 2 * i, &w, 2);
  }
};

const TChannels15& Channels15() {
  static const TChannels15 to15;
  return to15;
}

class TStretcher {
public:
  TStretcher(TPixelImage& dst, const TPixelImage& src, const TStretchRequest& r)
      : FDst(dst), FSrc(src), FReq(r), FHalftone(r.Mode == HALFTONE),
        FCols(BuildStretchAxis(r.Dest.Left, r.Dest.Right, r.Source.Left, r.Source.Right, src.Width,
                               r.Clip.Left, r.Clip.Right, FHalftone)),
        FRows(BuildStretchAxis(r.Dest.Top, r.Dest.Bottom, r.Source.Top, r.Source.Bottom, src.Height,
                               r.Clip.Top, r.Clip.Bottom, FHalftone)),
        FSource(src, FCols.SourceLo, FCols.SourceHi) {
    if (FHalftone) PrepareHorizontal();
    FUnscaledCols = !FHalftone && FCols.Count == FCols.SourceHi - FCols.SourceLo;
    for (int i = 0; FUnscaledCols && i < FCols.Count; ++i)
      FUnscaledCols = FCols.Nearest[i] == FCols.SourceLo + i;
  }

  void Run() {
    if (FCols.Count == 0 || FRows.Count == 0) return;
    if (!FHalftone && FReq.Rop == cmSrcCopy && FDst.Format == FSrc.Format &&
        BytesPerValue(FDst.Format) != 0)
      return RunNearestRaw();
    if (FHalftone && FReq.Rop == cmSrcCopy) {
      TEnlargeStretch enlarge(FCols, FRows, FSrc.Width);
      if (enlarge.Applies(FDst.Format))
        return enlarge.Run(FDst, [this](int y) { return FSource.Get(y); });
    }
    if (FHalftone && FReq.Rop == cmSrcCopy && FDst.Format == pf15bit) {
      // Averaged straight into the words: the map control's off-screen format.
      for (int j = 0; j < FRows.Count; ++j) {
        uint8_t* out = FDst.Row(FRows.First + j) + 2 * static_cast<size_t>(FCols.First);
        ProduceAveraged(j, TWord15Sink{out, Channels15()});
      }
      return;
    }
    bool inPlace = FDst.Format == pf24bit && FReq.Rop == cmSrcCopy;
    std::vector<uint8_t> bgr(inPlace ? 0 : 3 * static_cast<size_t>(FCols.Count));
    for (int j = 0; j < FRows.Count; ++j) {
      int y = FRows.First + j;
      if (RepeatsRowAbove(j)) continue;
      uint8_t* out = inPlace ? FDst.Row(y) + 3 * static_cast<size_t>(FCols.First) : bgr.data();
      if (FHalftone)
        ProduceAveraged(j, TTripletSink{out});
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
      if (RepeatsRowAbove(j)) continue;
      uint8_t* out = FDst.Row(FRows.First + j) + static_cast<size_t>(FCols.First) * bpp;
      const uint8_t* in = FSrc.Row(FRows.Nearest[j]);
      if (FUnscaledCols) {
        CopyMasked(out, in + static_cast<size_t>(FCols.SourceLo) * bpp, n, bpp, mask);
        continue;
      }
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

  // n consecutive values, without the bits the format does not use.
  static void CopyMasked(uint8_t* out, const uint8_t* in, int n, int bpp, uint32_t mask) {
    if (bpp == 3) return (void)std::memcpy(out, in, 3 * static_cast<size_t>(n));
    if (bpp == 2) {
      for (int i = 0; i < n; ++i) {
        uint16_t v;
        std::memcpy(&v, in + 2 * i, 2);
        v = static_cast<uint16_t>(v & mask);
        std::memcpy(out + 2 * i, &v, 2);
      }
      return;
    }
    for (int i = 0; i < n; ++i) {
      uint32_t v;
      std::memcpy(&v, in + 4 * i, 4);
      v &= mask;
      std::memcpy(out + 4 * i, &v, 4);
    }
  }

  // A plain copy of whole bytes whose row shows the same source row as the
  // one above: that row's pixels copied.
  bool RepeatsRowAbove(int j) {
    const int bpp = BytesPerValue(FDst.Format);
    if (FHalftone || FReq.Rop != cmSrcCopy || bpp == 0 || j == 0 ||
        FRows.Nearest[j] != FRows.Nearest[j - 1])
      return false;
    const size_t at = static_cast<size_t>(FCols.First) * bpp;
    std::memcpy(FDst.Row(FRows.First + j) + at, FDst.Row(FRows.First + j - 1) + at,
                static_cast<size_t>(FCols.Count) * bpp);
    return true;
  }

  void ProduceNearest(int sy, uint8_t* out) {
    const int lo = FCols.SourceLo;
    if (FUnscaledCols) { // a plain copy of the row, as when a picture is presented
      const uint8_t* in = FSource.Get(sy, out);
      if (in != out) std::memcpy(out, in, 3 * static_cast<size_t>(FCols.Count));
      return;
    }
    const uint8_t* in = FSource.Get(sy);
    for (int i = 0; i < FCols.Count; ++i)
      std::memcpy(out + 3 * i, in + 3 * (FCols.Nearest[i] - lo), 3);
  }

  template <class Sink> void ProduceAveraged(int j, Sink out) {
    uint16_t* acc = FAcc.data();
    const uint16_t* w = FRows.Weights.data() + FRows.TapOffset[j];
    bool first = true;
    for (int t = 0; t < FRows.TapCount(j); ++t) {
      if (w[t] == 0) continue;
      FSource.Accumulate(FRows.TapFirst[j] + t, w[t], first, acc);
      first = false;
    }
    if (FSource.Planar()) return HorizontalTaps<true, Sink>(out);
    HorizontalTaps<false, Sink>(out);
  }

  template <bool Planar, class Sink> void HorizontalTaps(Sink out) const {
    switch (FTaps) {
    case 1:
      return Horizontal<1, Planar, Sink>(out);
    case 2:
      return Horizontal<2, Planar, Sink>(out);
    case 3:
      return Horizontal<3, Planar, Sink>(out);
    case 4:
      return Horizontal<4, Planar, Sink>(out);
    default:
      return Horizontal<0, Planar, Sink>(out);
    }
  }

  // Sets FTaps to the most source columns any destination pixel averages
  // when that is at most 4, with FPadded holding 4 weights a pixel (zeros
  // beyond its own) so that a fixed-length loop serves every pixel.
  void PrepareHorizontal() {
    int most = 0;
    for (int i = 0; i < FCols.Count; ++i)
      most = std::max(most, FCols.TapCount(i));
    FTaps = most <= 4 ? most : 0;
    if (FTaps) {
      FPadded.assign(static_cast<size_t>(FCols.Count) * FTaps, 0);
      for (int i = 0; i < FCols.Count; ++i)
        for (int t = 0; t < FCols.TapCount(i); ++t)
          FPadded[static_cast<size_t>(i) * FTaps + t] = FCols.Weights[FCols.TapOffset[i] + t];
    }
    // The accumulator row, with zeros past its end (past each plane's end) for
    // the padded taps to read.
    FAcc.assign(3 * static_cast<size_t>(FCols.SourceHi - FCols.SourceLo + 4), 0);
  }

  // Averages along the row; K source columns a pixel, 0 for any number.
  template <int K, bool Planar, class Sink> void Horizontal(Sink out) const {
    const uint16_t* acc = FAcc.data();
    const int lo = FCols.SourceLo;
    // Interleaved: channel c of column s at 3 s + c; planar: at c * plane + s.
    const size_t plane = Planar ? FAcc.size() / 3 : 1;
    constexpr int step = Planar ? 1 : 3;
    for (int i = 0; i < FCols.Count; ++i) {
      const uint16_t* wx = K ? FPadded.data() + static_cast<size_t>(i) * K
                             : FCols.Weights.data() + FCols.TapOffset[i];
      const uint16_t* a = acc + step * (FCols.TapFirst[i] - lo);
      uint32_t b = 32768, g = 32768, r = 32768;
      for (int t = 0, n = K ? K : FCols.TapCount(i); t < n; ++t) {
        b += uint32_t{wx[t]} * a[step * t];
        g += uint32_t{wx[t]} * a[step * t + plane];
        r += uint32_t{wx[t]} * a[step * t + 2 * plane];
      }
      out(i, b >> 16, g >> 16, r >> 16);
    }
  }

  // Writes a row of blue, green, red triplets with the copy mode.
  void Emit(int y, const uint8_t* bgr) {
    if (FReq.Rop == cmSrcCopy && EmitPlain(y, bgr)) return;
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

  // Plain copies into the direct-colour formats; false for the others.
  bool EmitPlain(int y, const uint8_t* bgr) {
    uint8_t* out = FDst.Row(y);
    const int first = FCols.First, n = FCols.Count;
    switch (FDst.Format) {
    case pf15bit: {
      const TChannels15& to15 = Channels15();
      for (int i = 0; i < n; ++i) {
        const auto w = static_cast<uint16_t>(to15.Red[bgr[3 * i + 2]] | to15.Green[bgr[3 * i + 1]] |
                                             to15.Blue[bgr[3 * i]]);
        std::memcpy(out + 2 * (first + i), &w, 2);
      }
      return true;
    }
    case pf32bit:
      for (int i = 0; i < n; ++i) {
        uint8_t* p = out + 4 * (first + i);
        p[0] = bgr[3 * i];
        p[1] = bgr[3 * i + 1];
        p[2] = bgr[3 * i + 2];
        p[3] = 0;
      }
      return true;
    default:
      return false;
    }
  }

  TPixelImage& FDst;
  const TPixelImage& FSrc;
  const TStretchRequest& FReq;
  bool FHalftone;
  TStretchAxis FCols, FRows;
  TSourceRows FSource;
  // Destination columns show source columns SourceLo, SourceLo + 1, ... in order.
  bool FUnscaledCols = false;
  std::vector<uint16_t> FAcc; // vertical sums of the current row, per channel
  std::vector<uint16_t> FPadded;
  int FTaps = 0;
};

} // namespace

namespace {

// The request with the clip cut to the destination; nullopt when nothing is written.
std::optional<TStretchRequest> Clipped(const TPixelImage& dst, const TPixelImage& src,
                                       const TStretchRequest& request) {
  TStretchRequest r = request;
  r.Clip = IntersectRect(r.Clip, Rect(0, 0, dst.Width, dst.Height));
  if (r.Clip.Right <= r.Clip.Left || r.Clip.Bottom <= r.Clip.Top || src.Width <= 0 ||
      src.Height <= 0)
    return std::nullopt;
  return r;
}

} // namespace

void StretchBlt(TPixelImage& dst, const TPixelImage& src, const TStretchRequest& request) {
  if (&dst == &src) {
    TPixelImage copy = src;
    return StretchBlt(dst, copy, request);
  }
  if (const auto r = Clipped(dst, src, request)) TStretcher(dst, src, *r).Run();
}

TRect StretchCoverage(const TPixelImage& dst, const TPixelImage& src,
                      const TStretchRequest& request) {
  const auto r = Clipped(dst, src, request);
  if (!r) return {};
  const TAxisSpan x = StretchAxisSpan(r->Dest.Left, r->Dest.Right, r->Source.Left, r->Source.Right,
                                      src.Width, r->Clip.Left, r->Clip.Right);
  const TAxisSpan y = StretchAxisSpan(r->Dest.Top, r->Dest.Bottom, r->Source.Top, r->Source.Bottom,
                                      src.Height, r->Clip.Top, r->Clip.Bottom);
  if (x.Count == 0 || y.Count == 0) return {};
  return Rect(x.First, y.First, x.First + x.Count, y.First + y.Count);
}

} // namespace fw
