#include "kartavo/geomap/view/zoom_stack.h"

#include <stdexcept>
#include <string>

namespace kartavo {

void TZoomStack::Clear() {
  FSlots.fill(TgmZoomStackEntry{});
  FNext = 1;
}

void TZoomStack::Push(const TgmZoomStackEntry& View) {
  FSlots[static_cast<size_t>(FNext - 1)] = View;
  FNext = FNext == Size ? 1 : FNext + 1;
}

TgmZoomStackEntry TZoomStack::At(int k) const {
  if (k < OldestIndex || k > 0) return {};
  int s = k + FNext - 1;
  if (s < 1) s += Size;
  return Slot(s);
}

const TgmZoomStackEntry& TZoomStack::Slot(int s) const {
  if (s < 1 || s > Size)
    throw std::out_of_range("zoom stack slot " + std::to_string(s) + " outside 1.." +
                            std::to_string(Size));
  return FSlots[static_cast<size_t>(s - 1)];
}

} // namespace kartavo
