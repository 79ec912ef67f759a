#include "kartavo/framework/canvas.h"

#include "kartavo/framework/bitmap.h"
#include "kartavo/framework/detail/line_raster.h"
#include "kartavo/framework/detail/pixel_value.h"
#include "kartavo/framework/detail/polygon_raster.h"
#include "kartavo/framework/detail/raster_target.h"

#include <algorithm>
#include <array>
#include <vector>

namespace fw {

namespace {

// Dash patterns of thin pens in pixels: on, off, on, off...
std::span<const int> DashPattern(TPenStyle style) {
  static constexpr std::array<int, 2> dash = {18, 6};
  static constexpr std::array<int, 2> dot = {3, 3};
  static constexpr std::array<int, 4> dashDot = {9, 6, 3, 6};
  static constexpr std::array<int, 6> dashDotDot = {9, 3, 3, 3, 3, 3};
  switch (style) {
  case psDash:
    return dash;
  case psDot:
    return dot;
  case psDashDot:
    return dashDot;
  case psDashDotDot:
    return dashDotDot;
  default:
    return {};
  }
}

// Whether position pos of the repeating pattern is drawn with the pen.
bool DashOn(std::span<const int> pattern, int period, int64_t pos) {
  int p = static_cast<int>(pos % period);
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (p < pattern[i]) return i % 2 == 0;
    p -= pattern[i];
  }
  return false;
}

TRect Normalized(int x1, int y1, int x2, int y2) {
  return Rect(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
}

} // namespace

TCanvas::TCanvas(TPixelImage* surface) : FSurface(surface) {}

bool TCanvas::Drawable() const { return FSurface && FSurface->Width > 0 && FSurface->Height > 0; }

TRect TCanvas::ClipRect() const {
  return FSurface ? Rect(0, 0, FSurface->Width, FSurface->Height) : TRect{};
}

TRasterTarget TCanvas::PenTarget() const {
  return TRasterTarget(*FSurface, ClipRect(), FPen.Mode(), EncodeColor(*FSurface, FPen.Color()));
}

TRasterTarget TCanvas::BrushTarget(TPenMode mode) const {
  return TRasterTarget(*FSurface, ClipRect(), mode, EncodeColor(*FSurface, FBrush.Color()));
}

void TCanvas::SetPenPos(TPoint value) {
  FPenPos = value;
  FDashPos = 0;
}

void TCanvas::MoveTo(int X, int Y) { SetPenPos(Point(X, Y)); }

void TCanvas::LineTo(int X, int Y) {
  PenSegment(FPenPos, Point(X, Y));
  FPenPos = Point(X, Y);
}

void TCanvas::PenSegment(TPoint a, TPoint b) {
  if (!Drawable() || FPen.Style() == psClear) return;
  TRasterTarget pen = PenTarget();
  if (FPen.Width() > 1) {
    RasterizeWideLine(a, b, FPen.Width(), pen.Clip(),
                      [&](int y, int64_t x0, int64_t x1) { pen.Span(y, x0, x1); });
    return;
  }
  std::span<const int> pattern = DashPattern(FPen.Style());
  if (pattern.empty()) {
    FDashPos += RasterizeThinLine(a, b, pen.Clip(), [&](int x, int y, int64_t) { pen.Plot(x, y); });
    return;
  }
  int period = 0;
  for (int p : pattern)
    period += p;
  bool gapsFilled = FBrush.Style() == bsSolid;
  TRasterTarget gap = BrushTarget(FPen.Mode());
  const int64_t start = FDashPos % period;
  FDashPos = start + RasterizeThinLine(a, b, pen.Clip(), [&](int x, int y, int64_t i) {
               if (DashOn(pattern, period, start + i))
                 pen.Plot(x, y);
               else if (gapsFilled)
                 gap.Plot(x, y);
             });
}

void TCanvas::PenPath(std::span<const TPoint> points, bool closed) {
  int64_t saved = FDashPos;
  FDashPos = 0;
  for (size_t i = 0; i + 1 < points.size(); ++i)
    PenSegment(points[i], points[i + 1]);
  if (closed && points.size() > 1) PenSegment(points.back(), points.front());
  FDashPos = saved;
}

void TCanvas::Polyline(std::span<const TPoint> Points) { PenPath(Points, false); }

void TCanvas::Polygon(std::span<const TPoint> Points) {
  if (!Drawable() || Points.empty()) return;
  if (FBrush.Style() == bsSolid) {
    TRasterTarget fill = BrushTarget(FPen.Mode());
    FillPolygonSpans(Points, fill.Clip(),
                     [&](int y, int64_t x0, int64_t x1) { fill.Span(y, x0, x1); });
  }
  PenPath(Points, true);
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  if (!Drawable()) return;
  TRect r = Normalized(X1, Y1, X2, Y2);
  if (r.Left == r.Right || r.Top == r.Bottom) return;
  bool fill = FBrush.Style() == bsSolid;
  TRasterTarget brush = BrushTarget(FPen.Mode());
  auto fillRect = [](TRasterTarget& t, int64_t l, int64_t tp, int64_t rt, int64_t b) {
    for (int64_t y = std::max<int64_t>(tp, t.Clip().Top); y < std::min<int64_t>(b, t.Clip().Bottom);
         ++y)
      t.Span(static_cast<int>(y), l, rt);
  };
  if (FPen.Style() == psClear) {
    // Without a pen the platform fills one pixel less to the right and below.
    if (fill) fillRect(brush, r.Left, r.Top, int64_t{r.Right} - 1, int64_t{r.Bottom} - 1);
    return;
  }
  const int64_t w = FPen.Width();
  // The frame is centred on the outermost pixels; even widths lean up and left.
  int64_t ol = r.Left - w / 2, ot = r.Top - w / 2;
  int64_t orr = int64_t{r.Right} - 1 + (w - 1) / 2 + 1,
          ob = int64_t{r.Bottom} - 1 + (w - 1) / 2 + 1;
  int64_t il = r.Left + (w - 1) / 2 + 1, it = r.Top + (w - 1) / 2 + 1;
  int64_t ir = int64_t{r.Right} - 1 - w / 2, ib = int64_t{r.Bottom} - 1 - w / 2;
  if (fill && il < ir && it < ib) fillRect(brush, il, it, ir, ib);
  bool dashed = w == 1 && !DashPattern(FPen.Style()).empty();
  if (dashed && int64_t{r.Right} - r.Left > 1 && int64_t{r.Bottom} - r.Top > 1) {
    const std::array<TPoint, 4> corners = {Point(r.Left, r.Top), Point(r.Right - 1, r.Top),
                                           Point(r.Right - 1, r.Bottom - 1),
                                           Point(r.Left, r.Bottom - 1)};
    PenPath(corners, true);
    return;
  }
  TRasterTarget pen = PenTarget();
  for (int64_t y = std::max<int64_t>(ot, pen.Clip().Top);
       y < std::min<int64_t>(ob, pen.Clip().Bottom); ++y) {
    if (y < it || y >= ib || il >= ir) {
      pen.Span(static_cast<int>(y), ol, orr);
    } else {
      pen.Span(static_cast<int>(y), ol, il);
      pen.Span(static_cast<int>(y), ir, orr);
    }
  }
}

void TCanvas::FillRect(const TRect& R) {
  if (!Drawable() || FBrush.Style() != bsSolid) return;
  TRasterTarget brush = BrushTarget(pmCopy);
  for (int y = std::max(R.Top, brush.Clip().Top); y < std::min(R.Bottom, brush.Clip().Bottom); ++y)
    brush.Span(y, R.Left, R.Right);
}

void TCanvas::FrameRect(const TRect& R) {
  if (!Drawable() || FBrush.Style() != bsSolid || R.Right <= R.Left || R.Bottom <= R.Top) return;
  TRasterTarget brush = BrushTarget(pmCopy);
  for (int y = std::max(R.Top, brush.Clip().Top); y < std::min(R.Bottom, brush.Clip().Bottom);
       ++y) {
    if (y == R.Top || y == R.Bottom - 1) {
      brush.Span(y, R.Left, R.Right);
    } else {
      brush.Span(y, R.Left, int64_t{R.Left} + 1);
      brush.Span(y, int64_t{R.Right} - 1, R.Right);
    }
  }
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  if (!Drawable()) return;
  TRect box = Normalized(X1, Y1, X2, Y2);
  if (box.Left == box.Right || box.Top == box.Bottom) return;
  TRasterTarget pen = PenTarget();
  TRasterTarget brush = BrushTarget(FPen.Mode());
  TSpanSink penSink = [&](int y, int64_t x0, int64_t x1) { pen.Span(y, x0, x1); };
  TSpanSink brushSink = [&](int y, int64_t x0, int64_t x1) { brush.Span(y, x0, x1); };
  const TSpanSink* interior = FBrush.Style() == bsSolid ? &brushSink : nullptr;
  if (FPen.Style() == psClear) {
    if (interior) EllipseSpans(box, pen.Clip(), brushSink, nullptr);
  } else if (FPen.Width() > 1) {
    WideEllipseSpans(box, FPen.Width(), pen.Clip(), penSink, interior);
  } else {
    TSpanSink none = [](int, int64_t, int64_t) {};
    EllipseSpans(box, pen.Clip(), penSink, interior ? interior : &none);
  }
}

TColor TCanvas::Pixels(int X, int Y) const {
  if (!FSurface || X < 0 || Y < 0 || X >= FSurface->Width || Y >= FSurface->Height)
    return CLR_INVALID;
  return DecodeValue(*FSurface, ReadValue(*FSurface, X, Y));
}

void TCanvas::SetPixels(int X, int Y, TColor Color) {
  if (!FSurface || X < 0 || Y < 0 || X >= FSurface->Width || Y >= FSurface->Height) return;
  WriteValue(*FSurface, X, Y, EncodeColor(*FSurface, Color));
}

void TCanvas::StretchFrom(const TRect& dest, const TPixelImage& source, const TRect& sourceRect) {
  if (!Drawable()) return;
  TStretchRequest r;
  r.Dest = dest;
  r.Source = sourceRect;
  r.Clip = ClipRect();
  auto extent = [](int a, int b) { return int64_t{b} - a; };
  bool unscaled = extent(dest.Left, dest.Right) == extent(sourceRect.Left, sourceRect.Right) &&
                  extent(dest.Top, dest.Bottom) == extent(sourceRect.Top, sourceRect.Bottom);
  r.Mode = unscaled ? COLORONCOLOR : FStretchBltMode;
  r.Rop = FCopyMode;
  r.Pattern = FBrush.Color();
  StretchBlt(*FSurface, source, r);
}

void TCanvas::CopyRect(const TRect& Dest, const TCanvas* Source, const TRect& SourceRect) {
  if (Source && Source->FSurface) StretchFrom(Dest, *Source->FSurface, SourceRect);
}

void TCanvas::Draw(int X, int Y, const TBitmap* Graphic) {
  if (!Graphic) return;
  const TPixelImage& img = Graphic->PixelImage();
  // Keep the far corner inside the int range; what lies beyond is clipped anyway.
  int w = static_cast<int>(std::min<int64_t>(img.Width, int64_t{INT32_MAX} - X));
  int h = static_cast<int>(std::min<int64_t>(img.Height, int64_t{INT32_MAX} - Y));
  StretchFrom(Bounds(X, Y, w, h), img, Rect(0, 0, w, h));
}

void TCanvas::StretchDraw(const TRect& Dest, const TBitmap* Graphic) {
  if (!Graphic) return;
  const TPixelImage& img = Graphic->PixelImage();
  StretchFrom(Dest, img, Rect(0, 0, img.Width, img.Height));
}

} // namespace fw
