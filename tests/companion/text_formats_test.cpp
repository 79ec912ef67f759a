// Angle, hexadecimal and date texts of the math library.
#include "kartavo/companion/tessaro.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>

namespace {

using quillon::dfDecimal;
using quillon::dfDegMin;
using quillon::dfDegMinSec;

const std::string kDeg = "\xB0";

TEST(DegreeText, EachFormatWithAndWithoutDecimals) {
  EXPECT_EQ(tessaro::DegreeToStr(12.5, dfDecimal, 2), "12.50" + kDeg);
  EXPECT_EQ(tessaro::DegreeToStr(12.5, dfDecimal, 0), "13" + kDeg);
  EXPECT_EQ(tessaro::DegreeToStr(12.5, dfDegMin, 2), "12" + kDeg + "30.00'");
  EXPECT_EQ(tessaro::DegreeToStr(12.5, dfDegMin, 0), "12" + kDeg + "30'");
  EXPECT_EQ(tessaro::DegreeToStr(12.504175, dfDegMinSec, 1), "12" + kDeg + "30'15.0\"");
  EXPECT_EQ(tessaro::DegreeToStr(12.504175, dfDegMinSec, 0), "12" + kDeg + "30'15\"");
  EXPECT_EQ(tessaro::DegreeToStr(0.0833333333, dfDegMinSec, 0), "0" + kDeg + "05'00\"");
  EXPECT_EQ(tessaro::DegreeToStr(180, dfDegMin, 1), "180" + kDeg + "00.0'");
}

TEST(DegreeText, RoundingCarriesIntoTheLargerParts) {
  EXPECT_EQ(tessaro::DegreeToStr(59.99999, dfDegMin, 2), "60" + kDeg + "00.00'");
  EXPECT_EQ(tessaro::DegreeToStr(10.9999999, dfDegMinSec, 2), "11" + kDeg + "00'00.00\"");
  EXPECT_EQ(tessaro::DegreeToStr(9.9999, dfDecimal, 3), "10.000" + kDeg);
}

TEST(DegreeText, SignsClampsAndNonFiniteValues) {
  EXPECT_EQ(tessaro::DegreeToStr(-12.5, dfDegMin, 0), "-12" + kDeg + "30'");
  EXPECT_EQ(tessaro::DegreeToStr(-0.0001, dfDecimal, 2), "0.00" + kDeg);
  EXPECT_EQ(tessaro::DegreeToStr(1.25, dfDecimal, -3), "1" + kDeg);
  EXPECT_EQ(tessaro::DegreeToStr(1.25, dfDecimal, 40), "1.250000000" + kDeg);
  EXPECT_EQ(tessaro::DegreeToStr(std::nan(""), dfDecimal, 2), "NaN");
  EXPECT_EQ(tessaro::DegreeToStr(-std::numeric_limits<double>::infinity(), dfDegMin, 2), "-INF");
  EXPECT_EQ(tessaro::DegreeToStr(1e300, dfDegMinSec, 9).back(), kDeg.back());
}

TEST(HexText, WritesAtLeastTheDigitsAskedForInUpperCase) {
  EXPECT_EQ(tessaro::Hex(0x0000FF, 8), "000000FF");
  EXPECT_EQ(tessaro::Hex(0xABCDEF, 2), "ABCDEF");
  EXPECT_EQ(tessaro::Hex(0, 0), "0");
  EXPECT_EQ(tessaro::Hex(-1, 4), "FFFFFFFFFFFFFFFF");
  EXPECT_EQ(tessaro::Hex(0x1F, 20), "0000000000000000001F");
}

TEST(HexText, ScanReadsWhatHexWritesAndAdvances) {
  std::mt19937_64 rng(3);
  for (int i = 0; i < 2000; ++i) {
    const auto v = static_cast<int64_t>(rng() >> (rng() % 64));
    const int digits = static_cast<int>(rng() % 20);
    const std::string text = "x " + tessaro::Hex(v, digits) + "/";
    int pos = 3;
    ASSERT_EQ(tessaro::ScanHex(text, pos), v) << text;
    EXPECT_EQ(pos, static_cast<int>(text.size()));
  }
  for (int64_t v : {std::numeric_limits<int64_t>::min(), int64_t{-1}, int64_t{0},
                    std::numeric_limits<int64_t>::max()}) {
    int pos = 1;
    EXPECT_EQ(tessaro::ScanHex(tessaro::Hex(v, 8), pos), v);
  }
}

TEST(HexText, ScanAcceptsPrefixesBlanksAndLowerCase) {
  int pos = 1;
  EXPECT_EQ(tessaro::ScanHex("  $ff", pos), 255);
  EXPECT_EQ(pos, 6);
  pos = 1;
  EXPECT_EQ(tessaro::ScanHex("0x1aG", pos), 26);
  EXPECT_EQ(pos, 5);
  pos = 1;
  EXPECT_EQ(tessaro::ScanHex("0xyz", pos), 0);
  EXPECT_EQ(pos, 2);
}

TEST(HexText, NothingToReadLeavesThePosition) {
  for (auto [text, start] :
       {std::pair<std::string, int>{"", 1}, {"zz", 1}, {"ab", 0}, {"ab", 3}, {"ab", -7}}) {
    int pos = start;
    EXPECT_EQ(tessaro::ScanHex(text, pos), 0) << text;
    EXPECT_EQ(pos, start);
  }
}

fw::TDateTime Scan(const std::string& text, const std::string& layout, int& pos,
                   quillon::TLanguage lang = quillon::lanEnglish) {
  return tessaro::ScanDateTime(text, layout, lang, pos);
}

TEST(DateText, FixedWidthLayoutOfTheLandmarkFiles) {
  int pos = 1;
  const auto t = Scan("20240315123456", "yyyymmddHHMMSS", pos);
  EXPECT_DOUBLE_EQ(t, fw::EncodeDateTime(2024, 3, 15, 12, 34, 56, 0));
  EXPECT_EQ(pos, 15);
  pos = 5;
  EXPECT_DOUBLE_EQ(Scan("at: 18991230000000 rest", "yyyymmddHHMMSS", pos), 0);
  EXPECT_EQ(pos, 19);
}

TEST(DateText, RoundTripsThroughTheFileLayout) {
  std::mt19937 rng(5);
  for (int i = 0; i < 300; ++i) {
    const int y = 1600 + static_cast<int>(rng() % 800), m = 1 + static_cast<int>(rng() % 12);
    const int d = 1 + static_cast<int>(rng() % static_cast<unsigned>(fw::DaysInMonth(y, m)));
    const int h = static_cast<int>(rng() % 24), mi = static_cast<int>(rng() % 60),
              s = static_cast<int>(rng() % 60);
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d%02d", y, m, d, h, mi, s);
    int pos = 1;
    EXPECT_NEAR(Scan(text, "yyyymmddHHMMSS", pos), fw::EncodeDateTime(y, m, d, h, mi, s, 0), 1e-9)
        << text;
  }
}

TEST(DateText, SeparatorsShortFieldsAndMonthNames) {
  int pos = 1;
  EXPECT_DOUBLE_EQ(Scan("5.3.2024 7:05", "dd.mm.yyyy HH:MM", pos),
                   fw::EncodeDateTime(2024, 3, 5, 7, 5, 0, 0));
  pos = 1;
  EXPECT_DOUBLE_EQ(Scan("15-Mar-99", "dd-mmm-yy", pos), fw::EncodeDate(1999, 3, 15));
  pos = 1;
  EXPECT_DOUBLE_EQ(Scan("1 Dezember 2030", "d mmmm yyyy", pos, quillon::lanGerman),
                   fw::EncodeDate(2030, 12, 1));
  pos = 1;
  EXPECT_DOUBLE_EQ(Scan("2 M\xE4rz 2030", "d mmm yyyy", pos, quillon::lanGerman),
                   fw::EncodeDate(2030, 3, 2));
  pos = 1;
  EXPECT_NEAR(Scan("12:30", "HH:MM", pos), 0.5 + 1.0 / 48, 1e-12);
}

TEST(DateText, MissingPartsAndInvalidDates) {
  int pos = 1;
  EXPECT_EQ(Scan("", "yyyymmddHHMMSS", pos), 0);
  EXPECT_EQ(pos, 1);
  pos = 1;
  EXPECT_DOUBLE_EQ(Scan("20240315", "yyyymmddHHMMSS", pos), fw::EncodeDate(2024, 3, 15));
  EXPECT_EQ(pos, 9);
  pos = 1;
  EXPECT_DOUBLE_EQ(Scan("2024", "yyyymmdd", pos), fw::EncodeDate(2024, 1, 1));
  pos = 1;
  EXPECT_EQ(Scan("20241315000000", "yyyymmddHHMMSS", pos), 0);
  pos = 1;
  EXPECT_EQ(Scan("20240230000000", "yyyymmddHHMMSS", pos), 0);
  pos = 1;
  EXPECT_EQ(Scan("20240101250000", "yyyymmddHHMMSS", pos), 0);
  pos = 1;
  EXPECT_EQ(Scan("garbage", "yyyymmddHHMMSS", pos), 0);
  pos = 99;
  EXPECT_EQ(Scan("20240101", "yyyymmdd", pos), 0);
  EXPECT_EQ(pos, 99);
}

} // namespace
