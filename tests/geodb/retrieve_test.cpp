// Retrieval into arrays, files, buffers and streams, the BLOB family, and
// the text of latitudes and longitudes.
#include "geodb_fixture.h"

#include "kartavo/companion/tessaro.h"
#include "kartavo/framework/codepage.h"
#include "kartavo/package/exceptions.h"

using namespace kartavo;
using namespace geodb_test;

namespace {

class Retrieve : public GeoDBTest {
protected:
  void SetUp() override {
    GeoDBTest::SetUp();
    db.SetDBName(base);
  }
  TGeoDB db{nullptr};
};

TEST_F(Retrieve, PolygonComesBackInOrderAndEntryZeroReadsEntryOne) {
  const TgdbPolygon poly = {{1.5f, 2.5f}, {-3, 4}, {5, -6.25f}};
  db.AddCity("C", poly, false, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  TgdbPolygon back;
  EXPECT_TRUE(db.RetrievePolygon(0, back));
  EXPECT_EQ(back, poly);
  EXPECT_FALSE(db.RetrievePolygon(2, back));
  EXPECT_EQ(db.Data(1).LatLow, -3);
  EXPECT_EQ(db.Data(1).LongHigh, 4);
  EXPECT_FALSE(db.Data(1).Closed);
}

TEST_F(Retrieve, KindsDecideClosed) {
  const TgdbPolygon p = Square(0, 0, 1);
  db.AddLake("L", p, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  db.AddRiver("R", p, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  db.AddBorder("B", p, true, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  db.AddCity("C", p, false, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  EXPECT_TRUE(db.Data(1).Closed);
  EXPECT_FALSE(db.Data(2).Closed);
  EXPECT_TRUE(db.Data(3).Closed);
  EXPECT_FALSE(db.Data(4).Closed);
  EXPECT_EQ(db.Data(2).ItemKind, gitRiver);
  const TSCoords town = ExtractLocation(db.Data(db.AddTown("T", 0, 0, {3, 4}, 0, 0, 0)));
  EXPECT_EQ(town, (TSCoords{3, 4}));
}

TEST_F(Retrieve, BlobFromStreamToStreamAndToFile) {
  fw::TMemoryStream in;
  const std::string text = "stream content";
  in.Write(text.data(), int64_t(text.size()));
  // The whole stream is stored, whatever its position.
  TMetaInfo meta;
  meta.Descriptor = "desc";
  const int n = db.AddBLOB("notes.txt", 0, 0, 1, 2, 3, 4, 0, 0, 0, meta, in);
  fw::TMemoryStream out;
  TMetaInfo got;
  EXPECT_TRUE(db.RetrieveBLOB(n, got, out));
  EXPECT_EQ(got, meta);
  EXPECT_EQ(out.Position(), out.Size());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(out.Memory()), size_t(out.Size())), text);
  const std::string target = (dir / "copy.txt").string();
  EXPECT_TRUE(db.RetrieveBLOB(n, target, got));
  const Bytes raw = ReadRaw(target);
  EXPECT_EQ(std::string(raw.begin(), raw.end()), text);
  // Not a BLOB: false, and the stream keeps what it held.
  db.AddTown("T", 0, 0, {0, 0}, 0, 0, 0);
  EXPECT_FALSE(db.RetrieveBLOB(2, got, out));
  EXPECT_EQ(out.Size(), int64_t(text.size()));
  EXPECT_FALSE(db.RetrieveBLOB(2, target, got));
}

TEST_F(Retrieve, BufferOneByteTooSmallIsRefusedAfterTheMetaInformation) {
  TMetaInfo meta;
  meta.Caption = "cap";
  const std::string text = "0123456789";
  db.AddBLOB("b", 0, 0, 0, 0, 0, 0, 0, 0, 0, meta, text.data(), int(text.size()));
  std::vector<char> buf(text.size() - 1);
  TMetaInfo got;
  try {
    db.RetrieveBLOB(1, got, buf.data(), int(buf.size()));
    FAIL() << "no error";
  } catch (const EORVGeoDBError& e) {
    EXPECT_STREQ(e.what(), "Component \"\": RetrieveBLOB: BLOB to be retrieved is larger than "
                           "SizeOfBlobData.");
  }
  EXPECT_EQ(got.Caption.ToString(), "cap");
}

TEST_F(Retrieve, DirectoryTargetsGetTheEntryNameMadeSafe) {
  const std::string content = "x";
  db.AddBLOB("My File.txt", 0, 0, 0, 0, 0, 0, 0, 0, 0, {}, content.data(), 1);
  db.AddBLOB("../../escape", 0, 0, 0, 0, 0, 0, 0, 0, 0, {}, content.data(), 1);
  db.AddBLOB("..", 0, 0, 0, 0, 0, 0, 0, 0, 0, {}, content.data(), 1);
  TMetaInfo got;
  for (const char* delim : {"/", "\\"}) {
    const auto sub = dir / (std::string("out") + (delim[0] == '/' ? "1" : "2"));
    std::filesystem::create_directories(sub);
    const std::string target = sub.string() + delim;
    EXPECT_TRUE(db.RetrieveBLOB(1, target, got));
    EXPECT_TRUE(
        std::filesystem::exists(sub / quillon::ReduceStringToFN83CompliantChars("My File.txt")));
    EXPECT_TRUE(db.RetrieveBLOB(2, target, got));
    EXPECT_TRUE(std::filesystem::exists(sub / quillon::ReduceStringToFN83CompliantChars("escape")));
    // A name that reduces to nothing is refused, never written as the directory itself.
    EXPECT_THROW(db.RetrieveBLOB(3, target, got), EORVGeoDBError);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(sub), {}), 2);
  }
  // Nothing landed beside the database or above it.
  for (const auto& e : std::filesystem::directory_iterator(dir))
    EXPECT_TRUE(e.path().extension().string().starts_with(".orvg") || e.is_directory()) << e.path();
  EXPECT_FALSE(std::filesystem::exists(dir.parent_path() / "escape"));
  EXPECT_THROW(db.RetrieveBLOB(3, "", got), EORVGeoDBError);
}

TEST_F(Retrieve, BlobFromFileStoresNamePathDateAndSize) {
  const std::string src = (dir / "photo.jpg").string();
  WriteRaw(src, Bytes{1, 2, 3, 4, 5});
  TMetaInfo meta;
  meta.Keywords = "k";
  const int n = db.AddBLOB(src, 0, 0, 0, 0, 0, 0, 0, 0, 0, meta);
  EXPECT_EQ(db.Data(n).Name.ToString(), "photo.jpg");
  EXPECT_EQ(db.Data(n).Size, 5);
  EXPECT_NEAR(db.Data(n).Date, fw::FileDateTime(src), 1e-9);
  TMetaInfo got;
  ASSERT_TRUE(db.GetMetaInfo(n, got));
  EXPECT_EQ(got.FilePath.ToString(), src);
  EXPECT_EQ(got.Keywords.ToString(), "k");
  const int m =
      db.AddBLOB(src, "stored/as.bin", "C:\\orig\\photo.jpg", 0, 0, 0, 0, 0, 0, 0, 0, 0, meta);
  EXPECT_EQ(db.Data(m).Name.ToString(), "as.bin");
  ASSERT_TRUE(db.GetMetaInfo(m, got));
  EXPECT_EQ(got.FilePath.ToString(), "C:\\orig\\photo.jpg");
}

TEST_F(Retrieve, LongSourcePathIsReadWholeAndStoredCut) {
  auto deep = dir;
  while (deep.string().size() < 150)
    deep /= "a_long_folder_name";
  std::filesystem::create_directories(deep);
  const std::string src = (deep / "data.bin").string();
  WriteRaw(src, Bytes{9, 8, 7});
  const int n = db.AddBLOB(src, 0, 0, 0, 0, 0, 0, 0, 0, 0, {});
  ASSERT_EQ(n, 1);
  TMetaInfo got;
  fw::TMemoryStream out;
  ASSERT_TRUE(db.RetrieveBLOB(1, got, out));
  EXPECT_EQ(out.Size(), 3);
  EXPECT_EQ(got.FilePath.ToString(), src.substr(0, 127));
}

TEST_F(Retrieve, MissingSourceFileAddsNothing) {
  EXPECT_THROW(db.AddBLOB((dir / "missing.bin").string(), 0, 0, 0, 0, 0, 0, 0, 0, 0, {}),
               fw::EInOutError);
  EXPECT_EQ(db.NumEntries(), 0);
  EXPECT_EQ(std::filesystem::file_size(File(".orvgds")), 0u);
  EXPECT_EQ(std::filesystem::file_size(File(".orvgdd")), 260u);
}

TEST_F(Retrieve, ClosedDatabaseIsNeutral) {
  TGeoDB closed(nullptr);
  std::vector<int> seen;
  closed.OnPercentDone = [&seen](fw::TObject*, int p) { seen.push_back(p); };
  TgdbPolygon poly;
  TMetaInfo meta;
  fw::TMemoryStream s;
  EXPECT_EQ(closed.AddTown("T", 0, 0, {0, 0}, 0, 0, 0), -1);
  EXPECT_FALSE(closed.RetrievePolygon(1, poly));
  EXPECT_FALSE(closed.RetrieveBLOB(1, meta, s));
  EXPECT_FALSE(closed.RetrieveBLOB(1, (dir / "x").string(), meta));
  closed.DeleteData(1);
  closed.ReplaceTown(1, "T", 0, 0, {0, 0}, 0, 0, 0);
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(closed.DBName(), "");
}

TEST(GeoText, ClampsAndNamesTheHemisphere) {
  EXPECT_EQ(GeoLatitude(-95, quillon::dfDecimal, 2),
            fw::Cp1252ToUtf8(tessaro::DegreeToStr(90, quillon::dfDecimal, 2)) + " S");
  EXPECT_EQ(GeoLatitude(45.5, quillon::dfDegMin, 1),
            fw::Cp1252ToUtf8(tessaro::DegreeToStr(45.5, quillon::dfDegMin, 1)) + " N");
  EXPECT_EQ(GeoLongitude(0, quillon::dfDegMinSec, 0),
            fw::Cp1252ToUtf8(tessaro::DegreeToStr(0, quillon::dfDegMinSec, 0)) + " E");
  EXPECT_EQ(GeoLongitude(-200, quillon::dfDecimal, 0),
            fw::Cp1252ToUtf8(tessaro::DegreeToStr(180, quillon::dfDecimal, 0)) + " W");
}

} // namespace
