// The mouse trace of the control: recording, strokes, the 5000-point limit,
// reading points back in geographic coordinates.
#include "render_test_support.h"

#include "kartavo/framework/canvas.h"
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/geomap/render/trace_drawing.h"

#include <gtest/gtest.h>

namespace rendertest {
namespace {

// A 600 x 400 grey map from 48N 6E to 44N 12E in a control of the same size.
void Load(TGeoMap& map) {
  map.SetBounds(0, 0, 600, 400);
  LoadEquiRectMap(map, 0x808080);
}

TEST(MouseTrace, RecordingDrawsEachSegmentAtOnceAndStrokesStayApart) {
  TGeoMap map(nullptr);
  Load(map);
  map.SetMouseTraceInvert(false);
  map.SetMouseTraceColor(0x0000FF);
  map.RecordMouseTrace(100, 100);
  map.RecordMouseTrace(200, 100);
  const fw::TCanvas& screen = *map.Canvas();
  EXPECT_EQ(screen.Pixels(150, 100), In15(0x0000FF)); // drawn without a repaint
  map.EndMouseTraceStroke();
  map.RecordMouseTrace(200, 300);
  map.SetMouseTraceColor(0x00FF00); // later segments take the new colour
  map.RecordMouseTrace(300, 300);
  map.RecordMouseTrace(900, -50); // clamped to the client area: (600, 0)
  map.EndMouseTraceStroke();
  EXPECT_EQ(map.NumMTracePoints(), 5);
  EXPECT_EQ(map.MouseTrace(5).Flags, mtfEndsStroke);
  map.Paint();
  EXPECT_EQ(screen.Pixels(150, 100), In15(0x0000FF));
  EXPECT_EQ(screen.Pixels(200, 200), In15(0x808080)); // strokes are not joined
  EXPECT_EQ(screen.Pixels(250, 300), In15(0x00FF00));
  EXPECT_EQ(screen.Pixels(450, 150), In15(0x00FF00)); // on the way to (600, 0)
  map.ClearMouseTrace();
  EXPECT_EQ(map.NumMTracePoints(), 0);
  EXPECT_EQ(screen.Pixels(150, 100), In15(0x808080));
}

TEST(MouseTrace, InvertedTraceShowsInvertedColoursAndFollowsTheMap) {
  TGeoMap map(nullptr);
  Load(map);
  map.RecordMouseTrace(100, 50);
  map.RecordMouseTrace(100, 150);
  map.Paint();
  EXPECT_EQ(map.Canvas()->Pixels(100, 100), In15(0x808080) ^ 0xFFFFFFu);
  EXPECT_EQ(map.Canvas()->Pixels(101, 100), In15(0x808080));
}

TEST(MouseTrace, HoldsFiveThousandPointsUntilCleared) {
  TGeoMap map(nullptr);
  Load(map);
  map.SetSuppressPaint(true);
  for (int i = 0; i < 5000; ++i)
    ASSERT_TRUE(map.AddMouseTracePoint({i % 600, i % 400}));
  EXPECT_FALSE(map.RecordMouseTrace(10, 10));
  EXPECT_FALSE(map.AddMouseTracePoint({1, 1}));
  EXPECT_EQ(map.NumMTracePoints(), 5000);
  map.ClearMouseTrace();
  EXPECT_TRUE(map.RecordMouseTrace(10, 10));
  EXPECT_EQ(map.NumMTracePoints(), 1);
}

TEST(MouseTrace, PointsReadBackAsPositions) {
  TGeoMap map(nullptr);
  Load(map);
  map.SetMouseTraceColor(0x123456);
  map.AddMouseTracePoint({300, 200});
  map.AddMouseTracePoint({150, 100});
  const quillon::TColoredPoint p = map.MouseTrace(1);
  EXPECT_NEAR(p.X, 9.0, 1e-9); // longitude
  EXPECT_NEAR(p.Y, 46.0, 1e-9);
  EXPECT_EQ(p.Flags, mtfInvert);
  EXPECT_EQ(p.Color, 0x123456u);
  EXPECT_NEAR(map.MouseTrace(2).Y, 47.0, 1e-9);
  EXPECT_EQ(map.MouseTrace(0).Flags, 0xFFFF);
  EXPECT_EQ(map.MouseTrace(3).Flags, 0xFFFF);
  // Without a calibration the pixel does not convert: flags -1, the pixel kept.
  map.SetCalibModel(cmUndefined);
  const quillon::TColoredPoint q = map.MouseTrace(2);
  EXPECT_EQ(q.Flags, 0xFFFF);
  EXPECT_EQ(q.X, 150);
  EXPECT_EQ(q.Y, 100);
}

TEST(MouseTrace, DrawsOnAnyBitmapAndKeepsItsPen) {
  TGeoMap map(nullptr);
  Load(map);
  map.SetMouseTraceInvert(false);
  map.AddMouseTracePoint({10, 10});
  map.AddMouseTracePoint({40, 10});
  auto bmp = Blank(60, 30, 0x404040);
  bmp->Canvas()->Pen()->SetColor(0x00AA00);
  map.DrawMouseTrace(0, 0, bmp.get());
  EXPECT_EQ(bmp->Canvas()->Pixels(20, 10), 0xFFFFFFu);
  EXPECT_EQ(CountColor(*bmp, 0xFFFFFF), 30);
  map.SetMouseTraceColor(0x0000FF);
  map.AddMouseTracePoint({40, 20});
  map.DrawMouseTrace(0, 0, bmp.get());
  EXPECT_EQ(bmp->Canvas()->Pixels(40, 15), 0x0000FFu);
  EXPECT_EQ(bmp->Canvas()->Pen()->Color(), 0x00AA00u);
}

} // namespace
} // namespace rendertest
