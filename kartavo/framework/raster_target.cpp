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

namespace {

// n pixels of Bytes bytes from at, each the value's low bytes: a block of
// pixels is made once and copied along the row in pieces of fixed size,
// which the compiler turns into a few wide stores.
template <size_t Bytes> void FillValues(uint8_t* at, int n, uint32_t value) {
  constexpr size_t kBlock = Bytes == 3 ? 48 : 64;
  uint8_t block[kBlock + 4];
  for (size_t i = 0; i < kBlock; i += Bytes)
    std::memcpy(block + i, &value, 4);
  const size_t total = Bytes * static_cast<size_t>(n);
  size_t done = 0;
  for (; done + kBlock <= total; done += kBlock)
    std::memcpy(at + done, block, kBlock);
  std::memcpy(at + done, block, total - done);
}

} // namespace

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
  case pf16bit:
    return FillValues<2>(row + 2 * int64_t{a}, b - a, FValue);
  case pf24bit:
    return FillValues<3>(row + 3 * int64_t{a}, b - a, FValue);
  case pf32bit:
    return FillValues<4>(row + 4 * int64_t{a}, b - a, FValue);
  default:
    for (int x = a; x < b; ++x)
      WriteValue(FImage, x, y, FValue);
  }
}

} // namespace fw
