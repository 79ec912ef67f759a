// Copies of the map for another view than the control's: into a host's
// bitmap and onto the clipboard. A copy must hold exactly what the control
// shows for that view, and leave the control as it was.
#include "../geomap_test_support.h"
#include "kartavo/framework/bitmap.h"
#include "kartavo/framework/canvas.h"
#include "kartavo/framework/screen.h"
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/package/exceptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

using namespace kartavo;

constexpr fw::TColor Magenta = 0xFF00FF;

// Reaches the view and the landmarks, which input and files drive.
struct CopyMap : TGeoMap {
  using TGeoMap::TGeoMap;
  void SetView(double m, quillon::TPoint tl) {
    FView.SetMagnification(m);
    FView.SetTopLeft(tl);
    Paint();
  }
  void AddMark(double lat, double lon, const char* caption, TLandMarkElement kind) {
    TLandMark lm = DefaultLandMark();
    lm.Latitude = lat;
    lm.Longitude = lon;
    lm.Caption.Text = caption;
    lm.SymbolProps.Kind = kind;
    lm.SymbolProps.Size = 6;
    FLandmarks.Append(lm);
  }
};

// A 600 x 400 map from 48N 6E to 44N 12E whose every pixel differs from
// its neighbours, with graticule, calibration points, landmarks, a
// highlight and a trace: every layer of the rendering shows in a copy.
void LoadBusyMap(CopyMap& map) {
  fw::TBitmap picture;
  picture.SetSize(600, 400);
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 600; ++x)
      picture.Canvas()->SetPixels(
          x, y, static_cast<fw::TColor>((x * 3 % 256) << 16 | (y * 5 % 256) << 8 | (x ^ y) % 256));
  map.SetSuppressPaint(true);
  map.SetBounds(0, 0, 300, 200);
  map.SetFrameStyle(quillon::fsNone);
  map.SetMapBitMap(&picture);
  kartavo::testing::CalibrateByCorners(map, 48.0, 6.0, 44.0, 12.0, 600, 400);
  map.SetShowGraticule(sgPointsAndLines);
  map.SetGratLineDist(0.5);
  map.AddMark(46.5, 7.5, "Bern", lmCircle);
  map.AddMark(46.2, 8.4, "Lucerne", lmSquare);
  map.AddMark(45.6, 9.3, "Milan", lmCross);
  map.SetHighLightLandMark(2);
  for (const quillon::TPoint p : {quillon::TPoint{120, 90}, {200, 150}, {320, 140}})
    map.AddMouseTracePoint(p);
  map.SetSuppressPaint(false);
}

// The control's picture for the view (m, tl): what a copy must equal.
std::vector<fw::TColor> ControlPicture(CopyMap& map, double m, quillon::TPoint tl) {
  map.SetView(m, tl);
  std::vector<fw::TColor> px;
  for (int y = 0; y < map.Height(); ++y)
    for (int x = 0; x < map.Width(); ++x)
      px.push_back(map.MapImage().Aux().Canvas()->Pixels(x, y));
  return px;
}

struct TControlState {
  quillon::TPoint TopLeft;
  double Magnification;
  int PaintCount, CacheRebuilds;
  double CacheMag;
  std::vector<uint8_t> Aux;
  explicit TControlState(const CopyMap& m)
      : TopLeft(m.TopLeft()), Magnification(m.Magnification()), PaintCount(m.PaintCount()),
        CacheRebuilds(m.ImageLayerCounts().CacheRebuilds), CacheMag(m.MapImage().CacheMag()),
        Aux(m.MapImage().Aux().PixelImage().Bits) {}
  bool operator==(const TControlState&) const = default;
};

void ExpectCopyEquals(const fw::TBitmap& dest, int px, int py, const std::vector<fw::TColor>& want,
                      int w, int h) {
  for (int y = -1; y <= h; ++y)
    for (int x = -1; x <= w; ++x) {
      const fw::TColor got = dest.Canvas()->Pixels(px + x, py + y);
      if (x < 0 || y < 0 || x == w || y == h)
        ASSERT_EQ(got, Magenta) << "outside the rectangle at " << x << "," << y;
      else
        ASSERT_EQ(got, want[y * w + x]) << x << "," << y;
    }
}

std::unique_ptr<fw::TBitmap> Filled(int w, int h) {
  auto b = std::make_unique<fw::TBitmap>();
  b->SetSize(w, h);
  b->Canvas()->Brush()->SetColor(Magenta);
  b->Canvas()->FillRect(fw::Rect(0, 0, w, h));
  return b;
}

// Zoomed in (stretched from the map image), zoomed out with the control's
// cache made for the view, and zoomed out with the cache made for another
// magnification: the copy is the control's picture each time.
TEST(CopyToBMP, EqualsTheControlsRenderingOfTheView) {
  struct TView {
    double M;
    quillon::TPoint TL;
    double ControlM; // the control's own magnification when copying
  };
  for (const TView v : {TView{1.5, {100, 80}, 1}, TView{0.37, {41, 33}, 0.37},
                        TView{0.37, {41, 33}, 0.25}, TView{1, {150, 120}, 3}}) {
    CopyMap map(nullptr);
    LoadBusyMap(map);
    const std::vector<fw::TColor> want = ControlPicture(map, v.M, v.TL);
    map.SetView(v.ControlM, {10, 10});
    const TControlState before(map);
    auto dest = Filled(400, 300);
    map.CopyToBMP(dest.get(), v.TL, v.M, 50, 60, 300, 200);
    ExpectCopyEquals(*dest, 50, 60, want, 300, 200);
    EXPECT_TRUE(TControlState(map) == before) << "magnification " << v.M;
  }
}

TEST(CopyToBMP, HostEventsDrawIntoTheCopyForItsView) {
  CopyMap map(nullptr);
  LoadBusyMap(map);
  // The host marks a map pixel through the control's own conversion.
  map.OnDataRendered = [&](fw::TObject*, fw::TCanvas* c) {
    const quillon::TPoint p = map.MapImageToControl({300, 200});
    c->SetPixels(p.X, p.Y, 0x00FF00);
  };
  map.SetView(1, {0, 0});
  auto dest = Filled(200, 200);
  map.CopyToBMP(dest.get(), {250, 150}, 2, 0, 0, 200, 200);
  EXPECT_EQ(dest->Canvas()->Pixels(100, 100), 0x00FF00u); // (300-250)*2, (200-150)*2
  EXPECT_EQ(map.MapImageToControl({300, 200}).X, 300);    // the control's view is back
  EXPECT_EQ(map.TopLeft().X, 0);
}

TEST(CopyToBMP, RectanglesPartlyOutsideAndBadArguments) {
  CopyMap map(nullptr);
  LoadBusyMap(map);
  const std::vector<fw::TColor> want = ControlPicture(map, 1, {0, 0});
  // Cut off at the destination's edges, left and right.
  auto dest = Filled(100, 80);
  map.CopyToBMP(dest.get(), {0, 0}, 1, -20, 30, 300, 200);
  EXPECT_EQ(dest->Canvas()->Pixels(0, 30), want[20]);
  EXPECT_EQ(dest->Canvas()->Pixels(99, 79), want[49 * 300 + 119]);
  EXPECT_EQ(dest->Canvas()->Pixels(0, 29), Magenta);
  // Nothing to draw: nothing happens.
  auto untouched = Filled(50, 50);
  map.CopyToBMP(untouched.get(), {0, 0}, 1, 0, 0, 0, 10);
  map.CopyToBMP(untouched.get(), {0, 0}, 1, 60, 0, 10, 10);
  map.CopyToBMP(untouched.get(), {0, 0}, 1, 2147483600, 0, 100, 10);
  map.CopyToBMP(untouched.get(), {0, 0}, 1, -100, 0, 100, 10);
  EXPECT_EQ(untouched->Canvas()->Pixels(0, 0), Magenta);
  EXPECT_THROW(map.CopyToBMP(nullptr, {0, 0}, 1, 0, 0, 10, 10), EORVGeoMapError);
  for (double bad : {0.0, -1.0, std::nan(""), 1e9})
    EXPECT_THROW(map.CopyToBMP(untouched.get(), {0, 0}, bad, 0, 0, 10, 10), EORVGeoMapError) << bad;
  EXPECT_THROW(map.CopyToBMP(untouched.get(), {0, 0}, 1, 0, 0, 100000, 100000), EORVGeoMapError);
}

TEST(CopyToBMP, WithoutMapShowsTheEmptyDisplay) {
  CopyMap map(nullptr);
  map.SetBounds(0, 0, 200, 100);
  map.SetFrameStyle(quillon::fsNone);
  const std::vector<fw::TColor> want = ControlPicture(map, 1, {0, 0});
  auto dest = Filled(202, 102);
  map.CopyToBMP(dest.get(), {0, 0}, 1, 1, 1, 200, 100);
  ExpectCopyEquals(*dest, 1, 1, want, 200, 100);
}

TEST(CopyEntireMapToClipboard, WholeMapAtMagnificationOne) {
  CopyMap map(nullptr);
  LoadBusyMap(map);
  map.SetView(0.25, {100, 100});
  const TControlState before(map);
  fw::Clipboard().Clear();
  map.CopyEntireMapToClipboard();
  ASSERT_TRUE(fw::Clipboard().HasFormat(fw::CF_BITMAP));
  fw::TBitmap got;
  got.Assign(&fw::Clipboard());
  ASSERT_EQ(got.Width(), 600);
  ASSERT_EQ(got.Height(), 400);
  auto want = Filled(600, 400);
  map.CopyToBMP(want.get(), {0, 0}, 1, 0, 0, 600, 400);
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 600; ++x)
      ASSERT_EQ(got.Canvas()->Pixels(x, y), want->Canvas()->Pixels(x, y)) << x << "," << y;
  EXPECT_TRUE(TControlState(map) == before);
  // The graticule's parallel at 46N (row 200) is on it.
  int blue = 0;
  for (int x = 0; x < 600; ++x)
    blue += got.Canvas()->Pixels(x, 200) == 0xFF0000u;
  EXPECT_GT(blue, 500);
  // Without a map the clipboard keeps what it holds.
  CopyMap empty(nullptr);
  empty.CopyEntireMapToClipboard();
  got.Assign(&fw::Clipboard());
  EXPECT_EQ(got.Width(), 600);
}

} // namespace
