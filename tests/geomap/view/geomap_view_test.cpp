// The view operations of the control: what they store, when they repaint,
// and that none of them raises OnZoomPan.
#include "kartavo/framework/bitmap.h"
#include "kartavo/geomap/geomap_control.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kartavo {
namespace {

using Point = quillon::TPoint;

class GeoMapView : public ::testing::Test {
protected:
  void SetUp() override {
    Map.OnZoomPan = [this](fw::TObject*) { ++ZoomPans; };
  }
  void LoadImage(int w, int h) {
    fw::TBitmap bmp;
    bmp.SetSize(w, h);
    Map.SetMapBitMap(&bmp);
  }
  TGeoMap Map{nullptr};
  int ZoomPans = 0;
};

TEST_F(GeoMapView, MagnificationIsStoredAndRepaintedOrIgnoredWhenItCannotBe) {
  Map.SetTopLeft({3, 4});
  int paints = Map.PaintCount();
  Map.SetMagnification(2.5);
  EXPECT_EQ(Map.Magnification(), 2.5);
  EXPECT_EQ(Map.TopLeft(), (Point{3, 4}));
  EXPECT_EQ(Map.PaintCount(), ++paints);
  for (double bad : {0.0, -2.0, std::nan(""), std::numeric_limits<double>::infinity()})
    Map.SetMagnification(bad);
  EXPECT_EQ(Map.Magnification(), 2.5);
  EXPECT_EQ(Map.PaintCount(), paints);
  EXPECT_EQ(ZoomPans, 0);
}

TEST_F(GeoMapView, TopLeftIsStoredUnconfined) {
  LoadImage(800, 600);
  Map.SetTopLeft({-50, 900});
  EXPECT_EQ(Map.TopLeft(), (Point{-50, 900}));
  // Switching confinement on confines at once, without a repaint.
  const int paints = Map.PaintCount();
  Map.SetConfinePan(true);
  EXPECT_EQ(Map.TopLeft(), (Point{0, 200}));
  EXPECT_EQ(Map.PaintCount(), paints);
  Map.SetConfinePan(false);
  Map.SetTopLeft({-50, 900});
  Map.SetConfinePan(false);
  EXPECT_EQ(Map.TopLeft(), (Point{-50, 900}));
}

TEST_F(GeoMapView, CentringOnAPixelConfinesEvenWithoutConfinement) {
  LoadImage(800, 600);
  Map.SetConfinePanToMapImage(false);
  Map.BringMapPixelToCenter({790, 590});
  EXPECT_EQ(Map.TopLeft(), (Point{300, 200}));
  EXPECT_EQ(ZoomPans, 0);
}

TEST_F(GeoMapView, CentringOnALocationNeedsACalibration) {
  LoadImage(1000, 1000);
  Map.SetTopLeft({1, 2});
  Map.BringLocationToCenter(47.5, 8.5);
  EXPECT_EQ(Map.TopLeft(), (Point{1, 2})); // no calibration yet
  Map.SetCalibModel(cmEquiRect);
  Map.AddCalibPoint(48.0, 8.0, 0, 0);
  Map.AddCalibPoint(48.0, 9.0, 1000, 0);
  Map.AddCalibPoint(47.0, 8.0, 0, 1000);
  Map.AddCalibPoint(47.0, 9.0, 1000, 1000);
  Map.BringLocationToCenter(47.5, 8.5);
  EXPECT_EQ(Map.TopLeft(), (Point{250, 300}));
  Map.BringLocationToCenter(47.01, 8.99); // pixel (990, 990): stops at the bitmap's edges
  EXPECT_EQ(Map.TopLeft(), (Point{500, 600}));
  Map.BringLocationToCenter(48.5, 7.5); // beyond the corner
  EXPECT_EQ(Map.TopLeft(), (Point{0, 0}));
  EXPECT_EQ(ZoomPans, 0);
}

TEST_F(GeoMapView, FittingThePageNeedsAnImage) {
  Map.SetMagnification(3);
  Map.SetTopLeft({5, 5});
  const int paints = Map.PaintCount();
  Map.ZoomFitPage();
  EXPECT_EQ(Map.Magnification(), 3.0);
  EXPECT_EQ(Map.TopLeft(), (Point{5, 5}));
  EXPECT_EQ(Map.PaintCount(), paints);
  LoadImage(2000, 1000);
  Map.ZoomFitPage();
  EXPECT_EQ(Map.Magnification(), 0.25);
  EXPECT_EQ(Map.TopLeft(), (Point{0, 0}));
  EXPECT_EQ(Map.GetZoomStackEntry(-1), TgmZoomStackEntry{}); // no push
}

TEST_F(GeoMapView, HistoryStartsWithTheCreationViewAndRestoresWithoutChangingTheStack) {
  EXPECT_EQ(Map.ZoomStack(0), (TgmZoomStackEntry{0, 0, 1.0}));
  EXPECT_EQ(Map.ZoomStack(-1), TgmZoomStackEntry{});
  Map.SetMagnification(3);
  const int paints = Map.PaintCount();
  Map.ZoomHistory(-1);
  Map.ZoomHistory(5);
  EXPECT_EQ(Map.Magnification(), 3.0);
  EXPECT_EQ(Map.PaintCount(), paints);
  Map.ZoomHistory(0);
  EXPECT_EQ(Map.Magnification(), 1.0);
  EXPECT_EQ(Map.PaintCount(), paints + 1);
  Map.SetTopLeft({9, 9});
  Map.ZoomStateOnStack();
  Map.ClearZoomHistory();
  EXPECT_EQ(Map.ZoomStack(0), (TgmZoomStackEntry{9, 9, 1.0}));
  EXPECT_EQ(Map.ZoomStack(-1), TgmZoomStackEntry{});
  EXPECT_EQ(ZoomPans, 0);
}

TEST_F(GeoMapView, SeventeenPushesKeepTheLastSixteen) {
  for (int i = 1; i <= 17; ++i) {
    Map.SetTopLeft({i, 0});
    Map.ZoomStateOnStack();
  }
  EXPECT_EQ(Map.ZoomStack(-15), (TgmZoomStackEntry{2, 0, 1.0}));
  EXPECT_EQ(Map.ZoomStack(0), (TgmZoomStackEntry{17, 0, 1.0}));
  Map.ZoomHistory(-15);
  EXPECT_EQ(Map.TopLeft(), (Point{2, 0}));
}

TEST_F(GeoMapView, CopyingAControlCopiesItsViewAndHistory) {
  Map.SetMagnification(2);
  Map.ZoomStateOnStack();
  TGeoMap copy(nullptr);
  copy.Assign(&Map);
  EXPECT_EQ(copy.Magnification(), 2.0);
  EXPECT_EQ(copy.ZoomStack(0), Map.ZoomStack(0));
  EXPECT_EQ(copy.ZoomStack(-1), Map.ZoomStack(-1));
}

} // namespace
} // namespace kartavo
