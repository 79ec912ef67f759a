#include "kartavo/geobasics/helmert.h"

#include "kartavo/geobasics/cartesian.h"
#include "kartavo/geobasics/detail/datum_table.h"

#include <numbers>

namespace kartavo {
namespace {

constexpr double ArcSecToRad = std::numbers::pi / 648000.0;

struct TCartesian {
  double X, Y, Z;
};

// Scales and rotates by the small-angle matrix (position-vector convention),
// then adds the translation.
TCartesian Apply(const TCartesian& P, double Scale, double RotX, double RotY, double RotZ,
                 double DX, double DY, double DZ) {
  return {Scale * (P.X - RotZ * P.Y + RotY * P.Z) + DX,
          Scale * (RotZ * P.X + P.Y - RotX * P.Z) + DY,
          Scale * (-RotY * P.X + RotX * P.Y + P.Z) + DZ};
}

TCartesian ToWGS84(const TCartesian& P, const TDatumParams& D) {
  return Apply(P, 1.0 + D.Scale * 1e-6, D.RotX * ArcSecToRad, D.RotY * ArcSecToRad,
               D.RotZ * ArcSecToRad, D.DX, D.DY, D.DZ);
}

// The first-order inverse of ToWGS84: every parameter negated, the
// translation removed after scaling and rotating.
TCartesian FromWGS84(const TCartesian& P, const TDatumParams& D) {
  return Apply(P, 1.0 - D.Scale * 1e-6, -D.RotX * ArcSecToRad, -D.RotY * ArcSecToRad,
               -D.RotZ * ArcSecToRad, -D.DX, -D.DY, -D.DZ);
}

int CheckArguments(int SrcDatum, double Lat, double Long, int DstDatum) {
  int status = htOk;
  if (!ValidDatumNumber(SrcDatum)) status = htBadSrcDatum;
  if (!ValidDatumNumber(DstDatum)) status = htBadDstDatum;
  if (!(Lat >= -90 && Lat <= 90)) status = htBadLatitude;
  if (!(Long >= -180 && Long <= 180)) status = htBadLongitude;
  return status;
}

} // namespace

int HelmertTransform(int SrcDatum, double Lat, double Long, double Height, int DstDatum,
                     double& LatOut, double& LongOut, double& HeightOut) {
  const int status = CheckArguments(SrcDatum, Lat, Long, DstDatum);
  const TDatumParams* src = FindDatum(SrcDatum);
  const TDatumParams* dst = FindDatum(DstDatum);
  // The same datum on both sides is no shift at all: going to WGS 84 and back
  // with the negated parameters would move the point by their second-order error.
  if (!src || !dst || SrcDatum == DstDatum) {
    LatOut = Lat;
    LongOut = Long;
    HeightOut = Height;
    return status;
  }
  TCartesian p;
  GeoToCartesian(Lat, Long, Height, src->Ellipsoid, p.X, p.Y, p.Z);
  p = FromWGS84(ToWGS84(p, *src), *dst);
  CartesianToGeo(p.X, p.Y, p.Z, dst->Ellipsoid, LatOut, LongOut, HeightOut);
  return status;
}

} // namespace kartavo
