// Landmark symbols: the ten kinds of TLandMarkElement drawn on any canvas,
// for the map's landmark layer and for hosts that draw symbols themselves
// (palettes, legends). Sizes, directions and lengths are in pixels and
// degrees; a line from A to B covers A but not B, as on every canvas.
#pragma once

#include "kartavo/framework/color.h"
#include "kartavo/framework/export.h"
#include "kartavo/geomap/landmark_records.h"

#include <cstdint>

namespace fw {
class TCanvas;
}

namespace kartavo {

// Draws the symbol Element centred at (x, y). Opaque symbols (Transparent
// false) are filled with ColorBG, and the line symbols (plus and cross) get a
// one-pixel halo in ColorBG. Sets the canvas's pen colour and brush colour
// and leaves them so; filled forms make the brush solid, the transparent
// circle makes it clear. Pen width, style and mode stay as the canvas holds
// them. A null canvas draws nothing.
KARTAVO_API void DrawLandMarkSymbolOnCanvas(fw::TCanvas* Canvas, int x, int y,
                                            TLandMarkElement Element, fw::TColor ColorFG,
                                            fw::TColor ColorBG, int32_t Size, int32_t Direction,
                                            int32_t Length, bool Transparent);

// The same for a symbol record.
KARTAVO_API void DrawLandMarkSymbolOnCanvas(fw::TCanvas* Canvas, int x, int y,
                                            const TSymbolProperties& Symbol);

} // namespace kartavo
