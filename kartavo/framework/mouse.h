// Mouse buttons and the shift state of keys and buttons that comes with mouse input.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace fw {

enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

enum TShiftStateFlag : uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };

// A set of TShiftStateFlag, one bit per member in ordinal order.
class TShiftState {
public:
  constexpr TShiftState() = default;
  constexpr TShiftState(std::initializer_list<TShiftStateFlag> flags) {
    for (TShiftStateFlag f : flags)
      Include(f);
  }
  constexpr bool Contains(TShiftStateFlag f) const { return (FBits >> f) & 1u; }
  constexpr void Include(TShiftStateFlag f) { FBits = static_cast<uint8_t>(FBits | (1u << f)); }
  constexpr void Exclude(TShiftStateFlag f) { FBits = static_cast<uint8_t>(FBits & ~(1u << f)); }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr uint8_t Bits() const { return FBits; }
  friend constexpr bool operator==(const TShiftState&, const TShiftState&) = default;

private:
  uint8_t FBits = 0;
};

// The shift flag that says a button is held.
constexpr TShiftStateFlag ButtonFlag(TMouseButton b) {
  return b == mbLeft ? ssLeft : b == mbRight ? ssRight : ssMiddle;
}

} // namespace fw
