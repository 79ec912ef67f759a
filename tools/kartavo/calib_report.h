// The report `kartavo calib info` and `kartavo calib fit` print about a
// calibration.
#pragma once

#include "kartavo/geomap/calib_params.h"
#include "kartavo/geomap/calib_records.h"
#include "kartavo/geomap/geo_conversion.h"

#include <iosfwd>

namespace kcli {

// How far the fitted model puts the calibration points from their stored
// pixels: the root-mean-square difference in x and in y, in pixels.
struct CalibResidual {
  int Points = 0;
  double RmsX = 0;
  double RmsY = 0;
};

CalibResidual CalibResiduals(const kartavo::TGeoRef& ref);

void PrintCalibReport(std::ostream& out, kartavo::TCalibModel model, const kartavo::TCalibData& cd,
                      const CalibResidual& residual);

} // namespace kcli
