#include "kartavo/geomap/output/picture_copy.h"

#include "kartavo/framework/canvas.h"
#include "kartavo/framework/pen.h"

#include <array>

namespace kartavo {

std::unique_ptr<fw::TBitmap> FramelessPicture(const fw::TBitmap& Picture, int Width, int Height) {
  auto copy = std::make_unique<fw::TBitmap>();
  copy->SetSize(Width, Height);
  fw::TCanvas& c = *copy->Canvas();
  // Below 5 pixels the inner rectangle is empty or inverted; a negative
  // extent would mirror the picture instead of leaving it out.
  if (Width > 4 && Height > 4) {
    const fw::TRect inner{2, 2, Width - 2, Height - 2};
    c.SetCopyMode(fw::cmSrcCopy);
    c.CopyRect(inner, Picture.Canvas(), inner);
  }
  c.Pen()->SetColor(fw::clBlack);
  c.Pen()->SetStyle(fw::psSolid);
  const std::array<fw::TPoint, 5> outline{
      {{1, 1}, {Width - 2, 1}, {Width - 2, Height - 2}, {1, Height - 2}, {1, 1}}};
  c.Polyline(outline);
  return copy;
}

} // namespace kartavo
