#include "../framework/pdf_raster.h"
#include "position_text.h"
#include "qt_test_support.h"
#include "viewer_window.h"

#include <QClipboard>
#include <QTimer>
#include <QToolBar>
#include <QWheelEvent>
#include <fstream>

namespace kartavo::qt {
namespace {
using namespace testing;

// A calibrated map written as the viewer's users have them: a JPEG and its
// calibration file side by side.
std::string WriteTestMap() {
  static const std::string file = [] {
    const std::filesystem::path dir = OutDir() / "viewer-map";
    std::filesystem::create_directories(dir);
    fw::TCustomControl host(nullptr);
    host.SetVisible(false);
    TGeoMap map(nullptr);
    map.SetParent(&host);
    MakeTestMap(map);
    map.SaveMap((dir / "testmap.jpg").string(), "testmap");
    return (dir / "testmap.xml").string();
  }();
  return file;
}

// The map the viewer shows, loaded and viewed the same way but never shown.
struct TOffscreen {
  fw::TCustomControl Host{nullptr};
  TGeoMap Map{nullptr};
  explicit TOffscreen(const TGeoMap& like) {
    Host.SetVisible(false);
    Map.SetParent(&Host);
    Map.SetBounds(0, 0, like.Width(), like.Height());
    const std::filesystem::path folder = std::filesystem::path(WriteTestMap()).parent_path();
    Map.OnMapImageRequest = [folder](fw::TObject*, std::string& n) { n = (folder / n).string(); };
    EXPECT_TRUE(Map.LoadCalDataFromXML(WriteTestMap(), ""));
    Map.SetGratLineDist(like.GratLineDist());
    Map.SetUTMGridDist(like.UTMGridDist());
    Map.SetShowGraticule(like.ShowGraticule());
    Map.SetMagnification(like.Magnification());
    Map.SetTopLeft(like.TopLeft());
  }
  const fw::TPixelImage& Picture() {
    Map.Paint();
    return Map.Surface()->PixelImage();
  }
};

struct ViewerTest : ::testing::Test {
  viewer::TViewerWindow Window;
  std::vector<QString> Errors;
  ViewerTest() {
    Window.ReportError = [this](const QString& e) { Errors.push_back(e); };
    Window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&Window));
    EXPECT_TRUE(Window.OpenMap(QString::fromStdString(WriteTestMap())));
    Settle();
  }
  TGeoMap& Map() { return Window.Map(); }
  QWidget& View() { return Window.MapWidget(); }
  ::testing::AssertionResult ShowsTheOffscreenRendering(const std::string& name) {
    Settle();
    TOffscreen offscreen(Map());
    return SamePicture(name, Screenshot(View()), offscreen.Picture());
  }
};

TEST_F(ViewerTest, OpensAMapFittedAndShowsItPixelForPixel) {
  EXPECT_TRUE(Errors.empty());
  EXPECT_EQ(Map().MapImgWidth(), 600);
  const double fit = std::min(Map().Width() / 600.0, Map().Height() / 450.0);
  EXPECT_DOUBLE_EQ(Map().Magnification(), fit);
  Map().SetGratLineDist(0.5);
  Window.SetShowGraticule(sgPointsAndLines);
  EXPECT_TRUE(ShowsTheOffscreenRendering("viewer-open"));
  Map().SetUTMGridDist(50000);
  Window.SetShowGraticule(sgUTMGrid);
  EXPECT_TRUE(ShowsTheOffscreenRendering("viewer-utm"));
  Window.SetShowGraticule(sgPointsAndLines);
}

TEST_F(ViewerTest, ABadFileIsReportedAndTheMapStaysAsItWas) {
  const std::filesystem::path bad = OutDir() / "bad.xml";
  std::ofstream(bad) << "<?xml version=\"1.0\"?>\n<nothing/>\n";
  const quillon::TPoint tl = Map().TopLeft();
  EXPECT_FALSE(Window.OpenMap(QString::fromStdString(bad.string())));
  EXPECT_FALSE(Window.OpenMap("/no/such/file.xml"));
  ASSERT_EQ(Errors.size(), 2u);
  EXPECT_TRUE(Errors[0].contains("bad.xml")) << Errors[0].toStdString();
  EXPECT_EQ(Map().MapImgWidth(), 600);
  EXPECT_EQ(Map().TopLeft(), tl);
  EXPECT_TRUE(ShowsTheOffscreenRendering("viewer-kept"));
}

TEST_F(ViewerTest, ZoomBoxAndPanThroughRealInputChangeTheViewAsWithoutDisplay) {
  TOffscreen offscreen(Map());
  Window.SetMouseMode(quillon::maZoomBox);
  offscreen.Map.SetMouseAction(quillon::maZoomBox);
  // The same gesture through the window system and straight to the handlers.
  Press(View(), {100, 80});
  Move(View(), {180, 120});
  Move(View(), {260, 170});
  Release(View(), {260, 170});
  fw::TControl& direct = offscreen.Map;
  direct.MouseDown(fw::mbLeft, {fw::ssLeft}, 100, 80);
  direct.MouseMove({fw::ssLeft}, 180, 120);
  direct.MouseMove({fw::ssLeft}, 260, 170);
  direct.MouseUp(fw::mbLeft, {}, 260, 170);
  EXPECT_DOUBLE_EQ(Map().Magnification(), offscreen.Map.Magnification());
  EXPECT_EQ(Map().TopLeft(), offscreen.Map.TopLeft());
  EXPECT_GT(Map().Magnification(), 2.0);
  EXPECT_TRUE(ShowsTheOffscreenRendering("viewer-zoombox"));

  Window.SetMouseMode(quillon::maPan);
  offscreen.Map.SetMouseAction(quillon::maPan);
  const quillon::TPoint before = Map().TopLeft();
  Press(View(), {300, 200});
  direct.MouseDown(fw::mbLeft, {fw::ssLeft}, 300, 200);
  for (int i = 1; i <= 4; ++i) {
    Move(View(), {300 - 20 * i, 200 - 10 * i});
    direct.MouseMove({fw::ssLeft}, 300 - 20 * i, 200 - 10 * i);
  }
  Release(View(), {220, 160});
  direct.MouseUp(fw::mbLeft, {}, 220, 160);
  EXPECT_EQ(Map().TopLeft(), offscreen.Map.TopLeft());
  // The drag starts at the first move with the button held: 60 by 30 pixels.
  const double m = Map().Magnification();
  EXPECT_EQ(Map().TopLeft().X, before.X + static_cast<int>(std::lround(60 / m)));
  EXPECT_EQ(Map().TopLeft().Y, before.Y + static_cast<int>(std::lround(30 / m)));
  EXPECT_TRUE(ShowsTheOffscreenRendering("viewer-pan"));

  // Back goes to the zoomed view before the pan, forward returns.
  const quillon::TPoint panned = Map().TopLeft();
  ASSERT_TRUE(Window.HistoryBack());
  EXPECT_EQ(Map().TopLeft(), before);
  ASSERT_TRUE(Window.HistoryForward());
  EXPECT_EQ(Map().TopLeft(), panned);
}

TEST_F(ViewerTest, WheelZoomsAboutThePointer) {
  const QPoint at(150, 100);
  const quillon::TPoint under = Map().ControlToMapImage({at.x(), at.y()});
  const double m = Map().Magnification();
  QWheelEvent wheel(at, View().mapToGlobal(at), {}, {0, 240}, Qt::NoButton, {}, Qt::NoScrollPhase,
                    false);
  QApplication::sendEvent(&View(), &wheel);
  EXPECT_NEAR(Map().Magnification(), m * 1.5625, 1e-9);
  const quillon::TPoint still = Map().ControlToMapImage({at.x(), at.y()});
  EXPECT_LE(std::abs(still.X - under.X), 1);
  EXPECT_LE(std::abs(still.Y - under.Y), 1);
  EXPECT_TRUE(ShowsTheOffscreenRendering("viewer-wheel"));
  ASSERT_TRUE(Window.HistoryBack());
  EXPECT_DOUBLE_EQ(Map().Magnification(), m);
}

TEST_F(ViewerTest, StatusBarShowsThePositionUnderThePointer) {
  Move(View(), {10, 10});
  Move(View(), {0, 0});
  Settle();
  // Pixel (0, 0) of the map is 48 N 6 E.
  EXPECT_TRUE(Window.PositionText().startsWith("48.00000 N  6.00000 E    UTM 32n"))
      << Window.PositionText().toStdString();
  Window.SetDegreesMinutesSeconds(true);
  Move(View(), {1, 0});
  Move(View(), {0, 0});
  EXPECT_TRUE(Window.PositionText().startsWith("48")) << Window.PositionText().toStdString();
  EXPECT_TRUE(Window.PositionText().contains("N")) << Window.PositionText().toStdString();
}

TEST_F(ViewerTest, LandmarkFilesAreShownOnTheMap) {
  const std::string file = (OutDir() / "landmarks.xml").string();
  {
    fw::TCustomControl host(nullptr);
    host.SetVisible(false);
    TGeoMap aside(nullptr);
    aside.SetParent(&host);
    aside.AddLandMark(46.5, 8.0, 0, "Alpha", 12, 0x0000FF);
    aside.AddLandMark(47.0, 10.5, 0, "Beta", 12, 0xFF0000);
    aside.SaveLandmarks(file, "");
  }
  ASSERT_TRUE(Window.OpenLandmarks(QString::fromStdString(file)));
  EXPECT_EQ(Map().NumLandMarks(), 2);
  Settle();
  TOffscreen offscreen(Map());
  ASSERT_TRUE(offscreen.Map.LoadLandMarks(file, ""));
  EXPECT_TRUE(SamePicture("viewer-landmarks", Screenshot(View()), offscreen.Picture()));
  EXPECT_FALSE(Window.OpenLandmarks("/no/such/landmarks.xml"));
  EXPECT_EQ(Errors.size(), 1u);
  EXPECT_EQ(Map().NumLandMarks(), 2);
  // The picture for the README: the whole window with toolbar and status bar.
  Map().SetGratLineDist(0.5);
  Window.SetShowGraticule(sgPointsAndLines);
  Move(View(), {300, 200});
  Settle();
  Window.grab().save(QString::fromStdString((OutDir() / "viewer.png").string()));
}

TEST_F(ViewerTest, CopiedMapGoesToTheSystemClipboard) {
  Window.CopyToClipboard();
  const QImage copied = QGuiApplication::clipboard()->image();
  ASSERT_FALSE(copied.isNull());
  EXPECT_TRUE(SamePicture("viewer-clipboard", PixelImageOf(copied), Map().Surface()->PixelImage()));
}

TEST_F(ViewerTest, ControlKeyContinuesTheRubberBandChain) {
  std::vector<std::string> events;
  auto record = [&](const char* what) {
    return [&events, what](fw::TObject*, quillon::TPoint) { events.push_back(what); };
  };
  Map().OnBeginRubberBand = record("begin");
  Map().OnContinueRubberBand = record("continue");
  Map().OnEndRubberBand = record("end");
  Window.SetMouseMode(quillon::maRubberBand);
  const auto click = [this](QPoint p, Qt::KeyboardModifiers mods) {
    Press(View(), p, mods);
    Release(View(), p, mods);
  };
  click({50, 50}, {});
  Move(View(), {120, 80});
  click({120, 80}, Qt::ControlModifier);
  Move(View(), {200, 60});
  click({200, 60}, {});
  EXPECT_EQ(events, (std::vector<std::string>{"begin", "continue", "end"}));
  // The chain's first line stays; only the last one is erased. Lines drawn
  // in XOR outside any repaint show on the screen as on the surface.
  Settle();
  EXPECT_TRUE(SamePicture("viewer-rubberband", Screenshot(View()), Map().Surface()->PixelImage()));
  const QImage shot = ImageCopy(Screenshot(View()));
  TOffscreen offscreen(Map());
  EXPECT_NE(shot.pixel(85, 65), ImageCopy(offscreen.Picture()).pixel(85, 65));
}

TEST_F(ViewerTest, MouseBoxCompletesInTheRealWindow) {
  // The user drags while MouseBox waits in its message loop.
  QTimer::singleShot(50, [this] {
    Press(View(), {40, 30});
    Move(View(), {90, 60});
    Move(View(), {140, 110});
    Release(View(), {140, 110});
  });
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  Window.SetMouseMode(quillon::maZoomDrag);
  ASSERT_TRUE(Map().MouseBox(x1, y1, x2, y2));
  EXPECT_EQ(x1, 40);
  EXPECT_EQ(y1, 30);
  EXPECT_EQ(x2, 140);
  EXPECT_EQ(y2, 110);
  EXPECT_EQ(Map().MouseAction(), quillon::maZoomDrag);
  // A right click gives up.
  QTimer::singleShot(50, [this] { Press(View(), {50, 50}, {}, Qt::RightButton); });
  EXPECT_FALSE(Map().MouseBox(x1, y1, x2, y2));
  Release(View(), {50, 50}, {}, Qt::RightButton);
}

TEST_F(ViewerTest, PrintsTheViewIntoAPdfFittedAndCentredOnTheSheet) {
  KARTAVO_REQUIRE_PDFTOPPM();
  const std::string pdf = (OutDir() / "viewer-print.pdf").string();
  std::filesystem::remove(pdf);
  ASSERT_TRUE(Window.PrintToPdf(QString::fromStdString(pdf)));
  ASSERT_EQ(pdftest::PageCount(pdf), 1);
  // A wide view goes on an A4 sheet across, at 100 pixels an inch here.
  const auto page = pdftest::RasterisePage(pdf, 1, 100);
  ASSERT_TRUE(page);
  EXPECT_NEAR(page->Width, 1169, 1);
  EXPECT_NEAR(page->Height, 827, 1);
  // The view is everything that is not paper white.
  pdftest::TBox view{page->Width, page->Height, 0, 0};
  for (int y = 0; y < page->Height; ++y)
    for (int x = 0; x < page->Width; ++x)
      if (!pdftest::Near(pdftest::At(*page, x, y), fw::clWhite, 4)) {
        view.Left = std::min(view.Left, x);
        view.Top = std::min(view.Top, y);
        view.Right = std::max(view.Right, x + 1);
        view.Bottom = std::max(view.Bottom, y + 1);
      }
  const int w = view.Right - view.Left, h = view.Bottom - view.Top;
  EXPECT_NEAR(double(w) / h, double(Map().Width()) / Map().Height(), 0.01);
  EXPECT_GT(std::max(double(w) / page->Width, double(h) / page->Height), 0.9);
  EXPECT_NEAR(view.Left, page->Width - view.Right, 2);
  EXPECT_NEAR(view.Top, page->Height - view.Bottom, 2);
  // What is printed is the view: sampled on a grid, it differs from the
  // screen's picture only by the resampling at another size.
  const fw::TPixelImage& screen = Map().Surface()->PixelImage();
  double difference = 0;
  int samples = 0;
  for (int cy = 5; cy < Map().Height(); cy += 10)
    for (int cx = 5; cx < Map().Width(); cx += 10) {
      const fw::TColor printed =
          pdftest::At(*page, view.Left + (2 * cx + 1) * w / (2 * Map().Width()),
                      view.Top + (2 * cy + 1) * h / (2 * Map().Height()));
      const fw::TColor shown = pdftest::At(screen, cx, cy);
      for (int shift : {8, 16}) // green and blue: the smooth ramps
        difference += std::abs(int(printed >> shift & 0xFF) - int(shown >> shift & 0xFF));
      ++samples;
    }
  EXPECT_LT(difference / (2 * samples), 6.0);
  // A file that cannot be written is reported.
  EXPECT_FALSE(Window.PrintToPdf("/no/such/folder/map.pdf"));
  EXPECT_EQ(Errors.size(), 1u);
}

} // namespace
} // namespace kartavo::qt

namespace kartavo::viewer {
namespace {

TEST(ViewerPositionText, DegreesMinutesSecondsAndUtmInBothHemispheres) {
  EXPECT_EQ(LatLonText(47.51234, -8.25, false), "47.51234 N  8.25000 W");
  EXPECT_EQ(LatLonText(47.51234, -8.25, true), "47\u00B030'44.4\" N  8\u00B015'00.0\" W");
  EXPECT_EQ(UtmText(-33.9, 151.2, gelWGS84), "UTM 56s 333569 6247473");
  EXPECT_EQ(UtmText(48.0, 6.0, gelWGS84).substr(0, 8), "UTM 32n ");
}

} // namespace
} // namespace kartavo::viewer
