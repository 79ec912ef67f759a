#include "generate_map.h"
#include "db_open.h"
#include "render_map.h"

#include "kartavo/companion/quillon.h"
#include "kartavo/framework/canvas.h"
#include "kartavo/geomap/geomap_control.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace kcli {
namespace {
using namespace kartavo;

constexpr int MaxPixels = 3000000; // what a map control loads

// The map control with what its plain-procedure host callback needs: the
// callback finds it as the event's Sender.
struct GeneratingMap : TGeoMap {
  GeneratingMap(TGeoDB* db, const FeatureKinds& kinds) : TGeoMap(nullptr), DB(db), Kinds(kinds) {}
  TGeoDB* DB;
  const FeatureKinds& Kinds;
  FeatureCounts Drawn{};
};

void DrawEntries(fw::TObject* Sender, fw::TCanvas* Canvas, double LatLow, double LongLow,
                 double LatHigh, double LongHigh, int32_t Wid, int32_t Hgt) {
  auto* map = dynamic_cast<GeneratingMap*>(Sender);
  if (!map || !map->DB) return;
  const TGeneratedMapBox box = PreparedMapBox(LatLow, LongLow, LatHigh, LongHigh, 1, 1, Wid, Hgt);
  map->Drawn = DrawDatabaseFeatures(*Canvas, *map->DB, box, map->Kinds);
}

// 1600 pixels wide unless given; the height keeps a degree of latitude as
// long as one of longitude inside the 30-pixel margin; within the limit.
void ChooseSize(const GenerateRequest& q, int& w, int& h) {
  w = q.Width > 0 ? q.Width : 1600;
  h = q.Height;
  if (h <= 0) {
    const double inner = (w - 60.0) * (q.North - q.South) / (q.East - q.West);
    h = static_cast<int>(std::lround(std::clamp(inner, 40.0, 1e6))) + 60;
    if (double(w) * h > MaxPixels) {
      const double shrink = std::sqrt(MaxPixels / (double(w) * h));
      w = int(w * shrink);
      h = int(h * shrink);
    }
  }
  if (double(w) * h > MaxPixels)
    throw std::runtime_error("--size: " + std::to_string(w) + "x" + std::to_string(h) +
                             " is more than the " + std::to_string(MaxPixels) +
                             " pixels a map image may have");
}

void CheckBox(const GenerateRequest& q) {
  for (double v : {q.South, q.North})
    if (!(v >= -90 && v <= 90)) throw std::runtime_error("--box: latitudes lie in -90 .. 90");
  for (double v : {q.West, q.East})
    if (!(v >= -360 && v <= 360)) throw std::runtime_error("--box: longitudes lie in -360 .. 360");
  if (!(q.North > q.South) || !(q.East > q.West))
    throw std::runtime_error("--box: S W N E with S below N and W west of E");
}

} // namespace

double DefaultGridSpacing(double Extent) {
  static constexpr double steps[] = {0.01, 0.02, 0.05, 0.1, 0.2, 0.5, 1, 2,
                                     5,    10,   15,   30,  45,  60,  90};
  for (double s : steps)
    if (s >= Extent / 8) return s;
  return 90;
}

GenerateReport GenerateMapFiles(const GenerateRequest& q) {
  CheckBox(q);
  GenerateReport r;
  ChooseSize(q, r.Width, r.Height);
  r.DLat = q.DLat > 0 ? q.DLat : DefaultGridSpacing(q.North - q.South);
  r.DLon = q.DLon > 0 ? q.DLon : DefaultGridSpacing(q.East - q.West);
  std::unique_ptr<TGeoDB> db;
  if (!q.Database.empty()) db = OpenDB(q.Database, Access::Read);
  GeneratingMap map(db.get(), q.Kinds);
  map.SetName("generate");
  map.SetSuppressPaint(true);
  map.CreateAndLoadEmptyMap(q.Name, q.South, q.West, q.North, q.East, r.DLat, r.DLon, r.Width,
                            r.Height, DrawEntries);
  r.Bmp = map.MapImgFile();
  r.Xml = quillon::StripExtension(q.Name) + ".xml"; // where the control wrote it
  r.Drawn = map.Drawn;
  if (!q.Png.empty()) {
    RenderRequest render;
    render.Calibration = r.Xml;
    render.Output = q.Png;
    render.Landmarks = q.Landmarks;
    render.LandmarksId = q.LandmarksId;
    render.Frame = 0;
    RenderMapToFile(render);
  }
  return r;
}

} // namespace kcli
