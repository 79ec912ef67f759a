// Generated maps: grid positions and labels, the host's drawing, the
// calibration, the BMP/XML file pair and its failures.
#include "../../framework/codec_test_support.h"
#include "../geomap_test_support.h"
#include "kartavo/companion/quillon.h"
#include "kartavo/framework/bitmap.h"
#include "kartavo/framework/canvas.h"
#include "kartavo/framework/errors.h"
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/geomap/output/generated_map.h"
#include "kartavo/package/exceptions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace {

using namespace kartavo;

constexpr fw::TColor Grey = 0xC0C0C0;

int CountInRow(const fw::TBitmap& b, int y, int x0, int x1, fw::TColor c) {
  int n = 0;
  for (int x = x0; x <= x1; ++x)
    n += b.Canvas()->Pixels(x, y) == c;
  return n;
}

bool AllWhite(const fw::TBitmap& b, int x0, int y0, int x1, int y1) {
  for (int y = y0; y <= y1; ++y)
    if (CountInRow(b, y, x0, x1, fw::clWhite) != x1 - x0 + 1) return false;
  return true;
}

TEST(GeneratedMap, PreparationExchangesAndClamps) {
  const TGeneratedMapBox b = PreparedMapBox(50, 20, 40, 10, 0, -3, 50, 99);
  EXPECT_EQ(b.LatLow, 40);
  EXPECT_EQ(b.LatHigh, 50);
  EXPECT_EQ(b.LongLow, 10);
  EXPECT_EQ(b.LongHigh, 20);
  EXPECT_EQ(b.dLat, 1);
  EXPECT_EQ(b.dLong, 1);
  EXPECT_EQ(b.Wid, 100);
  EXPECT_EQ(b.Hgt, 100);
  EXPECT_EQ(MapBoxProblem(b), "");
  EXPECT_NE(MapBoxProblem(PreparedMapBox(-90, 0, 90, 10, 1e-9, 1, 500, 500)), "");
  EXPECT_NE(MapBoxProblem(PreparedMapBox(0, 0, 1.0 / 0.0, 10, 1, 1, 500, 500)), "");
}

TEST(GeneratedMap, LabelFormatsFollowTheSpacing) {
  EXPECT_EQ(GridLabelFormat(0.05), quillon::dfDegMinSec);
  EXPECT_EQ(GridLabelFormat(0.5), quillon::dfDegMin);
  EXPECT_EQ(GridLabelFormat(2), quillon::dfDecimal);
  EXPECT_EQ(GridLabel(15, 5, 'N', 'S'), " 15\xC2\xB0 N ");
  EXPECT_EQ(GridLabel(-7.5, 0.5, 'E', 'W'), " 7\xC2\xB0"
                                            "30' W ");
  EXPECT_EQ(GridLabel(45.05, 0.05, 'N', 'S'), " 45\xC2\xB0"
                                              "03'00\" N ");
}

// A box from 10 to 20 N on 460 pixels: the parallel at 15 lies at row 230;
// those at 10 and 20 fall on the frame and are neither drawn nor labelled.
TEST(GeneratedMap, GridLinesAndLabelsLieWhereTheBoxPutsThem) {
  const TGeneratedMapBox box = PreparedMapBox(10, 0, 20, 10, 5, 5, 300, 460);
  EXPECT_EQ(GridParallelY(box, 15), 230);
  EXPECT_EQ(GridParallelY(box, 10), 430);
  EXPECT_EQ(GridMeridianX(box, 5), 150);
  const auto map = DrawGeneratedMap(box, true, fw::pf24bit, nullptr, nullptr);
  // Dashed grey between the labels, nothing grey on the rows beside it.
  EXPECT_GT(CountInRow(*map, 230, 100, 200, Grey), 30);
  EXPECT_LT(CountInRow(*map, 230, 100, 200, Grey), 100);
  EXPECT_EQ(CountInRow(*map, 229, 100, 140, Grey), 0);
  EXPECT_EQ(CountInRow(*map, 231, 100, 140, Grey), 0);
  // The meridian at 5 E on column 150, labelled above and below the frame.
  int grey = 0;
  for (int y = 31; y < 430; ++y)
    grey += map->Canvas()->Pixels(150, y) == Grey;
  EXPECT_GT(grey, 100);
  EXPECT_FALSE(AllWhite(*map, 130, 2, 170, 23));
  EXPECT_FALSE(AllWhite(*map, 130, 436, 170, 459));
  // The label of 15 N on both sides; none at 10 N on the frame row 430.
  EXPECT_FALSE(AllWhite(*map, 36, 222, 80, 238));
  EXPECT_FALSE(AllWhite(*map, 220, 222, 263, 238));
  EXPECT_TRUE(AllWhite(*map, 36, 418, 80, 429));
  EXPECT_TRUE(AllWhite(*map, 36, 431, 80, 433));
  // Solid black frame at 30 (the meridian starts on it), dotted outline at 26.
  EXPECT_EQ(CountInRow(*map, 30, 30, 270, fw::clBlack), 240);
  EXPECT_EQ(map->Canvas()->Pixels(150, 30), Grey);
  const int dots = CountInRow(*map, 26, 26, 274, fw::clBlack);
  EXPECT_GT(dots, 60);
  EXPECT_LT(dots, 200);
}

TEST(GeneratedMap, DegenerateDirectionGetsNoLines) {
  const TGeneratedMapBox box = PreparedMapBox(10, 0, 10, 10, 1, 5, 300, 300);
  const auto map = DrawGeneratedMap(box, true, fw::pf24bit, nullptr, nullptr);
  for (int y = 60; y < 240; ++y)
    ASSERT_EQ(CountInRow(*map, y, 80, 140, Grey), 0) << y;
  int meridian = 0;
  for (int y = 31; y < 270; ++y)
    meridian += map->Canvas()->Pixels(150, y) == Grey;
  EXPECT_GT(meridian, 100);
}

struct TSeen {
  fw::TObject* Sender = nullptr;
  double LatLow = 0, LongLow = 0, LatHigh = 0, LongHigh = 0;
  int Wid = 0, Hgt = 0, Calls = 0;
};
TSeen Seen;

void RecordAndMark(fw::TObject* Sender, fw::TCanvas* Canvas, double LatLow, double LongLow,
                   double LatHigh, double LongHigh, int32_t Wid, int32_t Hgt) {
  Seen = {Sender, LatLow, LongLow, LatHigh, LongHigh, Wid, Hgt, Seen.Calls + 1};
  Canvas->SetPixels(50, 50, fw::clRed); // inside the frame, over the grid
}

// Every corner of the box converts to its pixel and back.
void ExpectCornersAt(const TGeoMap& map, double lat0, double lon0, double lat1, double lon1, int x0,
                     int y0, int x1, int y1) {
  EXPECT_TRUE(kartavo::testing::PutsPlaceAt(map, lat1, lon0, x0, y0));
  EXPECT_TRUE(kartavo::testing::PutsPlaceAt(map, lat0, lon1, x1, y1));
  bool valid = false;
  EXPECT_NEAR(map.CalcLatitude(x0, y0, valid), lat1, 1e-9);
  EXPECT_NEAR(map.CalcLongitude(x0, y0, valid), lon0, 1e-9);
  EXPECT_NEAR(map.CalcLatitude(x1, y1, valid), lat0, 1e-9);
  EXPECT_NEAR(map.CalcLongitude(x1, y1, valid), lon1, 1e-9);
}

TEST(GeneratedMapInMemory, HostDrawsOnTheMapAndCalibrationFitsTheBox) {
  TGeoMap map(nullptr);
  map.SetBounds(0, 0, 200, 200);
  Seen = {};
  map.CreateEmptyMapInMemory(50, 20, 40, 10, 2, 2, 50, 400, true, RecordAndMark);
  EXPECT_EQ(Seen.Calls, 1);
  EXPECT_EQ(Seen.Sender, &map);
  EXPECT_EQ(Seen.LatLow, 40);
  EXPECT_EQ(Seen.LongHigh, 20);
  EXPECT_EQ(Seen.Wid, 100);
  EXPECT_EQ(map.MapImgFile(), "$unknown$");
  EXPECT_EQ(map.MapImgWidth(), 100);
  EXPECT_EQ(map.CalibModel(), cmEquiRect);
  EXPECT_EQ(map.CalibData().Caption, "Map generated by TGeoMap");
  EXPECT_EQ(map.CalibData().NumCalQuads, 9);
  EXPECT_EQ(map.CalibData().UTMZone, 0);
  EXPECT_EQ(map.MapBitmap()->Canvas()->Pixels(50, 50), fw::clRed);
  ExpectCornersAt(map, 40, 10, 50, 20, 30, 30, 70, 370);

  map.CreateEmptyMapInMemory(-10, -5, 10, 5, 1, 1, 640, 480, false, nullptr);
  ExpectCornersAt(map, -10, -5, 10, 5, 0, 0, 640, 480);
  EXPECT_EQ(map.MapBitmap()->Canvas()->Pixels(30, 240), fw::clWhite); // no grid
}

TEST(GeneratedMapInMemory, OversizedOrUnusableBoxesChangeNothing) {
  TGeoMap map(nullptr);
  map.CreateEmptyMapInMemory(0, 0, 10, 10, 1, 1, 300, 300, true, nullptr);
  const TCalibData before = map.CalibData();
  Seen = {};
  EXPECT_THROW(map.CreateEmptyMapInMemory(0, 0, 1, 1, 1, 1, 2000, 1600, true, RecordAndMark),
               EORVGeoMapError);
  EXPECT_THROW(map.CreateEmptyMapInMemory(0, 0, 1, 1, 1e-12, 1, 300, 300, true, nullptr),
               EORVGeoMapError);
  EXPECT_EQ(Seen.Calls, 0);
  EXPECT_EQ(map.CalibData(), before);
  EXPECT_EQ(map.MapImgWidth(), 300);
}

TEST(GeneratedMapFiles, FilePairIsWrittenAndLoadedBack) {
  codec_test::TTempDir dir;
  TGeoMap map(nullptr);
  map.CreateAndLoadEmptyMap(dir.File("world.map"), 30, -20, 60, 40, 10, 10, 600, 400, nullptr);
  const std::string bmp = dir.File("world.bmp");
  ASSERT_TRUE(std::filesystem::exists(bmp));
  ASSERT_TRUE(std::filesystem::exists(dir.File("world.xml")));
  EXPECT_EQ(map.MapImgFile(), bmp);
  EXPECT_EQ(map.CalibModel(), cmBiquadraticPn);
  EXPECT_EQ(map.CalibData().MapFName, bmp);
  EXPECT_EQ(map.CalibData().NumCalQuads, 9);
  // A 16-colour file holding exactly the drawn picture.
  std::ifstream f(bmp, std::ios::binary);
  char head[30] = {};
  f.read(head, 30);
  EXPECT_EQ(head[28], 4);
  const auto drawn = DrawGeneratedMap(PreparedMapBox(30, -20, 60, 40, 10, 10, 600, 400), true,
                                      fw::pf4bit, nullptr, nullptr);
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 600; ++x)
      ASSERT_EQ(map.MapBitmap()->Canvas()->Pixels(x, y), drawn->Canvas()->Pixels(x, y));
  ExpectCornersAt(map, 30, -20, 60, 40, 30, 30, 570, 370);
}

TEST(GeneratedMapFiles, FailuresLeaveWhatTheyShould) {
  codec_test::TTempDir dir;
  TGeoMap map(nullptr);
  map.CreateEmptyMapInMemory(0, 0, 10, 10, 1, 1, 300, 300, true, nullptr);
  const TCalibData before = map.CalibData();
  // No folder for the BMP: nothing changes.
  EXPECT_THROW(
      map.CreateAndLoadEmptyMap(dir.File("none/world.map"), 0, 0, 5, 5, 1, 1, 200, 200, nullptr),
      fw::EInOutError);
  EXPECT_EQ(map.CalibData(), before);
  EXPECT_EQ(map.MapImgWidth(), 300);
  // The XML name taken by a folder: the BMP stays, the calibration is cleared.
  std::filesystem::create_directory(dir.File("world.xml"));
  EXPECT_THROW(
      map.CreateAndLoadEmptyMap(dir.File("world.map"), 0, 0, 5, 5, 1, 1, 200, 200, nullptr),
      fw::EInOutError);
  EXPECT_TRUE(std::filesystem::exists(dir.File("world.bmp")));
  EXPECT_EQ(map.CalibData().NumCalQuads, 0);
  // Too big: both files are written, loading the picture back refuses it.
  EXPECT_THROW(
      map.CreateAndLoadEmptyMap(dir.File("big.map"), 0, 0, 5, 5, 1, 1, 2000, 1600, nullptr),
      EORVGeoMapError);
  EXPECT_TRUE(std::filesystem::exists(dir.File("big.bmp")));
  EXPECT_TRUE(std::filesystem::exists(dir.File("big.xml")));
}

// A folder the user may not write to: the BMP cannot be saved, nothing of
// the control changes.
TEST(GeneratedMapFiles, ReadOnlyFolderChangesNothing) {
  if (::geteuid() == 0) GTEST_SKIP() << "running as root: a read-only folder is writable anyway";
  codec_test::TTempDir dir;
  const std::filesystem::path folder = dir.File("locked");
  std::filesystem::create_directory(folder);
  std::filesystem::permissions(folder, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::owner_exec);
  TGeoMap map(nullptr);
  map.CreateEmptyMapInMemory(0, 0, 10, 10, 1, 1, 300, 300, true, nullptr);
  const TCalibData before = map.CalibData();
  EXPECT_THROW(map.CreateAndLoadEmptyMap((folder / "world.map").string(), 0, 0, 5, 5, 1, 1, 200,
                                         200, nullptr),
               fw::EInOutError);
  EXPECT_EQ(map.CalibData(), before);
  EXPECT_EQ(map.MapImgFile(), "$unknown$");
  EXPECT_FALSE(std::filesystem::exists(folder / "world.xml"));
  std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
}

} // namespace
