// A drawing surface with the platform's drawing rules:
// - a line from A to B covers A but not B (wide pens cover both, with round ends);
// - rectangles, ellipses and filled areas exclude their right and bottom edge;
// - the pen mode combines the pen with the pixels (XOR drawn twice restores them),
//   also for the brush fill of Rectangle, Polygon and Ellipse;
// - the gaps of dashed lines and the cell behind text take the brush colour while
//   the brush is solid, and stay untouched while it is clear;
// - everything clips to the surface; coordinates anywhere in the int range are safe;
// - dash patterns (thin pens only) go on across LineTo and around Polygon and
//   Rectangle outlines and restart at MoveTo; ellipse outlines are always solid;
// - polygons fill by the alternate (even-odd) rule;
// - Rectangle without a pen (psClear) fills one pixel less to the right and below,
//   as the platform does.
// A canvas draws on the pixel image it is given (a bitmap's or a window
// surface's); without one, drawing does nothing and Pixels reads CLR_INVALID.
#pragma once

#include "kartavo/framework/brush.h"
#include "kartavo/framework/export.h"
#include "kartavo/framework/font.h"
#include "kartavo/framework/geometry.h"
#include "kartavo/framework/pen.h"
#include "kartavo/framework/pixel_image.h"
#include "kartavo/framework/stretch_blit.h"

#include <cstdint>
#include <span>
#include <string>

namespace fw {

class TBitmap;
class TRasterTarget;

// What Pixels reads outside the surface.
constexpr TColor CLR_INVALID = 0xFFFFFFFF;

class KARTAVO_API TCanvas : public TPersistent {
public:
  explicit TCanvas(TPixelImage* surface = nullptr);
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  TPen* Pen() { return &FPen; }
  TBrush* Brush() { return &FBrush; }
  TFont* Font() { return &FFont; }
  const TPen* Pen() const { return &FPen; }
  const TBrush* Brush() const { return &FBrush; }
  const TFont* Font() const { return &FFont; }

  TPoint PenPos() const { return FPenPos; }
  void SetPenPos(TPoint value);
  TCopyMode CopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode value) { FCopyMode = value; }
  // How CopyRect, Draw and StretchDraw scale onto this canvas.
  TStretchBltMode StretchBltMode() const { return FStretchBltMode; }
  void SetStretchBltMode(TStretchBltMode value) { FStretchBltMode = value; }
  // The surface's bounds.
  TRect ClipRect() const;

  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);
  void Polyline(std::span<const TPoint> Points);
  void Polygon(std::span<const TPoint> Points);
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
  // Fills with the brush (nothing while it is clear), ignoring the pen.
  void FillRect(const TRect& R);
  // A one-pixel border inside R in the brush colour.
  void FrameRect(const TRect& R);
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }

  // Text with the top-left corner of its cell at (X, Y), turned about that
  // corner by the font's Orientation; moves the pen to the end of the text.
  void TextOut(int X, int Y, const std::string& Text);
  int TextWidth(const std::string& Text);
  int TextHeight(const std::string& Text);
  TPoint TextExtent(const std::string& Text);

  TColor Pixels(int X, int Y) const;
  void SetPixels(int X, int Y, TColor Color);

  // Copies Source's rectangle onto Dest of this canvas, scaled with the
  // stretch mode and combined with CopyMode.
  void CopyRect(const TRect& Dest, const TCanvas* Source, const TRect& SourceRect);
  void Draw(int X, int Y, const TBitmap* Graphic);
  void StretchDraw(const TRect& Dest, const TBitmap* Graphic);

  // The surface drawn on; may be null.
  TPixelImage* Surface() const { return FSurface; }
  void SetSurface(TPixelImage* surface) { FSurface = surface; }

private:
  bool Drawable() const;
  TRasterTarget PenTarget() const;
  TRasterTarget BrushTarget(TPenMode mode) const;
  // Draws the segment A->B with the pen, going on with the dash pattern.
  void PenSegment(TPoint a, TPoint b);
  void PenPath(std::span<const TPoint> points, bool closed);
  void StretchFrom(const TRect& dest, const TPixelImage& source, const TRect& sourceRect);

  TPixelImage* FSurface;
  TPen FPen;
  TBrush FBrush;
  TFont FFont;
  TPoint FPenPos;
  int64_t FDashPos = 0;
  TCopyMode FCopyMode = cmSrcCopy;
  TStretchBltMode FStretchBltMode = COLORONCOLOR;
};

} // namespace fw
