// Seven-parameter Helmert shift of a position from one built-in datum to
// another, through WGS 84. Datums are named by their numbers, 1 ... 271.
#pragma once

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
int HelmertTransform(int SrcDatum, double Lat, double Long, double Height, int DstDatum,
                     double& LatOut, double& LongOut, double& HeightOut);

} // namespace kartavo
