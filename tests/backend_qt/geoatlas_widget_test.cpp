#include "atlas_fixture.h"
#include "kartavo/backend_qt/cursor_qt.h"
#include "kartavo/backend_qt/geoatlas_widget.h"

#include <QMenu>

namespace kartavo::qt {
namespace {
using namespace testing;

struct GeoAtlasWidgetTest : ::testing::Test {
  std::unique_ptr<GeoAtlasWidget> Widget = std::make_unique<GeoAtlasWidget>();
  TGeoAtlas& Atlas() { return Widget->Atlas(); }
  TGeoMap& Map() { return *Widget->Atlas().CurrentMap(); }
  GeoAtlasWidgetTest() {
    for (const std::string& file : AtlasFolder().Files)
      EXPECT_TRUE(Atlas().RegisterMap(file)) << Atlas().LastProblem();
    Widget->resize(640, 480);
    Widget->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(Widget.get()));
    Settle();
  }
  // The widget point of a control's pixel.
  QPoint At(const fw::TControl* Control, int X, int Y) const {
    const fw::TPoint p = Control->ClientToScreen(fw::Point(X, Y));
    return {p.X, p.Y};
  }
  void ClickAt(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
    Press(*Widget, p, {}, b);
    Release(*Widget, p, {}, b);
    Settle();
  }
  ::testing::AssertionResult ShowsTheSameAs(TOffscreenAtlas& Offscreen, const std::string& Name) {
    Settle();
    return SamePicture(Name, Screenshot(*Widget), Offscreen.Picture());
  }
};

TEST_F(GeoAtlasWidgetTest, PanelButtonsListAndMapShowAsTheAtlasRendersThem) {
  EXPECT_EQ(Atlas().Width(), 640);
  EXPECT_EQ(Atlas().Height(), 480);
  EXPECT_EQ(Map().Height(), 480 - Atlas().CmdPanel()->Height());
  TOffscreenAtlas offscreen(640, 480);
  EXPECT_TRUE(ShowsTheSameAs(offscreen, "atlas-empty"));
  ASSERT_TRUE(Atlas().SelectMap(2));
  ASSERT_TRUE(offscreen.Atlas.SelectMap(2));
  // The Alps with the outline of the Oberland drawn over them.
  EXPECT_TRUE(ShowsTheSameAs(offscreen, "atlas-alps"));
  Widget->resize(500, 360);
  offscreen.Atlas.SetBounds(0, 0, 500, 360);
  EXPECT_EQ(Map().Width(), 500);
  EXPECT_TRUE(ShowsTheSameAs(offscreen, "atlas-resized"));
}

TEST_F(GeoAtlasWidgetTest, ZoomButtonAndClicksOnTheMapSwitchMapsAsWithoutDisplay) {
  TOffscreenAtlas offscreen(640, 480);
  ASSERT_TRUE(Atlas().SelectMap(1));
  ASSERT_TRUE(offscreen.Atlas.SelectMap(1));
  ClickAt(At(Atlas().ZoomButton(), 12, 12));
  EXPECT_TRUE(Atlas().ZoomButton()->Down());
  EXPECT_FALSE(Atlas().PointerButton()->Down());
  EXPECT_FALSE(Map().AllowPan());
  fw::TSpeedButton& zoom = *offscreen.Atlas.ZoomButton();
  zoom.MouseDown(fw::mbLeft, {fw::ssLeft}, 12, 12);
  zoom.MouseUp(fw::mbLeft, {}, 12, 12);
  ASSERT_TRUE(zoom.Down());
  // Over the map the pointer is the atlas's zoom cursor.
  Move(*Widget, At(&Map(), 100, 100));
  Settle();
  EXPECT_EQ(Widget->cursor().shape(), Qt::BitmapCursor);
  EXPECT_EQ(Widget->cursor().hotSpot(), QtCursor(crGeoZoom).hotSpot());

  // 46.5 N 8 E lies in all three maps: a left click goes one map finer each
  // time, a right click one coarser.
  TGeoMap& directMap = *offscreen.Atlas.CurrentMap();
  fw::TControl& direct = directMap; // the handlers, as the framework calls them
  const auto clickThere = [&](Qt::MouseButton qb, fw::TMouseButton fb) {
    const quillon::TPoint p = [&] {
      int x = 0, y = 0;
      EXPECT_TRUE(Map().CalcPixelCoords(46.5, 8.0, x, y));
      return Map().MapImageToControl({x, y});
    }();
    ClickAt(At(&Map(), p.X, p.Y), qb);
    const fw::TShiftState held{fb == fw::mbLeft ? fw::ssLeft : fw::ssRight};
    direct.MouseDown(fb, held, p.X, p.Y);
    direct.MouseUp(fb, {}, p.X, p.Y);
  };
  for (int expected : {2, 3, 3}) {
    clickThere(Qt::LeftButton, fw::mbLeft);
    EXPECT_EQ(Atlas().CurrentMapIndex(), expected);
    EXPECT_EQ(Atlas().CurrentMapIndex(), offscreen.Atlas.CurrentMapIndex());
    EXPECT_EQ(Map().TopLeft(), directMap.TopLeft());
  }
  EXPECT_EQ(Atlas().MapSelector()->Text(), "Bernese Oberland");
  EXPECT_TRUE(ShowsTheSameAs(offscreen, "atlas-zoomed-in"));
  clickThere(Qt::RightButton, fw::mbRight);
  EXPECT_EQ(Atlas().CurrentMapIndex(), 2);
  EXPECT_EQ(Map().TopLeft(), directMap.TopLeft());
  EXPECT_TRUE(ShowsTheSameAs(offscreen, "atlas-zoomed-out"));

  // Back to the pointer: clicks pan instead of switching.
  ClickAt(At(Atlas().PointerButton(), 12, 12));
  EXPECT_TRUE(Map().AllowPan());
  ClickAt(At(&Map(), 200, 200));
  EXPECT_EQ(Atlas().CurrentMapIndex(), 2);
}

// The open list of maps: the popup menu the backend shows for the box.
QMenu* OpenList() {
  Settle();
  return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

TEST_F(GeoAtlasWidgetTest, TheListOfMapsDropsDownAndChoosesTheMapShown) {
  fw::TComboBox& box = *Atlas().MapSelector();
  int changes = 0;
  Atlas().OnCBoxMapsChange = [&](fw::TObject*) { ++changes; };
  ASSERT_TRUE(Atlas().SelectMap(1));
  ClickAt(At(&box, 150, 10));
  EXPECT_TRUE(box.DroppedDown());
  QMenu* list = OpenList();
  ASSERT_NE(list, nullptr);
  const QList<QAction*> lines = list->actions();
  ASSERT_EQ(lines.size(), 3);
  EXPECT_EQ(lines[0]->text(), "Europe");
  EXPECT_EQ(lines[2]->text(), "Bernese Oberland");
  EXPECT_TRUE(lines[0]->isChecked());
  EXPECT_FALSE(lines[2]->isChecked());
  // The list opens just below the box, at least as wide.
  EXPECT_EQ(list->geometry().topLeft(), Widget->mapToGlobal(At(&box, 0, box.Height())));
  EXPECT_GE(list->width(), box.Width());

  QTest::mouseClick(list, Qt::LeftButton, {}, list->actionGeometry(lines[2]).center());
  Settle();
  EXPECT_EQ(OpenList(), nullptr);
  EXPECT_FALSE(box.DroppedDown());
  EXPECT_EQ(Atlas().CurrentMapIndex(), 3);
  EXPECT_EQ(box.ItemIndex(), 2);
  EXPECT_EQ(changes, 1);
  TOffscreenAtlas offscreen(640, 480);
  ASSERT_TRUE(offscreen.Atlas.SelectMap(3));
  EXPECT_TRUE(ShowsTheSameAs(offscreen, "atlas-chosen"));

  // Escape closes the list without a choice.
  ClickAt(At(&box, 150, 10));
  ASSERT_NE(list = OpenList(), nullptr);
  QTest::keyClick(list, Qt::Key_Escape);
  Settle();
  EXPECT_EQ(OpenList(), nullptr);
  EXPECT_FALSE(box.DroppedDown());
  EXPECT_EQ(Atlas().CurrentMapIndex(), 3);
  EXPECT_EQ(changes, 1);

  // The atlas may go while its list is open.
  ClickAt(At(&box, 150, 10));
  ASSERT_NE(OpenList(), nullptr);
  Widget.reset();
  EXPECT_EQ(OpenList(), nullptr);
}

} // namespace
} // namespace kartavo::qt
