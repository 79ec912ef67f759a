// Demo section: a user's session on the calibrated sample map, played as
// mouse input posted to the display-less screen: a zoom box, a pan, a
// selection and a freehand trace. Prints what the control's events
// reported and saves what the control shows as a PNG.
#include "cli.h"

#include "kartavo/framework/headless_backend.h"
#include "kartavo/framework/png_codec.h"
#include "kartavo/framework/screen.h"
#include "kartavo/geomap/geomap_control.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace kcli {
namespace {
using namespace kartavo;
using Point = quillon::TPoint;

std::string Fixed(double v, int digits) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%.*f", digits, v);
  return buf;
}

std::string ViewText(const TGeoMap& map) {
  return "magnification " + Fixed(map.Magnification(), 3) + ", top-left (" +
         std::to_string(map.TopLeft().X) + ", " + std::to_string(map.TopLeft().Y) + ")";
}

// Posts a left-button drag along the path and lets the control handle it;
// beforeRelease runs while the button is still down.
void Drag(fw::THeadlessBackend& input, TGeoMap& map, const std::vector<Point>& path,
          const std::function<void()>& beforeRelease = {}) {
  input.PostMouseDown(&map, fw::mbLeft, path.front().X, path.front().Y);
  for (const Point& p : path)
    input.PostMouseMove(&map, p.X, p.Y);
  fw::Application().ProcessMessages();
  if (beforeRelease) beforeRelease();
  input.PostMouseUp(&map, fw::mbLeft, path.back().X, path.back().Y);
  fw::Application().ProcessMessages();
}

std::string SavePicture(const TGeoMap& map, const std::filesystem::path& dir, const char* name) {
  const std::string png = (dir / name).string();
  fw::WritePngFile(png, map.Surface()->PixelImage());
  return png;
}

// A loop around (cx, cy) and a wave beneath it, in control pixels.
std::vector<Point> Loop(int cx, int cy, int r) {
  std::vector<Point> pts;
  for (int i = 0; i <= 36; ++i) {
    const double a = i * 2 * 3.14159265358979 / 36;
    pts.push_back({cx + int(std::lround(r * std::cos(a))), cy + int(std::lround(r * std::sin(a)))});
  }
  return pts;
}

std::vector<Point> Wave(int x0, int x1, int y) {
  std::vector<Point> pts;
  for (int x = x0; x <= x1; x += 8)
    pts.push_back({x, y + int(std::lround(12 * std::sin((x - x0) / 16.0)))});
  return pts;
}

void ReportTrace(TGeoMap& map, std::ostream& out) {
  const int n = map.NumMTracePoints();
  out << "  " << n << " trace points";
  if (n > 0) {
    const quillon::TColoredPoint first = map.GetMTracePoint(1), last = map.GetMTracePoint(n);
    out << ", from " << Fixed(first.Y, 4) << ' ' << Fixed(first.X, 4) << " to " << Fixed(last.Y, 4)
        << ' ' << Fixed(last.X, 4) << " (latitude longitude)";
  }
  out << '\n';
}

bool LoadSampleMap(TGeoMap& map, const std::filesystem::path& dir, std::ostream& out) {
  const std::string xml = (dir / "alps_demo.xml").string();
  // The calibration names its image relative to its own folder.
  map.OnMapImageRequest = [&](fw::TObject*, std::string& name) { name = (dir / name).string(); };
  if (!map.LoadCalDataFromXML(xml, "alps")) {
    out << "the sample map " << xml << " is missing; the map files section writes it\n";
    return false;
  }
  return map.MapImgWidth() > 0;
}

void InteractionDemo(std::ostream& out, const std::filesystem::path& dir) {
  fw::THeadlessBackend* input = DemoInput(out);
  if (!input) return;
  TGeoMap map(nullptr);
  map.SetBounds(0, 0, 480, 320);
  if (!LoadSampleMap(map, dir, out)) return;
  fw::Application().ProcessMessages();
  int zoomPans = 0;
  map.OnZoomPan = [&](fw::TObject*) { ++zoomPans; };
  map.OnSelectRect = [&](fw::TObject*, bool geo, double a, double b, double c, double d) {
    out << "  OnSelectRect: " << (geo ? "longitude/latitude " : "map pixels ") << Fixed(a, 4) << ' '
        << Fixed(b, 4) << " to " << Fixed(c, 4) << ' ' << Fixed(d, 4) << '\n';
  };
  map.ZoomFitPage();
  out << "fitted: " << ViewText(map) << '\n';

  out << "zoom box from (120, 80) to (360, 240):\n";
  map.SetMouseAction(quillon::maZoomBox);
  Drag(*input, map, {{120, 80}, {240, 160}, {360, 240}});
  out << "  " << ViewText(map) << ", OnZoomPan " << zoomPans << "x\n";

  out << "pan from (300, 200) to (200, 150):\n";
  map.SetMouseAction(quillon::maPan);
  zoomPans = 0;
  Drag(*input, map, {{300, 200}, {260, 180}, {200, 150}});
  out << "  " << ViewText(map) << ", OnZoomPan " << zoomPans << "x, last click "
      << Fixed(map.LastClickLatitude(), 4) << ' ' << Fixed(map.LastClickLongitude(), 4) << '\n';

  out << "selection from (60, 40) to (400, 280):\n";
  map.SetMouseAction(quillon::maSelectRect);
  std::string selecting;
  Drag(*input, map, {{60, 40}, {200, 150}, {400, 280}},
       [&] { selecting = SavePicture(map, dir, "interaction_selecting.png"); });
  out << "  wrote " << selecting << " (the dotted box before the release)\n";

  out << "trace: a loop and a wave\n";
  map.SetMouseAction(quillon::maMouseTrace);
  map.SetMouseTraceInvert(false);
  map.SetMouseTraceColor(0x0000FF);
  Drag(*input, map, Loop(160, 130, 60));
  map.SetMouseTraceColor(0xFF0000);
  Drag(*input, map, Wave(260, 440, 250));
  ReportTrace(map, out);

  map.Paint();
  out << "wrote " << SavePicture(map, dir, "interaction_session.png")
      << " (the view after the session, with its trace)\n";
}

const DemoRegistrar demo(60, "Map interaction: a scripted mouse session", InteractionDemo);

} // namespace
} // namespace kcli
