// Whether the calibration points of a record can determine a point-based
// model: enough points, and points that keep the model's terms independent
// (not all on one line where a plane is needed, not all on one conic section
// for the biquadratic polynomial, ...).
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/geomap/calib_records.h"

#include <string>

namespace kartavo {

// The fewest points that can determine the model: 3 for equirect, utm and
// millercylindrical, 6 for biquadraticpn and conicconformal; 0 for the
// graticule model and undefined.
KARTAVO_API int MinCalibPoints(TCalibModel Model);

// The number of coefficients each pixel coordinate depends on: 3 for the
// affine models, 6 for the biquadratic polynomial, 2 for Miller (a line in
// each direction), 3 for the conic (six parameters shared by both
// coordinates). The redundancy of a fit is the number of points minus this.
KARTAVO_API int ModelTermsPerCoordinate(TCalibModel Model);

// Why the points cannot determine the model ("it needs six points, not all
// on one conic section, got 5"); empty when they can.
KARTAVO_API std::string UndeterminedReason(TCalibModel Model, const TCalibData& cd);

} // namespace kartavo
