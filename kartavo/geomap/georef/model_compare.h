// Which calibration model suits a map: every point-based model the points
// allow, fitted and diagnosed on the same points, so that their residuals
// can be compared.
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/geomap/georef/calib_diagnostics.h"

#include <string>
#include <vector>

namespace kartavo {

struct TModelComparison {
  TCalibModel Model = cmUndefined;
  std::string Skipped; // why the model was not fitted; empty when it was
  TCalibDiagnostics Diagnostics;
};

// Fits equirect, millercylindrical, conicconformal, biquadraticpn and utm to
// the points of cd, for a map image of Width x Height pixels. The points are
// latitude and longitude, or northing and easting when cd holds a UTM zone
// (1..60, with UTMSouth and Ellipsoid); they are converted for the models
// of the other kind (the utm model takes geographic points only when they
// all lie in one zone). A model the points cannot determine is skipped with
// the reason.
KARTAVO_API std::vector<TModelComparison> CompareCalibModels(const TCalibData& cd, int Width,
                                                             int Height);

} // namespace kartavo
