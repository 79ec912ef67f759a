#include "kartavo/geomap/georef/georef_crs.h"

#include "kartavo/geobasics/ellipsoid_catalogue.h"
#include "kartavo/geobasics/ellipsoids.h"
#include "kartavo/geomap/georef/detail/field_text.h"
#include "kartavo/package/exceptions.h"

namespace kartavo {
namespace {
using georef::ExactDecimal;

const char* const Wgs84Geogcs =
    "GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\",SPHEROID[\"WGS 84\",6378137,298.257223563,"
    "AUTHORITY[\"EPSG\",\"7030\"]],AUTHORITY[\"EPSG\",\"6326\"]],PRIMEM[\"Greenwich\",0,"
    "AUTHORITY[\"EPSG\",\"8901\"]],UNIT[\"degree\",0.0174532925199433,AUTHORITY[\"EPSG\","
    "\"9122\"]],AXIS[\"Latitude\",NORTH],AXIS[\"Longitude\",EAST],AUTHORITY[\"EPSG\",\"4326\"]]";

std::string EllipsoidGeogcs(TGeoEllipsoid e) {
  const size_t i = EllipsoidIndex(e);
  const TEllipsoidAxes& axes = GeoEllipsoidData[i];
  const std::string name(GeoEllipsoidName[i]);
  return "GEOGCS[\"" + name + "\",DATUM[\"unknown based on " + name + " ellipsoid\",SPHEROID[\"" +
         name + "\"," + ExactDecimal(axes.MajAx) + "," +
         ExactDecimal(axes.MajAx == axes.MinAx ? 0 : RecipFlattening(axes.MajAx, axes.MinAx)) +
         "]],PRIMEM[\"Greenwich\",0],UNIT[\"degree\",0.0174532925199433],AXIS[\"Latitude\",NORTH]"
         ",AXIS[\"Longitude\",EAST]]";
}

TGeorefCrs UtmCrs(const TCalibData& cd) {
  if (cd.UTMZone < 1 || cd.UTMZone > 60)
    throw EORVGeoMapError("the utm calibration has no UTM zone (" + std::to_string(cd.UTMZone) +
                          ")");
  const std::string zone = std::to_string(cd.UTMZone) + (cd.UTMSouth ? "S" : "N");
  const bool wgs84 = cd.Ellipsoid == gelWGS84;
  const std::string geogcs = wgs84 ? Wgs84Geogcs : EllipsoidGeogcs(cd.Ellipsoid);
  const std::string name = (wgs84 ? std::string("WGS 84")
                                  : std::string(GeoEllipsoidName[EllipsoidIndex(cd.Ellipsoid)])) +
                           " / UTM zone " + zone;
  const int epsg = (cd.UTMSouth ? 32700 : 32600) + cd.UTMZone;
  TGeorefCrs crs;
  crs.Utm = true;
  crs.Wkt = "PROJCS[\"" + name + "\"," + geogcs +
            ",PROJECTION[\"Transverse_Mercator\"],PARAMETER[\"latitude_of_origin\",0],"
            "PARAMETER[\"central_meridian\"," +
            std::to_string(cd.UTMZone * 6 - 183) +
            "],PARAMETER[\"scale_factor\",0.9996],PARAMETER[\"false_easting\",500000],"
            "PARAMETER[\"false_northing\"," +
            (cd.UTMSouth ? "10000000" : "0") +
            "],UNIT[\"metre\",1],AXIS[\"Easting\",EAST],AXIS[\"Northing\",NORTH]" +
            (wgs84 ? ",AUTHORITY[\"EPSG\",\"" + std::to_string(epsg) + "\"]" : std::string()) + "]";
  crs.Label = wgs84 ? "EPSG:" + std::to_string(epsg) : name;
  return crs;
}

} // namespace

TGeorefCrs CalibrationCrs(TCalibModel Model, const TCalibData& cd) {
  if (Model == cmUTM) return UtmCrs(cd);
  return {false, Wgs84Geogcs, "EPSG:4326"};
}

} // namespace kartavo
