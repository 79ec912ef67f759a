// A calibrated map for GDAL: a virtual raster (".vrt", GDAL's XML format)
// that shows the map image unchanged and carries the calibration as ground
// control points in the map's coordinate system, so that gdalinfo lists them
// and gdalwarp -order 1 or 2 can warp the map with them.
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/geomap/geo_conversion.h"

#include <string>
#include <vector>

namespace kartavo {

// A ground control point: a map-image pixel (Pixel, Line; (0, 0) is the
// image's top-left corner) and its map coordinates X, Y (longitude and
// latitude, or easting and northing under the utm model).
struct TGroundControlPoint {
  double Pixel = 0, Line = 0;
  double X = 0, Y = 0;
};

// The calibration points of a point-based model; for the graticule model,
// which has none, its conversion of a 5 x 5 grid over the image
// (0 ... Width, 0 ... Height); nothing under cmUndefined.
KARTAVO_API std::vector<TGroundControlPoint> CalibrationGcps(const TGeoRef& ref, int Width,
                                                             int Height);

// Writes the VRT for the map image at ImagePath (referred to relative to the
// VRT's folder when they share a root). The raster's size and bands are
// those of the image; a palette image becomes three bands red, green, blue
// through its colour table. Raises EORVGeoMapError when the image cannot be
// read, when fewer than three GCPs exist (gdalwarp needs three), and
// fw::EInOutError when the file cannot be written. Returns the number of GCPs.
KARTAVO_API int WriteGdalVrt(const std::string& VrtPath, const std::string& ImagePath,
                             const TGeoRef& ref);

} // namespace kartavo
