// The coordinate reference system of a calibrated map's positions, as the
// files of other georeferencing tools name it: geographic longitude and
// latitude (WGS 84) for every model but utm, whose positions are easting and
// northing in the map's zone on the map's ellipsoid.
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/geomap/calib_records.h"

#include <string>

namespace kartavo {

struct TGeorefCrs {
  bool Utm = false;  // X, Y are easting and northing in metres (else longitude, latitude)
  std::string Wkt;   // OGC WKT (version 1), with the EPSG code where there is one
  std::string Label; // short form for people: "EPSG:4326", "EPSG:32632", a PROJ string
};

// Raises EORVGeoMapError for a utm calibration without a zone (1..60).
KARTAVO_API TGeorefCrs CalibrationCrs(TCalibModel Model, const TCalibData& cd);

} // namespace kartavo
