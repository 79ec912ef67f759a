// kartavo ups: geographic positions to UPS "N|S easting northing" and, with
// --reverse, back to "lat lon".
#include "cli.h"
#include "geo_args.h"
#include "projection_lines.h"

#include "kartavo/geobasics/geobasics.h"

#include <iostream>

namespace kcli {
namespace {

// The UPS areas: north of 84 N and south of 80 S; UTM covers the rest.
bool InUPSArea(double lat) { return lat >= 84.0 || lat <= -80.0; }

std::string UpsForward(const ProjectionOptions& o, const std::vector<std::string>& fields) {
  double lat, lon;
  if (std::string error = ReadLatLong(fields, lat, lon); !error.empty()) return error;
  if (!InUPSArea(lat)) {
    std::cout << "0 position outside the UPS areas (latitude 84..90 or -80..-90)\n";
    return {};
  }
  double easting, northing;
  kartavo::LatLongToUPS(lat, lon, o.ellipsoid, easting, northing);
  std::cout << (lat >= 0.0 ? 'N' : 'S') << ' ' << Fixed(easting, o.decimals) << ' '
            << Fixed(northing, o.decimals) << '\n';
  return {};
}

std::string UpsReverse(const ProjectionOptions& o, const std::vector<std::string>& fields) {
  if (fields.size() != 3) return "expected \"N|S easting northing\"";
  bool south;
  if (std::string error = ReadHemisphere(fields[0], south); !error.empty()) return error;
  double easting, northing;
  if (std::string error = ReadGrid(fields[1], fields[2], easting, northing); !error.empty())
    return error;
  double lat, lon;
  kartavo::UPSToLatLong(easting, northing, south, o.ellipsoid, lat, lon);
  WriteLatLong(lat, lon, o.decimals);
  return {};
}

const CommandRegistrar registrar(12, [](CLI::App& root) {
  auto* sub = root.add_subcommand(
      "ups", "Convert \"lat lon\" (degrees) to UPS \"N|S easting northing\" (metres); positions "
             "outside the polar areas give 0 and a note");
  auto o = AddProjectionOptions(sub, "Read \"N|S easting northing\" and write \"lat lon\"");
  sub->callback([o] {
    ParseEllipsoid(o->ellipsoidText, o->ellipsoid);
    ForEachProjectionLine("ups", *o, [&](const std::vector<std::string>& fields) {
      return o->reverse ? UpsReverse(*o, fields) : UpsForward(*o, fields);
    });
  });
});

} // namespace
} // namespace kcli
