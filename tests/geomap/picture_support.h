// A plain 24-bit picture for tests that need a map image file of some size
// and care about its dimensions, not its content.
#pragma once

#include "kartavo/framework/pixel_image.h"

#include <cstddef>
#include <cstdint>

namespace kartavo::testing {

inline fw::TPixelImage Picture(int w, int h, uint8_t grey = 0x80) {
  fw::TPixelImage img;
  img.Width = w;
  img.Height = h;
  img.Format = fw::pf24bit;
  img.Bits.assign(static_cast<size_t>(img.Stride() * h), grey);
  return img;
}

} // namespace kartavo::testing
