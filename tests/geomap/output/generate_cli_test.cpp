// kartavo generate and kartavo render --print as a user runs them: a map
// made from a box and a database, its files loading into the map control,
// a printed page at a map scale, and the exit status of bad input.
#include "../../cli_run.h"
#include "../../framework/pdf_raster.h"
#include "../geomap_test_support.h"
#include "../xml_test_support.h"

#include "kartavo/framework/bitmap.h"
#include "kartavo/framework/canvas.h"
#include "kartavo/framework/date_time.h"
#include "kartavo/framework/png_codec.h"
#include "kartavo/geodb/geo_db.h"
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/geomap/landmarks/landmark_xml.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace kartavo {
namespace {
using clitest::RunCli;
using testing::TScratchDir;

constexpr fw::TColor Maroon = 0x000080, Blue = 0xFF0000;

// A border square 10..20 N, 10..20 E, a river along 5 N from 5 to 35 E and
// a town at 15 N 25 E.
std::string WriteDatabase(const TScratchDir& dir) {
  const std::string name = dir.File("data.orvgds");
  TGeoDB db(nullptr);
  db.SetDBName(name);
  const fw::TDateTime now = fw::Now();
  db.AddBorder("Square", {{10, 10}, {20, 10}, {20, 20}, {10, 20}}, true, now, 0, 0, 0, 0, 0, 0, 1,
               0);
  db.AddRiver("Long River", {{5, 5}, {5, 20}, {5, 35}}, now, 0, 0, 0, 0, 0, 0, 1, 0);
  db.AddTown("Alpha", now, 0, {15, 25}, 100, 1, 0);
  return name;
}

fw::TColor At(const fw::TBitmap& b, int x, int y) { return b.Canvas()->Pixels(x, y); }

bool AnyOf(const fw::TBitmap& b, int x0, int y0, int x1, int y1, fw::TColor c) {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)
      if (At(b, x, y) == c) return true;
  return false;
}

// The box 0..30 N, 0..40 E on 460 x 360 pixels: 10 pixels a degree inside
// the 30-pixel margin, latitude 0 on row 330, longitude 0 on column 30.
TEST(GenerateCli, DrawsTheDatabaseInsideTheBoxAndLoadsBack) {
  TScratchDir dir;
  const std::string db = WriteDatabase(dir);
  const auto r = RunCli({"generate", "--box", "0", "0", "30", "40", "--grid", "10", "10", "--size",
                         "460x360", "--db", db, "-o", dir.File("map.anything")});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_NE(r.Out.find("drew 1 Border 1 Town 1 River"), std::string::npos) << r.Out;
  fw::TBitmap bmp;
  bmp.LoadFromFile(dir.File("map.bmp"));
  ASSERT_EQ(bmp.Width(), 460);
  ASSERT_EQ(bmp.Height(), 360);
  EXPECT_EQ(bmp.PixelFormat(), fw::pf4bit);
  // The square's sides on columns 130 and 230, rows 130 and 230; not filled.
  EXPECT_EQ(At(bmp, 130, 180), Maroon);
  EXPECT_EQ(At(bmp, 230, 170), Maroon);
  EXPECT_EQ(At(bmp, 180, 130), Maroon);
  EXPECT_EQ(At(bmp, 170, 230), Maroon);
  EXPECT_EQ(At(bmp, 180, 180), fw::clWhite);
  // The river, two pixels wide along row 280; the town's dot and its name.
  EXPECT_TRUE(AnyOf(bmp, 200, 279, 201, 282, Blue));
  EXPECT_EQ(At(bmp, 280, 180), 0x0000FFu);
  EXPECT_TRUE(AnyOf(bmp, 284, 172, 330, 190, fw::clBlack));
  // The calibration puts the town where it was drawn.
  TGeoMap map(nullptr);
  ASSERT_TRUE(map.LoadCalDataFromXML(dir.File("map.xml"), "ORV_geomap_caldata"));
  EXPECT_TRUE(testing::PutsPlaceAt(map, 15, 25, 280, 180));
}

TEST(GenerateCli, KindsChooseWhatIsDrawnAndPngShowsLandmarks) {
  TScratchDir dir;
  const std::string db = WriteDatabase(dir);
  TLandMark lm = DefaultLandMark();
  lm.Latitude = 25;
  lm.Longitude = 5;
  lm.SymbolProps.Kind = lmSquare;
  lm.SymbolProps.Size = 8;
  lm.SymbolProps.FGColor = 0x00FF00;
  const std::vector<TLandMark> pins{lm};
  SaveLandMarkFile(dir.File("lm.xml"), "pins", pins);
  const auto r = RunCli({"generate",
                         "--box",
                         "0",
                         "0",
                         "30",
                         "40",
                         "--grid",
                         "10",
                         "10",
                         "--size",
                         "460x360",
                         "--db",
                         db,
                         "--kinds",
                         "borders,towns",
                         "--png",
                         dir.File("map.png"),
                         "--landmarks",
                         dir.File("lm.xml"),
                         "pins",
                         "-o",
                         dir.File("map")});
  ASSERT_EQ(r.Status, 0) << r.Err;
  fw::TBitmap bmp;
  bmp.LoadFromFile(dir.File("map.bmp"));
  EXPECT_FALSE(AnyOf(bmp, 100, 270, 360, 290, Blue)); // no river
  EXPECT_EQ(At(bmp, 130, 180), Maroon);
  fw::TBitmap png;
  png.LoadFromPixelImage(fw::ReadPngFile(dir.File("map.png")));
  ASSERT_EQ(png.Width(), 460);
  EXPECT_TRUE(AnyOf(png, 72, 72, 89, 89, 0x00FF00));        // the landmark at (80, 80)
  EXPECT_TRUE(pdftest::Near(At(png, 130, 180), Maroon, 8)); // in the control's 15 bits
}

TEST(GenerateCli, BadInputIsRefusedWithItsName) {
  TScratchDir dir;
  const std::string map = dir.File("m");
  auto r = RunCli({"generate", "--box", "10", "0", "10", "20", "-o", map});
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find("--box"), std::string::npos) << r.Err;
  r = RunCli({"generate", "--box", "0", "0", "10", "20", "--db", dir.File("none"), "-o", map});
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find("does not exist"), std::string::npos) << r.Err;
  r = RunCli({"generate", "--box", "0", "0", "10", "20", "--size", "3000x3000", "-o", map});
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find("--size"), std::string::npos) << r.Err;
  const std::string db = WriteDatabase(dir);
  r = RunCli(
      {"generate", "--box", "0", "0", "10", "20", "--db", db, "--kinds", "mountains", "-o", map});
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find("mountains"), std::string::npos) << r.Err;
  r = RunCli({"generate", "--box", "0", "0", "10", "20", "--landmarks", "x.xml", "-o", map});
  EXPECT_EQ(r.Status, 2);
  r = RunCli({"generate", "--box", "0", "0", "10", "-o", map});
  EXPECT_EQ(r.Status, 2);
  EXPECT_FALSE(std::filesystem::exists(map + ".bmp"));
}

// The printed square is as large as the scale makes it, in the middle of
// the page when the view is centred on it.
TEST(RenderPrintCli, PrintsOnePageAtTheScale) {
  KARTAVO_REQUIRE_PDFTOPPM();
  TScratchDir dir;
  const std::string db = WriteDatabase(dir);
  ASSERT_EQ(RunCli({"generate", "--box", "0", "0", "30", "40", "--grid", "10", "10", "--size",
                    "460x360", "--db", db, "--kinds", "borders", "-o", dir.File("map")})
                .Status,
            0);
  const std::string pdf = dir.File("page.pdf");
  const auto r =
      RunCli({"render", dir.File("map.xml"), "--size", "200x200", "--center", "15", "15", "--print",
              pdf, "--scale", "40000000", "--dpi", "100", "--paper", "100x100", "--margin", "0"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  ASSERT_EQ(pdftest::PageCount(pdf), 1);
  const auto page = pdftest::RasterisePage(pdf, 1, 100);
  ASSERT_TRUE(page);
  ASSERT_EQ(page->Width, 394);
  // Metres a map pixel: the great circle across the middle row (15 N, from
  // 3 W to 43 E) on the sphere of 6378 km, over the 460 pixels.
  const double rad = M_PI / 180, phi = 15 * rad;
  const double metres = 6378000 * std::acos(std::sin(phi) * std::sin(phi) +
                                            std::cos(phi) * std::cos(phi) * std::cos(46 * rad));
  const double m = metres / 460 / 40000000 / 0.0254 * 100;
  const pdftest::TBox square = pdftest::BoxOf(*page, Maroon, 40);
  EXPECT_NEAR(square.Right - square.Left, 100 * m + 1, 1);
  EXPECT_NEAR(square.Bottom - square.Top, 100 * m + 1, 1);
  EXPECT_NEAR((square.Left + square.Right) / 2.0, 197, 1);
  // Neither a picture nor a PDF asked for: a usage error.
  EXPECT_EQ(RunCli({"render", dir.File("map.xml")}).Status, 2);
  EXPECT_EQ(RunCli({"render", dir.File("map.xml"), "--scale", "5000"}).Status, 2);
  EXPECT_EQ(RunCli({"render", dir.File("map.xml"), "--print", pdf, "--paper", "b5"}).Status, 1);
}

} // namespace
} // namespace kartavo
