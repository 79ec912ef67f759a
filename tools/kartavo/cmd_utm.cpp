// kartavo utm: geographic positions to UTM "zone easting northing", the zone
// with its hemisphere designator ("33n", "56s") as the reference tools of
// the field write it, and with --reverse back to "lat lon".
#include "cli.h"
#include "geo_args.h"
#include "projection_lines.h"

#include "kartavo/geobasics/geobasics.h"

#include <cmath>

namespace kcli {
namespace {

// Easting and northing a zone accepts: 500 km either side of the central
// meridian, from 81 S (northern frame) or 81 N (southern frame) to 86.5 N
// or 9 S, as far as the projection is sound.
constexpr GridRange NorthFrame{0, 1000000, -9100000, 9600000};
constexpr GridRange SouthFrame{0, 1000000, 900000, 19600000};

bool IsBandLetter(char c) {
  c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return c >= 'C' && c <= 'X' && c != 'I' && c != 'O';
}
bool BandIsSouth(char c) { return std::toupper(static_cast<unsigned char>(c)) < 'N'; }

std::string UtmForward(const ProjectionOptions& o, const LineFields& fields, OutputBuffer& out) {
  double lat, lon;
  if (std::string error = ReadLatLong(fields, lat, lon); !error.empty()) return error;
  lon = WrappedLongitude(lon);
  int zone;
  char16_t band;
  kartavo::GeoToUTMZone(lat, lon, zone, band);
  if (zone == 0)
    return "latitude " + std::string(fields[0]) +
           " is outside the UTM zones (-80 ... 84; `kartavo ups` covers the poles)";
  double easting, northing;
  kartavo::LatLongToUTM(lat, lon, o.ellipsoid, zone, easting, northing);
  out.Integer(zone);
  out.Put(Designator(lat < 0));
  if (o.band) {
    out.Put(' ');
    out.Put(static_cast<char>(band));
  }
  out.Put(' ');
  out.Fixed(easting, o.decimals);
  out.Put(' ');
  out.Fixed(northing, o.decimals);
  return {};
}

// The zone and hemisphere of a reverse line, and how many fields they took:
// "33n", "33s" (the designator, any case) or "33T" (a band letter) in one
// field; or "33 N", "33 T" in two, or "33n S" with the band after the
// designator. A lone S after the zone is refused: as a band it lies north,
// as a hemisphere south.
std::string ReadZone(const LineFields& f, int& zone, bool& south, size_t& used) {
  const std::string_view word = f[0];
  const size_t digits = word.find_first_not_of("0123456789");
  const std::string_view number = word.substr(0, digits);
  if (!ParseInteger(number, zone) || zone < 1 || zone > 60)
    return "zone \"" + std::string(word) + "\" is not a number 1 ... 60";
  const std::string_view suffix = digits == std::string_view::npos ? "" : word.substr(digits);
  const bool twoFields = f.size() == 4;
  used = twoFields ? 2 : 1;
  if (suffix.size() > 1 || (suffix.size() == 1 && !IsBandLetter(suffix[0])))
    return "zone \"" + std::string(word) + "\" does not end in n, s or a band letter";
  const char joined = suffix.empty() ? '\0' : suffix[0];
  const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(joined)));
  if (!twoFields) {
    if (joined == '\0') return "zone \"" + std::string(word) + "\" lacks its hemisphere (33n, 33s)";
    south = upper == 'S' || (upper != 'N' && BandIsSouth(upper));
    return {};
  }
  const std::string_view letter = f[1];
  if (letter.size() != 1 || !IsBandLetter(letter[0]))
    return "\"" + std::string(letter) + "\" after the zone is not N or a band letter";
  const char l = static_cast<char>(std::toupper(static_cast<unsigned char>(letter[0])));
  if (upper == 'N' || upper == 'S') {
    south = upper == 'S';
    if (BandIsSouth(l) != south)
      return "band " + std::string(1, l) + " does not lie in hemisphere " + std::string(1, joined);
    return {};
  }
  if (joined != '\0')
    return "expected \"zone easting northing\" after \"" + std::string(word) + "\"";
  if (l == 'S')
    return "\"S\" after the zone is ambiguous (band S lies north, hemisphere S south): write " +
           std::string(number) + "n or " + std::string(number) + "s";
  south = l != 'N' && BandIsSouth(l);
  return {};
}

std::string UtmReverse(const ProjectionOptions& o, const LineFields& fields, OutputBuffer& out) {
  if (fields.size() != 3 && fields.size() != 4) return "expected \"zone easting northing\"";
  int zone = 0;
  bool south = false;
  size_t used = 0;
  if (std::string error = ReadZone(fields, zone, south, used); !error.empty()) return error;
  double easting, northing;
  if (std::string error = ReadGrid(fields[used], fields[used + 1], south ? SouthFrame : NorthFrame,
                                   easting, northing);
      !error.empty())
    return error;
  double lat, lon;
  kartavo::UTMToLatLong(easting, northing, zone, south, o.ellipsoid, lat, lon);
  if (lon < -180.0) lon += 360.0;
  if (lon > 180.0) lon -= 360.0;
  if (std::string error = CheckPosition(lat, lon); !error.empty()) return error;
  WriteLatLong(out, lat, lon, o.decimals);
  return {};
}

const CommandRegistrar registrar(11, [](CLI::App& root) {
  auto* sub = root.add_subcommand(
      "utm", "Convert \"lat lon\" (degrees) to UTM \"zone easting northing\" (metres); the zone "
             "carries its hemisphere (33n, 56s)");
  auto o = AddProjectionOptions(
      sub, "Read \"zone easting northing\" and write \"lat lon\"; the zone as written forward "
           "(33n, 33s), with a band letter (33T, 33 T) or N; a lone S is refused as ambiguous");
  sub->add_flag("-b,--band", o->band,
                "Write the latitude band letter in a column of its own after the zone");
  sub->callback([o] {
    ParseEllipsoid(o->ellipsoidText, o->ellipsoid);
    const LineStream stream{"utm", o->reverse ? "* *" : (o->band ? "* * * *" : "* * *")};
    ConvertLines(stream, o->values, [&](const LineFields& fields, OutputBuffer& out) {
      return o->reverse ? UtmReverse(*o, fields, out) : UtmForward(*o, fields, out);
    });
  });
});

} // namespace
} // namespace kcli
