#include "kartavo/framework/detail/text_scan.h"

#include <gtest/gtest.h>

namespace {

TEST(TextScan, TheThreeBlankClassesDifferAsTheirReadersNeed) {
  for (char c : {' ', '\t'}) {
    EXPECT_TRUE(fw::IsSpaceOrTab(c));
    EXPECT_TRUE(fw::IsXmlWhiteSpace(c));
    EXPECT_TRUE(fw::IsBlankOrControl(c));
  }
  for (char c : {'\r', '\n'}) {
    EXPECT_FALSE(fw::IsSpaceOrTab(c));
    EXPECT_TRUE(fw::IsXmlWhiteSpace(c));
    EXPECT_TRUE(fw::IsBlankOrControl(c));
  }
  for (char c : {'\0', '\f', '\x1F'}) {
    EXPECT_FALSE(fw::IsXmlWhiteSpace(c));
    EXPECT_TRUE(fw::IsBlankOrControl(c));
  }
  // Bytes above 0x7F are letters of the code page, never blanks (no sign
  // extension turning them into "control characters").
  for (char c : {'!', '\x7F', '\xA0', '\xFF'}) {
    EXPECT_FALSE(fw::IsXmlWhiteSpace(c));
    EXPECT_FALSE(fw::IsBlankOrControl(c));
  }
}

TEST(TextScan, TrimKeepsInnerBlanksAndHandlesAllBlankText) {
  EXPECT_EQ(fw::Trim("\r\n a b\t\n", fw::IsXmlWhiteSpace), "a b");
  EXPECT_EQ(fw::Trim("\f x \x01", fw::IsXmlWhiteSpace), "\f x \x01");
  EXPECT_EQ(fw::Trim("\f x \x01", fw::IsBlankOrControl), "x");
  EXPECT_EQ(fw::Trim(" \t ", fw::IsSpaceOrTab), "");
  EXPECT_EQ(fw::Trim("", fw::IsSpaceOrTab), "");
  EXPECT_EQ(fw::TrimRight("  Wien \t", fw::IsSpaceOrTab), "  Wien");
}

TEST(TextScan, LowerCaseInAsciiAndInTheCodePage) {
  EXPECT_EQ(fw::LowerAscii("NPoints=\xC4\xD6"), "npoints=\xC4\xD6");
  // À..Þ fold except the multiplication sign; ß and ÷ have no capital here.
  EXPECT_EQ(fw::LowerCp1252("Z\xC0\xC9\xDE\xD7\xDF\xF7"), "z\xE0\xE9\xFE\xD7\xDF\xF7");
  // Š Œ Ž Ÿ sit in the 0x80 row.
  EXPECT_EQ(fw::LowerCp1252("\x8A\x8C\x8E\x9F"), "\x9A\x9C\x9E\xFF");
  EXPECT_EQ(fw::LowerCp1252("\x9A\x80\x81"), "\x9A\x80\x81");
  EXPECT_TRUE(fw::SameTextAscii("NPOINTS", "nPoints"));
  EXPECT_FALSE(fw::SameTextAscii("\xC4", "\xE4"));
  EXPECT_FALSE(fw::SameTextAscii("ab", "abc"));
}

} // namespace
