#include "kartavo/companion/tessaro.h"

#include <algorithm>

namespace tessaro {
namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

} // namespace

int64_t ScanHex(const std::string& Text, int& Pos) {
  if (Pos < 1 || static_cast<size_t>(Pos) > Text.size()) return 0;
  size_t i = static_cast<size_t>(Pos) - 1;
  while (i < Text.size() && (Text[i] == ' ' || Text[i] == '\t'))
    ++i;
  if (i < Text.size() && Text[i] == '$') {
    ++i;
  } else if (i + 2 < Text.size() && Text[i] == '0' && (Text[i + 1] == 'x' || Text[i + 1] == 'X') &&
             HexDigitValue(Text[i + 2]) >= 0) {
    i += 2;
  }
  const size_t first = i;
  uint64_t value = 0;
  for (; i < Text.size() && HexDigitValue(Text[i]) >= 0; ++i)
    value = (value << 4) | static_cast<uint64_t>(HexDigitValue(Text[i]));
  if (i == first) return 0;
  Pos = static_cast<int>(i) + 1;
  return static_cast<int64_t>(value);
}

std::string Hex(int64_t Value, int Digits) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  auto bits = static_cast<uint64_t>(Value);
  std::string out;
  do {
    out.insert(out.begin(), kDigits[bits & 0xF]);
    bits >>= 4;
  } while (bits != 0);
  if (out.size() < static_cast<size_t>(std::max(Digits, 0)))
    out.insert(0, static_cast<size_t>(Digits) - out.size(), '0');
  return out;
}

} // namespace tessaro
