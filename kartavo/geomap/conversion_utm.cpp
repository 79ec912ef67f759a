// The UTM relation of cmUTM maps: an affine relation between pixels and the
// northing and easting, combined with the UTM projection.
#include "kartavo/geomap/detail/conversion_utm.h"
#include "kartavo/geobasics/transverse_mercator.h"
#include "kartavo/geobasics/utm.h"
#include "kartavo/geomap/detail/pixel_round.h"

#include <cmath>

namespace kartavo {
namespace {

constexpr double UTMScale = 0.9996;
constexpr double FalseEasting = 500000;
constexpr double FalseNorthingSouth = 10000000;
constexpr double DegToRad = 3.14159265358979323846 / 180;

double Affine(const TAffineParams& P, int row, double u, double v) {
  return P(row, 1) + P(row, 2) * u + P(row, 3) * v;
}

// UTM coordinates of a position in the map's own zone and hemisphere, so
// that positions across a zone boundary still land where they lie on the
// map. Without a zone, the zone the position falls in.
void MapZoneUTM(const TCalibData& cd, double Lat, double Long, double& easting, double& northing) {
  if (cd.UTMZone < 1 || cd.UTMZone > 60) {
    int zone = 0;
    LatLongToUTM(Lat, Long, cd.Ellipsoid, zone, easting, northing);
    return;
  }
  double x = 0, y = 0;
  LatLongToTM(Lat * DegToRad, Long * DegToRad, UTMCentralMeridian(cd.UTMZone), cd.Ellipsoid, x, y);
  easting = UTMScale * x + FalseEasting;
  northing = UTMScale * y + (cd.UTMSouth ? FalseNorthingSouth : 0.0);
}

} // namespace

void UTMPixelToGeo(const TGeoRef& ref, double x, double y, double& Lat, double& Long) {
  const double northing = Affine(ref.Pars.EquRectPLSP, 1, x, y);
  const double easting = Affine(ref.Pars.EquRectPLSP, 2, x, y);
  UTMToLatLong(easting, northing, ref.CalibData.UTMZone, ref.CalibData.UTMSouth,
               ref.CalibData.Ellipsoid, Lat, Long);
}

void UTMGeoToPixel(const TGeoRef& ref, double Lat, double Long, double& x, double& y) {
  double easting = 0, northing = 0;
  MapZoneUTM(ref.CalibData, Lat, Long, easting, northing);
  x = Affine(ref.Pars.EquRectSPPL, 1, northing, easting);
  y = Affine(ref.Pars.EquRectSPPL, 2, northing, easting);
}

bool CalcPixelCoordsUTM(const TGeoRef& ref, double Northing, double Easting, int& x, int& y) {
  x = y = 0;
  if (ref.Model != cmUTM) return false;
  const TAffineParams& F = ref.Pars.EquRectSPPL;
  const bool okX = RoundPixel(Affine(F, 1, Northing, Easting), x);
  const bool okY = RoundPixel(Affine(F, 2, Northing, Easting), y);
  return okX && okY;
}

namespace {

// Both rows of an affine relation under cmUTM, written only when finite.
bool UTMAffinePair(const TGeoRef& ref, const TAffineParams& P, double u, double v, double& a,
                   double& b) {
  a = b = 0;
  if (ref.Model != cmUTM) return false;
  const double ra = Affine(P, 1, u, v), rb = Affine(P, 2, u, v);
  if (!std::isfinite(ra) || !std::isfinite(rb)) return false;
  a = ra;
  b = rb;
  return true;
}

} // namespace

bool CalcUTMOfPixel(const TGeoRef& ref, double x, double y, double& Northing, double& Easting) {
  return UTMAffinePair(ref, ref.Pars.EquRectPLSP, x, y, Northing, Easting);
}

bool CalcPixelOfUTM(const TGeoRef& ref, double Northing, double Easting, double& x, double& y) {
  return UTMAffinePair(ref, ref.Pars.EquRectSPPL, Northing, Easting, x, y);
}

// A relation whose easting does not move x has no single crossing row.
int CalcUTMyFromNorthingX(const TAffineParams& F, double Northing, int x) {
  if (F(1, 3) == 0.0) return 0;
  const double easting = (x - F(1, 1) - F(1, 2) * Northing) / F(1, 3);
  return RoundPixel(Affine(F, 2, Northing, easting));
}

int CalcUTMxFromEastingY(const TAffineParams& F, double Easting, int y) {
  if (F(2, 2) == 0.0) return 0;
  const double northing = (y - F(2, 1) - F(2, 3) * Easting) / F(2, 2);
  return RoundPixel(Affine(F, 1, northing, Easting));
}

} // namespace kartavo
