// The mouse trace: the points the mouse left on the map, in the order they
// were recorded, with the colour and drawing mode of new points. The trace
// has room for a fixed number of points and never grows beyond it.
#pragma once

#include "kartavo/companion/quillon.h"
#include "kartavo/framework/color.h"
#include "kartavo/framework/export.h"

#include <vector>

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
