// Byte-level checks of every file of the set after creating, adding,
// replacing and deleting entries, against layouts built from the documented format.
#include "geodb_fixture.h"

using namespace kartavo;
using namespace geodb_test;

namespace {

class FileLayout : public GeoDBTest {
protected:
  // The five index files as they must be for entries given in entry order.
  void ExpectIndexFiles(const std::vector<std::vector<std::pair<uint32_t, int32_t>>>& ix) {
    for (int i = 0; i < 5; ++i)
      EXPECT_EQ(Raw((".orvgi" + std::to_string(i)).c_str()), ExpectedIndex(ix[size_t(i)]))
          << "index " << i;
  }
};

TEST_F(FileLayout, NewDatabaseIsSevenFilesWithA260ByteHeader) {
  TGeoDB db(nullptr);
  db.SetDBName(base + ".orvgds");
  EXPECT_EQ(db.DBName(), base);
  EXPECT_EQ(db.NumEntries(), 0);
  EXPECT_EQ(db.DBVersion(), 4);
  EXPECT_EQ(Raw(".orvgdd"), ExpectedHeader(0));
  for (const char* s : {".orvgds", ".orvgi0", ".orvgi1", ".orvgi2", ".orvgi3", ".orvgi4"}) {
    EXPECT_TRUE(std::filesystem::exists(File(s))) << s;
    EXPECT_EQ(std::filesystem::file_size(File(s)), 0u) << s;
  }
}

TEST_F(FileLayout, AddWritesHeaderBlockSummaryAndIndexes) {
  TGeoDB db(nullptr);
  db.SetDBName(base);
  const TgdbPolygon river = {{48.5f, 16.25f}, {47.0f, 17.5f}, {49.0f, 15.0f}};
  EXPECT_EQ(db.AddRiver("Danube", river, 45000.5, 7, 0, 0, 0, 0, 120.5f, 3, -9), 1);
  EXPECT_EQ(db.AddTown("Wien", 45001.25, 2, {48.2f, 16.37f}, 190, 1, 5), 2);
  const std::string longName(70, 'x');
  EXPECT_EQ(db.AddBorder(longName, {}, true, 1, 0, 1, 2, 3, 4, 0, 0, 0), 3);

  Bytes data = ExpectedHeader(3);
  const Bytes pts = ExpectedPoints(river);
  data.insert(data.end(), pts.begin(), pts.end());
  EXPECT_EQ(Raw(".orvgdd"), data);

  ExpectedEntry e1{1,     "Danube", 120.5f, 3,     -9,       260, 45000.5, 7,
                   47.0f, 49.0f,    15.0f,  17.5f, gitRiver, 3,   false};
  ExpectedEntry e2{2,     "Wien", 190,    1,      5,       -1, 45001.25, 2,
                   48.2f, 48.2f,  16.37f, 16.37f, gitTown, 0,  false};
  // An empty point list: a block of 0 bytes at the end of the file and the empty box.
  ExpectedEntry e3{
      3, longName.substr(0, 59), 0, 0, 0, 260 + 24, 1, 0, 90, -90, 180, -180, gitBorder, 0, true};
  Bytes summary = e1.Encode();
  for (const auto& e : {e2, e3}) {
    const Bytes b = e.Encode();
    summary.insert(summary.end(), b.begin(), b.end());
  }
  EXPECT_EQ(Raw(".orvgds"), summary);

  ExpectIndexFiles({{{1, 0}, {2, 1}, {3, 2}},
                    {{FloatBits(47.0f), 0}, {FloatBits(48.2f), 1}, {FloatBits(90), 2}},
                    {{FloatBits(-90), 2}, {FloatBits(48.2f), 1}, {FloatBits(49.0f), 0}},
                    {{FloatBits(15.0f), 0}, {FloatBits(16.37f), 1}, {FloatBits(180), 2}},
                    {{FloatBits(-180), 2}, {FloatBits(16.37f), 1}, {FloatBits(17.5f), 0}}});
}

TEST_F(FileLayout, BlobBlockIsMetaInformationThenContent) {
  TGeoDB db(nullptr);
  db.SetDBName(base);
  TMetaInfo meta;
  meta.Keywords = "maps";
  meta.Caption = "Caption";
  meta.Comment = std::string(300, 'c'); // cut to 255
  const std::string content = "hello BLOB";
  EXPECT_EQ(
      db.AddBLOB("doc.txt", 2, 0, 1, 2, 3, 4, 0, 0, 0, meta, content.data(), int(content.size())),
      1);
  EXPECT_EQ(db.AddBLOB("empty", 2, 0, 1, 2, 3, 4, 0, 0, 0, meta, nullptr, 0), 2);
  const Bytes data = Raw(".orvgdd");
  ASSERT_EQ(data.size(), 260u + 1024 + content.size() + 1024);
  Bytes m(1024, 0);
  m[0] = 4;
  std::memcpy(&m[1], "maps", 4);
  m[256] = 7;
  std::memcpy(&m[257], "Caption", 7);
  m[768] = 255;
  std::memset(&m[769], 'c', 255);
  EXPECT_EQ(Slice(data, 260, 1024), m);
  EXPECT_EQ(Slice(data, 1284, content.size()), Bytes(content.begin(), content.end()));
  EXPECT_EQ(Slice(data, 1284 + content.size(), 1024), m);
  const Bytes summary = Raw(".orvgds");
  EXPECT_EQ(Get32(summary, 76), 260);
  EXPECT_EQ(Get32(summary, 112), int32_t(content.size()));
  EXPECT_EQ(Get32(summary, 120 + 76), int32_t(1284 + content.size()));
  EXPECT_EQ(Get32(summary, 120 + 112), 0);
}

TEST_F(FileLayout, ReplaceAppendsABlockAndRewritesOneRecord) {
  TGeoDB db(nullptr);
  db.SetDBName(base);
  for (int i = 0; i < 4; ++i)
    db.AddLake("L" + std::to_string(i), Square(float(i), 0, 1), 0, 0, 0, 0, 0, 0, 0, 0, 0);
  const Bytes before = Raw(".orvgds");
  const auto dataBefore = std::filesystem::file_size(File(".orvgdd"));
  const TgdbPolygon road = {{10, 20}, {11, 21}};
  db.ReplaceRoad(3, "Road", road, 9, 8, 0, 0, 0, 0, 7, 6, 5);
  EXPECT_EQ(std::filesystem::file_size(File(".orvgdd")), dataBefore + 16);
  EXPECT_EQ(Slice(Raw(".orvgdd"), dataBefore, 16), ExpectedPoints(road));
  Bytes summary = before;
  const Bytes rec = ExpectedEntry{3,  "Road", 7,       6, 5,    int32_t(dataBefore), 9, 8, 10, 11,
                                  20, 21,     gitRoad, 2, false}
                        .Encode();
  std::copy(rec.begin(), rec.end(), summary.begin() + 240);
  EXPECT_EQ(Raw(".orvgds"), summary);
  EXPECT_EQ(db.Data(3).ItemId, 3);
  // The header is not touched by a replacement.
  EXPECT_EQ(Slice(Raw(".orvgdd"), 0, 260), ExpectedHeader(4));
  ExpectIndexFiles({{{1, 0}, {2, 1}, {3, 2}, {4, 3}},
                    {{FloatBits(0), 0}, {FloatBits(1), 1}, {FloatBits(3), 3}, {FloatBits(10), 2}},
                    {{FloatBits(1), 0}, {FloatBits(2), 1}, {FloatBits(4), 3}, {FloatBits(11), 2}},
                    {{FloatBits(0), 3}, {FloatBits(0), 1}, {FloatBits(0), 0}, {FloatBits(20), 2}},
                    {{FloatBits(1), 3}, {FloatBits(1), 1}, {FloatBits(1), 0}, {FloatBits(21), 2}}});
}

TEST_F(FileLayout, DeleteMovesTheLastRecordIntoThePlace) {
  TGeoDB db(nullptr);
  db.SetDBName(base);
  for (int i = 1; i <= 5; ++i)
    db.AddTown("T" + std::to_string(i), 0, 0, {float(i), float(-i)}, 0, 0, 0);
  const Bytes before = Raw(".orvgds");
  const Bytes dataBefore = Raw(".orvgdd");
  db.DeleteData(2);
  Bytes summary(before.begin(), before.begin() + 480);
  std::copy(before.begin() + 480, before.end(), summary.begin() + 120);
  EXPECT_EQ(Raw(".orvgds"), summary);
  EXPECT_EQ(Raw(".orvgdd"), dataBefore);
  EXPECT_EQ(db.Data(2).ItemId, 5);
  EXPECT_EQ(db.SearchForItemID(5), 2);
  EXPECT_EQ(db.SearchForItemID(2), 0);
  ExpectIndexFiles(
      {{{1, 0}, {3, 2}, {4, 3}, {5, 1}},
       {{FloatBits(1), 0}, {FloatBits(3), 2}, {FloatBits(4), 3}, {FloatBits(5), 1}},
       {{FloatBits(1), 0}, {FloatBits(3), 2}, {FloatBits(4), 3}, {FloatBits(5), 1}},
       {{FloatBits(-5), 1}, {FloatBits(-4), 3}, {FloatBits(-3), 2}, {FloatBits(-1), 0}},
       {{FloatBits(-5), 1}, {FloatBits(-4), 3}, {FloatBits(-3), 2}, {FloatBits(-1), 0}}});
  // Deleting the last entry shortens the files; identifiers are never reused.
  db.DeleteData(4);
  EXPECT_EQ(Raw(".orvgds"), Slice(summary, 0, 360));
  EXPECT_EQ(std::filesystem::file_size(File(".orvgi3")), 24u);
  EXPECT_EQ(db.AddTown("New", 0, 0, {0, 0}, 0, 0, 0), 4);
  EXPECT_EQ(db.Data(4).ItemId, 6);
}

TEST_F(FileLayout, DescriptionAndRevisionRewriteTheHeader) {
  TGeoDB db(nullptr);
  db.SetDBName(base);
  db.SetDescription(std::string(70, 'd'));
  EXPECT_EQ(db.Description(), std::string(60, 'd'));
  db.SetRevision(12);
  EXPECT_EQ(Raw(".orvgdd"), ExpectedHeader(0, std::string(60, 'd'), 12));
  db.SetDBName("");
  EXPECT_EQ(db.Description(), "");
  db.SetDescription("ignored while closed");
  db.SetDBName(base);
  EXPECT_EQ(db.Description(), std::string(60, 'd'));
  EXPECT_EQ(db.Revision(), 12);
}

TEST_F(FileLayout, NamesAreConvertedToWindows1252AndCut) {
  TGeoDB db(nullptr);
  db.SetDBName(base);
  db.AddTown("Zürich €", 0, 0, {47, 8}, 0, 0, 0);
  const Bytes s = Raw(".orvgds");
  EXPECT_EQ(s[4], 8);
  EXPECT_EQ(Slice(s, 5, 8), (Bytes{'Z', 0xFC, 'r', 'i', 'c', 'h', ' ', 0x80}));
  EXPECT_EQ(db.Data(1).Name.ToString(), "Zürich €");
  const std::string exactly59(59, 'n');
  db.AddTown(exactly59, 0, 0, {47, 8}, 0, 0, 0);
  EXPECT_EQ(db.Data(2).Name.ToString(), exactly59);
}

} // namespace
