// The UTM/UPS section of `kartavo demo`: places across the zones, the Norway
// and Svalbard exceptions and both poles, converted and converted back.
#include "cli.h"
#include "geo_args.h"

#include "kartavo/geobasics/geobasics.h"

#include <cmath>
#include <cstdio>
#include <numbers>
#include <ostream>

namespace kcli {
namespace {

struct Place {
  const char* name;
  double lat, lon;
};

constexpr Place kUtmPlaces[] = {
    {"Vienna", 48.2082, 16.3738},
    {"Quito (just south)", -0.1807, -78.4678},
    {"Sydney", -33.8688, 151.2093},
    {"Bergen (zone 32V)", 60.3913, 5.3221},
    {"Longyearbyen (33X)", 78.2232, 15.6267},
    {"Null Island", 0.0, 0.0},
};

constexpr Place kUpsPlaces[] = {
    {"North Pole", 90.0, 0.0},
    {"UPS edge 84 N, 45 W", 84.0, -45.0},
    {"Arctic Ocean 87 N, 120 E", 87.0, 120.0},
    {"South Pole", -90.0, 0.0},
    {"Mount Kirkpatrick", -84.3333, 166.3167},
    {"Pole of Inaccessibility", -82.1, 54.9667},
};

// Ground distance in metres between two nearby positions.
double Metres(double lat1, double lon1, double lat2, double lon2) {
  const double k = std::numbers::pi / 180.0 * 6371000.0;
  return std::hypot((lat2 - lat1) * k, (lon2 - lon1) * k * std::cos(lat1 * std::numbers::pi / 180));
}

void Line(std::ostream& out, const char* format, auto... args) {
  char text[200];
  std::snprintf(text, sizeof text, format, args...);
  out << text << '\n';
}

void ShowUtm(std::ostream& out) {
  Line(out, "%-24s %11s %11s  %-4s %12s %12s  %s", "UTM (WGS 84)", "lat", "lon", "zone", "easting",
       "northing", "back");
  for (const Place& p : kUtmPlaces) {
    int zone;
    double e, n, lat, lon;
    kartavo::LatLongToUTM(p.lat, p.lon, kartavo::gelWGS84, zone, e, n);
    kartavo::UTMToLatLong(e, n, zone, p.lat < 0, kartavo::gelWGS84, lat, lon);
    Line(out, "%-24s %11.6f %11.6f  %-4s %12.3f %12.3f  %.1e m", p.name, p.lat, p.lon,
         kartavo::GeoToUTMZone(p.lat, p.lon).c_str(), e, n, Metres(p.lat, p.lon, lat, lon));
  }
}

void ShowUps(std::ostream& out) {
  Line(out, "%-24s %11s %11s  %-4s %12s %12s  %s", "UPS (WGS 84)", "lat", "lon", "pole", "easting",
       "northing", "back");
  for (const Place& p : kUpsPlaces) {
    const bool south = p.lat < 0;
    double e, n, lat, lon;
    kartavo::LatLongToUPS(p.lat, p.lon, kartavo::gelWGS84, e, n);
    kartavo::UPSToLatLong(e, n, south, kartavo::gelWGS84, lat, lon);
    // At a pole every longitude is the same point.
    const double err =
        std::fabs(p.lat) == 90.0 ? std::fabs(lat - p.lat) : Metres(p.lat, p.lon, lat, lon);
    Line(out, "%-24s %11.6f %11.6f  %-4s %12.3f %12.3f  %.1e m", p.name, p.lat, p.lon,
         south ? "S" : "N", e, n, err);
  }
}

const DemoRegistrar demo(10, "UTM and UPS", [](std::ostream& out, const std::filesystem::path&) {
  ShowUtm(out);
  out << '\n';
  ShowUps(out);
});

} // namespace
} // namespace kcli
