// The marker of a calibration point: a cross of 17 pixels and three
// diamonds around it (radius 8 and 10 in the marker colour, 9 in white), so
// that it stands out on dark and light map areas alike.
#pragma once

#include "kartavo/framework/color.h"
#include "kartavo/framework/export.h"

namespace fw {
class TCanvas;
}

namespace kartavo {

// Draws the marker centred on control pixel (x, y) with the canvas's pen
// mode; leaves the pen colour at Color.
KARTAVO_API void DrawCalibMarker(fw::TCanvas& Canvas, int x, int y, fw::TColor Color);

} // namespace kartavo
