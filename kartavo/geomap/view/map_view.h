// PLACEHOLDER until the parts landing
#pragma once
#include "kartavo/companion/quillon.h"
#include "kartavo/geomap/geomap_types.h"
#include <array>
#include <optional>
namespace kartavo {
class TMapView {
public:
  quillon::TPoint FTopLeft{0, 0};
  double FMagnify = 1.0;
  bool FConfinePan = true;
  int FTopLeftXAnchor = 0, FTopLeftYAnchor = 0;
  std::array<TgmZoomStackEntry, ZoomStackSize> FZoomStack{};
  int FZStackPoi = 1;
  // ---- behaviour (interaction) ----
  // The magnifications the view takes: a map-image pixel spans from a
  // ten-thousandth of a control pixel up to a thousand control pixels.
  static constexpr double MinMagnification = 1e-4;
  static constexpr double MaxMagnification = 1e3;
  // x clamped to the accepted range; nothing when x is not positive and
  // finite, since every conversion divides by the magnification.
  static std::optional<double> AcceptedMagnification(double x);

  quillon::TPoint TopLeft() const { return FTopLeft; }
  void SetTopLeft(quillon::TPoint p) { FTopLeft = p; }
  double Magnification() const { return FMagnify; }
  // Stores the accepted value of x; false, and nothing stored, when x is
  // not positive and finite.
  bool SetMagnification(double x);
  // Keeps the window (W x H control pixels) filled by the image (IW x IH
  // map-image pixels) where it can: not past the right and bottom edges,
  // then not before the left and top ones.
  void Confine(int W, int H, int IW, int IH);
  // Puts map-image pixel P at the window's centre, then confines.
  void CenterOn(quillon::TPoint P, int W, int H, int IW, int IH);
  // Puts map-image pixel P at the window's centre, no further right or
  // down than the bitmap (BW x BH) allows and not before its corner.
  void CenterWithinBitmap(quillon::TPoint P, int W, int H, int BW, int BH);
  // Shows the whole image from its corner; false, and the view unchanged,
  // when the image or the window has no area.
  bool FitPage(int W, int H, int IW, int IH);

  // The zoom stack: a ring of 16 views; FZStackPoi is the slot (1 to 16)
  // the next push writes.
  void Push();
  // Index 0 is the latest push, -15 the oldest held; any other index reads
  // an empty entry.
  TgmZoomStackEntry StackEntry(int StackIx) const;
  // Shows the view recorded at Index; false when Index is out of range or
  // the entry is empty.
  bool Restore(int Index);
  // Empties the ring and pushes the current view.
  void ClearHistory();

  friend bool operator==(const TMapView&, const TMapView&) = default;
};
}
