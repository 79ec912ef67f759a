// TMapView: the zoom stack, a ring of the last 16 views.
#include "kartavo/geomap/view/map_view.h"

namespace kartavo {
namespace {

constexpr int OldestIndex = 1 - ZoomStackSize;

} // namespace

void TMapView::Push() {
  FZoomStack[size_t(FZStackPoi - 1)] = {FTopLeft.X, FTopLeft.Y, FMagnify};
  FZStackPoi = FZStackPoi % ZoomStackSize + 1;
}

TgmZoomStackEntry TMapView::StackEntry(int StackIx) const {
  if (StackIx < OldestIndex || StackIx > 0) return {};
  int slot = StackIx + FZStackPoi - 1;
  if (slot < 1) slot += ZoomStackSize;
  return FZoomStack[size_t(slot - 1)];
}

bool TMapView::Restore(int Index) {
  const TgmZoomStackEntry e = StackEntry(Index);
  if (e == TgmZoomStackEntry{}) return false;
  if (!SetMagnification(e.MagF)) return false;
  FTopLeft = {e.Left, e.Top};
  return true;
}

void TMapView::ClearHistory() {
  FZoomStack.fill(TgmZoomStackEntry{});
  FZStackPoi = 1;
  Push();
}

} // namespace kartavo
