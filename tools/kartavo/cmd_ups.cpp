// kartavo ups: geographic positions to UPS "n|s easting northing" and, with
// --reverse, back to "lat lon".
#include "cli.h"
#include "geo_args.h"
#include "projection_lines.h"

#include "kartavo/geobasics/geobasics.h"

#include <cctype>

namespace kcli {
namespace {

// The UPS areas: north of 84 N and south of 80 S; UTM covers the rest.
bool InUPSArea(double lat) { return lat >= 84.0 || lat <= -80.0; }

// Coordinates the polar projections accept: the areas above with 400 km
// (north) and 700 km (south) to spare around the zone boundary.
constexpr GridRange NorthPole{1200000, 2800000, 1200000, 2800000};
constexpr GridRange SouthPole{700000, 3300000, 700000, 3300000};

std::string UpsForward(const ProjectionOptions& o, const LineFields& fields, OutputBuffer& out) {
  double lat, lon;
  if (std::string error = ReadLatLong(fields, lat, lon); !error.empty()) return error;
  if (!InUPSArea(lat))
    return "latitude " + std::string(fields[0]) +
           " is outside the UPS areas (84 ... 90, -80 ... -90; `kartavo utm` covers the rest)";
  double easting, northing;
  kartavo::LatLongToUPS(lat, lon, o.ellipsoid, easting, northing);
  out.Put(Designator(lat < 0));
  out.Put(' ');
  out.Fixed(easting, o.decimals);
  out.Put(' ');
  out.Fixed(northing, o.decimals);
  return {};
}

// n or s (any case), or the polar band letters A, B (south) and Y, Z (north).
std::string ReadPole(std::string_view word, bool& south) {
  const char c = word.size() == 1
                     ? static_cast<char>(std::toupper(static_cast<unsigned char>(word[0])))
                     : '\0';
  if (c == 'N' || c == 'Y' || c == 'Z') {
    south = false;
    return {};
  }
  if (c == 'S' || c == 'A' || c == 'B') {
    south = true;
    return {};
  }
  return "hemisphere \"" + std::string(word) + "\" is not n or s";
}

std::string UpsReverse(const ProjectionOptions& o, const LineFields& fields, OutputBuffer& out) {
  if (fields.size() != 3) return "expected \"n|s easting northing\"";
  bool south = false;
  if (std::string error = ReadPole(fields[0], south); !error.empty()) return error;
  double easting, northing;
  if (std::string error =
          ReadGrid(fields[1], fields[2], south ? SouthPole : NorthPole, easting, northing);
      !error.empty())
    return error;
  double lat, lon;
  kartavo::UPSToLatLong(easting, northing, south, o.ellipsoid, lat, lon);
  if (std::string error = CheckPosition(lat, lon); !error.empty()) return error;
  WriteLatLong(out, lat, lon, o.decimals);
  return {};
}

const CommandRegistrar registrar(12, [](CLI::App& root) {
  auto* sub = root.add_subcommand(
      "ups", "Convert \"lat lon\" (degrees) to UPS \"n|s easting northing\" (metres) in the polar "
             "areas (latitude 84 ... 90 and -80 ... -90)");
  auto o = AddProjectionOptions(sub, "Read \"n|s easting northing\" (any case; A, B, Y, Z also) "
                                     "and write \"lat lon\"");
  sub->callback([o] {
    ParseEllipsoid(o->ellipsoidText, o->ellipsoid);
    const LineStream stream{"ups", o->reverse ? "* *" : "* * *"};
    ConvertLines(stream, o->values, [&](const LineFields& fields, OutputBuffer& out) {
      return o->reverse ? UpsReverse(*o, fields, out) : UpsForward(*o, fields, out);
    });
  });
});

} // namespace
} // namespace kcli
