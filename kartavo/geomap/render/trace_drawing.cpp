#include "kartavo/geomap/render/trace_drawing.h"

#include "kartavo/framework/canvas.h"
#include "kartavo/geomap/detail/pixel_round.h"

namespace kartavo {
namespace {

quillon::TPoint ControlPixel(const quillon::TColoredPoint& p, const TRenderView& view) {
  return view.ToControl(RoundPixel(p.X), RoundPixel(p.Y));
}

} // namespace

void DrawTraceSegment(fw::TCanvas& Canvas, const quillon::TColoredPoint& A,
                      const quillon::TColoredPoint& B, const TRenderView& View) {
  fw::TPen& pen = *Canvas.Pen();
  pen.SetColor(B.Color);
  pen.SetMode(B.Flags & mtfInvert ? fw::pmXor : fw::pmCopy);
  const quillon::TPoint a = ControlPixel(A, View), b = ControlPixel(B, View);
  Canvas.MoveTo(a.X, a.Y);
  Canvas.LineTo(b.X, b.Y);
  pen.SetMode(fw::pmCopy);
}

void DrawTrace(fw::TCanvas& Canvas, std::span<const quillon::TColoredPoint> Points,
               const TRenderView& View) {
  if (Points.empty()) return;
  fw::TPen& pen = *Canvas.Pen();
  const fw::TColor color = pen.Color();
  const int width = pen.Width();
  const fw::TPenStyle style = pen.Style();
  const fw::TBrushStyle brushStyle = Canvas.Brush()->Style();
  for (size_t i = 1; i < Points.size(); ++i)
    if (!(Points[i - 1].Flags & mtfEndsStroke))
      DrawTraceSegment(Canvas, Points[i - 1], Points[i], View);
  pen.SetColor(color);
  pen.SetWidth(width);
  pen.SetStyle(style);
  Canvas.Brush()->SetStyle(brushStyle);
}

} // namespace kartavo
