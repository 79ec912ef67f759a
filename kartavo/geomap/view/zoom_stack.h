// The zoom stack: a ring of the 16 most recent views. Slots count from 1;
// the slot the next push writes is always one of them.
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/geomap/geomap_types.h"

#include <array>

namespace kartavo {

class KARTAVO_API TZoomStack {
public:
  static constexpr int Size = ZoomStackSize;
  // The indexes of At: 0 the most recent push, -15 the oldest still held.
  static constexpr int OldestIndex = 1 - Size;

  // Empties every slot; the next push writes slot 1.
  void Clear();
  // Writes the view into the next slot, overwriting the oldest when the
  // ring is full.
  void Push(const TgmZoomStackEntry& View);
  // The entry at index k (OldestIndex .. 0); an empty entry for any other k.
  TgmZoomStackEntry At(int k) const;
  // Slot s (1 .. Size) as stored.
  const TgmZoomStackEntry& Slot(int s) const;
  // The slot the next push writes, 1 .. Size.
  int NextSlot() const { return FNext; }

  friend bool operator==(const TZoomStack&, const TZoomStack&) = default;

private:
  std::array<TgmZoomStackEntry, Size> FSlots{};
  int FNext = 1;
};

} // namespace kartavo
