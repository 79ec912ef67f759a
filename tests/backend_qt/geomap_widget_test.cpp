#include "kartavo/backend_qt/geomap_widget.h"
#include "qt_test_support.h"

namespace kartavo::qt {
namespace {
using namespace testing;

// The same view rendered by a map that has no window: a child of a hidden
// control, so that no backend ever shows it.
struct TOffscreenMap {
  fw::TCustomControl Host{nullptr};
  TGeoMap Map{nullptr};
  TOffscreenMap(int w, int h) {
    Host.SetVisible(false);
    Map.SetParent(&Host);
    Map.SetBounds(0, 0, w, h);
    MakeTestMap(Map);
  }
  const fw::TPixelImage& Picture() {
    Map.Paint();
    return Map.Surface()->PixelImage();
  }
};

struct GeoMapWidgetTest : ::testing::Test {
  GeoMapWidget View;
  GeoMapWidgetTest() {
    MakeTestMap(View.Map());
    View.resize(420, 300);
    View.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&View));
    Settle();
  }
};

TEST_F(GeoMapWidgetTest, ScreenshotEqualsTheRenderingWithoutDisplay) {
  TGeoMap& map = View.Map();
  EXPECT_EQ(map.Width(), 420);
  EXPECT_EQ(map.Height(), 300);
  map.SetShowGraticule(sgLines);
  map.SetGratLineDist(0.5);
  Settle();
  TOffscreenMap offscreen(420, 300);
  offscreen.Map.SetShowGraticule(sgLines);
  offscreen.Map.SetGratLineDist(0.5);
  EXPECT_TRUE(SamePicture("map-area", Screenshot(View), offscreen.Picture()));
}

TEST_F(GeoMapWidgetTest, ResizingTheWidgetResizesAndRepaintsTheMap) {
  View.resize(300, 200);
  Settle();
  EXPECT_EQ(View.Map().Width(), 300);
  EXPECT_EQ(View.Map().Height(), 200);
  TOffscreenMap offscreen(300, 200);
  EXPECT_TRUE(SamePicture("resized", Screenshot(View), offscreen.Picture()));
}

} // namespace
} // namespace kartavo::qt
