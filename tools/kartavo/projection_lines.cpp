#include "projection_lines.h"

#include "cli.h"
#include "geo_args.h"

#include <cmath>

namespace kcli {

std::shared_ptr<ProjectionOptions> AddProjectionOptions(CLI::App* sub,
                                                        const std::string& reverseHelp) {
  auto o = std::make_shared<ProjectionOptions>();
  sub->add_option("-e,--ellipsoid", o->ellipsoidText,
                  "Ellipsoid: identifier (gelWGS84 or WGS84, any case), name or ordinal 0..60 "
                  "(see `kartavo ellipsoids`)")
      ->check(EllipsoidValidator())
      ->capture_default_str();
  sub->add_option("-p,--precision", o->decimals,
                  "Decimals of metres; degrees are written with 5 more")
      ->check(CLI::Range(0, 10))
      ->capture_default_str();
  sub->add_flag("-r,--reverse", o->reverse, reverseHelp);
  sub->add_option("values", o->values,
                  "One input line given as arguments; "
                  "without them every line of standard input is read");
  sub->preparse_callback([o](std::size_t) { o->values.clear(); });
  return o;
}

std::string ReadLatLong(const LineFields& fields, double& lat, double& lon) {
  if (fields.size() != 2) return "expected \"lat lon\"";
  if (!ParseNumber(fields[0], lat))
    return "latitude \"" + std::string(fields[0]) + "\" is not a number";
  if (!ParseNumber(fields[1], lon))
    return "longitude \"" + std::string(fields[1]) + "\" is not a number";
  if (lat < -90.0 || lat > 90.0)
    return "latitude " + std::string(fields[0]) + " is outside -90 ... 90";
  return {};
}

std::string ReadGrid(std::string_view e, std::string_view n, const GridRange& range,
                     double& easting, double& northing) {
  if (!ParseNumber(e, easting)) return "easting \"" + std::string(e) + "\" is not a number";
  if (!ParseNumber(n, northing)) return "northing \"" + std::string(n) + "\" is not a number";
  if (easting < range.MinEasting || easting > range.MaxEasting)
    return "easting " + std::string(e) + " is outside " + Shortest(range.MinEasting) + " ... " +
           Shortest(range.MaxEasting);
  if (northing < range.MinNorthing || northing > range.MaxNorthing)
    return "northing " + std::string(n) + " is outside " + Shortest(range.MinNorthing) + " ... " +
           Shortest(range.MaxNorthing);
  return {};
}

std::string CheckPosition(double lat, double lon) {
  if (std::isfinite(lat) && std::isfinite(lon) && lat >= -90.0 && lat <= 90.0) return {};
  return "the coordinates give no position";
}

void WriteLatLong(OutputBuffer& out, double lat, double lon, int decimals) {
  out.Fixed(lat, decimals + 5);
  out.Put(' ');
  out.Fixed(lon, decimals + 5);
}

} // namespace kcli
