#include "kartavo/companion/quillon.h"
#include "kartavo/framework/errors.h"
#include "kartavo/framework/stream.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>

namespace {

TEST(BitField, BitsCountFromOneAndOutsideIndexesAreIgnored) {
  quillon::TBitFld f;
  f.SetSize(130);
  EXPECT_EQ(f.Size(), 130);
  f.SetBit(1, true);
  f.SetBit(64, true);
  f.SetBit(65, true);
  f.SetBit(130, true);
  f.SetBit(0, true);
  f.SetBit(131, true);
  for (int i = 1; i <= 130; ++i)
    EXPECT_EQ(f.GetBit(i), i == 1 || i == 64 || i == 65 || i == 130) << i;
  EXPECT_FALSE(f.GetBit(0));
  EXPECT_FALSE(f.GetBit(131));
  f.SetBit(64, false);
  EXPECT_FALSE(f.GetBit(64));
  EXPECT_TRUE(f.GetBit(65));
  f.Clear();
  for (int i = 1; i <= 130; ++i)
    EXPECT_FALSE(f.GetBit(i));
  f.SetSize(-5);
  EXPECT_EQ(f.Size(), 0);
  EXPECT_FALSE(f.GetBit(1));
}

TEST(FileNames, StripExtensionRemovesOnlyTheFileNamesExtension) {
  EXPECT_EQ(quillon::StripExtension("maps/alps.bmp"), "maps/alps");
  EXPECT_EQ(quillon::StripExtension("C:\\data\\world.orvgds"), "C:\\data\\world");
  EXPECT_EQ(quillon::StripExtension("a.b.c"), "a.b");
  EXPECT_EQ(quillon::StripExtension("dir.v2/name"), "dir.v2/name");
  EXPECT_EQ(quillon::StripExtension("dir.v2\\name"), "dir.v2\\name");
  EXPECT_EQ(quillon::StripExtension("noext"), "noext");
  EXPECT_EQ(quillon::StripExtension("home/.profile"), "home/.profile");
  EXPECT_EQ(quillon::StripExtension("trailing."), "trailing");
  EXPECT_EQ(quillon::StripExtension(""), "");
}

TEST(FileNames, StripPathKeepsTheNameAfterEitherSeparator) {
  EXPECT_EQ(quillon::StripPath("/a/b/c.jpg"), "c.jpg");
  EXPECT_EQ(quillon::StripPath("C:\\maps\\alps.bmp"), "alps.bmp");
  EXPECT_EQ(quillon::StripPath("mixed/dir\\x.y"), "x.y");
  EXPECT_EQ(quillon::StripPath("plain"), "plain");
  EXPECT_EQ(quillon::StripPath("ends/"), "");
}

TEST(FileNames, ShortNameReductionKeepsOnlyAllowedCharacters) {
  EXPECT_EQ(quillon::ReduceStringToFN83CompliantChars("St. Pölten (Nord) #2*?"), "StPlten(Nord)#2");
  EXPECT_EQ(quillon::ReduceStringToFN83CompliantChars("a/b\\c:d<e>f|g\"h+i,j;k=l[m]n"),
            "abcdefghijklmn");
  EXPECT_EQ(quillon::ReduceStringToFN83CompliantChars("!#$%&'()-@^_`{}~"), "!#$%&'()-@^_`{}~");
  EXPECT_EQ(quillon::ReduceStringToFN83CompliantChars(""), "");
}

TEST(StringIndex, CountsFromOneWithinTheHighestIndex) {
  constexpr std::array<std::string_view, 3> list = {"parabolicip", "utm", "undefined"};
  EXPECT_EQ(quillon::StringIx("parabolicip", list, 2), 1);
  EXPECT_EQ(quillon::StringIx("undefined", list, 2), 3);
  EXPECT_EQ(quillon::StringIx("undefined", list, 1), 0);
  EXPECT_EQ(quillon::StringIx("UTM", list, 2), 0);
  EXPECT_EQ(quillon::StringIx("", list, 2), 0);
  EXPECT_EQ(quillon::StringIx("utm", list, 99), 2);
  EXPECT_EQ(quillon::StringIx("utm", list, -1), 0);
}

TEST(WriteLine, EndsEveryLineWithCrLfAtTheStreamPosition) {
  fw::TMemoryStream s;
  quillon::WriteLnStream(s, "abc");
  quillon::WriteLnStream(s, "");
  quillon::WriteLnStream(s, "x");
  s.SetPosition(3);
  quillon::WriteLnStream(s, "!");
  const std::string got(reinterpret_cast<const char*>(s.Memory()), static_cast<size_t>(s.Size()));
  EXPECT_EQ(got, std::string("abc!\r\n\nx\r\n"));
}

TEST(Globals, ProgressProtocolDefaults) {
  EXPECT_FALSE(quillon::AbortMathProc);
  EXPECT_FALSE(quillon::MathFeedBackProc);
  EXPECT_EQ(quillon::uc_MaxDouble, std::numeric_limits<double>::max());
  EXPECT_EQ(quillon::uc_MinDouble, std::numeric_limits<double>::min());
}

TEST(Errors, SuiteErrorIsARuntimeError) {
  try {
    throw quillon::EORVError("boom");
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "boom");
  }
}

} // namespace
