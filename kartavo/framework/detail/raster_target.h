// Where the rasterisers put their pixels: an image, the clip rectangle and
// the raster operation with its operand value in the image's format.
#pragma once

#include "kartavo/framework/geometry.h"
#include "kartavo/framework/pen.h"
#include "kartavo/framework/pixel_image.h"

#include <cstdint>
#include <cstring>

namespace fw {

// The pen mode's operation on the values P (pen) and D (destination).
uint32_t ApplyRop2(TPenMode mode, uint32_t P, uint32_t D, uint32_t mask);
// A ternary raster operation by its 8-bit code (bits indexed by pattern,
// source and destination bits as 0xF0, 0xCC and 0xAA), bit by bit.
uint32_t ApplyRop3(uint8_t code, uint32_t P, uint32_t S, uint32_t D, uint32_t mask);

// The rectangle common to a and b; empty (Right <= Left) when they do not meet.
TRect IntersectRect(const TRect& a, const TRect& b);

class TRasterTarget {
public:
  // clip must lie inside the image.
  TRasterTarget(TPixelImage& image, const TRect& clip, TPenMode mode, uint32_t value);

  const TRect& Clip() const { return FClip; }
  // One pixel; ignored outside the clip rectangle.
  void Plot(int x, int y) {
    if (x < FClip.Left || x >= FClip.Right || y < FClip.Top || y >= FClip.Bottom) return;
    if (FMode == pmCopy && FImage.Format == pf15bit) { // the map control's off-screen format
      const auto w = static_cast<uint16_t>(FValue);
      std::memcpy(FBits + y * FStride + 2 * int64_t{x}, &w, 2);
      return;
    }
    PlotInside(x, y);
  }
  // Pixels x0 <= x < x1 of row y, clipped.
  void Span(int y, int64_t x0, int64_t x1);
  void SetValue(uint32_t value) { FValue = value & FMask; }

private:
  void PlotInside(int x, int y);

  TPixelImage& FImage;
  uint8_t* FBits;
  int64_t FStride;
  TRect FClip;
  TPenMode FMode;
  uint32_t FValue;
  uint32_t FMask;
};

} // namespace fw
