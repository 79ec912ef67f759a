#include "kartavo/geomap/render/calib_marker.h"

#include "kartavo/framework/canvas.h"

namespace kartavo {
namespace {

void Diamond(fw::TCanvas& c, int x, int y, int r) {
  c.MoveTo(x - r, y);
  c.LineTo(x, y - r);
  c.LineTo(x + r, y);
  c.LineTo(x, y + r);
  c.LineTo(x - r, y);
}

} // namespace

void DrawCalibMarker(fw::TCanvas& Canvas, int x, int y, fw::TColor Color) {
  fw::TPen& pen = *Canvas.Pen();
  pen.SetColor(Color);
  // A centre this far out (a saturated conversion) shows nothing, and its
  // corners would not fit an int.
  constexpr int Far = 1 << 30;
  if (x < -Far || x > Far || y < -Far || y > Far) return;
  Canvas.MoveTo(x - 8, y);
  Canvas.LineTo(x + 8, y);
  Canvas.MoveTo(x, y - 8);
  Canvas.LineTo(x, y + 8);
  Diamond(Canvas, x, y, 8);
  pen.SetColor(0xFFFFFF);
  Diamond(Canvas, x, y, 9);
  pen.SetColor(Color);
  Diamond(Canvas, x, y, 10);
}

} // namespace kartavo
