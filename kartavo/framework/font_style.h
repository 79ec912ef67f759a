// Font styles and the set of them a font carries.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace fw {

enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };

// A set of TFontStyle, one bit per member in ordinal order.
class TFontStyles {
public:
  constexpr TFontStyles() = default;
  constexpr TFontStyles(std::initializer_list<TFontStyle> styles) {
    for (TFontStyle s : styles)
      Include(s);
  }
  constexpr bool Contains(TFontStyle s) const { return (FBits >> s) & 1u; }
  constexpr void Include(TFontStyle s) { FBits = static_cast<uint8_t>(FBits | (1u << s)); }
  constexpr void Exclude(TFontStyle s) { FBits = static_cast<uint8_t>(FBits & ~(1u << s)); }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr uint8_t Bits() const { return FBits; }
  friend constexpr bool operator==(const TFontStyles&, const TFontStyles&) = default;

private:
  uint8_t FBits = 0;
};

} // namespace fw
