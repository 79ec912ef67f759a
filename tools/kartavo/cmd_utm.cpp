// kartavo utm: geographic positions to UTM "zone band easting northing" and,
// with --reverse, "zone N|S easting northing" back to "lat lon".
#include "cli.h"
#include "geo_args.h"
#include "projection_lines.h"

#include "kartavo/geobasics/geobasics.h"

#include <iostream>

namespace kcli {
namespace {

std::string UtmForward(const ProjectionOptions& o, const std::vector<std::string>& fields) {
  double lat, lon;
  if (std::string error = ReadLatLong(fields, lat, lon); !error.empty()) return error;
  int zone;
  char16_t band;
  kartavo::GeoToUTMZone(lat, lon, zone, band);
  if (zone == 0) {
    std::cout << "0 position outside the UTM zones (latitude -80..84, longitude -180..<180)\n";
    return {};
  }
  double easting, northing;
  kartavo::LatLongToUTM(lat, lon, o.ellipsoid, zone, easting, northing);
  std::cout << zone << ' ' << static_cast<char>(band) << ' ' << Fixed(easting, o.decimals) << ' '
            << Fixed(northing, o.decimals) << '\n';
  return {};
}

// "zone N|S easting northing", the zone and hemisphere also joined ("33N").
std::string UtmReverse(const ProjectionOptions& o, std::vector<std::string> fields) {
  if (fields.size() == 3 && fields[0].size() > 1) {
    const std::string joined = fields[0];
    fields[0] = joined.substr(0, joined.size() - 1);
    fields.insert(fields.begin() + 1, joined.substr(joined.size() - 1));
  }
  if (fields.size() != 4) return "expected \"zone N|S easting northing\"";
  int zone;
  if (!ParseInt(fields[0], zone) || zone < 1 || zone > 60)
    return "zone \"" + fields[0] + "\" is not a number 1..60";
  bool south;
  if (std::string error = ReadHemisphere(fields[1], south); !error.empty()) return error;
  double easting, northing;
  if (std::string error = ReadGrid(fields[2], fields[3], easting, northing); !error.empty())
    return error;
  double lat, lon;
  kartavo::UTMToLatLong(easting, northing, zone, south, o.ellipsoid, lat, lon);
  WriteLatLong(lat, lon, o.decimals);
  return {};
}

const CommandRegistrar registrar(11, [](CLI::App& root) {
  auto* sub = root.add_subcommand(
      "utm", "Convert \"lat lon\" (degrees) to UTM \"zone band easting northing\" (metres); "
             "positions outside the UTM zones give zone 0 and a note");
  auto o = AddProjectionOptions(
      sub, "Read \"zone N|S easting northing\" (N or S is the hemisphere, not the band; \"33N\" "
           "also works) and write \"lat lon\"");
  sub->callback([o] {
    ParseEllipsoid(o->ellipsoidText, o->ellipsoid);
    ForEachProjectionLine("utm", *o, [&](const std::vector<std::string>& fields) {
      return o->reverse ? UtmReverse(*o, fields) : UtmForward(*o, fields);
    });
  });
});

} // namespace
} // namespace kcli
