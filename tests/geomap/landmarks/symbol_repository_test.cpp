// The symbol repository: entries, backup, copying, and its file written line
// for line and read back.
#include "../xml_test_support.h"
#include "random_records.h"

#include "kartavo/geomap/landmarks/symbol_repository.h"

#include <gtest/gtest.h>

namespace {
using namespace kartavo;
using kartavo::testing::ReadBytes;
using kartavo::testing::TScratchDir;
using kartavo::testing::WriteBytes;

TSymbol Named(const std::string& name, TLandMarkElement kind) {
  TSymbol s = DefaultSymbolRecord();
  s.Name = name;
  s.Properties.Kind = kind;
  return s;
}

TEST(SymbolRepository, EntriesDefaultsAndBackup) {
  TSymbolRepository r(nullptr);
  EXPECT_EQ(r.NumEntries(), 0);
  EXPECT_EQ(r.Symbols(1), DefaultSymbolRecord());
  r.SetNEntries(3);
  EXPECT_EQ(r.Symbols(3), TSymbol{}) << "all-zero: lmPlus, size 0, black on black";
  r.SetNEntries(-1);
  EXPECT_EQ(r.NumEntries(), 3);
  r.Clear();
  EXPECT_EQ(r.Symbols(2), DefaultSymbolRecord());
  r.SetValues(2, Named("Harbour", lmSpade));
  r.SetValues(4, Named("ignored", lmSpade));
  EXPECT_EQ(r.Symbols(4), DefaultSymbolRecord());
  r.Backup();
  r.SetNEntries(0);
  r.Restore();
  ASSERT_EQ(r.NumEntries(), 3);
  EXPECT_EQ(r.Symbols(2).Name.ToString(), "Harbour");
  r.SetNEntries(5);
  EXPECT_EQ(r.Symbols(5), TSymbol{});
  r.Restore();
  EXPECT_EQ(r.NumEntries(), 3) << "the backup stays";
}

TEST(SymbolRepository, AssignCopiesListAndBackup) {
  TSymbolRepository a(nullptr), b(nullptr);
  a.SetNEntries(1);
  a.SetValues(1, Named("one", lmCircle));
  a.Backup();
  a.SetNEntries(2);
  b.Assign(&a);
  EXPECT_EQ(b.NumEntries(), 2);
  EXPECT_EQ(b.Symbols(1).Name.ToString(), "one");
  b.SetNEntries(0);
  b.Restore();
  EXPECT_EQ(b.NumEntries(), 1);
  TSymbolRepository c(nullptr);
  static_cast<fw::TPersistent&>(c).Assign(&b); // through AssignTo as well
  EXPECT_EQ(c.NumEntries(), 1);
}

TEST(SymbolRepository, FileLineForLine) {
  TSymbolRepository r(nullptr);
  r.SetNEntries(2);
  TSymbol s = DefaultSymbolRecord();
  s.Name = "Red \"dot\"";
  s.Category = -3;
  s.Properties.FGColor = 0x0000FF;
  s.Properties.Transparent = true;
  r.SetValues(1, s);
  r.SetValues(2, Named("Plus", lmPlus));
  TScratchDir dir;
  r.StoreOnFile(dir.File("s.xml"), "Coast");
  EXPECT_EQ(ReadBytes(dir.File("s.xml")),
            "<?xml version=\"1.0\"?>\r\n"
            "\r\n"
            "<!-- TGeoMap Landmark Repository / ORV Component Suite -->\r\n"
            "<lmsymbols sig=\"ORVCSuite\" vers=\"1.0\" id=\"Coast\">\r\n"
            "<symbol element=\"Cross\" name=\"Red &quot;dot&quot;\" category=\"-3\" "
            "colorfg=\"000000FF\" colorbg=\"000000FF\" size=\"8\" transp=\"TRUE\" dir=\"90\" "
            "leng=\"40\" />\r\n"
            "<symbol element=\"Plus\" name=\"Plus\" category=\"0\" colorfg=\"00000000\" "
            "colorbg=\"000000FF\" size=\"8\" transp=\"FALSE\" dir=\"90\" leng=\"40\" />\r\n"
            "</lmsymbols>\r\n");
  TSymbolRepository back(nullptr);
  back.SetNEntries(7);
  back.Backup();
  ASSERT_TRUE(back.LoadFromFile(dir.File("s.xml"), "coast"));
  ASSERT_EQ(back.NumEntries(), 2);
  EXPECT_EQ(back.Symbols(1), s);
  EXPECT_EQ(back.Symbols(2).Properties.Kind, lmPlus);
  back.Restore();
  EXPECT_EQ(back.NumEntries(), 7) << "reading leaves the backup alone";
  EXPECT_FALSE(back.LoadFromFile(dir.File("s.xml"), "harbour"));
  EXPECT_FALSE(back.LoadFromFile(dir.File("none.xml"), ""));
}

TEST(SymbolRepository, ReaderValues) {
  TScratchDir dir;
  WriteBytes(dir.File("s.xml"), "<LMSYMBOLS sig=\"orvcsuite\">\n"
                                "<symbol transp=\"TRUE\" element=\"user-defined\" />\n"
                                "<symbol transp=\"no\" element=\"bogus\" colorbg=\"ff00\" name=\"" +
                                    std::string(60, 'n') +
                                    "\" />\n</lmsymbols>\n<symbol size=\"3\" />\n</geomap>\n"
                                    "<symbol size=\"4\" />\n");
  TSymbolRepository r(nullptr);
  ASSERT_TRUE(r.LoadFromFile(dir.File("s.xml"), ""));
  ASSERT_EQ(r.NumEntries(), 3) << "reading ends at </geomap>, not at </lmsymbols>";
  EXPECT_TRUE(r.Symbols(1).Properties.Transparent);
  EXPECT_EQ(r.Symbols(1).Properties.Kind, lmUserDef);
  EXPECT_FALSE(r.Symbols(2).Properties.Transparent);
  EXPECT_EQ(r.Symbols(2).Properties.Kind, lmCross);
  EXPECT_EQ(r.Symbols(2).Properties.BGColor, 0xFF00u);
  EXPECT_EQ(r.Symbols(2).Name.Length(), 40u);
  EXPECT_EQ(r.Symbols(3).Properties.Size, 3);
  EXPECT_EQ(r.Symbols(3).Properties.Direction, 0) << "a missing attribute reads as empty";
}

TEST(SymbolRepository, ThousandRandomSymbolsAndGrowthPastABlock) {
  lmtest::TRandomRecords rnd(5);
  TSymbolRepository r(nullptr);
  r.SetNEntries(2500);
  for (int i = 1; i <= 2500; ++i)
    r.SetValues(i, rnd.SymbolRecord());
  TScratchDir dir;
  r.StoreOnFile(dir.File("big.xml"), "");
  TSymbolRepository back(nullptr);
  ASSERT_TRUE(back.LoadFromFile(dir.File("big.xml"), ""));
  ASSERT_EQ(back.NumEntries(), 2500);
  for (int i = 1; i <= 2500; ++i)
    ASSERT_EQ(back.Symbols(i), r.Symbols(i)) << i;
}

} // namespace
