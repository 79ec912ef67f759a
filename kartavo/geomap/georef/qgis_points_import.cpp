// Control points of a ".points" file turned into the calibration points of a
// record: the coordinate system decided, every value checked, the pixels
// rounded to the whole pixels the record keeps.
#include "kartavo/geobasics/utm.h"
#include "kartavo/geomap/detail/pixel_round.h"
#include "kartavo/geomap/georef/detail/field_text.h"
#include "kartavo/geomap/georef/qgis_points.h"
#include "kartavo/package/exceptions.h"

#include <algorithm>
#include <cmath>

namespace kartavo {
namespace {
using namespace georef;

constexpr int MaxImageEdge = 1000000;

[[noreturn]] void Fail(const std::string& name, const std::string& reason) {
  throw EORVGeoMapError(name + ": " + reason);
}

[[noreturn]] void FailAt(const std::string& name, const TGeorefPoint& p,
                         const std::string& reason) {
  Fail(name + " line " + std::to_string(p.Line), reason);
}

std::string ZoneText(int zone, bool south) { return std::to_string(zone) + (south ? "S" : "N"); }

// The system of the coordinates: as the file states it, or as the caller
// says (UTM zone given), or geographic.
TPointsCrs DecideCrs(const TGeorefPointsFile& file, const std::string& name,
                     const TPointsImport& o) {
  const TPointsCrs& stated = file.Crs;
  if (o.UTMZone != 0 && (o.UTMZone < 1 || o.UTMZone > 60))
    Fail(name, "UTM zone " + std::to_string(o.UTMZone) + " is outside 1 ... 60");
  switch (stated.Kind) {
  case pckOther:
    Fail(name, "the points are given in \"" + stated.Name +
                   "\": only geographic coordinates (longitude, latitude) or UTM can be read");
  case pckGeographic:
    if (o.UTMZone != 0)
      Fail(name, "the file states geographic coordinates (\"" + stated.Name + "\"), not UTM zone " +
                     ZoneText(o.UTMZone, o.UTMSouth));
    break;
  case pckUTM:
    if (o.UTMZone != 0 && (o.UTMZone != stated.Zone || o.UTMSouth != stated.South))
      Fail(name, "the file states UTM zone " + ZoneText(stated.Zone, stated.South) + " (\"" +
                     stated.Name + "\"), not " + ZoneText(o.UTMZone, o.UTMSouth));
    if (!stated.EllipsoidKnown)
      Fail(name, "cannot read UTM coordinates of \"" + stated.Name + "\"");
    break;
  case pckUnstated:
    break;
  }
  TPointsCrs crs = stated;
  if (crs.Kind == pckUnstated) {
    crs.Kind = o.UTMZone != 0 ? pckUTM : pckGeographic;
    crs.Zone = o.UTMZone;
    crs.South = o.UTMSouth;
    crs.Ellipsoid = gelWGS84;
  }
  return crs;
}

std::string Num(double v) { return Readable(v); }

void CheckPosition(const std::string& name, const TGeorefPoint& p, bool utm) {
  if (utm) {
    if (p.MapY < 0 || p.MapY > 10000000)
      FailAt(name, p, "northing (mapY) " + Num(p.MapY) + " is outside 0 ... 10000000");
    if (p.MapX < 0 || p.MapX > 1000000)
      FailAt(name, p, "easting (mapX) " + Num(p.MapX) + " is outside 0 ... 1000000");
    return;
  }
  const std::string hint = " (UTM coordinates need the zone)";
  if (p.MapY < -90 || p.MapY > 90)
    FailAt(name, p, "latitude (mapY) " + Num(p.MapY) + " is outside -90 ... 90" + hint);
  if (p.MapX < -180 || p.MapX > 180)
    FailAt(name, p, "longitude (mapX) " + Num(p.MapX) + " is outside -180 ... 180" + hint);
}

void CheckPixel(const std::string& name, const TGeorefPoint& p, int w, int h) {
  if (p.PixelY < 0)
    FailAt(name, p,
           "sourceY " + Num(-p.PixelY) +
               " lies above the image: rows below its top edge are written as negative numbers");
  if (p.PixelX < 0 || p.PixelX > w || p.PixelY > h)
    FailAt(name, p,
           "pixel " + Num(p.PixelX) + " " + Num(p.PixelY) + " lies outside the image (0 ... " +
               std::to_string(w) + ", 0 ... " + std::to_string(h) + ")");
}

} // namespace

TPointsImportResult GeorefPointsToCalibration(const TGeorefPointsFile& File,
                                              const std::string& Name, const TPointsImport& Options,
                                              TCalibData& cd) {
  const TPointsImport& o = Options;
  if (o.Model < cmBiquadraticPn || o.Model > cmUTM)
    Fail(Name, "control points calibrate the point-based models only");
  if (o.Width < 1 || o.Height < 1 || o.Width > MaxImageEdge || o.Height > MaxImageEdge)
    Fail(Name, "image size " + std::to_string(o.Width) + " x " + std::to_string(o.Height) +
                   " is outside 1 ... 1000000");
  const TPointsCrs crs = DecideCrs(File, Name, o);
  const bool utm = crs.Kind == pckUTM;
  if (o.Model == cmUTM && !utm)
    Fail(Name, "the utm model needs UTM coordinates: the file states none and no zone was given");

  TPointsImportResult result;
  result.Converted = utm && o.Model != cmUTM;
  TCalibData out = cd;
  out.NumCalQuads = 0;
  for (const TGeorefPoint& p : File.Points) {
    if (!p.Enabled) {
      ++result.Disabled;
      continue;
    }
    CheckPosition(Name, p, utm);
    CheckPixel(Name, p, o.Width, o.Height);
    if (out.NumCalQuads == MaxCalQuads)
      FailAt(Name, p, "more than " + std::to_string(MaxCalQuads) + " enabled points");
    TCalQuad q;
    q.Latitude = p.MapY;
    q.Longitude = p.MapX;
    if (result.Converted)
      UTMToLatLong(p.MapX, p.MapY, crs.Zone, crs.South, crs.Ellipsoid, q.Latitude, q.Longitude);
    RoundPixel(p.PixelX, q.MapX);
    RoundPixel(p.PixelY, q.MapY);
    result.MaxRounding =
        std::max(result.MaxRounding, std::hypot(p.PixelX - q.MapX, p.PixelY - q.MapY));
    out.CalQuads[++out.NumCalQuads] = q;
  }
  if (out.NumCalQuads == 0)
    Fail(Name, File.Points.empty() ? "no control points" : "no enabled control points");
  if (o.Model == cmUTM) {
    out.UTMZone = crs.Zone;
    out.UTMSouth = crs.South;
    out.Ellipsoid = crs.Ellipsoid;
  }
  result.Used = out.NumCalQuads;
  cd = out;
  return result;
}

} // namespace kartavo
