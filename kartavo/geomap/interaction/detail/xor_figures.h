// Temporary figures drawn straight onto a control's canvas: boxes and band
// lines in XOR with a white pen, so that drawing a figure a second time
// erases it and leaves the pixels exactly as they were.
#pragma once

#include "kartavo/companion/quillon.h"

namespace fw {
class TCanvas;
}

namespace kartavo {

// A box from the fixed corner A to the moving corner B, dotted for a
// selection. Afterwards the pen is solid and copying, the brush solid.
void XorBox(fw::TCanvas& Canvas, quillon::TPoint A, quillon::TPoint B, bool Dotted = false);
// A line from A up to, not including, B.
void XorLine(fw::TCanvas& Canvas, quillon::TPoint A, quillon::TPoint B);

} // namespace kartavo
