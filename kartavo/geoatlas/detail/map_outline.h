// The outline of a registered map drawn over the map shown.
#pragma once

#include "kartavo/framework/canvas.h"
#include "kartavo/geomap/calib_records.h"
#include "kartavo/geomap/geomap_control.h"

namespace kartavo {

// Draws the quadrilateral of the corners, as the shown map places them,
// with the canvas's pen: from the top-right corner through top-left,
// bottom-left and bottom-right back to top-right. A corner that does not
// convert to a pixel of the shown map is left out: the line joins the
// corners before and after it, and the first corner that converts starts
// the outline.
void DrawMapOutline(fw::TCanvas& Canvas, const TGeoMap& Map, const TCornerArray& Corners);

} // namespace kartavo
