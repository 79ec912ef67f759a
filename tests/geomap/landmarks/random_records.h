// Random landmark and symbol records for the round-trip tests: every field
// over its whole range, texts of any Windows-1252 bytes (quotes and line
// breaks included), times to the second.
#pragma once

#include "kartavo/framework/date_time.h"
#include "kartavo/geomap/landmarks/symbol_repository.h"

#include <bit>
#include <cmath>
#include <random>
#include <string>

namespace lmtest {

class TRandomRecords {
public:
  explicit TRandomRecords(uint32_t seed) : FRng(seed) {}

  int32_t Int() { return static_cast<int32_t>(FRng()); }
  uint8_t Byte() { return static_cast<uint8_t>(FRng()); }
  bool Bool() { return FRng() & 1; }
  fw::TColor Color() { return FRng(); }

  // Any finite double: random bit patterns, short decimals and extremes.
  double Real() {
    switch (FRng() % 4) {
    case 0:
      return std::uniform_real_distribution<double>(-180, 180)(FRng);
    case 1:
      return std::round(std::uniform_real_distribution<double>(-90, 90)(FRng) * 1e5) / 1e5;
    case 2: {
      const double extremes[] = {0.0, -0.0, 5e-324, -1.7976931348623157e308, 1e-7, 123456789e15};
      return extremes[FRng() % 6];
    }
    default:
      for (;;) {
        const double d = std::bit_cast<double>((uint64_t(FRng()) << 32) | FRng());
        if (std::isfinite(d)) return d;
      }
    }
  }

  // Up to n Windows-1252 bytes, any but NUL.
  std::string Bytes(size_t n) {
    std::string s(FRng() % (n + 1), ' ');
    for (char& c : s)
      c = static_cast<char>(1 + FRng() % 255);
    return s;
  }

  fw::TDateTime Time() {
    if (FRng() % 8 == 0) return 0;
    const int y = 1 + int(FRng() % 9999), m = 1 + int(FRng() % 12), d = 1 + int(FRng() % 28);
    return fw::EncodeDateTime(y, m, d, int(FRng() % 24), int(FRng() % 60), int(FRng() % 60), 0);
  }

  kartavo::TSymbolProperties Symbol(bool everyKind) {
    kartavo::TSymbolProperties s;
    do
      s.Kind = static_cast<kartavo::TLandMarkElement>(FRng() % 10);
    while (!everyKind && (s.Kind == kartavo::lmPlus || s.Kind == kartavo::lmUserDef));
    s.Size = Int();
    s.FGColor = Color();
    s.BGColor = Color();
    s.Transparent = Bool();
    s.Direction = Int();
    s.Length = Int();
    return s;
  }

  // Kinds that landmark files can name (not lmPlus, lmUserDef).
  kartavo::TLandMark LandMark() {
    kartavo::TLandMark lm;
    lm.Latitude = Real();
    lm.Longitude = Real();
    lm.Altitude = Real();
    lm.ClassFlag = Byte();
    lm.Tag = Int();
    lm.SymbolProps = Symbol(false);
    kartavo::TLMTextProperties& c = lm.Caption;
    c.Text = kartavo::TLMText::FromBytes(Bytes(80));
    c.Size = Int();
    c.FontName = fw::Cp1252ToUtf8(Bytes(31));
    for (int i = 0; i < 4; ++i)
      if (Bool()) c.FontStyles.Include(static_cast<fw::TFontStyle>(i));
    c.FGColor = Color();
    c.BGColor = Color();
    c.Transparent = Bool();
    c.dx = Int();
    c.dy = Int();
    c.Direction = Int();
    c.HAlignment = static_cast<fw::TAlignment>(Byte());
    c.VAlignment = static_cast<quillon::TVerticalAlignment>(Byte());
    lm.Identifier = kartavo::TLMIdentifier::FromBytes(Bytes(15));
    lm.Time = Time();
    return lm;
  }

  kartavo::TSymbol SymbolRecord() {
    kartavo::TSymbol s;
    s.Properties = Symbol(true);
    s.Name = fw::ShortString<40>::FromBytes(Bytes(40));
    s.Category = Int();
    return s;
  }

private:
  std::mt19937 FRng;
};

} // namespace lmtest
