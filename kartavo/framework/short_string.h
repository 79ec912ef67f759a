// A counted single-byte string of fixed capacity, as stored in records and
// files: at most N Windows-1252 characters. Built from UTF-8 text (cut to N
// characters after conversion) and read back as UTF-8.
#pragma once

#include "kartavo/framework/codepage.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace fw {

template <size_t N> class ShortString {
  static_assert(N >= 1 && N <= 255, "a counted string holds 1 to 255 characters");

public:
  static constexpr size_t Capacity = N;

  ShortString() = default;
  ShortString(const std::string& utf8) { AssignBytes(Utf8ToCp1252(utf8)); }
  ShortString(const char* utf8) : ShortString(std::string(utf8 ? utf8 : "")) {}

  // Takes Windows-1252 bytes as they are (from a file), cut to N.
  // Usable in constant expressions, so tables of records can be constant data.
  static constexpr ShortString FromBytes(std::string_view bytes) {
    ShortString s;
    s.AssignBytes(bytes);
    return s;
  }

  constexpr size_t Length() const { return FLength; }
  constexpr bool Empty() const { return FLength == 0; }
  // The stored Windows-1252 bytes.
  constexpr std::string_view Bytes() const { return {FChars.data(), FLength}; }
  std::string ToString() const { return Cp1252ToUtf8(Bytes()); }
  operator std::string() const { return ToString(); }

  friend constexpr bool operator==(const ShortString& a, const ShortString& b) {
    return a.Bytes() == b.Bytes();
  }

private:
  constexpr void AssignBytes(std::string_view bytes) {
    FLength = static_cast<uint8_t>(std::min(bytes.size(), N));
    FChars.fill(0);
    std::copy_n(bytes.data(), FLength, FChars.data());
  }

  uint8_t FLength = 0;
  std::array<char, N> FChars{};
};

} // namespace fw
