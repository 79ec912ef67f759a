#include "kartavo/framework/codepage.h"
#include "kartavo/framework/short_string.h"

#include <gtest/gtest.h>

namespace {

TEST(ShortString, CutsToTheCapacityCountingCharactersNotBytes) {
  // Five two-byte UTF-8 characters become five Windows-1252 bytes.
  fw::ShortString<5> s = std::string("äöüßéx");
  EXPECT_EQ(s.Length(), 5u);
  EXPECT_EQ(s.ToString(), "äöüßé");
  fw::ShortString<15> id = "Harbour-North-East-Side";
  EXPECT_EQ(id.ToString(), "Harbour-North-E");
  fw::ShortString<3> exact = "abc";
  EXPECT_EQ(std::string(exact), "abc");
  fw::ShortString<8> empty = static_cast<const char*>(nullptr);
  EXPECT_TRUE(empty.Empty());
}

TEST(ShortString, StoresWindows1252BytesAndReadsThemBackAsUtf8) {
  fw::ShortString<40> s = std::string("Straße € “quoted” – Œuvre");
  EXPECT_EQ(s.Bytes(), std::string_view("Stra\xDF"
                                        "e \x80 \x93quoted\x94 \x96 \x8Cuvre"));
  EXPECT_EQ(s.ToString(), "Straße € “quoted” – Œuvre");
}

TEST(ShortString, UnmappableCharactersBecomeQuestionMarks) {
  fw::ShortString<20> s = std::string("Москва 東京 ✓");
  EXPECT_EQ(s.ToString(), "?????? ?? ?");
  // Malformed UTF-8: a lone continuation byte and a cut sequence.
  EXPECT_EQ(fw::Utf8ToCp1252("a\x80z\xC3"), "a?z?");
  EXPECT_EQ(fw::Utf8ToCp1252("\xF0\x9F\x98\x80"), "?");
}

TEST(ShortString, BytesFromFilesAreTakenAsTheyAreAndCut) {
  auto s = fw::ShortString<4>::FromBytes(std::string_view("\x80\x81\x9F\xFFmore", 8));
  EXPECT_EQ(s.Length(), 4u);
  EXPECT_EQ(s.Bytes(), std::string_view("\x80\x81\x9F\xFF", 4));
  // 0x81 is unassigned: it maps to the C1 control U+0081 and back unchanged.
  EXPECT_EQ(s.ToString(), "€\xC2\x81Ÿÿ");
  EXPECT_EQ(fw::Cp1252ToUtf8(std::string_view("\x81\x8D\x8F\x90\x9D", 5)),
            "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
  EXPECT_EQ(fw::Utf8ToCp1252(fw::Cp1252ToUtf8(s.Bytes())), std::string(s.Bytes()));
}

TEST(Codepage, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 1; b < 256; ++b)
    all += static_cast<char>(b);
  EXPECT_EQ(fw::Utf8ToCp1252(fw::Cp1252ToUtf8(all)), all);
  EXPECT_EQ(fw::Cp1252ToCodePoint(0x80), U'\u20AC');
  EXPECT_EQ(fw::Cp1252ToCodePoint(0x9F), U'\u0178');
  EXPECT_EQ(fw::Cp1252ToCodePoint(0xA0), U'\u00A0');
}

TEST(ShortString, EqualityComparesTheStoredBytes) {
  fw::ShortString<5> a = "abcdefg", b = "abcde", c = "abcdf";
  EXPECT_TRUE(a == b);
  EXPECT_FALSE(a == c);
}

} // namespace
