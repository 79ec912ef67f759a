// How large a map comes out on a printer.
//
// A printer's pixels have a physical size (1/PixelsPerInch inch), so a map
// can be printed at a true map scale. Two ways of saying how large:
//
// - Scale, an integer, is the denominator of the map scale 1 : Scale, as on
//   a paper map: 1 cm on paper stands for Scale cm on the ground. The ground
//   size of a map-image pixel is the calibration's resolution (metres per
//   map-image pixel, along the image's middle row), so a map-image pixel
//   takes Resolution / Scale metres of paper, that is
//   Resolution / Scale / 0.0254 * PixelsPerInch printer pixels. A map with
//   10 m per pixel printed at 1 : 50000 on a 300 ppi printer: 10 / 50000 m =
//   0.2 mm a map pixel, 2.36 printer pixels.
// - ScaleF, a real number, prints the control's picture relative to its size
//   on the screen: a control pixel becomes ScaleF / 96 inch of paper, so 1
//   prints the picture as large as a 96 ppi screen shows it, 2 twice as
//   large. The map image is drawn anew at the printer's resolution, not
//   enlarged from the screen's picture. ScaleF 0 (or below) means as large
//   as fits the space on the page, proportions kept.
#pragma once

#include "kartavo/framework/export.h"

#include <cstdint>

namespace kartavo {

// Printer pixels per map-image pixel at 1 : Scale; 0 when Scale or
// MetresPerPixel is not positive (no scale can be printed then).
KARTAVO_API double ScalePrintMagnification(double MetresPerPixel, int32_t Scale, int PixelsPerInch);

// Printer pixels per control pixel for ScaleF > 0.
KARTAVO_API double ScreenPrintFactor(double ScaleF, int PixelsPerInch);

// The largest factor (printer pixels per control pixel) at which a picture
// of Width x Height control pixels fits into Room (printer pixels); 0 when
// either has no area.
KARTAVO_API double FitPrintFactor(int Width, int Height, int RoomWidth, int RoomHeight);

} // namespace kartavo
