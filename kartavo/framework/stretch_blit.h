// Copying a rectangle of one image onto a rectangle of another, scaled.
//
// COLORONCOLOR takes for each destination pixel the source pixel under its
// centre. HALFTONE averages the source area that the destination pixel
// covers (a box filter with weights quantised to 1/256 per axis, summing
// exactly to 1; channel results round to nearest, halves up), so halving an
// image gives each 2 x 2 block's mean. BLACKONWHITE and WHITEONBLACK, which
// only matter for monochrome bitmaps, act as COLORONCOLOR.
//
// Rectangles with negative width or height mirror. Destination pixels whose
// centre maps outside the source image are left untouched; the halftone
// average of a pixel at the image's edge covers only the part inside.
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/framework/geometry.h"
#include "kartavo/framework/pixel_image.h"

#include <cstdint>

namespace fw {

enum TStretchBltMode : uint8_t {
  BLACKONWHITE = 1,
  WHITEONBLACK = 2,
  COLORONCOLOR = 3,
  HALFTONE = 4
};

// Ternary raster operations (pattern = brush, source, destination).
using TCopyMode = int32_t;
constexpr TCopyMode cmBlackness = 0x00000042;
constexpr TCopyMode cmDstInvert = 0x00550009;
constexpr TCopyMode cmMergeCopy = 0x00C000CA;
constexpr TCopyMode cmMergePaint = 0x00BB0226;
constexpr TCopyMode cmNotSrcCopy = 0x00330008;
constexpr TCopyMode cmNotSrcErase = 0x001100A6;
constexpr TCopyMode cmPatCopy = 0x00F00021;
constexpr TCopyMode cmPatInvert = 0x005A0049;
constexpr TCopyMode cmPatPaint = 0x00FB0A09;
constexpr TCopyMode cmSrcAnd = 0x008800C6;
constexpr TCopyMode cmSrcCopy = 0x00CC0020;
constexpr TCopyMode cmSrcErase = 0x00440328;
constexpr TCopyMode cmSrcInvert = 0x00660046;
constexpr TCopyMode cmSrcPaint = 0x00EE0086;
constexpr TCopyMode cmWhiteness = 0x00FF0062;

struct TStretchRequest {
  TRect Dest;   // in the destination image
  TRect Source; // in the source image
  TRect Clip;   // destination pixels outside are not touched
  TStretchBltMode Mode = COLORONCOLOR;
  TCopyMode Rop = cmSrcCopy;
  TColor Pattern = 0; // the brush colour for operations that use the pattern
};

// dst and src may be the same image; overlapping rectangles then read the
// source as it was before the copy.
KARTAVO_API void StretchBlt(TPixelImage& dst, const TPixelImage& src,
                            const TStretchRequest& request);

// The destination pixels StretchBlt(dst, src, request) writes: a rectangle,
// empty (Right <= Left or Bottom <= Top) when it writes none.
KARTAVO_API TRect StretchCoverage(const TPixelImage& dst, const TPixelImage& src,
                                  const TStretchRequest& request);

} // namespace fw
