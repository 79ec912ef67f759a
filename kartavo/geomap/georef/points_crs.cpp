// Which coordinate system the "#CRS:" line of a control point file names:
// geographic, a UTM zone, or something else.
#include "kartavo/geobasics/ellipsoid_catalogue.h"
#include "kartavo/geobasics/ellipsoids.h"
#include "kartavo/geomap/georef/detail/field_text.h"
#include "kartavo/geomap/georef/qgis_points.h"

#include <array>
#include <cmath>
#include <cstdlib>

namespace kartavo {
namespace {
using namespace georef;

// EPSG codes of common geographic systems and of the UTM series, with the
// ellipsoid of their datum.
struct TEpsgSeries {
  int First, Last; // codes; for UTM the zone is code - First + ZoneBase
  int ZoneBase;    // 0: geographic
  bool South;
  TGeoEllipsoid Ellipsoid;
};
constexpr std::array<TEpsgSeries, 11> EpsgSeries = {{
    {4326, 4326, 0, false, gelWGS84},    // WGS 84
    {4258, 4258, 0, false, gelGRS80},    // ETRS89
    {4269, 4269, 0, false, gelGRS80},    // NAD83
    {4230, 4230, 0, false, gelInt24},    // ED50
    {4267, 4267, 0, false, gelClrk66},   // NAD27
    {32601, 32660, 1, false, gelWGS84},  // WGS 84 / UTM zone 1N ... 60N
    {32701, 32760, 1, true, gelWGS84},   // WGS 84 / UTM zone 1S ... 60S
    {25828, 25838, 28, false, gelGRS80}, // ETRS89 / UTM zone 28N ... 38N
    {26901, 26923, 1, false, gelGRS80},  // NAD83 / UTM zone 1N ... 23N
    {23028, 23038, 28, false, gelInt24}, // ED50 / UTM zone 28N ... 38N
    {26701, 26722, 1, false, gelClrk66}, // NAD27 / UTM zone 1N ... 22N
}};

bool FromEpsg(long code, TPointsCrs& crs) {
  for (const TEpsgSeries& s : EpsgSeries) {
    if (code < s.First || code > s.Last) continue;
    crs.Kind = s.ZoneBase == 0 ? pckGeographic : pckUTM;
    crs.Zone = s.ZoneBase == 0 ? 0 : static_cast<int>(code - s.First) + s.ZoneBase;
    crs.South = s.South;
    crs.EllipsoidKnown = true;
    crs.Ellipsoid = s.Ellipsoid;
    return true;
  }
  return false;
}

long LeadingInteger(std::string_view text) {
  text = Trim(text);
  long v = 0;
  size_t i = 0;
  for (; i < text.size() && i < 9 && text[i] >= '0' && text[i] <= '9'; ++i)
    v = v * 10 + (text[i] - '0');
  return i == 0 ? -1 : v;
}

// "UTM ZONE 32N" anywhere in the upper-cased text: zone and hemisphere.
bool UtmZoneInName(const std::string& upper, TPointsCrs& crs) {
  const size_t at = upper.find("UTM ZONE ");
  if (at == std::string::npos) return false;
  size_t i = at + 9;
  int zone = 0;
  for (; i < upper.size() && upper[i] >= '0' && upper[i] <= '9' && zone < 100; ++i)
    zone = zone * 10 + (upper[i] - '0');
  if (zone < 1 || zone > 60 || i >= upper.size() || (upper[i] != 'N' && upper[i] != 'S'))
    return false;
  crs.Kind = pckUTM;
  crs.Zone = zone;
  crs.South = upper[i] == 'S';
  return true;
}

// The ellipsoid of the catalogue with this semi-major axis and reciprocal
// flattening (0: sphere).
bool CatalogueEllipsoid(double a, double rf, TGeoEllipsoid& found) {
  for (size_t i = 0; i < GeoEllipsoidData.size(); ++i) {
    const TEllipsoidAxes& axes = GeoEllipsoidData[i];
    const double own = axes.MajAx == axes.MinAx ? 0 : RecipFlattening(axes.MajAx, axes.MinAx);
    if (std::fabs(axes.MajAx - a) < 1e-3 && std::fabs(own - rf) < 5e-7) {
      found = static_cast<TGeoEllipsoid>(i);
      return true;
    }
  }
  return false;
}

// ELLIPSOID["name",a,rf,...] or SPHEROID[...] of a WKT text.
void WktEllipsoid(const std::string& text, const std::string& upper, TPointsCrs& crs) {
  size_t at = upper.find("ELLIPSOID[");
  if (at == std::string::npos) at = upper.find("SPHEROID[");
  if (at == std::string::npos) return;
  const size_t open = text.find('[', at);
  const size_t close = text.find(']', open);
  const auto fields = SplitFields(std::string_view(text).substr(open + 1, close - open - 1), ',');
  double a = 0, rf = 0;
  if (fields.size() < 3 || !ParseFiniteNumber(fields[1], a) || !ParseFiniteNumber(fields[2], rf))
    return;
  crs.EllipsoidKnown = CatalogueEllipsoid(a, rf, crs.Ellipsoid);
  if (!crs.EllipsoidKnown)
    crs.Name += ": its ellipsoid " + std::string(fields[0]) + " (a " + std::string(fields[1]) +
                ", 1/f " + std::string(fields[2]) + ") is none of the package's ellipsoids";
}

// The code of the last ID["EPSG",n] or AUTHORITY["EPSG","n"]: in WKT the
// system's own identifier follows everything it contains.
long LastEpsgId(const std::string& upper) {
  for (const char* key : {"ID[\"EPSG\",", "AUTHORITY[\"EPSG\",\""}) {
    const size_t at = upper.rfind(key);
    if (at != std::string::npos)
      return LeadingInteger(std::string_view(upper).substr(at + std::string(key).size()));
  }
  return -1;
}

TPointsCrs FromWkt(const std::string& text) {
  TPointsCrs crs;
  std::string upper = Upper(text);
  // A bound system (a datum shift attached) describes its source system.
  if (upper.rfind("BOUNDCRS[", 0) == 0 && upper.find("SOURCECRS[") != std::string::npos)
    return FromWkt(text.substr(upper.find("SOURCECRS[") + 10));
  const std::string keyword = upper.substr(0, upper.find('['));
  const size_t q1 = text.find('"'), q2 = text.find('"', q1 + 1);
  crs.Name = q1 == std::string::npos || q2 == std::string::npos ? keyword
                                                                : text.substr(q1 + 1, q2 - q1 - 1);
  const bool geographic = keyword == "GEOGCS" || keyword == "GEOGCRS" ||
                          keyword == "GEOGRAPHICCRS" ||
                          (keyword == "GEODCRS" && upper.find("CARTESIAN") == std::string::npos);
  const bool projected = keyword == "PROJCS" || keyword == "PROJCRS" || keyword == "PROJECTEDCRS";
  crs.Kind = geographic ? pckGeographic : pckOther;
  if (projected) {
    TPointsCrs coded;
    if (FromEpsg(LastEpsgId(upper), coded) && coded.Kind == pckUTM) {
      coded.Name = crs.Name;
      crs = coded;
    } else {
      if (!UtmZoneInName(Upper(crs.Name), crs)) UtmZoneInName(upper, crs);
    }
  }
  if (crs.Kind != pckOther && !crs.EllipsoidKnown) {
    crs.EllipsoidKnown = true; // WGS 84 unless the text names another
    crs.Ellipsoid = gelWGS84;
  }
  if (crs.Kind != pckOther) WktEllipsoid(text, upper, crs);
  return crs;
}

TPointsCrs FromProj(const std::string& text) {
  TPointsCrs crs;
  crs.Name = text;
  const std::string upper = Upper(text);
  const auto has = [&](const char* what) { return upper.find(what) != std::string::npos; };
  if (has("+PROJ=LONGLAT") || has("+PROJ=LATLONG")) crs.Kind = pckGeographic;
  const size_t zone = upper.find("+ZONE=");
  if (has("+PROJ=UTM") && zone != std::string::npos) {
    const long z = LeadingInteger(std::string_view(upper).substr(zone + 6));
    if (z >= 1 && z <= 60) {
      crs.Kind = pckUTM;
      crs.Zone = static_cast<int>(z);
      crs.South = has("+SOUTH");
    }
  }
  crs.EllipsoidKnown = true;
  if (has("+ELLPS=GRS80"))
    crs.Ellipsoid = gelGRS80;
  else if (has("+ELLPS=INTL"))
    crs.Ellipsoid = gelInt24;
  else if (has("+ELLPS=CLRK66"))
    crs.Ellipsoid = gelClrk66;
  else if (has("+ELLPS=") && !has("+ELLPS=WGS84"))
    crs.EllipsoidKnown = false;
  return crs;
}

} // namespace

TPointsCrs RecognizePointsCrs(const std::string& Text) {
  const std::string text(Trim(Text));
  if (text.empty()) return {};
  const std::string upper = Upper(text);
  if (upper.rfind("EPSG:", 0) == 0) {
    TPointsCrs crs;
    crs.Name = text;
    crs.Kind = pckOther;
    FromEpsg(LeadingInteger(std::string_view(text).substr(5)), crs);
    return crs;
  }
  if (upper.find("+PROJ=") != std::string::npos) return FromProj(text);
  return FromWkt(text);
}

} // namespace kartavo
