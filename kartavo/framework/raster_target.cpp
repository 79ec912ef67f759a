#include "kartavo/framework/detail/raster_target.h"

#include "kartavo/framework/detail/pixel_value.h"

#include <algorithm>
#include <cstring>

namespace fw {

uint32_t ApplyRop2(TPenMode mode, uint32_t P, uint32_t D, uint32_t mask) {
  uint32_t r = 0;
  switch (mode) {
  case pmBlack:
    r = 0;
    break;
  case pmWhite:
    r = ~0u;
    break;
  case pmNop:
    r = D;
    break;
  case pmNot:
    r = ~D;
    break;
  case pmCopy:
    r = P;
    break;
  case pmNotCopy:
    r = ~P;
    break;
  case pmMergePenNot:
    r = P | ~D;
    break;
  case pmMaskPenNot:
    r = P & ~D;
    break;
  case pmMergeNotPen:
    r = ~P | D;
    break;
  case pmMaskNotPen:
    r = ~P & D;
    break;
  case pmMerge:
    r = P | D;
    break;
  case pmNotMerge:
    r = ~(P | D);
    break;
  case pmMask:
    r = P & D;
    break;
  case pmNotMask:
    r = ~(P & D);
    break;
  case pmXor:
    r = P ^ D;
    break;
  case pmNotXor:
    r = ~(P ^ D);
    break;
  }
  return r & mask;
}

uint32_t ApplyRop3(uint8_t code, uint32_t P, uint32_t S, uint32_t D, uint32_t mask) {
  uint32_t r = 0;
  for (int i = 0; i < 8; ++i) {
    if (!((code >> i) & 1)) continue;
    uint32_t p = (i & 4) ? P : ~P;
    uint32_t s = (i & 2) ? S : ~S;
    uint32_t d = (i & 1) ? D : ~D;
    r |= p & s & d;
  }
  return r & mask;
}

TRect IntersectRect(const TRect& a, const TRect& b) {
  TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
  if (r.Right < r.Left) r.Right = r.Left;
  if (r.Bottom < r.Top) r.Bottom = r.Top;
  return r;
}

TRasterTarget::TRasterTarget(TPixelImage& image, const TRect& clip, TPenMode mode, uint32_t value)
    : FImage(image), FBits(image.Bits.data()), FStride(image.Stride()),
      FClip(IntersectRect(clip, Rect(0, 0, image.Width, image.Height))), FMode(mode),
      FMask(ValueMask(image.Format)) {
  FValue = value & FMask;
}

void TRasterTarget::PlotInside(int x, int y) {
  uint32_t v = FMode == pmCopy ? FValue : ApplyRop2(FMode, FValue, ReadValue(FImage, x, y), FMask);
  WriteValue(FImage, x, y, v);
}

void TRasterTarget::Span(int y, int64_t x0, int64_t x1) {
  if (y < FClip.Top || y >= FClip.Bottom) return;
  int a = static_cast<int>(std::max<int64_t>(x0, FClip.Left));
  int b = static_cast<int>(std::min<int64_t>(x1, FClip.Right));
  if (a >= b) return;
  if (FMode != pmCopy) {
    for (int x = a; x < b; ++x)
      PlotInside(x, y);
    return;
  }
  uint8_t* row = FImage.Row(y);
  switch (FImage.Format) {
  case pf15bit:
  case pf16bit: {
    auto w = static_cast<uint16_t>(FValue);
    for (int x = a; x < b; ++x)
      std::memcpy(row + 2 * x, &w, 2);
    break;
  }
  case pf24bit: {
    uint8_t c0 = static_cast<uint8_t>(FValue), c1 = static_cast<uint8_t>(FValue >> 8),
            c2 = static_cast<uint8_t>(FValue >> 16);
    for (uint8_t* p = row + 3 * a; p < row + 3 * b; p += 3) {
      p[0] = c0;
      p[1] = c1;
      p[2] = c2;
    }
    break;
  }
  case pf32bit: {
    uint32_t v = FValue;
    for (int x = a; x < b; ++x)
      std::memcpy(row + 4 * x, &v, 4);
    break;
  }
  default:
    for (int x = a; x < b; ++x)
      WriteValue(FImage, x, y, FValue);
  }
}

} // namespace fw
