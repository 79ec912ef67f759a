#include "kartavo/geomap/georef/model_compare.h"

#include "kartavo/geobasics/utm.h"
#include "kartavo/geomap/calib_fits.h"
#include "kartavo/geomap/georef/model_determination.h"

#include <array>

namespace kartavo {
namespace {

bool HasZone(const TCalibData& cd) { return cd.UTMZone >= 1 && cd.UTMZone <= 60; }

// The points as latitude and longitude.
TCalibData Geographic(const TCalibData& cd) {
  TCalibData out = cd;
  if (!HasZone(cd)) return out;
  for (int i = 1; i <= CalQuadCount(cd); ++i) {
    TCalQuad& q = out.CalQuads[i];
    UTMToLatLong(q.Longitude, q.Latitude, cd.UTMZone, cd.UTMSouth, cd.Ellipsoid, q.Latitude,
                 q.Longitude);
  }
  out.UTMZone = -1;
  return out;
}

// The points as northing and easting in their common zone; the reason when
// they have none.
std::string InUtm(const TCalibData& cd, TCalibData& out) {
  out = cd;
  if (HasZone(cd)) return {};
  for (int i = 1; i <= CalQuadCount(cd); ++i) {
    TCalQuad& q = out.CalQuads[i];
    int zone = 0;
    double easting = 0, northing = 0;
    LatLongToUTM(q.Latitude, q.Longitude, gelWGS84, zone, easting, northing);
    const bool south = q.Latitude < 0;
    if (zone == 0) return "the points lie outside the UTM zones";
    if (i > 1 && (zone != out.UTMZone || south != out.UTMSouth))
      return "the points lie in more than one UTM zone";
    out.UTMZone = zone;
    out.UTMSouth = south;
    out.Ellipsoid = gelWGS84;
    q.Latitude = south && northing < 0 ? northing + 10000000 : northing;
    q.Longitude = easting;
  }
  return {};
}

TModelComparison Compare(TCalibModel model, const TCalibData& points, int w, int h) {
  TModelComparison c;
  c.Model = model;
  c.Skipped = UndeterminedReason(model, points);
  if (!c.Skipped.empty()) return c;
  TModelParams pars;
  const tessaro::TMatrix grat(5, 1);
  FitCalibModel(model, points, w, h, pars);
  c.Diagnostics = DiagnoseCalibration({model, points, pars, grat});
  return c;
}

} // namespace

std::vector<TModelComparison> CompareCalibModels(const TCalibData& cd, int Width, int Height) {
  static constexpr std::array<TCalibModel, 5> models = {cmEquiRect, cmMillerCylindrical,
                                                        cmConicConformal, cmBiquadraticPn, cmUTM};
  const TCalibData geographic = Geographic(cd);
  TCalibData utm;
  const std::string noUtm = InUtm(cd, utm);
  std::vector<TModelComparison> result;
  for (TCalibModel model : models) {
    if (model == cmUTM && !noUtm.empty()) {
      result.push_back({model, noUtm, {}});
      continue;
    }
    result.push_back(Compare(model, model == cmUTM ? utm : geographic, Width, Height));
  }
  return result;
}

} // namespace kartavo
