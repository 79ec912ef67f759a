// Seven-parameter Helmert shift of a position from one built-in datum to
// another, through WGS 84. Datums are named by their numbers, 1 ... 271.
//
// Method: geographic to geocentric coordinates on the source datum's
// ellipsoid (cartesian.h), the seven-parameter similarity transformation
// with small rotation angles (position-vector convention) to WGS 84, its
// first-order inverse (every parameter negated) to the target datum, and
// back to geographic coordinates on the target's ellipsoid.
// Accuracy: the transformation is as good as the datum's parameters (a few
// metres for most historical datums). Arithmetic adds nothing measurable,
// but the first-order inverse is not the exact inverse: a shift to WGS 84
// and back returns within 0.11 m horizontally and 0.08 m in height (worst of
// all 271 datums, measured at latitudes -60 ... 80). OSGB 36 to WGS 84 at
// 51.5 N 0.1 W agrees with the published 51.500512 N 0.101609 W, 46.07 m to
// the printed digits (5 mm in height).
// Valid range: latitude -90 ... 90, longitude -180 ... 180 (outside, the
// position is still converted and the status says so).
#pragma once

#include "kartavo/framework/export.h"

namespace kartavo {

// Status codes of HelmertTransform. When several checks fail the last one
// listed wins.
enum : int {
  htOk = 0,
  htBadSrcDatum = -1, // SrcDatum outside 1 ... 271
  htBadDstDatum = -2, // DstDatum outside 1 ... 271
  htBadLatitude = -3, // Lat outside -90 ... 90 (or not a number)
  htBadLongitude = -4 // Long outside -180 ... 180 (or not a number)
};

// Shifts (Lat, Long in degrees, Height in metres) from SrcDatum to DstDatum.
// The same datum on both sides returns the position unchanged.
// A latitude or longitude out of range is reported but still converted. With
// a datum number out of range nothing is converted: the outputs are the
// inputs unchanged.
KARTAVO_API int HelmertTransform(int SrcDatum, double Lat, double Long, double Height, int DstDatum,
                                 double& LatOut, double& LongOut, double& HeightOut);

} // namespace kartavo
