// Printed maps: the size a scale gives, where a map lands on the page, the
// open-document protocol, and the PDF pages rasterised as a printer would
// put them on paper.
#include "../../framework/codec_test_support.h"
#include "../../framework/pdf_raster.h"

#include "kartavo/framework/bitmap.h"
#include "kartavo/framework/brush.h"
#include "kartavo/framework/canvas.h"
#include "kartavo/framework/pdf_printer.h"
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/geomap/output/print_scale.h"
#include "kartavo/package/exceptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace {

using namespace kartavo;
using pdftest::TBox;

constexpr fw::TColor Grey = 0xC8C8C8;

// Installs a PDF printer for one test and restores the default after it.
struct TPrinterFixture : ::testing::Test {
  codec_test::TTempDir Dir;
  std::string Pdf = Dir.File("print.pdf");
  void Use(const fw::TPaperSize& paper, int ppi) {
    fw::SetPrinter(std::make_unique<fw::TPdfPrinter>(Pdf, paper, ppi));
  }
  void TearDown() override { fw::SetPrinter(nullptr); }
};

// 400 x 300 pixels of 100 m on the UTM grid (zone 32 north, eastings 430
// to 470 km, northings 5230 to 5260 km), grey with a black square of 5 km
// (map pixels 100 to 150 both ways).
void LoadUTMMap(TGeoMap& map) {
  fw::TBitmap picture;
  picture.SetSize(400, 300);
  fw::TCanvas& c = *picture.Canvas();
  c.Brush()->SetColor(Grey);
  c.FillRect(fw::Rect(0, 0, 400, 300));
  c.Brush()->SetColor(fw::clBlack);
  c.FillRect(fw::Rect(100, 100, 150, 150));
  map.SetBounds(0, 0, 200, 150);
  map.SetFrameStyle(quillon::fsNone);
  map.SetMapBitMap(&picture);
  map.SetUTMZone(32);
  map.SetCalibModel(cmUTM);
  map.AddCalibPoint(5260000, 430000, 32, hemiNorth, 0, 0);
  map.AddCalibPoint(5260000, 470000, 32, hemiNorth, 400, 0);
  map.AddCalibPoint(5230000, 430000, 32, hemiNorth, 0, 300);
  map.AddCalibPoint(5230000, 470000, 32, hemiNorth, 400, 300);
}

void ExpectBox(const TBox& got, double l, double t, double r, double b) {
  EXPECT_NEAR(got.Left, l, 1);
  EXPECT_NEAR(got.Top, t, 1);
  EXPECT_NEAR(got.Right, r, 1);
  EXPECT_NEAR(got.Bottom, b, 1);
}

TEST(PrintScale, ScaleAndScreenFactors) {
  // 10 m a pixel at 1 : 50000 is 0.2 mm of paper, 2.362 pixels at 300 ppi.
  EXPECT_NEAR(ScalePrintMagnification(10, 50000, 300), 2.3622, 1e-4);
  EXPECT_NEAR(ScalePrintMagnification(100, 100000, 254), 10, 1e-12);
  EXPECT_EQ(ScalePrintMagnification(0, 50000, 300), 0);
  EXPECT_EQ(ScalePrintMagnification(10, 0, 300), 0);
  EXPECT_EQ(ScalePrintMagnification(10, -5, 300), 0);
  EXPECT_DOUBLE_EQ(ScreenPrintFactor(1, 96), 1);
  EXPECT_DOUBLE_EQ(ScreenPrintFactor(2, 300), 6.25);
  EXPECT_DOUBLE_EQ(FitPrintFactor(200, 100, 1000, 300), 3);
  EXPECT_EQ(FitPrintFactor(0, 100, 1000, 300), 0);
}

// A 5 km square printed at 1 : 100000 measures 5 cm on paper, about 500
// pixels at 254 ppi, wherever the map window and the page position put it.
// The map's resolution is measured on a sphere, so it is within 0.2 % of
// the 100 m a pixel the grid gives, and the print follows it.
TEST_F(TPrinterFixture, MapWindowComesOutAtTheScale) {
  KARTAVO_REQUIRE_PDFTOPPM();
  Use({100, 100}, 254);
  TGeoMap map(nullptr);
  LoadUTMMap(map);
  const double r = map.CalibData().Resolution;
  ASSERT_NEAR(r, 100, 0.2);
  const double m = r / 10; // printer pixels a map pixel at 1 : 100000
  const fw::TRect window = fw::Rect(80, 80, 170, 160);
  int w = 0, h = 0;
  map.CalcExtentsOfPrint(window, 100000, w, h);
  EXPECT_EQ(w, std::lround(90 * m));
  EXPECT_EQ(h, std::lround(80 * m));
  fw::Printer().BeginDoc();
  map.CopyToOpenPrinter(window, 100000, 100, 150);
  // Page 2: the map from pixel (90, 95) at 1 : 200000 into a 400 x 300 box.
  fw::Printer().NewPage();
  map.CopyToOpenPrinter(quillon::TPoint{90, 95}, 200000, 20, 30, 400, 300);
  fw::Printer().EndDoc();
  ASSERT_EQ(pdftest::PageCount(Pdf), 2);
  const auto one = pdftest::RasterisePage(Pdf, 1, 254);
  ASSERT_TRUE(one);
  // The square's edges through its middle row and column, to a fraction of
  // a pixel, and where the map window's grey lies on the page.
  const pdftest::TSpan across = pdftest::DarkSpan(*one, true, 600, 150, 950, 200, 0);
  const pdftest::TSpan down = pdftest::DarkSpan(*one, false, 550, 200, 900, 200, 0);
  EXPECT_NEAR(across.Start, 100 + 20 * m, 1);
  EXPECT_NEAR(across.End, 100 + 70 * m, 1);
  EXPECT_NEAR(down.Start, 150 + 20 * m, 1);
  EXPECT_NEAR(down.End, 150 + 70 * m, 1);
  ExpectBox(pdftest::BoxOf(*one, Grey), 100, 150, 100 + w, 150 + h);
  // On paper: 5 km at 1 : 100000 is 50 mm (the map's resolution is 0.2 %
  // within the grid's), within a printer pixel.
  const double mmPerPixel = 25.4 / 254;
  EXPECT_NEAR((across.End - across.Start) * mmPerPixel, 50, mmPerPixel + 50 * 0.002);
  EXPECT_NEAR((down.End - down.Start) * mmPerPixel, 50, mmPerPixel + 50 * 0.002);
  const auto two = pdftest::RasterisePage(Pdf, 2, 254);
  ASSERT_TRUE(two);
  const double m2 = m / 2;
  ExpectBox(pdftest::BoxOf(*two, fw::clBlack, 100), 20 + 10 * m2, 30 + 5 * m2, 20 + 60 * m2,
            30 + 55 * m2);
  ExpectBox(pdftest::BoxOf(*two, Grey), 20, 30, 420, 330);
  // The control's view has not moved.
  EXPECT_EQ(map.TopLeft().X, 0);
  EXPECT_EQ(map.Magnification(), 1);
}

// The view as the screen shows it (ScaleF 1 at 96 ppi: pixel for pixel),
// and fitted to the page (ScaleF 0), centred.
TEST_F(TPrinterFixture, PrintItCentresTheView) {
  KARTAVO_REQUIRE_PDFTOPPM();
  Use({100, 80}, 96); // 378 x 302 pixels
  TGeoMap map(nullptr);
  LoadUTMMap(map);
  map.Paint();
  map.PrintIt(1);
  auto page = pdftest::RasterisePage(Pdf, 1, 96);
  ASSERT_TRUE(page);
  ExpectBox(pdftest::BoxOf(*page, Grey), 89, 76, 289, 226);
  ExpectBox(pdftest::BoxOf(*page, fw::clBlack, 100), 189, 176, 239, 226);
  // Pixel for pixel, away from edges (a rasteriser softens the edges of
  // pictures by a fraction of a pixel).
  const fw::TCanvas& shown = *map.MapImage().Aux().Canvas();
  auto uniform = [&](int x, int y) {
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (shown.Pixels(x + dx, y + dy) != shown.Pixels(x, y)) return false;
    return true;
  };
  int compared = 0;
  for (int y = 1; y < 149; ++y)
    for (int x = 1; x < 199; ++x)
      if (uniform(x, y)) {
        ++compared;
        ASSERT_TRUE(pdftest::Near(pdftest::At(*page, 89 + x, 76 + y), shown.Pixels(x, y), 8))
            << x << "," << y;
      }
  EXPECT_GT(compared, 25000);
  map.PrintIt(0); // 1.89 printer pixels a screen pixel: 378 x 284 from row 9
  page = pdftest::RasterisePage(Pdf, 1, 96);
  ASSERT_TRUE(page);
  ExpectBox(pdftest::BoxOf(*page, Grey), 0, 9, 378, 293);
  ExpectBox(pdftest::BoxOf(*page, fw::clBlack, 100), 189, 198, 284, 293);
  // Too large for the page: refused before a document begins.
  std::filesystem::remove(Pdf);
  EXPECT_THROW(map.PrintIt(3), EORVGeoMapError);
  EXPECT_FALSE(fw::Printer().Printing());
  EXPECT_FALSE(std::filesystem::exists(Pdf));
}

TEST_F(TPrinterFixture, OpenPrinterTakesPicturesOneAfterAnother) {
  Use({100, 100}, 96);
  TGeoMap map(nullptr);
  LoadUTMMap(map);
  int x = 10, y = 20;
  EXPECT_THROW(map.CopyToOpenPrinter(x, y, 1), EORVGeoMapError); // no open document
  fw::Printer().BeginDoc();
  map.CopyToOpenPrinter(x, y, 1);
  EXPECT_EQ(x, 210);
  EXPECT_EQ(y, 170);
  fw::TCanvas& page = *fw::Printer().Canvas();
  EXPECT_EQ(page.Pixels(10 + 125, 20 + 125), fw::clBlack);
  EXPECT_EQ(page.Pixels(10 + 150, 20 + 125), Grey);
  int left = 10;
  map.CopyToOpenPrinter(left, y, 0.5); // half size below the first
  EXPECT_EQ(left, 110);
  EXPECT_EQ(y, 245);
  EXPECT_EQ(page.Pixels(10 + 60, 170 + 60), fw::clBlack);
  // ScaleF 0 fills the rest of the page right and below.
  int rx = 300, ry = 300;
  map.CopyToOpenPrinter(rx, ry, 0);
  EXPECT_EQ(rx, 378);
  EXPECT_EQ(ry, 358); // 58.5 rounds to even
  fw::Printer().EndDoc();
  EXPECT_THROW(map.CopyToOpenPrinter(x, y, std::nan("")), EORVGeoMapError);
}

TEST_F(TPrinterFixture, ScalesNeedACalibratedResolution) {
  Use({100, 100}, 254);
  TGeoMap map(nullptr);
  LoadUTMMap(map);
  int w = 0, h = 0;
  EXPECT_THROW(map.CalcExtentsOfPrint(fw::Rect(0, 0, 10, 10), 0, w, h), EORVGeoMapError);
  EXPECT_THROW(map.CalcExtentsOfPrint(fw::Rect(0, 0, 10, 10), -50000, w, h), EORVGeoMapError);
  map.CalcExtentsOfPrint(fw::Rect(10, 10, 0, 0), 100000, w, h);
  EXPECT_EQ(w, 0);
  EXPECT_EQ(h, 0);
  // 1 : 10 would make a map pixel 10 m of paper: beyond any magnification.
  fw::Printer().BeginDoc();
  EXPECT_THROW(map.CopyToOpenPrinter(fw::Rect(0, 0, 10, 10), 10, 0, 0), EORVGeoMapError);
  fw::Printer().Abort();
  TGeoMap bare(nullptr);
  fw::TBitmap picture;
  picture.SetSize(100, 100);
  bare.SetMapBitMap(&picture);
  EXPECT_THROW(bare.CalcExtentsOfPrint(fw::Rect(0, 0, 10, 10), 50000, w, h), EORVGeoMapError);
}

} // namespace
