// Zooming between the registered maps: by call and by posted clicks in zoom
// mode, the buttons' cursor and pan switch, and the map's events passed on.
#include "atlas_test_support.h"

#include <cmath>

namespace atlas_test {
namespace {

void ExpectCentred(TGeoMap& map, double lat, double lon) {
  const quillon::TPoint p = ControlPixelOf(map, lat, lon);
  EXPECT_LE(std::abs(p.X - map.Width() / 2), 1) << p.X;
  EXPECT_LE(std::abs(p.Y - map.Height() / 2), 1) << p.Y;
}

TEST_F(AtlasTest, ZoomCallsSwitchAndCentre) {
  RegisterAll();
  // Centring keeps the view within the picture: magnified, every test map
  // is larger than the view.
  Map().SetMagnification(4);
  ASSERT_TRUE(Atlas->SelectMap(1));
  ASSERT_TRUE(Atlas->ZoomIn(15, 30, 100));
  EXPECT_EQ(Atlas->CurrentMapIndex(), 2); // 50 before 20
  ExpectCentred(Map(), 15, 30);
  ASSERT_TRUE(Atlas->ZoomIn(15, 30, 50));
  EXPECT_EQ(Atlas->CurrentMapIndex(), 3);
  ExpectCentred(Map(), 15, 30);
  EXPECT_FALSE(Atlas->ZoomIn(15, 30, 20));
  ASSERT_TRUE(Atlas->ZoomOut(15, 30, 20));
  EXPECT_EQ(Atlas->CurrentMapIndex(), 2);
  ASSERT_TRUE(Atlas->ZoomOut(15, 30, 50));
  EXPECT_EQ(Atlas->CurrentMapIndex(), 1);
  EXPECT_FALSE(Atlas->ZoomOut(15, 30, 100));
  EXPECT_EQ(Atlas->CurrentMapIndex(), 1);
}

TEST_F(AtlasTest, MinResDiffSkipsMapsTooCloseInResolution) {
  RegisterAll();
  Atlas->SetMinResDiff(60);
  ASSERT_TRUE(Atlas->ZoomIn(15, 30, 100));
  EXPECT_EQ(Atlas->CurrentMapIndex(), 3);
}

TEST_F(AtlasTest, APositionOutsideEveryOtherMapChangesNothing) {
  RegisterAll();
  ASSERT_TRUE(Atlas->SelectMap(1));
  Map().SetMagnification(2);
  const quillon::TPoint topLeft = Map().TopLeft();
  const int paints = Map().PaintCount();
  // 50 S 100 W lies only in the world map.
  EXPECT_FALSE(Atlas->ZoomIn(-50, -100, 100));
  EXPECT_FALSE(Atlas->ZoomOut(-50, -100, 100));
  EXPECT_NE(Atlas->LastProblem().find("coarser"), std::string::npos);
  EXPECT_EQ(Atlas->CurrentMapIndex(), 1);
  EXPECT_EQ(Map().TopLeft(), topLeft);
  EXPECT_EQ(Map().Magnification(), 2);
  EXPECT_EQ(Map().PaintCount(), paints);
}

TEST_F(AtlasTest, ZoomToAMapThatCannotLoadChangesNothing) {
  RegisterAll();
  ASSERT_TRUE(Atlas->SelectMap(1));
  std::filesystem::remove(Dir.File("continent.bmp"));
  EXPECT_FALSE(Atlas->ZoomIn(15, 30, 100));
  EXPECT_EQ(Atlas->CurrentMapIndex(), 1);
  EXPECT_EQ(Map().TopLeft(), (quillon::TPoint{0, 0}));
}

TEST_F(AtlasTest, ButtonsSwitchCursorAndPanning) {
  RegisterAll();
  std::vector<std::string> log;
  Atlas->OnClick = [&](fw::TObject* s) { log.push_back(s == Atlas.get() ? "click" : "?"); };
  Atlas->OnZoomButClick = [&](fw::TObject* s) { log.push_back(s == Atlas.get() ? "zoom" : "?"); };
  Atlas->OnPointerButClick = [&](fw::TObject* s) {
    log.push_back(s == Atlas.get() ? "pointer" : "?");
  };
  EXPECT_TRUE(Map().AllowPan());
  Input().PostClick(Atlas->ZoomButton(), fw::mbLeft, 10, 10);
  fw::Application().ProcessMessages();
  EXPECT_TRUE(Atlas->ZoomButton()->Down());
  EXPECT_FALSE(Atlas->PointerButton()->Down());
  EXPECT_EQ(Atlas->Cursor(), crGeoZoom);
  EXPECT_FALSE(Map().AllowPan());
  EXPECT_EQ(Map().MouseAction(), quillon::maNone);
  // The zoom cursor shows over the map, which sets none of its own.
  Input().PostMouseMove(&Map(), 100, 100);
  fw::Application().ProcessMessages();
  EXPECT_EQ(Input().ShownCursor(), crGeoZoom);
  Input().PostClick(Atlas->PointerButton(), fw::mbLeft, 10, 10);
  fw::Application().ProcessMessages();
  EXPECT_EQ(Atlas->Cursor(), fw::crHandPoint);
  EXPECT_TRUE(Map().AllowPan());
  EXPECT_EQ(log, (std::vector<std::string>{"click", "zoom", "click", "pointer"}));
}

TEST_F(AtlasTest, ClicksInZoomModeSwitchMaps) {
  RegisterAll();
  Map().SetMagnification(4);
  ASSERT_TRUE(Atlas->SelectMap(1));
  std::vector<std::string> downs;
  Atlas->OnMouseDown = [&](fw::TObject* s, fw::TMouseButton b, fw::TShiftState, int x, int y) {
    downs.push_back((s == Atlas.get() ? "" : "?") + std::to_string(b) + " " + std::to_string(x) +
                    "," + std::to_string(y));
  };
  Input().PostClick(Atlas->ZoomButton(), fw::mbLeft, 10, 10);
  fw::Application().ProcessMessages();
  // On the world map (a degree a pixel, from 160 W and 80 N, magnified 4
  // times) 15 N 30 E is map pixel (190, 65).
  Map().SetTopLeft({100, 0});
  const quillon::TPoint at = ControlPixelOf(Map(), 15, 30);
  ASSERT_EQ(at, (quillon::TPoint{4 * (190 - 100), 4 * 65}));
  Input().PostClick(&Map(), fw::mbLeft, at.X, at.Y);
  fw::Application().ProcessMessages();
  EXPECT_EQ(Atlas->CurrentMapIndex(), 2);
  ExpectCentred(Map(), 15, 30);
  EXPECT_EQ(downs, (std::vector<std::string>{"0 360,260"}));
  // Again at the centre: in to the country, then out twice with the right button.
  const int cx = Map().Width() / 2, cy = Map().Height() / 2;
  Input().PostClick(&Map(), fw::mbLeft, cx, cy);
  fw::Application().ProcessMessages();
  EXPECT_EQ(Atlas->CurrentMapIndex(), 3);
  for (int expected : {2, 1, 1}) {
    Input().PostClick(&Map(), fw::mbRight, cx, cy);
    fw::Application().ProcessMessages();
    EXPECT_EQ(Atlas->CurrentMapIndex(), expected);
    EXPECT_EQ(Atlas->MapSelector()->ItemIndex(), expected - 1);
  }
  EXPECT_EQ(downs.size(), 5u);
}

TEST_F(AtlasTest, ClicksInPointerModeDoNotSwitch) {
  RegisterAll();
  ASSERT_TRUE(Atlas->SelectMap(1));
  Input().PostClick(&Map(), fw::mbLeft, 190, 65);
  fw::Application().ProcessMessages();
  EXPECT_EQ(Atlas->CurrentMapIndex(), 1);
}

TEST_F(AtlasTest, ClicksWhereTheMapHasNoPositionDoNotSwitch) {
  RegisterAll(); // nothing shown: the empty map converts no pixel
  Atlas->ZoomButton()->SetDown(true);
  Input().PostClick(&Map(), fw::mbLeft, 100, 100);
  fw::Application().ProcessMessages();
  EXPECT_EQ(Atlas->CurrentMapIndex(), 0);
}

TEST_F(AtlasTest, TheMapsEventsBecomeTheAtlass) {
  std::vector<std::string> log;
  Atlas->OnMouseUp = [&](fw::TObject* s, fw::TMouseButton, fw::TShiftState, int x, int y) {
    log.push_back((s == Atlas.get() ? "up " : "? ") + std::to_string(x) + "," + std::to_string(y));
  };
  Atlas->OnMouseMove = [&](fw::TObject* s, fw::TShiftState, int x, int y) {
    log.push_back((s == Atlas.get() ? "move " : "? ") + std::to_string(x) + "," +
                  std::to_string(y));
  };
  Atlas->OnClick = [&](fw::TObject*) { log.push_back("click"); };
  Atlas->OnDblClick = [&](fw::TObject*) { log.push_back("dblclick"); };
  Input().PostMouseMove(&Map(), 20, 30);
  Input().PostClick(&Map(), fw::mbLeft, 20, 30);
  Input().PostDblClick(&Map(), 20, 30);
  fw::Application().ProcessMessages();
  // The click comes before the release, as the framework delivers them.
  EXPECT_EQ(log,
            (std::vector<std::string>{"move 20,30", "click", "up 20,30", "dblclick", "up 20,30"}));
}

} // namespace
} // namespace atlas_test
