// Putting a glyph's coverage on a surface: coverage blends the colour over
// the pixels (palette formats: coverage of half or more sets the colour).
// PaintGlyph takes the fastest way the surface's format allows;
// PaintGlyphPlain decodes, blends and encodes each pixel and is the
// reference the faster ways must equal pixel for pixel.
#pragma once

#include "kartavo/framework/color.h"
#include "kartavo/framework/detail/font_engine.h"
#include "kartavo/framework/geometry.h"
#include "kartavo/framework/pixel_image.h"

#include <cstdint>

namespace fw {

// Puts the glyph with its bitmap's top-left pixel at (x0, y0), cut to clip
// (which lies inside the image).
void PaintGlyph(TPixelImage& img, const TRect& clip, const TGlyphImage& g, int64_t x0, int64_t y0,
                TColor color);
void PaintGlyphPlain(TPixelImage& img, const TRect& clip, const TGlyphImage& g, int64_t x0,
                     int64_t y0, TColor color);

} // namespace fw
