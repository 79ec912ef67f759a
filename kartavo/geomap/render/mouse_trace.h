// The mouse trace: the points the mouse left on the map, in the order they
// were recorded, with the colour and drawing mode of new points. The trace
// has room for a fixed number of points and never grows beyond it.
#pragma once

#include "kartavo/companion/quillon.h"
#include "kartavo/framework/color.h"
#include "kartavo/framework/export.h"
#include "kartavo/geomap/geo_conversion.h"
#include "kartavo/geomap/render/render_view.h"

#include <vector>

namespace fw {
class TCanvas;
}

namespace kartavo {

class KARTAVO_API TMouseTrace {
public:
  static constexpr int Capacity = 5000;

  TMouseTrace() { FPoints.reserve(Capacity); }

  int Count() const { return static_cast<int>(FPoints.size()); }
  const std::vector<quillon::TColoredPoint>& Points() const { return FPoints; }
  void Clear() { FPoints.clear(); }
  // Adds a point at the end; false, and nothing added, when the trace is full.
  bool Add(const quillon::TColoredPoint& Point) {
    if (Count() >= Capacity) return false;
    FPoints.push_back(Point);
    return true;
  }

  // --- recording, drawing and reading (mouse_trace.cpp) ---
  // Appends a map-image pixel as a point in the colour and mode for new
  // points; false, and nothing recorded, when the trace is full.
  bool Record(quillon::TPoint MapPixel);
  // Ends the stroke at the last point (nothing on an empty trace).
  void EndStroke();
  // Draws the segment that joins the last point to the one before, when
  // both belong to one stroke: what the mouse just drew.
  void DrawLastSegment(fw::TCanvas& Canvas, const TRenderView& View) const;
  // Draws every segment; the canvas's pen and brush are kept.
  void Draw(fw::TCanvas& Canvas, const TRenderView& View) const;
  // Point Index (from 1) with X its longitude and Y its latitude, flags and
  // colour as stored. Out of range: flags 0xFFFF (-1) and nothing else set;
  // a pixel that does not convert: flags 0xFFFF and X, Y the pixel.
  quillon::TColoredPoint GeoPoint(int Index, const TGeoRef& Ref) const;

  fw::TColor Color() const { return FColor; }
  void SetColor(fw::TColor value) { FColor = value; }
  // New points are drawn in XOR mode.
  bool Invert() const { return FInvert; }
  void SetInvert(bool value) { FInvert = value; }

  friend bool operator==(const TMouseTrace&, const TMouseTrace&) = default;

private:
  std::vector<quillon::TColoredPoint> FPoints;
  fw::TColor FColor = 0xFFFFFF;
  bool FInvert = true;
};

} // namespace kartavo
