// Drawing of a mouse trace: a list of map-image points split into strokes,
// each segment in the colour of the point it ends at, drawn over the map or
// inverted (XOR, so that drawing it twice restores the map).
#pragma once

#include "kartavo/companion/quillon.h"
#include "kartavo/framework/export.h"
#include "kartavo/geomap/render/render_view.h"

#include <cstdint>
#include <span>

namespace fw {
class TCanvas;
}

namespace kartavo {

// Flag bits of a trace point.
constexpr uint16_t mtfEndsStroke = 1; // no segment joins the point to the next one
constexpr uint16_t mtfInvert = 2;     // segments ending here are drawn in XOR mode

// Draws the segment from A to B (map-image pixels, rounded to whole ones)
// with B's colour and mode; the pen mode is copy afterwards.
KARTAVO_API void DrawTraceSegment(fw::TCanvas& Canvas, const quillon::TColoredPoint& A,
                                  const quillon::TColoredPoint& B, const TRenderView& View);

// Draws every segment of the trace. The canvas's pen colour, width and style
// and its brush style are as before afterwards.
KARTAVO_API void DrawTrace(fw::TCanvas& Canvas, std::span<const quillon::TColoredPoint> Points,
                           const TRenderView& View);

} // namespace kartavo
