#include "kartavo/geomap/georef/calib_diagnostics.h"

#include "kartavo/geomap/georef/detail/field_text.h"
#include "kartavo/geomap/georef/detail/ground_scale.h"
#include "kartavo/geomap/georef/detail/point_pairs.h"
#include "kartavo/geomap/georef/model_determination.h"

#include <cmath>
#include <cstdio>

namespace kartavo {
namespace {
using namespace georef;

// Pixel of a point's position through the model.
bool ModelPixel(const TGeoRef& ref, double a, double b, double& x, double& y) {
  return ref.Model == cmUTM ? CalcPixelOfUTM(ref, a, b, x, y)
                            : CalcPixelOfPosition(ref, a, b, x, y);
}

// Metres on the ground of a pixel displacement at a point: the model's
// geographic-to-pixel relation differentiated there and inverted.
double GroundMetres(const TGeoRef& ref, const TCalQuad& q, double dx, double dy) {
  const bool utm = ref.Model == cmUTM;
  const double h = utm ? 1.0 : 1e-5; // metres, degrees
  double x1, y1, x2, y2, x3, y3, x4, y4;
  if (!ModelPixel(ref, q.Latitude + h, q.Longitude, x1, y1) ||
      !ModelPixel(ref, q.Latitude - h, q.Longitude, x2, y2) ||
      !ModelPixel(ref, q.Latitude, q.Longitude + h, x3, y3) ||
      !ModelPixel(ref, q.Latitude, q.Longitude - h, x4, y4))
    return NAN;
  // Pixels per unit of latitude (northing) and of longitude (easting).
  const double xa = (x1 - x2) / (2 * h), ya = (y1 - y2) / (2 * h);
  const double xb = (x3 - x4) / (2 * h), yb = (y3 - y4) / (2 * h);
  const double det = xa * yb - xb * ya;
  if (!std::isfinite(det) || det == 0) return NAN;
  const double da = (yb * dx - xb * dy) / det, db = (-ya * dx + xa * dy) / det;
  const TGroundScale k = utm ? TGroundScale{1, 1} : GroundScaleAt(q.Latitude);
  return std::hypot(da * k.North, db * k.East);
}

std::string Num(double v, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  return buf;
}

void Residuals(const TGeoRef& ref, TCalibDiagnostics& d) {
  const TCalibData& cd = ref.CalibData;
  for (int i = 1; i <= CalQuadCount(cd); ++i) {
    const TCalQuad& q = cd.CalQuads[i];
    TPointResidual r;
    r.Index = i;
    double x = 0, y = 0;
    r.Valid =
        ModelPixel(ref, q.Latitude, q.Longitude, x, y) && std::isfinite(x) && std::isfinite(y);
    if (r.Valid) {
      r.Dx = x - q.MapX;
      r.Dy = y - q.MapY;
      r.Pixels = std::hypot(r.Dx, r.Dy);
      r.Metres = GroundMetres(ref, q, r.Dx, r.Dy);
      ++d.Used;
      if (d.Worst == 0 || r.Pixels > d.Points[static_cast<size_t>(d.Worst - 1)].Pixels) d.Worst = i;
    }
    d.Points.push_back(r);
  }
}

void Statistics(TCalibDiagnostics& d) {
  double sx = 0, sy = 0, sm = 0;
  int metres = 0;
  for (const TPointResidual& r : d.Points) {
    if (!r.Valid) continue;
    sx += r.Dx * r.Dx;
    sy += r.Dy * r.Dy;
    if (std::isfinite(r.Metres)) {
      sm += r.Metres * r.Metres;
      ++metres;
    }
  }
  if (d.Used > 0) d.RmsPlain = std::sqrt((sx + sy) / d.Used);
  d.Redundancy = d.Used - d.Terms;
  if (d.Redundancy < 1) return;
  d.RmsX = std::sqrt(sx / d.Redundancy);
  d.RmsY = std::sqrt(sy / d.Redundancy);
  d.Rms = std::sqrt((sx + sy) / d.Redundancy);
  const int metreRedundancy = metres - d.Terms;
  d.RmsMetres = metreRedundancy >= 1 ? std::sqrt(sm / metreRedundancy) : NAN;
}

// A residual this many times the others' RMS marks a point as suspect.
constexpr double StandsOut = 3;

// The plain RMS residual of the valid points other than the worst.
double RmsOfOthers(const TCalibDiagnostics& d) {
  double sum = 0;
  int n = 0;
  for (const TPointResidual& r : d.Points)
    if (r.Valid && r.Index != d.Worst) {
      sum += r.Pixels * r.Pixels;
      ++n;
    }
  return n > 0 ? std::sqrt(sum / n) : 0;
}

void Warn(const TGeoRef& ref, TCalibDiagnostics& d) {
  const std::string undetermined = UndeterminedReason(ref.Model, ref.CalibData);
  if (!undetermined.empty()) d.Warnings.push_back(undetermined);
  if (d.Used < static_cast<int>(d.Points.size()))
    d.Warnings.push_back(std::to_string(d.Points.size() - static_cast<size_t>(d.Used)) +
                         " points lie where the model places no pixel");
  if (d.Redundancy < 1 && d.Used >= d.Terms)
    d.Warnings.push_back("no redundancy: " + std::to_string(d.Used) + " points for a model with " +
                         std::to_string(d.Terms) +
                         " coefficients per coordinate fit exactly, whatever their errors; add "
                         "points to check them");
  if (d.Worst > 0 && d.Redundancy >= 2) {
    const TPointResidual& w = d.Points[static_cast<size_t>(d.Worst - 1)];
    const double others = RmsOfOthers(d);
    if (w.Pixels > 1 && w.Pixels > StandsOut * others)
      d.Warnings.push_back("point " + std::to_string(d.Worst) + " misses by " + Num(w.Pixels, 1) +
                           " pixels, more than " + Num(StandsOut, 0) +
                           " times the other points (rms " + Num(others, 2) +
                           "): check its position and pixel");
  }
  for (std::string& text : ContradictingPairs(ref.CalibData, ref.Model == cmUTM))
    d.Warnings.push_back(std::move(text));
}

} // namespace

TCalibDiagnostics DiagnoseCalibration(const TGeoRef& ref) {
  TCalibDiagnostics d;
  if (ref.Model < cmBiquadraticPn || ref.Model > cmUTM) {
    d.Warnings.push_back(
        std::string("the model ") +
        std::string(CalibModelNames[ref.Model <= cmUndefined ? ref.Model : cmUndefined]) +
        " has no calibration points to check");
    return d;
  }
  d.Terms = ModelTermsPerCoordinate(ref.Model);
  Residuals(ref, d);
  Statistics(d);
  Warn(ref, d);
  return d;
}

} // namespace kartavo
