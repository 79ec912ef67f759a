// kartavo ellipsoids: the catalogue of reference ellipsoids, one line each.
#include "cli.h"
#include "geo_args.h"

#include "kartavo/geobasics/ellipsoids.h"

#include <cstdio>
#include <iostream>

namespace kcli {
namespace {

void RunEllipsoids() {
  for (std::size_t i = 0; i < kartavo::GeoEllipsoidCount; ++i) {
    const auto el = static_cast<kartavo::TGeoEllipsoid>(i);
    const kartavo::TEllipsoidAxes& axes = kartavo::GeoEllipsoidData[i];
    char line[160];
    std::snprintf(line, sizeof line, "%2zu  %-16.*s  %-34.*s  %-11s  %-14s  %s", i,
                  static_cast<int>(kartavo::GeoEllipsoidId[i].size()),
                  kartavo::GeoEllipsoidId[i].data(),
                  static_cast<int>(kartavo::GeoEllipsoidName[i].size()),
                  kartavo::GeoEllipsoidName[i].data(), Shortest(axes.MajAx).c_str(),
                  Shortest(axes.MinAx).c_str(), Fixed(kartavo::RecipFlattening(el), 9).c_str());
    std::cout << line << '\n';
  }
}

const CommandRegistrar registrar(10, [](CLI::App& root) {
  auto* sub = root.add_subcommand(
      "ellipsoids",
      "List the reference ellipsoids: ordinal, identifier, name, semi-major and semi-minor axis "
      "(m), reciprocal flattening (0 for a sphere)");
  sub->callback(RunEllipsoids);
});

} // namespace
} // namespace kcli
