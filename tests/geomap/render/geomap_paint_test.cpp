// The control's rendering as a whole: the empty display, the order of the
// layers and events, the cache rule across renderings.
#include "render_test_support.h"

#include "kartavo/framework/canvas.h"
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/geomap/render/trace_drawing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rendertest {
namespace {

// A pixel of what the control shows.
fw::TColor At(TGeoMap& map, int x, int y) { return map.Surface()->Canvas()->Pixels(x, y); }

// The user's trace through the control pixels given (the view is 1:1 at
// the top-left corner, so they are map-image pixels as well).
void Trace(TGeoMap& map, fw::TColor color, bool invert,
           const std::vector<quillon::TPoint>& controlPixels) {
  map.SetMouseTraceColor(color);
  map.SetMouseTraceInvert(invert);
  for (quillon::TPoint p : controlPixels)
    ASSERT_TRUE(map.RecordMouseTrace(p.X, p.Y));
}

// A 600 x 400 plain green map from 48N 6E to 44N 12E.
void LoadGreenMap(TGeoMap& map) { LoadEquiRectMap(map, 0x00C000); }

TEST(GeoMapPaint, EmptyDisplayShowsMessageFrameAndTraceButCallsNoEvent) {
  TGeoMap map(nullptr);
  int events = 0;
  map.OnBeforeRenderData = [&](fw::TObject*, fw::TCanvas*) { ++events; };
  map.OnDataRendered = [&](fw::TObject*, fw::TCanvas*) { ++events; };
  Trace(map, 0xFFFFFF, true, {{100, 200}, {300, 200}});
  map.Paint();
  EXPECT_EQ(events, 0);
  EXPECT_EQ(At(map, 250, 300), In15(0xC0C0C0)); // background
  EXPECT_EQ(At(map, 0, 0), 0u);                 // single black frame
  EXPECT_EQ(At(map, 499, 399), 0u);
  // The message in the frame colour just below and right of (10, 10).
  int dark = 0;
  for (int y = 10; y < 30; ++y)
    for (int x = 10; x < 100; ++x)
      dark += At(map, x, y) == 0u;
  EXPECT_GT(dark, 20);
  EXPECT_EQ(At(map, 9, 12), In15(0xC0C0C0));
  // The trace is inverted over the background.
  EXPECT_EQ(At(map, 200, 200), In15(0xC0C0C0) ^ 0xFFFFFFu);
}

TEST(GeoMapPaint, LayersAndEventsComeInTheirOrder) {
  TGeoMap map(nullptr);
  map.SetBounds(0, 0, 600, 400);
  LoadGreenMap(map);
  map.SetShowGraticule(sgLines);
  std::vector<std::string> seen;
  // Each event looks at a pixel of the graticule (parallel 46N, row 200) and
  // of the trace; both handlers see the map picture already drawn.
  auto look = [&](const char* name, fw::TCanvas* c) {
    seen.push_back(std::string(name) + (c->Pixels(250, 200) == In15(0xFF0000) ? " grat" : "") +
                   (c->Pixels(350, 250) == In15(0x00C000) ? " map" : "") +
                   (c->Pixels(330, 250) == In15(0x00C000) ? "" : " trace"));
  };
  map.OnBeforeRenderData = [&](fw::TObject* s, fw::TCanvas* c) {
    EXPECT_EQ(s, &map);
    look("before", c);
  };
  map.OnDataRendered = [&](fw::TObject*, fw::TCanvas* c) { look("after", c); };
  Trace(map, 0x0000FF, false, {{320, 250}, {340, 250}});
  map.Paint();
  EXPECT_EQ(seen, (std::vector<std::string>{"before map", "after grat map"}));
  EXPECT_EQ(At(map, 250, 200), In15(0xFF0000));
  EXPECT_EQ(At(map, 330, 250), In15(0x0000FF)); // the trace over the map
  EXPECT_EQ(At(map, 0, 200), 0u);               // the frame over the graticule's meridian
}

TEST(GeoMapPaint, LandmarksBetweenGraticuleAndHostDataHighlightAfter) {
  TGeoMap map(nullptr);
  LoadGreenMap(map);
  map.SetShowGraticule(sgLines);
  map.AddLandMark(46.5, 7.5, 0);
  map.AddLandMark(46.5, 8.5, 0);
  const TLandMark b = map.LandMarkData(2);
  map.SetHighLightLandMark(2);
  std::vector<std::string> calls;
  map.OnBeforeRenderData = [&](fw::TObject*, fw::TCanvas*) { calls.push_back("before"); };
  map.OnDrawLandmark = [&](fw::TObject*, bool&, fw::TCanvas* c, quillon::TPoint p,
                           const TLandMark& lm) {
    // The graticule is already there when a landmark is drawn.
    EXPECT_EQ(c->Pixels(250, 200), In15(0xFF0000));
    calls.push_back("landmark " + std::to_string(p.X) + "," + std::to_string(p.Y) +
                    (lm == b ? " b" : ""));
  };
  map.OnDataRendered = [&](fw::TObject*, fw::TCanvas*) { calls.push_back("after"); };
  map.Paint();
  EXPECT_EQ(calls, (std::vector<std::string>{"before", "landmark 150,150", "landmark 250,150 b",
                                             "after", "landmark 250,150 b"}));
}

TEST(GeoMapPaint, CacheRuleAcrossRenderings) {
  TGeoMap map(nullptr);
  LoadGreenMap(map);
  const TImageLayerCounts start = map.ImageLayerCounts();
  auto rebuilds = [&] { return map.ImageLayerCounts().CacheRebuilds - start.CacheRebuilds; };
  auto direct = [&] { return map.ImageLayerCounts().DirectStretches - start.DirectStretches; };
  // Each change of the magnification repaints.
  map.SetMagnification(0.5);
  map.Paint();
  map.SetTopLeft({10, 10}); // panning reuses the cache
  EXPECT_EQ(rebuilds(), 1);
  map.SetMagnification(0.25);
  map.SetMagnification(0.5);
  EXPECT_EQ(rebuilds(), 3);
  map.SetAntiAlias(false); // repaints
  EXPECT_EQ(rebuilds(), 4);
  map.SetMagnification(0.8);
  EXPECT_EQ(rebuilds(), 4);
  EXPECT_EQ(direct(), 1);
  // A new map image invalidates the cache.
  map.SetMagnification(0.5);
  auto picture = Blank(600, 400, 0x0000C0);
  map.SetMapBitMap(picture.get());
  EXPECT_EQ(rebuilds(), 5);
}

TEST(GeoMapPaint, InvisibleControlShowsOnlyTraceAndFrame) {
  TGeoMap map(nullptr);
  LoadGreenMap(map);
  map.Paint();
  const fw::TColor shown = At(map, 250, 250);
  map.SetVisible(false);
  map.SetColorBackGnd(0x0000FF);
  map.Paint();
  EXPECT_EQ(At(map, 250, 250), shown); // the last picture stays where nothing is drawn
  EXPECT_EQ(At(map, 0, 0), 0u);
}

} // namespace
} // namespace rendertest
