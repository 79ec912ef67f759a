// The UTM grid over a map calibrated in UTM coordinates: lines of equal
// northing and of equal easting at a round spacing, straight (the
// calibration is affine in UTM), clipped to the map image.
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/geomap/geo_conversion.h"
#include "kartavo/geomap/render/render_view.h"

namespace fw {
class TCanvas;
}

namespace kartavo {

// The spacing in metres: UTMGridDist when above 0, otherwise a tenth of the
// northing extent rounded to 1, 2 or 5 times a power of ten, at least 1.
KARTAVO_API double UTMGridSpacing(int UTMGridDist, double NorthingExtent);

// Draws the grid with the canvas's pen for a map image of ImgWidth by
// ImgHeight pixels. Northings and eastings come from the corners of the
// calibration record, each in the zone its own position falls in.
KARTAVO_API void DrawUTMGrid(fw::TCanvas& Canvas, const TGeoRef& Ref, const TRenderView& View,
                             int UTMGridDist, int ImgWidth, int ImgHeight);

} // namespace kartavo
