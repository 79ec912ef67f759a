#include "kartavo/geomap/view/map_view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kartavo {
namespace {

using Point = quillon::TPoint;
using Entry = TgmZoomStackEntry;

TMapView ViewAt(Point topLeft, double magnify = 1.0) {
  TMapView v;
  v.SetTopLeft(topLeft);
  v.SetMagnification(magnify);
  return v;
}

TEST(MapView, MagnificationsThatAreNotPositiveAndFiniteAreNeverStored) {
  TMapView v = ViewAt({0, 0}, 2.5);
  for (double bad : {0.0, -1.0, -0.0, std::nan(""), std::numeric_limits<double>::infinity(),
                     -std::numeric_limits<double>::infinity()}) {
    EXPECT_FALSE(v.SetMagnification(bad)) << bad;
    EXPECT_EQ(v.Magnification(), 2.5);
  }
  EXPECT_TRUE(v.SetMagnification(1e-9));
  EXPECT_EQ(v.Magnification(), TMapView::MinMagnification);
  EXPECT_TRUE(v.SetMagnification(1e12));
  EXPECT_EQ(v.Magnification(), TMapView::MaxMagnification);
  EXPECT_TRUE(v.SetMagnification(3));
  EXPECT_EQ(v.Magnification(), 3.0);
}

TEST(MapView, ConfinementKeepsTheWindowFilledFromTheTopLeft) {
  TMapView v = ViewAt({400, 300});
  v.Confine(500, 400, 800, 600);
  EXPECT_EQ(v.TopLeft(), (Point{300, 200}));
  v.SetTopLeft({-10, 50});
  v.Confine(500, 400, 800, 600);
  EXPECT_EQ(v.TopLeft(), (Point{0, 50}));
  // At magnification 2 the window shows 250 x 200 image pixels.
  v = ViewAt({700, 500}, 2);
  v.Confine(500, 400, 800, 600);
  EXPECT_EQ(v.TopLeft(), (Point{550, 400}));
  // An image smaller than the window shows from its corner.
  v = ViewAt({30, 40});
  v.Confine(500, 400, 100, 80);
  EXPECT_EQ(v.TopLeft(), (Point{0, 0}));
}

TEST(MapView, CentringOnAPixelConfinesAndCentringWithinTheBitmapStopsAtItsEdges) {
  TMapView v;
  v.CenterOn({400, 300}, 500, 400, 800, 600);
  EXPECT_EQ(v.TopLeft(), (Point{150, 100}));
  v.CenterOn({790, 10}, 500, 400, 800, 600);
  EXPECT_EQ(v.TopLeft(), (Point{300, 0}));
  v = ViewAt({0, 0}, 2);
  v.CenterWithinBitmap({700, 100}, 500, 400, 800, 600);
  EXPECT_EQ(v.TopLeft(), (Point{550, 0})); // at most 800 - 2 * 125
  // Near the limits of the pixel range nothing wraps around.
  v.CenterOn({INT32_MIN + 5, INT32_MAX - 5}, 500, 400, 0, 0);
  EXPECT_EQ(v.TopLeft(), (Point{0, 0}));
}

TEST(MapView, FittingShowsTheWholeImageOrLeavesTheViewAlone) {
  TMapView v = ViewAt({7, 8}, 3);
  EXPECT_TRUE(v.FitPage(500, 400, 2000, 1000));
  EXPECT_EQ(v.Magnification(), 0.25);
  EXPECT_EQ(v.TopLeft(), (Point{0, 0}));
  EXPECT_TRUE(v.FitPage(500, 400, 250, 200));
  EXPECT_EQ(v.Magnification(), 2.0);
  v = ViewAt({7, 8}, 3);
  for (auto [iw, ih, w, h] :
       {std::array{0, 0, 500, 400}, std::array{100, 0, 500, 400}, std::array{100, 100, 0, 400}}) {
    EXPECT_FALSE(v.FitPage(w, h, iw, ih));
    EXPECT_EQ(v.Magnification(), 3.0);
    EXPECT_EQ(v.TopLeft(), (Point{7, 8}));
  }
}

TEST(MapView, RestoringShowsARecordedViewWithoutChangingTheStack) {
  TMapView v = ViewAt({5, 6}, 1.5);
  v.ClearHistory();
  v.SetZoomState(quillon::zsZoomBox);
  v.SetMagnification(3);
  v.SetTopLeft({100, 100});
  const TZoomStack stack = v.ZoomStack();
  EXPECT_TRUE(v.Restore(0));
  EXPECT_EQ(v.ZoomStack(), stack);
  EXPECT_EQ(v.Magnification(), 1.5);
  EXPECT_EQ(v.TopLeft(), (Point{5, 6}));
  const TMapView before = v;
  EXPECT_FALSE(v.Restore(-1)); // empty
  EXPECT_FALSE(v.Restore(1));  // out of range
  EXPECT_FALSE(v.Restore(-16));
  EXPECT_EQ(v, before);
}

} // namespace
} // namespace kartavo
