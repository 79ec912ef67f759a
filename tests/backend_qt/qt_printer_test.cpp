#include "../framework/pdf_raster.h"
#include "kartavo/backend_qt/qt_printer.h"
#include "qt_test_support.h"

#include "kartavo/framework/canvas.h"

namespace kartavo::qt {
namespace {
using namespace testing;

struct QtPrinterTest : ::testing::Test {
  QPrinter Target{QPrinter::HighResolution};
  std::string File = (OutDir() / "qt-printer.pdf").string();
  QtPrinterTest() {
    Target.setOutputFormat(QPrinter::PdfFormat);
    Target.setOutputFileName(QString::fromStdString(File));
    Target.setPageSize(QPageSize(QPageSize::A5));
    Target.setPageOrientation(QPageLayout::Landscape);
    std::filesystem::remove(File);
  }
  static void Fill(fw::TPrinter& p, fw::TRect r, fw::TColor c) {
    p.Canvas()->Brush()->SetColor(c);
    p.Canvas()->FillRect(r);
  }
};

TEST_F(QtPrinterTest, PagesGoToTheQPrintersOutputAtTheirPlaceOnTheSheet) {
  KARTAVO_REQUIRE_PDFTOPPM();
  TQtPrinter printer(Target, 100);
  // A5 landscape at 100 pixels an inch.
  EXPECT_NEAR(printer.Paper().WidthMM, 210, 0.5);
  EXPECT_NEAR(printer.Paper().HeightMM, 148, 0.5);
  EXPECT_EQ(printer.PageWidth(), 827);
  printer.SetTitle("two pages");
  printer.BeginDoc();
  Fill(printer, fw::Rect(100, 100, 300, 200), fw::clRed);
  printer.NewPage();
  Fill(printer, fw::Rect(0, 0, 50, 40), fw::clBlue);
  printer.EndDoc();
  ASSERT_EQ(pdftest::PageCount(File), 2);
  const auto first = pdftest::RasterisePage(File, 1, 100);
  ASSERT_TRUE(first);
  EXPECT_NEAR(first->Width, 827, 1);
  const pdftest::TBox red = pdftest::BoxOf(*first, fw::clRed);
  EXPECT_NEAR(red.Left, 100, 1);
  EXPECT_NEAR(red.Top, 100, 1);
  EXPECT_NEAR(red.Right, 300, 1);
  EXPECT_NEAR(red.Bottom, 200, 1);
  const auto second = pdftest::RasterisePage(File, 2, 100);
  ASSERT_TRUE(second);
  const pdftest::TBox blue = pdftest::BoxOf(*second, fw::clBlue);
  EXPECT_NEAR(blue.Right, 50, 1);
  EXPECT_NEAR(blue.Bottom, 40, 1);
}

TEST_F(QtPrinterTest, AnOutputThatCannotBeWrittenIsRefusedAndAbortLeavesNothingOpen) {
  Target.setOutputFileName("/no/such/folder/x.pdf");
  TQtPrinter printer(Target);
  EXPECT_THROW(printer.BeginDoc(), fw::EPrinter);
  EXPECT_FALSE(printer.Printing());
  Target.setOutputFileName(QString::fromStdString(File));
  printer.BeginDoc();
  Fill(printer, fw::Rect(0, 0, 10, 10), fw::clRed);
  printer.Abort();
  EXPECT_FALSE(printer.Printing());
  // The printer can print again afterwards.
  printer.BeginDoc();
  printer.EndDoc();
  EXPECT_TRUE(std::filesystem::exists(File));
}

} // namespace
} // namespace kartavo::qt
