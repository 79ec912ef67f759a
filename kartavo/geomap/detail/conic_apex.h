// The evaluation of candidate apexes in the conic search, in fused passes
// over the points with its storage kept between candidates. It performs the
// same operations in the same order as ConicApexError, which goes through
// the math library's curve fit and stays as its reference: both give the
// same results to the last bit.
#pragma once

#include "kartavo/geomap/calib_params.h"
#include "kartavo/geomap/calib_records.h"

#include <vector>

namespace kartavo {

class TConicApexEvaluator {
public:
  // Needs at least three points.
  explicit TConicApexEvaluator(const TCalibData& cd);
  // The squared error of the apex; c receives the apex and the four fitted
  // slopes and intercepts.
  double Error(double ApexX, double ApexY, TConicParams& c);

private:
  // A least-squares line over the first n entries, as the curve fit
  // computes it: zero slope and intercept without two distinct x.
  static void LineFit(const std::vector<double>& x, const std::vector<double>& y, size_t n,
                      double sumX, double sumY, bool distinct, double& k, double& d);

  size_t FN;
  std::vector<double> FX, FY, FLat, FLong; // the points
  std::vector<double> FDist;               // per point
  std::vector<double> FBearing, FBearLong; // per point off the apex row
};

} // namespace kartavo
