#include "atlas_fixture.h"
#include "viewer_window.h"

#include <QClipboard>
#include <fstream>

namespace kartavo::qt {
namespace {
using namespace testing;

// A copy of the atlas folder with two files that cannot show: one that is
// no calibration and one whose picture is missing.
std::filesystem::path MixedFolder() {
  static const std::filesystem::path dir = [] {
    const std::filesystem::path d = OutDir() / "viewer-atlas";
    std::filesystem::remove_all(d);
    std::filesystem::create_directories(d);
    for (const auto& entry : std::filesystem::directory_iterator(AtlasFolder().Dir))
      std::filesystem::copy_file(entry.path(), d / entry.path().filename());
    std::ofstream(d / "broken.xml") << "<?xml version=\"1.0\"?>\n<nothing/>\n";
    WriteGeneratedMap(d, "lost", 45, 6, 46, 7, 0.5, 100, 100, "Lost");
    std::filesystem::remove(d / "lost.bmp");
    std::filesystem::rename(d / "oberland.xml", d / "Oberland.XML");
    return d;
  }();
  return dir;
}

struct AtlasViewerTest : ::testing::Test {
  viewer::TViewerWindow Window;
  std::vector<QString> Errors;
  AtlasViewerTest() {
    Window.ReportError = [this](const QString& e) { Errors.push_back(e); };
    Window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&Window));
  }
  TGeoAtlas& Atlas() { return Window.Atlas(); }
  TGeoMap& Map() { return Window.Map(); }
  // The widget point of a pixel of the atlas's map.
  QPoint OnMap(quillon::TPoint p) {
    const fw::TPoint s = Map().ClientToScreen(fw::Point(p.X, p.Y));
    return {s.X, s.Y};
  }
  QPoint OnMap(double Lat, double Long) {
    int x = 0, y = 0;
    EXPECT_TRUE(Map().CalcPixelCoords(Lat, Long, x, y));
    return OnMap(Map().MapImageToControl({x, y}));
  }
  void Click(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
    Press(Window.MapWidget(), p, {}, b);
    Release(Window.MapWidget(), p, {}, b);
    Settle();
  }
  ::testing::AssertionResult ShowsTheOffscreenAtlas(const std::string& Name) {
    Settle();
    TOffscreenAtlas offscreen(Atlas().Width(), Atlas().Height());
    offscreen.ShowAsIn(Atlas());
    return SamePicture(Name, Screenshot(Window.MapWidget()), offscreen.Picture());
  }
};

TEST_F(AtlasViewerTest, AFolderOpensAsAnAtlasOfItsMapsAndNamesTheFilesLeftOut) {
  // The folder as the program's argument: OpenMap takes files and folders.
  ASSERT_TRUE(Window.OpenMap(QString::fromStdString(MixedFolder().string())));
  EXPECT_TRUE(Window.ShowsAtlas());
  ASSERT_EQ(Errors.size(), 1u);
  EXPECT_TRUE(Errors[0].contains("broken.xml")) << Errors[0].toStdString();
  EXPECT_TRUE(Errors[0].contains("lost.xml")) << Errors[0].toStdString();
  EXPECT_FALSE(Errors[0].contains("europe.xml")) << Errors[0].toStdString();
  ASSERT_EQ(Atlas().NumRegMaps(), 3);
  // The coarsest map shows first, fitted; the letter case of a name does not matter.
  EXPECT_EQ(Atlas().GetMapDef(Atlas().CurrentMapIndex()).Caption, "Europe");
  EXPECT_EQ(Atlas().MapSelector()->Text(), "Europe");
  EXPECT_TRUE(Window.windowTitle().contains("viewer-atlas: Europe"))
      << Window.windowTitle().toStdString();
  EXPECT_DOUBLE_EQ(Map().Magnification(), std::min(Map().Width() / 480.0, Map().Height() / 300.0));
  Window.SetShowGraticule(sgLines);
  EXPECT_TRUE(ShowsTheOffscreenAtlas("viewer-atlas-open"));
  // The picture for the README: the atlas in the whole window.
  Move(Window.MapWidget(), OnMap(46.5, 8.0));
  Settle();
  Window.grab().save(QString::fromStdString((OutDir() / "viewer-atlas.png").string()));
}

TEST_F(AtlasViewerTest, AFolderWithoutMapsIsRefusedAndTheMapStays) {
  const std::filesystem::path empty = OutDir() / "viewer-no-maps";
  std::filesystem::create_directories(empty);
  std::ofstream(empty / "broken.xml") << "no calibration\n";
  ASSERT_TRUE(Window.OpenMap(QString::fromStdString(AtlasFolder().Files[1])));
  EXPECT_FALSE(Window.OpenAtlas(QString::fromStdString(empty.string())));
  EXPECT_FALSE(Window.OpenAtlas("/no/such/folder"));
  ASSERT_EQ(Errors.size(), 2u);
  EXPECT_TRUE(Errors[0].contains("broken.xml")) << Errors[0].toStdString();
  EXPECT_FALSE(Window.ShowsAtlas());
  EXPECT_EQ(Map().MapImgWidth(), 600);
}

TEST_F(AtlasViewerTest, ToolbarZoomSwitchesMapsAndTheViewerFollowsTheMapShown) {
  ASSERT_TRUE(Window.OpenAtlas(QString::fromStdString(AtlasFolder().Dir.string())));
  ASSERT_TRUE(Errors.empty());
  Window.SetShowGraticule(sgLines);
  Window.Action("Zoom box")->trigger();
  EXPECT_EQ(Map().MouseAction(), quillon::maZoomBox);
  QAction* zoom = Window.Action("Atlas zoom");
  ASSERT_NE(zoom, nullptr);
  ASSERT_TRUE(zoom->isEnabled());
  zoom->trigger();
  EXPECT_TRUE(Atlas().ZoomButton()->Down());
  EXPECT_FALSE(Map().AllowPan());
  EXPECT_FALSE(Window.Action("Zoom box")->isChecked());

  Click(OnMap(46.5, 8.0));
  EXPECT_EQ(Atlas().GetMapDef(Atlas().CurrentMapIndex()).Caption, "Alps");
  EXPECT_TRUE(Window.windowTitle().contains(": Alps")) << Window.windowTitle().toStdString();
  // The new map keeps the overlay; its history starts with it.
  EXPECT_EQ(Map().ShowGraticule(), sgLines);
  EXPECT_FALSE(Window.HistoryBack());
  EXPECT_TRUE(ShowsTheOffscreenAtlas("viewer-atlas-zoomed"));
  // The status bar reads the position on the map shown now.
  Move(Window.MapWidget(), OnMap(46.5, 8.0));
  Settle();
  EXPECT_TRUE(Window.PositionText().startsWith("46.5")) << Window.PositionText().toStdString();

  // A click on the atlas's own pointer button shows on the toolbar, and the
  // viewer's mouse mode comes back.
  const fw::TPoint b = Atlas().PointerButton()->ClientToScreen(fw::Point(12, 12));
  Click({b.X, b.Y});
  EXPECT_TRUE(Window.Action("Atlas pointer")->isChecked());
  EXPECT_TRUE(Window.Action("Zoom box")->isChecked());
  EXPECT_EQ(Map().MouseAction(), quillon::maZoomBox);

  // A zoom box on the atlas's map is a view of the history.
  const double m = Map().Magnification();
  Press(Window.MapWidget(), OnMap(quillon::TPoint{100, 80}));
  Move(Window.MapWidget(), OnMap(quillon::TPoint{200, 130}));
  Move(Window.MapWidget(), OnMap(quillon::TPoint{300, 180}));
  Release(Window.MapWidget(), OnMap(quillon::TPoint{300, 180}));
  Settle();
  EXPECT_GT(Map().Magnification(), m);
  ASSERT_TRUE(Window.HistoryBack());
  EXPECT_DOUBLE_EQ(Map().Magnification(), m);

  // Copies are of the atlas's map.
  Window.CopyToClipboard();
  EXPECT_TRUE(SamePicture("viewer-atlas-clipboard",
                          PixelImageOf(QGuiApplication::clipboard()->image()),
                          Map().Surface()->PixelImage()));

  // A single map again: the atlas's buttons have nothing to act on.
  ASSERT_TRUE(Window.OpenMap(QString::fromStdString(AtlasFolder().Files[0])));
  EXPECT_FALSE(Window.ShowsAtlas());
  EXPECT_FALSE(zoom->isEnabled());
  EXPECT_EQ(Map().MouseAction(), quillon::maZoomBox);
  EXPECT_EQ(Map().ShowGraticule(), sgLines);
}

} // namespace
} // namespace kartavo::qt
