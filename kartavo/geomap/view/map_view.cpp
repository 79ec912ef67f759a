#include "kartavo/geomap/view/map_view.h"

namespace kartavo {

TMapView::TMapView() { ClearHistory(); }

void TMapView::ClearHistory() {
  FZoomStack.Clear();
  FZoomStack.Push(Current());
}

} // namespace kartavo
