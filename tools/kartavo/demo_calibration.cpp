// Demo section: one synthetic conic map of 2000 x 1500 pixels calibrated
// under each model, with the corners, resolution and fit quality it gives.
#include "cli.h"

#include "kartavo/geobasics/transverse_mercator.h"
#include "kartavo/geomap/geomap.h"

#include <cmath>
#include <iomanip>
#include <ostream>

namespace {

using namespace kartavo;

constexpr int MapW = 2000, MapH = 1500;
constexpr double ApexX = 900, ApexY = -6000;

// The synthetic map: parallels are circles around the apex, meridians rays.
double LatAt(int x, int y) { return 70 - 0.002 * std::hypot(x - ApexX, y - ApexY); }
double LongAt(int x, int y) { return 12 + 25 * std::atan((x - ApexX) / (y - ApexY)); }

void AddPoints(TGeoMap& map) {
  for (int i = 0; i < 5; ++i)
    for (int j = 0; j < 4; ++j) {
      const int x = 100 + i * 450, y = 80 + j * 440;
      if (map.CalibModel() != cmUTM) {
        map.AddCalibPoint(LatAt(x, y), LongAt(x, y), x, y);
        continue;
      }
      // Grid coordinates in the map's zone 32, also east of its edge.
      double tx = 0, ty = 0;
      LatLongToTM(LatAt(x, y) * M_PI / 180, LongAt(x, y) * M_PI / 180, UTMCentralMeridian(32),
                  gelWGS84, tx, ty);
      map.AddCalibPoint(0.9996 * ty, 0.9996 * tx + 500000, map.UTMZone(), hemiNorth, x, y);
    }
}

// Three parallels and three meridians of whole degrees, four points each.
void AddGraticule(TGeoMap& map) {
  for (double lat : {56.0, 58.0, 60.0}) {
    const double r = (70 - lat) / 0.002;
    for (int x : {200, 800, 1400, 1900})
      map.AddCalibPoint(
          gtlParallel, lat, x,
          static_cast<int>(std::lround(ApexY + std::sqrt(r * r - (x - ApexX) * (x - ApexX)))));
  }
  for (double lon : {10.0, 12.0, 14.0}) {
    const double t = std::tan((lon - 12) / 25);
    for (int y : {100, 500, 900, 1400})
      map.AddCalibPoint(gtlMeridian, lon, static_cast<int>(std::lround(ApexX + t * (y - ApexY))),
                        y);
  }
}

void Report(std::ostream& out, const TGeoMap& map) {
  const TCalibData& cd = map.CalibData();
  out << std::fixed << std::setprecision(4);
  out << "  corners  TL " << cd.Corners[gcoTopLeft].Latit << "," << cd.Corners[gcoTopLeft].Longit
      << "  BL " << cd.Corners[gcoBottomLeft].Latit << "," << cd.Corners[gcoBottomLeft].Longit
      << "  BR " << cd.Corners[gcoBottomRight].Latit << "," << cd.Corners[gcoBottomRight].Longit
      << "  TR " << cd.Corners[gcoTopRight].Latit << "," << cd.Corners[gcoTopRight].Longit << '\n';
  double qx = 0, qy = 0;
  map.CalibQuality(qx, qy);
  out << std::setprecision(2) << "  resolution " << cd.Resolution << " m/pixel, quality (rms px) "
      << qx << " / " << qy << '\n';
}

void RunDemo(std::ostream& out, const std::filesystem::path&) {
  out << "A conic map of " << MapW << " x " << MapH
      << " pixels (apex 6000 pixels above the top edge), calibrated under each model:\n";
  for (TCalibModel model :
       {cmParabolicIp, cmBiquadraticPn, cmConicConformal, cmMillerCylindrical, cmEquiRect, cmUTM}) {
    TGeoMap map(nullptr);
    map.SetSuppressPaint(true);
    map.MapBitmap()->SetSize(MapW, MapH);
    map.SetCalibModel(model);
    if (model == cmUTM) map.SetUTMZone(32);
    if (model == cmParabolicIp)
      AddGraticule(map);
    else
      AddPoints(map);
    out << CalibModelNames[model] << ":\n";
    Report(out, map);
  }
  out << std::setprecision(4) << "true corners: TL " << LatAt(0, 0) << "," << LongAt(0, 0)
      << "  BR " << LatAt(MapW, MapH) << "," << LongAt(MapW, MapH) << '\n';
}

const kcli::DemoRegistrar demo(40, "Map calibration", RunDemo);

} // namespace
