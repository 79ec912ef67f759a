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

// Reaches the view and the trace, whose owners (zoom and mouse) drive them
// through the user's input.
struct ProbeMap : TGeoMap {
  using TGeoMap::TGeoMap;
  void SetView(double m, quillon::TPoint tl = {0, 0}) {
    FView.SetMagnification(m);
    FView.SetTopLeft(tl);
  }
  void SetTrace(const std::vector<quillon::TColoredPoint>& pts) {
    FTrace.Clear();
    for (const quillon::TColoredPoint& p : pts)
      FTrace.Add(p);
  }
  fw::TColor At(int x, int y) { return Surface()->Canvas()->Pixels(x, y); }
  void SetLandMarks(const std::vector<TLandMark>& lms) {
    FLandmarks.Resize(0);
    for (const TLandMark& lm : lms)
      FLandmarks.Append(lm);
  }
};

// A 600 x 400 plain green map from 48N 6E to 44N 12E.
void LoadGreenMap(ProbeMap& map) { LoadEquiRectMap(map, 0x00C000); }

TEST(GeoMapPaint, EmptyDisplayShowsMessageFrameAndTraceButCallsNoEvent) {
  ProbeMap map(nullptr);
  int events = 0;
  map.OnBeforeRenderData = [&](fw::TObject*, fw::TCanvas*) { ++events; };
  map.OnDataRendered = [&](fw::TObject*, fw::TCanvas*) { ++events; };
  map.SetTrace({{100, 200, mtfInvert, 0xFFFFFF}, {300, 200, mtfInvert, 0xFFFFFF}});
  map.Paint();
  EXPECT_EQ(events, 0);
  EXPECT_EQ(map.At(250, 300), In15(0xC0C0C0)); // background
  EXPECT_EQ(map.At(0, 0), 0u);                 // single black frame
  EXPECT_EQ(map.At(499, 399), 0u);
  // The message in the frame colour just below and right of (10, 10).
  int dark = 0;
  for (int y = 10; y < 30; ++y)
    for (int x = 10; x < 100; ++x)
      dark += map.At(x, y) == 0u;
  EXPECT_GT(dark, 20);
  EXPECT_EQ(map.At(9, 12), In15(0xC0C0C0));
  // The trace is inverted over the background.
  EXPECT_EQ(map.At(200, 200), In15(0xC0C0C0) ^ 0xFFFFFFu);
}

TEST(GeoMapPaint, LayersAndEventsComeInTheirOrder) {
  ProbeMap map(nullptr);
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
  map.SetTrace({{320, 250, 0, 0x0000FF}, {340, 250, 0, 0x0000FF}});
  map.Paint();
  EXPECT_EQ(seen, (std::vector<std::string>{"before map", "after grat map"}));
  EXPECT_EQ(map.At(250, 200), In15(0xFF0000));
  EXPECT_EQ(map.At(330, 250), In15(0x0000FF)); // the trace over the map
  EXPECT_EQ(map.At(0, 200), 0u);               // the frame over the graticule's meridian
}

TEST(GeoMapPaint, LandmarksBetweenGraticuleAndHostDataHighlightAfter) {
  ProbeMap map(nullptr);
  LoadGreenMap(map);
  map.SetShowGraticule(sgLines);
  TLandMark a = DefaultLandMark(), b = DefaultLandMark();
  a.Latitude = b.Latitude = 46.5;
  a.Longitude = 7.5;
  b.Longitude = 8.5;
  map.SetLandMarks({a, b});
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
  ProbeMap map(nullptr);
  LoadGreenMap(map);
  const TImageLayerCounts start = map.ImageLayerCounts();
  auto rebuilds = [&] { return map.ImageLayerCounts().CacheRebuilds - start.CacheRebuilds; };
  auto direct = [&] { return map.ImageLayerCounts().DirectStretches - start.DirectStretches; };
  map.SetView(0.5);
  map.Paint();
  map.Paint();
  EXPECT_EQ(rebuilds(), 1);
  map.SetView(0.25);
  map.Paint();
  map.SetView(0.5);
  map.Paint();
  EXPECT_EQ(rebuilds(), 3);
  map.SetAntiAlias(false); // repaints
  EXPECT_EQ(rebuilds(), 4);
  map.SetView(0.8);
  map.Paint();
  EXPECT_EQ(rebuilds(), 4);
  EXPECT_EQ(direct(), 1);
  // A new map image invalidates the cache.
  map.SetView(0.5);
  auto picture = Blank(600, 400, 0x0000C0);
  map.SetMapBitMap(picture.get());
  EXPECT_EQ(rebuilds(), 5);
}

TEST(GeoMapPaint, InvisibleControlShowsOnlyTraceAndFrame) {
  ProbeMap map(nullptr);
  LoadGreenMap(map);
  map.Paint();
  const fw::TColor shown = map.At(250, 250);
  map.SetVisible(false);
  map.SetColorBackGnd(0x0000FF);
  map.Paint();
  EXPECT_EQ(map.At(250, 250), shown); // the last picture stays where nothing is drawn
  EXPECT_EQ(map.At(0, 0), 0u);
}

} // namespace
} // namespace rendertest
