// A Lambert conformal conic map for the conic calibration tests: 1600 x 1200
// pixels of 300 m, standard parallels 45 and 49 N, centred on 47 N 2 E (on a
// sphere), and 25 control points on a 5 x 5 grid across it.
#pragma once

#include "kartavo/geomap/calib_records.h"

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

namespace kartavo::testing {

struct TLccMap {
  static constexpr int Width = 1600, Height = 1200;

  // The true position of a pixel.
  static void Position(double px, double py, double& lat, double& lon) {
    constexpr double pi = std::numbers::pi, R = 6371000.0, deg = pi / 180;
    const double p1 = 45 * deg, p2 = 49 * deg, p0 = 47 * deg, l0 = 2 * deg;
    const double n = std::log(std::cos(p1) / std::cos(p2)) /
                     std::log(std::tan(pi / 4 + p2 / 2) / std::tan(pi / 4 + p1 / 2));
    const double f = std::cos(p1) * std::pow(std::tan(pi / 4 + p1 / 2), n) / n;
    const double rho0 = R * f / std::pow(std::tan(pi / 4 + p0 / 2), n);
    const double x = (px - Width / 2) * 300.0, y = (Height / 2 - py) * 300.0;
    const double rho = std::hypot(x, rho0 - y), theta = std::atan2(x, rho0 - y);
    lat = (2 * std::atan(std::pow(R * f / rho, 1 / n)) - pi / 2) / deg;
    lon = (l0 + theta / n) / deg;
  }

  // The control points, positions rounded to 6 decimals as a user types them.
  static TCalibData Points() {
    TCalibData cd;
    for (int px : {100, 450, 800, 1150, 1500})
      for (int py : {100, 350, 600, 850, 1100}) {
        double lat = 0, lon = 0;
        Position(px, py, lat, lon);
        cd.CalQuads[++cd.NumCalQuads] = {std::round(lat * 1e6) / 1e6, std::round(lon * 1e6) / 1e6,
                                         px, py};
      }
    return cd;
  }

  // The same as "lat lon x y" lines.
  static std::string PointLines() {
    const TCalibData cd = Points();
    std::string text;
    for (int i = 1; i <= cd.NumCalQuads; ++i) {
      char line[80];
      std::snprintf(line, sizeof line, "%.6f %.6f %d %d\n", cd.CalQuads[i].Latitude,
                    cd.CalQuads[i].Longitude, cd.CalQuads[i].MapX, cd.CalQuads[i].MapY);
      text += line;
    }
    return text;
  }
};

} // namespace kartavo::testing
