#include "geo_args.h"

#include "cli.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace kcli {
namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

} // namespace

bool ParseEllipsoid(const std::string& text, kartavo::TGeoEllipsoid& ellipsoid) {
  int ordinal = 0;
  if (ParseInt(text, ordinal)) {
    if (ordinal < 0 || ordinal >= static_cast<int>(kartavo::GeoEllipsoidCount)) return false;
    ellipsoid = static_cast<kartavo::TGeoEllipsoid>(ordinal);
    return true;
  }
  const std::string wanted = Lower(text);
  for (size_t i = 0; i < kartavo::GeoEllipsoidCount; ++i) {
    const std::string id = Lower(kartavo::GeoEllipsoidId[i]);
    if (wanted == id || wanted == id.substr(3) || wanted == Lower(kartavo::GeoEllipsoidName[i])) {
      ellipsoid = static_cast<kartavo::TGeoEllipsoid>(i);
      return true;
    }
  }
  return false;
}

CLI::Validator EllipsoidValidator() {
  return CLI::Validator(
      [](std::string& value) {
        kartavo::TGeoEllipsoid e;
        if (ParseEllipsoid(value, e)) return std::string();
        return "unknown ellipsoid \"" + value +
               "\": give an identifier (gelWGS84 or WGS84), a name (\"WGS 1984\") or an "
               "ordinal 0 ... 60";
      },
      "ELLIPSOID");
}

bool ContainsText(std::string_view text, std::string_view part) {
  return Lower(text).find(Lower(part)) != std::string::npos;
}

bool SameText(std::string_view a, std::string_view b) { return Lower(a) == Lower(b); }

bool ReadTriple(const LineFields& fields, double& a, double& b, double& c) {
  if (fields.size() < 2 || fields.size() > 3) return false;
  c = 0;
  return ParseNumber(fields[0], a) && ParseNumber(fields[1], b) &&
         (fields.size() == 2 || ParseNumber(fields[2], c));
}

double WrappedLongitude(double lon) {
  if (lon >= -180.0 && lon < 180.0) return lon;
  const double w = std::fmod(lon + 180.0, 360.0);
  return (w < 0 ? w + 360.0 : w) - 180.0;
}

namespace {

std::string Print(const char* format, int digits, double value) {
  std::string text(std::snprintf(nullptr, 0, format, digits, value), '\0');
  std::snprintf(text.data(), text.size() + 1, format, digits, value);
  return text;
}

} // namespace

std::string Shortest(double value) { return Print("%.*g", 15, value == 0 ? 0.0 : value); }

std::string Fixed(double value, int decimals) {
  std::string text = Print("%.*f", decimals, value);
  // A value that rounds to zero prints without a sign.
  if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

void WriteThree(OutputBuffer& out, double a, double b, double c, int decimals, int lastDecimals) {
  out.Fixed(a, decimals);
  out.Put(' ');
  out.Fixed(b, decimals);
  out.Put(' ');
  out.Fixed(c, lastDecimals);
}

} // namespace kcli
