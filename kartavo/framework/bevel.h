// The raised and lowered edges of buttons, panels and fields.
#pragma once

#include "kartavo/framework/canvas.h"
#include "kartavo/framework/export.h"
#include "kartavo/framework/geometry.h"

namespace fw {

enum TBevelCut : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };

// Draws Width rings inside R: light on the top and left edges and dark on
// the bottom and right ones when raised, the other way round when lowered
// (bvSpace draws in the canvas's brush colour). Returns R without the rings.
KARTAVO_API TRect DrawBevel(TCanvas& Canvas, TRect R, TBevelCut Cut, int Width = 1);

// Draws text centred in R with a clear brush, in the canvas's font.
KARTAVO_API void DrawCenteredText(TCanvas& Canvas, const TRect& R, const std::string& Text);

} // namespace fw
