// DrawFrame: the base library's frame around a rectangle of a canvas.
// Kept apart from quillon.h so that the base library's interface does not
// pull in the canvas; callers that draw frames include this header.
#pragma once

#include "kartavo/companion/quillon.h"
#include "kartavo/framework/color.h"
#include "kartavo/framework/export.h"

namespace fw {
class TCanvas;
}

namespace quillon {

// Draws a frame of the given style just inside the rectangle whose corner
// pixels are (Left, Top) and (Right, Bottom), both included, as a map passes
// (0, 0, Width - 1, Height - 1). The five colours are, in order:
//   Highlight  - the light edge (top and left of raised frames, bottom and
//                right of lowered ones),
//   Light      - the outer light edge of fsDoubleRaised and the inner light
//                edge of fsDoubleLowered,
//   Shadow     - the dark edge opposite Highlight,
//   DarkShadow - the outer dark edge of fsDoubleRaised and the inner dark edge
//                of fsDoubleLowered,
//   Line       - the one line of fsSingle.
// fsNone draws nothing; fsSingle a one-pixel line; fsLowered and fsRaised
// one pixel of Shadow and Highlight; the double styles two pixels. The top
// and left edges end one pixel before the opposite corners, which belong to
// the bottom and right edges. The canvas's pen and brush are left as they were.
KARTAVO_API void DrawFrame(fw::TCanvas* Canvas, TFrameStyle Style, int Left, int Top, int Right,
                           int Bottom, fw::TColor Highlight, fw::TColor Light, fw::TColor Shadow,
                           fw::TColor DarkShadow, fw::TColor Line);

} // namespace quillon
