// Whole renderings of synthetic calibrated maps compared pixel for pixel
// with reference pictures: map image beyond its edge, graticule, markers,
// landmarks with captions and a highlight, a trace in both modes, frames;
// and a UTM map zoomed out through the cache with its grid.
#include "golden_image.h"
#include "render_test_support.h"

#include "kartavo/framework/canvas.h"
#include "kartavo/geomap/geomap_control.h"

#include <gtest/gtest.h>

namespace rendertest {
namespace {

// The view as the user's zoom and pan leave it.
void SetView(TGeoMap& map, double m, quillon::TPoint tl) {
  map.SetMagnification(m);
  map.SetTopLeft(tl);
}

// A landmark added at its place and then given its whole look.
void AddLandMark(TGeoMap& map, const TLandMark& lm) {
  map.AddLandMark(lm.Latitude, lm.Longitude, lm.Altitude);
  map.SetLandMarkData(map.NumLandMarks(), lm);
}

// Fields, a river and a lake: something for the overlay to stand out on.
std::unique_ptr<fw::TBitmap> Terrain(int w, int h) {
  auto bmp = Blank(w, h, 0x60B080);
  fw::TCanvas& c = *bmp->Canvas();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if ((x / 25 + y / 25) % 2)
        c.SetPixels(x, y, fw::RGB(uint8_t(140 + x % 40), 190, uint8_t(110 + y % 50)));
  c.Pen()->SetColor(0xC08040);
  c.Pen()->SetWidth(5);
  c.MoveTo(0, h / 3);
  c.LineTo(w / 2, h / 2);
  c.LineTo(w, h / 4);
  c.Brush()->SetColor(0xD09050);
  c.Ellipse(w * 2 / 3, h * 2 / 3, w * 2 / 3 + 60, h * 2 / 3 + 35);
  return bmp;
}

// A control of w x h pixels, its painting held, showing the terrain of
// pw x ph pixels as its map.
void LoadTerrain(TGeoMap& map, int w, int h, int pw, int ph) {
  map.SetSuppressPaint(true);
  map.SetBounds(0, 0, w, h);
  map.SetMapBitMap(Terrain(pw, ph).get());
}

TLandMark Town(double lat, double lon, TLandMarkElement kind, const char* name) {
  TLandMark lm = DefaultLandMark();
  lm.Latitude = lat;
  lm.Longitude = lon;
  lm.SymbolProps.Kind = kind;
  lm.SymbolProps.Size = 5;
  lm.Caption.Text = name;
  lm.Caption.FontName = "DejaVu Sans";
  lm.Caption.Transparent = false;
  return lm;
}

TEST(GoldenRender, EquirectangularMapWithEverything) {
  TGeoMap map(nullptr);
  LoadTerrain(map, 360, 260, 300, 200);
  CalibrateByCorners(map, 47.0, 7.0, 45.0, 10.0, 300, 200);
  map.AddCalibPoint(46.0, 8.5, 150, 100);
  map.SetShowGraticule(sgPointsAndLines);
  map.SetGratLineDist(0.5);
  map.SetFrameStyle(quillon::fsDoubleRaised);
  SetView(map, 1, {-20, -20});
  AddLandMark(map, Town(46.6, 7.4, lmCircle, "Alpha"));
  AddLandMark(map, Town(45.7, 8.1, lmSquare, "Bravo"));
  AddLandMark(map, Town(46.3, 9.3, lmCross, "Charlie"));
  map.SetHighLightLandMark(3);
  map.SetMouseTraceInvert(false);
  map.SetMouseTraceColor(0x0000FF);
  for (const auto& [x, y] : {std::pair(20, 180), {60, 150}, {110, 160}, {160, 120}})
    map.AddMouseTracePoint({x, y});
  map.EndMouseTraceStroke();
  map.SetMouseTraceInvert(true);
  map.SetMouseTraceColor(0xFFFFFF);
  for (const auto& [x, y] : {std::pair(200, 30), {250, 60}, {290, 40}})
    map.AddMouseTracePoint({x, y});
  map.SetSuppressPaint(false);
  map.Paint();
  const std::string diff = CompareWithGolden(As24Bit(*map.Surface()), "render_equirect");
  EXPECT_TRUE(diff.empty()) << diff;
}

TEST(GoldenRender, UTMMapZoomedOutThroughTheCache) {
  TGeoMap map(nullptr);
  LoadTerrain(map, 300, 280, 500, 500);
  map.SetCalibModel(cmUTM);
  map.SetUTMZone(32);
  map.AddCalibPoint(5005000.0, 500000.0, 32, hemiNorth, 0, 0);
  map.AddCalibPoint(5005000.0, 505000.0, 32, hemiNorth, 500, 0);
  map.AddCalibPoint(5000000.0, 500000.0, 32, hemiNorth, 0, 500);
  map.AddCalibPoint(5000000.0, 505000.0, 32, hemiNorth, 500, 500);
  map.SetShowGraticule(sgPointsAndUTMGrid);
  SetView(map, 0.5, {40, 20});
  map.SetSuppressPaint(false);
  map.Paint();
  EXPECT_EQ(map.ImageLayerCounts().CacheRebuilds, 1);
  const std::string diff = CompareWithGolden(As24Bit(*map.Surface()), "render_utm_cache");
  EXPECT_TRUE(diff.empty()) << diff;
}

} // namespace
} // namespace rendertest
