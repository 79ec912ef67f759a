// Map-image pixel to geographic position and back under the point-based
// models, dispatched by the model in force.
#include "kartavo/geomap/detail/conversion_utm.h"
#include "kartavo/geomap/detail/pixel_round.h"
#include "kartavo/geomap/geo_conversion.h"

#include <cmath>
#include <cstdint>
#include <numbers>

namespace kartavo {
namespace {

constexpr double pi = std::numbers::pi;
// 2.5 · 180/π: the inverse Miller ordinate in degrees.
constexpr double MillerLatFactor = 143.2394487827058;

enum class Axis { Lat, Long };

double Biquad(const TBiquadParams& P, int row, int x, int y) {
  const int64_t lx = x, ly = y;
  return P(row, 1) + P(row, 2) * x + P(row, 3) * y + P(row, 4) * double(lx * lx) +
         P(row, 5) * double(lx * ly) + P(row, 6) * double(ly * ly);
}

double Biquad(const TBiquadParams& P, int row, double u, double v) {
  return P(row, 1) + P(row, 2) * u + P(row, 3) * v + P(row, 4) * u * u + P(row, 5) * u * v +
         P(row, 6) * v * v;
}

double Affine(const TAffineParams& P, int row, double u, double v) {
  return P(row, 1) + P(row, 2) * u + P(row, 3) * v;
}

// The conic position of a pixel: distance and bearing around the apex. At
// the apex itself the bearing is undefined; on the apex row it is ±π/2.
bool ConicPixelToGeo(const TConicParams& C, double x, double y, Axis axis, double& out) {
  const double dx = x - C[1], dy = y - C[2];
  if (axis == Axis::Lat) {
    out = C[3] * std::sqrt(dx * dx + dy * dy) + C[4];
    return true;
  }
  if (dy == 0.0) {
    if (dx == 0.0) return false;
    out = C[5] * (dx > 0 ? pi / 2 : -pi / 2) + C[6];
    return true;
  }
  out = C[5] * std::atan(dx / dy) + C[6];
  return true;
}

bool MillerPixelToGeo(const TMillerParams& M, double x, double y, Axis axis, double& out) {
  if (axis == Axis::Lat) {
    if (M(1, 1) == 0.0) return false;
    out = (std::atan(std::exp((y - M(1, 2)) / M(1, 1))) - pi / 4) * MillerLatFactor;
    return true;
  }
  if (M(2, 1) == 0.0) return false;
  out = (x - M(2, 2)) / M(2, 1) / pi * 180;
  return true;
}

// For whole pixels (int) as the interface gives them, and for fractional
// ones (double); the biquadratic squares of whole pixels are exact integers.
template <typename T> bool PixelToGeo(const TGeoRef& ref, T x, T y, Axis axis, double& out) {
  const int row = axis == Axis::Lat ? 1 : 2;
  bool valid = false;
  switch (ref.Model) {
  case cmParabolicIp:
    out = axis == Axis::Lat ? GraticuleLatitude(ref.GratMat, x, y, valid)
                            : GraticuleLongitude(ref.GratMat, x, y, valid);
    return valid;
  case cmBiquadraticPn:
    out = Biquad(ref.Pars.CalParsPLSP, row, x, y);
    return true;
  case cmConicConformal:
    return ConicPixelToGeo(ref.Pars.ConicPars, x, y, axis, out);
  case cmMillerCylindrical:
    return MillerPixelToGeo(ref.Pars.MillercylPar, x, y, axis, out);
  case cmEquiRect:
    out = Affine(ref.Pars.EquRectPLSP, row, x, y);
    return true;
  case cmUTM: {
    double lat = 0, lon = 0;
    UTMPixelToGeo(ref, x, y, lat, lon);
    out = axis == Axis::Lat ? lat : lon;
    return true;
  }
  case cmUndefined:
    break;
  }
  return false;
}

template <typename T>
double CheckedPixelToGeo(const TGeoRef& ref, T x, T y, Axis axis, bool& valid) {
  double out = 0;
  valid = PixelToGeo(ref, x, y, axis, out) && std::isfinite(out);
  return valid ? out : 0.0;
}

// The interface's form rounds the row before the column follows from it;
// the fractional form (wholeRow false) keeps the row as computed.
bool ConicGeoToPixel(const TConicParams& C, double phi, double lambda, bool wholeRow, double& x,
                     double& y) {
  if (C[3] == 0.0 || C[5] == 0.0) return false;
  const double t = std::tan((lambda - C[6]) / C[5]);
  const double q = ((phi - C[4]) / C[3]) / std::sqrt(1 + t * t);
  // Positions south of the equator lie on the other side of the apex row.
  y = phi >= 0 ? C[2] + q : C[2] - q;
  if (wholeRow) {
    int ry = 0;
    if (!RoundPixel(y, ry)) return false;
    y = ry;
  }
  x = t * (y - C[2]) + C[1];
  return true;
}

// The unrounded pixel of a position; false when the model cannot place it.
bool GeoToPixel(const TGeoRef& ref, double phi, double lambda, bool wholeRow, double& x,
                double& y) {
  const TModelParams& P = ref.Pars;
  switch (ref.Model) {
  case cmBiquadraticPn:
    x = Biquad(P.CalParsSPPL, 1, phi, lambda);
    y = Biquad(P.CalParsSPPL, 2, phi, lambda);
    return true;
  case cmConicConformal:
    return ConicGeoToPixel(P.ConicPars, phi, lambda, wholeRow, x, y);
  case cmMillerCylindrical:
    x = lambda / 180 * pi * P.MillercylPar(2, 1) + P.MillercylPar(2, 2);
    y = std::log(std::tan(phi / 180 * pi * 0.4 + pi / 4)) * P.MillercylPar(1, 1) +
        P.MillercylPar(1, 2);
    return true;
  case cmEquiRect:
    x = Affine(P.EquRectSPPL, 1, phi, lambda);
    y = Affine(P.EquRectSPPL, 2, phi, lambda);
    return true;
  case cmUTM:
    UTMGeoToPixel(ref, phi, lambda, x, y);
    return true;
  case cmParabolicIp:
  case cmUndefined:
    break;
  }
  return false;
}

} // namespace

double CalcLatitude(const TGeoRef& ref, int x, int y, bool& valid) {
  return CheckedPixelToGeo(ref, x, y, Axis::Lat, valid);
}

double CalcLongitude(const TGeoRef& ref, int x, int y, bool& valid) {
  return CheckedPixelToGeo(ref, x, y, Axis::Long, valid);
}

bool CalcPixelCoords(const TGeoRef& ref, double Lat, double Long, int& x, int& y) {
  if (ref.Model == cmUndefined) return false;
  if (ref.Model == cmParabolicIp) return GraticulePixel(ref.GratMat, Lat, Long, x, y);
  double fx = 0, fy = 0;
  if (!GeoToPixel(ref, Lat, Long, true, fx, fy)) {
    x = y = 0;
    return false;
  }
  // Both are written even when one is not finite, which makes the result invalid.
  const bool okX = RoundPixel(fx, x);
  const bool okY = RoundPixel(fy, y);
  return okX && okY;
}

bool CalcPositionOfPixel(const TGeoRef& ref, double x, double y, double& Lat, double& Long) {
  bool validLat = false, validLong = false;
  Lat = CheckedPixelToGeo(ref, x, y, Axis::Lat, validLat);
  Long = CheckedPixelToGeo(ref, x, y, Axis::Long, validLong);
  return validLat && validLong;
}

bool CalcPixelOfPosition(const TGeoRef& ref, double Lat, double Long, double& x, double& y) {
  x = y = 0;
  bool valid = false;
  if (ref.Model == cmParabolicIp)
    valid = GraticulePixelOf(ref.GratMat, Lat, Long, x, y);
  else
    valid = GeoToPixel(ref, Lat, Long, false, x, y);
  if (valid && std::isfinite(x) && std::isfinite(y)) return true;
  x = y = 0;
  return false;
}

} // namespace kartavo
