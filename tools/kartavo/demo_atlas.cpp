// Demo section: an atlas of three nested maps of one region (the world,
// Europe, Switzerland), generated and calibrated here with the capitals of
// the country table drawn on them. A user's session is played as posted
// clicks in zoom mode: in twice on Zurich, then out twice, and the atlas is
// written as a PNG after each switch.
#include "atlas_maps.h"
#include "cli.h"
#include "control_picture.h"

#include "kartavo/framework/canvas.h"
#include "kartavo/framework/headless_backend.h"
#include "kartavo/framework/png_codec.h"
#include "kartavo/framework/screen.h"
#include "kartavo/geoatlas/geoatlas_control.h"
#include "kartavo/geobasics/country_table.h"
#include "kartavo/geomap/output/generated_map.h"

#include <cstdio>
#include <ostream>
#include <string>

namespace kcli {
namespace {
using namespace kartavo;
namespace fs = std::filesystem;

struct DemoMap {
  const char* File;
  const char* Caption;
  double LatLow, LongLow, LatHigh, LongHigh, Grid;
  int Width, Height;
};
// Each finer by a factor of about seven to twelve.
constexpr DemoMap kMaps[] = {
    // The picture's 30-pixel margin reaches 85 N and 73 S, 180 W and 180 E.
    {"atlas_world", "World", -60, -165, 72, 165, 30, 720, 360},
    {"atlas_europe", "Europe", 34, -12, 72, 42, 10, 720, 560},
    {"atlas_switzerland", "Switzerland", 45.6, 5.8, 48.0, 10.6, 1, 760, 440},
};
constexpr double kZurichLat = 47.3769, kZurichLong = 8.5417;

struct Town {
  const char* Name;
  double Lat, Long;
};
// Towns besides the capitals, for the maps small enough to name places.
constexpr Town kTowns[] = {{"Zurich", kZurichLat, kZurichLong},
                           {"Geneva", 46.2044, 6.1432},
                           {"Basel", 47.5596, 7.5886},
                           {"Lugano", 46.0037, 8.9511}};

bool InBox(double lat, double lon, double LatLow, double LongLow, double LatHigh, double LongHigh) {
  return lat > LatLow && lat < LatHigh && lon > LongLow && lon < LongHigh;
}

void DrawPlace(fw::TCanvas& c, const TGeneratedMapBox& box, double lat, double lon,
               const std::string& name) {
  const int x = GridMeridianX(box, lon), y = GridParallelY(box, lat);
  c.Brush()->SetStyle(fw::bsSolid);
  c.Rectangle(x - 2, y - 2, x + 3, y + 3);
  if (name.empty()) return;
  c.Brush()->SetStyle(fw::bsClear);
  c.TextOut(x + 5, y - 7, name);
}

// The capitals inside the box as red dots, named where the box is small
// enough for names to be read.
void DrawCapitals(fw::TObject*, fw::TCanvas* c, double LatLow, double LongLow, double LatHigh,
                  double LongHigh, int32_t Wid, int32_t Hgt) {
  const TGeneratedMapBox box = PreparedMapBox(LatLow, LongLow, LatHigh, LongHigh, 1, 1, Wid, Hgt);
  const bool named = LatHigh - LatLow < 60;
  c->Pen()->SetColor(fw::clRed);
  c->Brush()->SetColor(fw::clRed);
  c->Font()->SetColor(fw::clMaroon);
  for (const TCountryData& k : CountryData)
    if (!k.Capital.Empty() && InBox(k.CapLat, k.CapLong, LatLow, LongLow, LatHigh, LongHigh))
      DrawPlace(*c, box, k.CapLat, k.CapLong, named ? k.Capital.ToString() : "");
  if (LatHigh - LatLow > 10) return;
  c->Pen()->SetColor(fw::clBlue);
  c->Brush()->SetColor(fw::clBlue);
  c->Font()->SetColor(fw::clNavy);
  for (const Town& t : kTowns)
    if (InBox(t.Lat, t.Long, LatLow, LongLow, LatHigh, LongHigh))
      DrawPlace(*c, box, t.Lat, t.Long, t.Name);
}

// Generates the map and its calibration, then writes the calibration again
// with its caption, corners and resolution, which the atlas reads.
std::string GenerateMap(const DemoMap& m, const fs::path& dir) {
  TGeoMap maker(nullptr);
  const std::string xml = (dir / (std::string(m.File) + ".xml")).string();
  maker.CreateAndLoadEmptyMap(xml, m.LatLow, m.LongLow, m.LatHigh, m.LongHigh, m.Grid, m.Grid,
                              m.Width, m.Height, DrawCapitals);
  maker.SetCaption(m.Caption);
  maker.SaveCalDataAsXML(xml, "");
  return xml;
}

std::string Degrees(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.4f", v);
  return buf;
}

void Report(std::ostream& out, TGeoAtlas& atlas, const fs::path& dir, const std::string& png) {
  TGeoMap& map = *atlas.CurrentMap();
  bool ok1 = false, ok2 = false;
  const quillon::TPoint centre = map.ControlToMapImage({map.Width() / 2, map.Height() / 2});
  const double lat = map.CalcLatitude(centre, ok1);
  const double lon = map.CalcLongitude(centre, ok2);
  const std::string file = (dir / png).string();
  fw::WritePngFile(file, ControlPicture(atlas));
  out << "  shows " << AtlasMapName(atlas, atlas.CurrentMapIndex()) << ", "
      << Degrees(map.CalibData().Resolution) << " m/px, magnification "
      << Degrees(map.Magnification()) << ", centre " << Degrees(lat) << " " << Degrees(lon)
      << "; wrote " << file << "\n";
}

// A click of the button on the map where it shows Zurich.
void ClickZurich(fw::THeadlessBackend& input, TGeoAtlas& atlas, fw::TMouseButton button) {
  TGeoMap& map = *atlas.CurrentMap();
  int x = 0, y = 0;
  if (!map.CalcPixelCoords(kZurichLat, kZurichLong, x, y)) return;
  const quillon::TPoint at = map.MapImageToControl({x, y});
  input.PostClick(&map, button, at.X, at.Y);
  fw::Application().ProcessMessages();
}

void AtlasDemo(std::ostream& out, const fs::path& dir) {
  fw::THeadlessBackend* input = DemoInput(out);
  if (!input) return;
  TGeoAtlas atlas(nullptr);
  atlas.SetBounds(0, 0, 800, 520);
  for (const DemoMap& m : kMaps)
    if (!atlas.RegisterMap(GenerateMap(m, dir))) {
      out << "cannot register " << m.File << ": " << atlas.LastProblem() << "\n";
      return;
    }
  PrintAtlasMaps(out, atlas);
  // Magnified, every map is larger than the view and can be centred anywhere.
  atlas.CurrentMap()->SetMagnification(1.5);
  atlas.SelectMap(1);
  atlas.CurrentMap()->BringLocationToCenter(kZurichLat, kZurichLong);
  out << "the world map, centred on Zurich:\n";
  Report(out, atlas, dir, "atlas_1_world.png");

  out << "zoom button clicked; left clicks on Zurich zoom in:\n";
  input->PostClick(atlas.ZoomButton(), fw::mbLeft, 12, 12);
  fw::Application().ProcessMessages();
  ClickZurich(*input, atlas, fw::mbLeft);
  Report(out, atlas, dir, "atlas_2_in_europe.png");
  ClickZurich(*input, atlas, fw::mbLeft);
  Report(out, atlas, dir, "atlas_3_in_switzerland.png");
  out << "right clicks zoom out:\n";
  ClickZurich(*input, atlas, fw::mbRight);
  Report(out, atlas, dir, "atlas_4_out_europe.png");
  ClickZurich(*input, atlas, fw::mbRight);
  Report(out, atlas, dir, "atlas_5_out_world.png");
}

const DemoRegistrar demo(70, "Atlas: three nested maps switched by clicks", AtlasDemo);

} // namespace
} // namespace kcli
