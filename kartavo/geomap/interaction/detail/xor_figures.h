// Temporary figures drawn straight onto a control's canvas: boxes and band
// lines in XOR with a white pen, so that drawing a figure a second time
// erases it and leaves the pixels exactly as they were.
#pragma once

namespace fw {
class TCanvas;
}

namespace kartavo {

// A box from the fixed corner (x1, y1) to the moving corner (x2, y2), dotted
// for a selection. Afterwards the pen is solid and copying, the brush solid.
void XorBox(fw::TCanvas& Canvas, int x1, int y1, int x2, int y2, bool Dotted = false);
// A line from (x1, y1) up to, not including, (x2, y2).
void XorLine(fw::TCanvas& Canvas, int x1, int y1, int x2, int y2);

} // namespace kartavo
