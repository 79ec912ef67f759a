// kartavo cart: geographic positions to geocentric Cartesian coordinates and
// back, on one catalogue ellipsoid.
#include "cli.h"
#include "geo_args.h"

#include "kartavo/geobasics/cartesian.h"

#include <iostream>
#include <memory>

namespace kcli {
namespace {

struct CartOptions {
  std::string ellipsoid = "gelWGS84";
  bool reverse = false;
  std::vector<std::string> values;
};

// "lat lon [height]" -> "X Y Z"; false (with a message) on a bad line.
bool ToCartesian(const std::string& line, int lineNo, kartavo::TGeoEllipsoid e) {
  double lat, lon, h;
  if (!ParseTriple(line, lat, lon, h)) {
    std::cerr << "kartavo cart: line " << lineNo << ": \"" << line
              << "\": expected latitude longitude [height]\n";
    return false;
  }
  if (lat < -90 || lat > 90) {
    std::cerr << "kartavo cart: line " << lineNo << ": latitude " << lat << " outside -90 ... 90\n";
    return false;
  }
  double x, y, z;
  kartavo::GeoToCartesian(lat, lon, h, e, x, y, z);
  std::cout << Fixed(x, 4) << ' ' << Fixed(y, 4) << ' ' << Fixed(z, 4) << '\n';
  return true;
}

// "X Y Z" -> "lat lon height".
bool ToGeographic(const std::string& line, int lineNo, kartavo::TGeoEllipsoid e) {
  const std::vector<std::string> fields = SplitFields(line);
  double x, y, z;
  if (fields.size() != 3 || !ParseTriple(line, x, y, z)) {
    std::cerr << "kartavo cart: line " << lineNo << ": \"" << line << "\": expected X Y Z\n";
    return false;
  }
  double lat, lon, h;
  kartavo::CartesianToGeo(x, y, z, e, lat, lon, h);
  std::cout << Fixed(lat, 9) << ' ' << Fixed(lon, 9) << ' ' << Fixed(h, 4) << '\n';
  return true;
}

void RunCart(const CartOptions& o) {
  kartavo::TGeoEllipsoid e = kartavo::gelWGS84;
  ParseEllipsoid(o.ellipsoid, e);
  ForEachInputLine(o.values, [&](const std::string& line, int lineNo) {
    if (SplitFields(line).empty()) {
      std::cout << '\n';
      return;
    }
    bool ok = o.reverse ? ToGeographic(line, lineNo, e) : ToCartesian(line, lineNo, e);
    if (!ok) SetExitCode(exitBadInput);
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
