#include "kartavo/geomap/geomap_control.h"

#include "kartavo/framework/canvas.h"

#include <gtest/gtest.h>

namespace kartavo {
namespace {

TEST(GeoMapState, FreshControlHasTheCreationValues) {
  TGeoMap map(nullptr);
  EXPECT_EQ(map.Width(), 500);
  EXPECT_EQ(map.Height(), 400);
  EXPECT_EQ(map.UTMZone(), 0);
  EXPECT_EQ(map.UTMHemisphere(), hemiNorth);
  EXPECT_EQ(map.CalibModel(), cmUndefined);
  EXPECT_TRUE(map.AllowPan());
  EXPECT_TRUE(map.AntiAlias());
  EXPECT_DOUBLE_EQ(map.CacheMagLimit(), 2.0 / 3.0);
  EXPECT_EQ(map.ColorBackGnd(), 0xC0C0C0u);
  EXPECT_EQ(map.ColorGraticule(), 0xFF0000u);
  EXPECT_EQ(map.ColorCalibPoints(), 0x0000FFu);
  EXPECT_EQ(map.ColorFrame(), 0u);
  EXPECT_TRUE(map.ConfinePanToMapImage());
  EXPECT_EQ(map.EmptyMsg(), "GeoMap: empty");
  EXPECT_EQ(map.FrameStyle(), 1);
  EXPECT_EQ(map.GratLineDist(), 0.0);
  EXPECT_EQ(map.UTMGridDist(), 0);
  EXPECT_EQ(map.MouseAction(), 1);
  EXPECT_EQ(map.MouseTraceColor(), 0xFFFFFFu);
  EXPECT_TRUE(map.MouseTraceInvert());
  EXPECT_EQ(map.ShowGraticule(), sgNone);
  EXPECT_EQ(map.LMRandomDisplayThreshold(), 20000);
  EXPECT_EQ(map.Magnification(), 1.0);
  EXPECT_EQ(map.TopLeft(), (quillon::TPoint{0, 0}));
  EXPECT_EQ(map.ZoomState(), 0);
  EXPECT_FALSE(map.SuppressPaint());
  EXPECT_EQ(map.LandMarkDefault(), DefaultLandMark());
  EXPECT_TRUE(map.LMClassVisible(0) && map.LMClassVisible(255));
  EXPECT_EQ(map.GratMat().NrOfColumns(), 5);
  EXPECT_EQ(map.GratMat().NrOfRows(), 1);
  EXPECT_EQ(map.ModelParams(), TModelParams{});
  EXPECT_EQ(map.CalibData(), TCalibData{});
  EXPECT_EQ(map.PaintCount(), 0);
}

TEST(GeoMapState, UTMZoneTakesOnlyOneToSixtyWithoutRepaint) {
  TGeoMap map(nullptr);
  map.SetUTMZone(32);
  for (int bad : {0, 61, -1})
    map.SetUTMZone(bad);
  EXPECT_EQ(map.UTMZone(), 32);
  map.SetUTMZone(1);
  EXPECT_EQ(map.UTMZone(), 1);
  map.SetUTMZone(60);
  EXPECT_EQ(map.UTMZone(), 60);
  map.SetUTMHemisphere(hemiSouth);
  EXPECT_TRUE(map.CalibData().UTMSouth);
  EXPECT_EQ(map.PaintCount(), 0);
}

TEST(GeoMapState, ClampedSettersStoreTheLimitsAndRepaint) {
  TGeoMap map(nullptr);
  map.SetGratLineDist(-5);
  EXPECT_EQ(map.GratLineDist(), 0.0);
  map.SetGratLineDist(75);
  EXPECT_EQ(map.GratLineDist(), 60.0);
  map.SetUTMGridDist(-1);
  EXPECT_EQ(map.UTMGridDist(), 0);
  map.SetUTMGridDist(20000000);
  EXPECT_EQ(map.UTMGridDist(), 10000000);
  EXPECT_EQ(map.PaintCount(), 4);
  map.SetCacheMagLimit(0.9);
  EXPECT_DOUBLE_EQ(map.CacheMagLimit(), 2.0 / 3.0);
  map.SetCacheMagLimit(-1);
  EXPECT_EQ(map.CacheMagLimit(), 0.0);
  // At magnification 1 the cache is not in use: no repaint.
  EXPECT_EQ(map.PaintCount(), 4);
}

TEST(GeoMapState, ThresholdAndHighlightIgnoreOutOfRangeValues) {
  TGeoMap map(nullptr);
  map.SetLMRandomDisplayThreshold(1000);
  EXPECT_EQ(map.LMRandomDisplayThreshold(), 20000);
  EXPECT_EQ(map.PaintCount(), 0);
  map.SetLMRandomDisplayThreshold(1001);
  EXPECT_EQ(map.LMRandomDisplayThreshold(), 1001);
  EXPECT_EQ(map.PaintCount(), 1);
  map.SetLMRandomDisplayThreshold(1001);
  EXPECT_EQ(map.PaintCount(), 1);

  // Without landmarks every highlight is out of range: 0, no change, no
  // repaint.
  map.SetHighLightLandMark(1);
  map.SetHighLightLandMark(-1);
  EXPECT_EQ(map.HighLightLandMark(), 0);
  EXPECT_EQ(map.PaintCount(), 1);
}

TEST(GeoMapState, AllowPanFollowsMouseAction) {
  TGeoMap map(nullptr);
  map.SetAllowPan(false);
  EXPECT_EQ(map.MouseAction(), quillon::maNone);
  EXPECT_FALSE(map.AllowPan());
  map.SetMouseAction(quillon::maPanHorz);
  EXPECT_FALSE(map.AllowPan());
  map.SetAllowPan(true);
  EXPECT_EQ(map.MouseAction(), quillon::maPan);
  EXPECT_EQ(map.PaintCount(), 0);
}

TEST(GeoMapState, RepaintsOnlyOnChangeWhereTheSetterSaysSo) {
  TGeoMap map(nullptr);
  map.SetFrameStyle(quillon::fsSingle);
  map.SetShowGraticule(sgNone);
  EXPECT_EQ(map.PaintCount(), 0);
  map.SetFrameStyle(quillon::fsLowered);
  map.SetShowGraticule(sgLines);
  map.SetAntiAlias(true); // always
  map.SetColorBackGnd(0xC0C0C0);
  map.SetLMClassVisible(7, false);
  EXPECT_EQ(map.PaintCount(), 5);
  EXPECT_FALSE(map.LMClassVisible(7));
  map.SetCaption("Alps");
  map.SetCalibData(map.CalibData());
  EXPECT_EQ(map.PaintCount(), 5);
}

TEST(GeoMapState, SuppressPaintHoldsRenderingAndReleasesItOnce) {
  TGeoMap map(nullptr);
  map.SetSuppressPaint(true);
  map.SetColorFrame(0x00FF00);
  map.SetEmptyMsg("nothing");
  map.SetGratLineDist(5);
  EXPECT_EQ(map.PaintCount(), 0);
  map.SetSuppressPaint(true);
  map.SetSuppressPaint(false);
  EXPECT_EQ(map.PaintCount(), 1);
  map.SetSuppressPaint(false);
  EXPECT_EQ(map.PaintCount(), 1);
}

TEST(GeoMapState, PaintShowsTheEmptyDisplayWithItsFrame) {
  TGeoMap map(nullptr);
  map.SetColorBackGnd(0x0000FF);
  for (const fw::TCanvas* c :
       {map.MapImage().Aux().Canvas(), static_cast<const fw::TCanvas*>(map.Canvas())}) {
    const fw::TColor inside = c->Pixels(250, 300);
    EXPECT_GT(fw::GetRValue(inside), 0xF0);
    EXPECT_LT(fw::GetBValue(inside), 0x10);
    EXPECT_EQ(c->Pixels(0, 200) & 0xF8F8F8, 0u); // the single frame line
  }
}

// Assign copies every part but the trace: comparing whole parts catches a
// field that a copy would drop.
TEST(GeoMapState, AssignCopiesEveryPartButTheTrace) {
  TGeoMap src(nullptr), dst(nullptr);
  src.SetCalibModel(cmEquiRect);
  src.AddCalibPoint(47.0, 8.0, 10, 20);
  src.AddCalibPoint(46.0, 9.0, 400, 300);
  src.AddCalibPoint(46.5, 8.2, 30, 250);
  src.SetGratLineDist(2.5);
  src.SetEmptyMsg("src");
  src.SetColorCalibPoints(0x123456);
  src.SetConfinePanToMapImage(false);
  src.SetLMClassVisible(3, false);
  src.SetMouseAction(quillon::maZoomBox);
  src.SetAntiAlias(false);
  src.SetMouseTraceColor(0x00FF00);
  src.SetSuppressPaint(true);
  const TMouseTrace trace = dst.Trace();
  const int paints = dst.PaintCount();
  dst.Assign(&src);
  EXPECT_EQ(dst.PaintCount(), paints);
  EXPECT_EQ(dst.Calibration(), src.Calibration());
  EXPECT_EQ(dst.View(), src.View());
  EXPECT_EQ(dst.MapImage(), src.MapImage());
  EXPECT_EQ(dst.Style(), src.Style());
  EXPECT_EQ(dst.LandmarkStore(), src.LandmarkStore());
  EXPECT_EQ(dst.MouseState(), src.MouseState());
  EXPECT_EQ(dst.Trace(), trace);
  EXPECT_NE(dst.Trace(), src.Trace());
  EXPECT_TRUE(dst.SuppressPaint());

  TGeoMap viaAssignTo(nullptr);
  static_cast<fw::TPersistent&>(viaAssignTo).Assign(&src);
  EXPECT_EQ(viaAssignTo.Calibration(), src.Calibration());
}

} // namespace
} // namespace kartavo
