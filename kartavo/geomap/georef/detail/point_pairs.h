// Pairs of calibration points that contradict each other whatever the
// model: the same position at pixels far apart, the same pixel at positions
// far apart, and the same point stored twice. "Far" is measured against the
// map's scale as the points themselves give it (the median of ground
// distance over pixel distance between all pairs).
#pragma once

#include "kartavo/geomap/calib_records.h"

#include <string>
#include <vector>

namespace kartavo::georef {

// The map's scale in metres per pixel as the points give it; 0 when no two
// points lie on different pixels. Utm: the points are northing and easting.
double PointsScale(const TCalibData& cd, bool Utm);

// One message a pair ("points 3 and 7 ..."), at most 10 and a count of the rest.
std::vector<std::string> ContradictingPairs(const TCalibData& cd, bool Utm);

} // namespace kartavo::georef
