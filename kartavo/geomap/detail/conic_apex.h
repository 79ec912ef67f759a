// The evaluation of candidate apexes in the conic search, in fused passes
// over the points with its storage kept between candidates. It performs the
// operations of ConicApexError, which goes through the math library's curve
// fit and stays as its reference, with two differences: bearings come from a
// vectorisable arc tangent within one unit in the last place of std::atan,
// and sums are formed in four interleaved parts. Errors and parameters agree
// with the reference to rounding, not to the last bit.
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
  size_t FN;
  std::vector<double> FX, FY, FLat, FLong; // the points
  double FSumLat = 0, FSumLong = 0;
  std::vector<double> FDist, FAngle;       // per point
  std::vector<double> FBearing, FBearLong; // per point off the apex row
};

// The search of CalcConicCalibration with every candidate evaluated by
// ConicApexError, none reused: the reference of the fast search.
void CalcConicCalibrationPlain(const TCalibData& cd, int ImgWidth, int ImgHeight,
                               TModelParams& pars);

} // namespace kartavo
