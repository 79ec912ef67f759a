// kartavo cart: geographic positions to geocentric Cartesian coordinates and
// back, on one catalogue ellipsoid.
#include "cli.h"
#include "geo_args.h"

#include "kartavo/geobasics/cartesian.h"

#include <cmath>
#include <memory>

namespace kcli {
namespace {

struct CartOptions {
  std::string ellipsoid = "gelWGS84";
  bool reverse = false;
  std::vector<std::string> values;
};

// "lat lon [height]" -> "X Y Z".
std::string ToCartesian(const LineFields& fields, kartavo::TGeoEllipsoid e, OutputBuffer& out) {
  double lat, lon, h;
  if (!ReadTriple(fields, lat, lon, h)) return "expected latitude longitude [height]";
  if (lat < -90 || lat > 90) return "latitude " + std::string(fields[0]) + " is outside -90 ... 90";
  double x, y, z;
  kartavo::GeoToCartesian(lat, lon, h, e, x, y, z);
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z))
    return "the position has no geocentric coordinates";
  WriteThree(out, x, y, z, 4, 4);
  return {};
}

// "X Y Z" -> "lat lon height".
std::string ToGeographic(const LineFields& fields, kartavo::TGeoEllipsoid e, OutputBuffer& out) {
  double x, y, z;
  if (fields.size() != 3 || !ReadTriple(fields, x, y, z)) return "expected X Y Z";
  double lat, lon, h;
  kartavo::CartesianToGeo(x, y, z, e, lat, lon, h);
  if (!std::isfinite(lat) || !std::isfinite(lon) || !std::isfinite(h))
    return "the coordinates give no position";
  WriteThree(out, lat, lon, h, 9, 4);
  return {};
}

void RunCart(const CartOptions& o) {
  kartavo::TGeoEllipsoid e = kartavo::gelWGS84;
  ParseEllipsoid(o.ellipsoid, e);
  ConvertLines({"cart", "* * *"}, o.values, [&](const LineFields& fields, OutputBuffer& out) {
    return o.reverse ? ToGeographic(fields, e, out) : ToCartesian(fields, e, out);
  });
}

const CommandRegistrar registrar(30, [](CLI::App& root) {
  auto o = std::make_shared<CartOptions>();
  auto* sub = root.add_subcommand(
      "cart", "Geographic \"lat lon [height]\" to geocentric \"X Y Z\" (metres), or back");
  sub->add_option("-e,--ellipsoid", o->ellipsoid, "Ellipsoid: gelWGS84, WGS84, \"WGS 1984\" or 0")
      ->check(EllipsoidValidator())
      ->capture_default_str();
  sub->add_flag("-r,--reverse", o->reverse, "Read \"X Y Z\" and write \"lat lon height\"");
  sub->add_option("VALUES", o->values, "One position; without it, one per line of input");
  sub->callback([o] { RunCart(*o); });
});

} // namespace
} // namespace kcli
