#include "kartavo/geomap/detail/calib_xml_numbers.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <random>

namespace kartavo {
namespace {

TEST(XmlNumbers, IntegersStopAtTheFirstOtherCharacterAndBrokenOnesGiveZero) {
  struct Case {
    const char* text;
    int32_t value;
    size_t end;
  };
  for (const Case& c : std::vector<Case>{{"  42]", 42, 4},
                                         {"+7,8", 7, 2},
                                         {"-13", -13, 3},
                                         {"x", 0, 0},
                                         {"", 0, 0},
                                         {"--5", 0, 1},
                                         {"+-5", 0, 1},
                                         {"- 5", 0, 1},
                                         {"99999999999", INT32_MAX, 11},
                                         {"-99999999999", INT32_MIN, 12}}) {
    size_t pos = 0;
    EXPECT_EQ(ScanXmlInteger(c.text, pos), c.value) << c.text;
    EXPECT_EQ(pos, c.end) << c.text;
  }
}

TEST(XmlNumbers, DecimalsInBothSyntaxes) {
  struct Case {
    const char* text;
    double lenient;
    double strict;
  };
  for (const Case& c : std::vector<Case>{{"47.5", 47.5, 47.5},
                                         {"47,5", 47.5, 47},
                                         {" -0.25\"", -0.25, -0.25},
                                         {"1.5E3", 1500, 1.5},
                                         {"2e-2", 0.02, 2},
                                         {"3E+2", 300, 3},
                                         {"4e", 4, 4},
                                         {"5.", 5, 5},
                                         {".5", 0.5, 0.5},
                                         {"1..5", 0, 0},
                                         {"1.,5", 0, 1},
                                         {"--1", 0, 0},
                                         {"- 1", 0, 0},
                                         {"1e+-2", 0, 1},
                                         {"abc", 0, 0},
                                         {"1.2.3", 1.2, 1.2},
                                         {"1e999", DBL_MAX, 1},
                                         {"-1e999999999", -DBL_MAX, -1},
                                         {"1e-999999", 0, 1}}) {
    EXPECT_EQ(ScanXmlDecimal(c.text, XmlNumberLenient), c.lenient) << c.text;
    EXPECT_EQ(ScanXmlDecimal(c.text, XmlNumberStrict), c.strict) << c.text;
  }
  std::string huge(400, '9');
  EXPECT_EQ(ScanXmlDecimal(huge, XmlNumberLenient), DBL_MAX);
  EXPECT_EQ(ScanXmlDecimal("0." + std::string(400, '0') + "1", XmlNumberLenient), 0);
}

TEST(XmlNumbers, DecimalScanStopsWhereTheNumberEnds) {
  size_t pos = 0;
  const std::string text = "5206000.00000,300000.5,100";
  EXPECT_EQ(ScanXmlDecimal(text, pos, XmlNumberStrict), 5206000.0);
  EXPECT_EQ(pos, 13u);
  ++pos;
  EXPECT_EQ(ScanXmlDecimal(text, pos, XmlNumberStrict), 300000.5);
  EXPECT_EQ(text[pos], ',');
}

TEST(XmlNumbers, FixedForm) {
  EXPECT_EQ(FormatXmlFixed(48, 5), "48.00000");
  EXPECT_EQ(FormatXmlFixed(-6.123456, 5), "-6.12346");
  EXPECT_EQ(FormatXmlFixed(-0.000001, 5), "0.00000");
  EXPECT_EQ(FormatXmlFixed(625.871, 3), "625.871");
  EXPECT_EQ(FormatXmlFixed(0, 3), "0.000");
}

TEST(XmlNumbers, GeneralForm) {
  EXPECT_EQ(FormatXmlGeneral(47.5), "47.5");
  EXPECT_EQ(FormatXmlGeneral(-12), "-12");
  EXPECT_EQ(FormatXmlGeneral(0), "0");
  EXPECT_EQ(FormatXmlGeneral(0.0001), "0.0001");
  EXPECT_EQ(FormatXmlGeneral(0.00001), "1E-5");
  EXPECT_EQ(FormatXmlGeneral(-1.5e-7), "-1.5E-7");
  EXPECT_EQ(FormatXmlGeneral(123456789012345.0), "123456789012345");
  EXPECT_EQ(FormatXmlGeneral(1e15), "1E15");
  EXPECT_EQ(FormatXmlGeneral(2.5e20), "2.5E20");
  EXPECT_EQ(FormatXmlGeneral(0.1 + 0.2), "0.3");
}

TEST(XmlNumbers, GeneralFormReadsBackToFifteenSignificantDigits) {
  std::mt19937 rng(3);
  std::uniform_real_distribution<double> mant(1, 10);
  std::uniform_int_distribution<int> exp(-30, 30);
  for (int i = 0; i < 2000; ++i) {
    const double v = (i % 2 ? -1 : 1) * mant(rng) * std::pow(10.0, exp(rng));
    const double back = ScanXmlDecimal(FormatXmlGeneral(v), XmlNumberLenient);
    EXPECT_NEAR(back, v, std::abs(v) * 1e-14) << FormatXmlGeneral(v);
  }
}

} // namespace
} // namespace kartavo
