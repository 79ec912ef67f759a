// The printer: a document's pages and their canvases, and the PDF files the
// default printer writes, looked at as rasterised pages.
#include "codec_test_support.h"
#include "pdf_raster.h"

#include "kartavo/framework/brush.h"
#include "kartavo/framework/canvas.h"
#include "kartavo/framework/pdf_printer.h"
#include "kartavo/framework/printer.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using fw::TPdfPrinter;

void FillBox(fw::TCanvas& c, fw::TRect r, fw::TColor color) {
  c.Brush()->SetColor(color);
  c.Brush()->SetStyle(fw::bsSolid);
  c.FillRect(r);
}

TEST(Printer, PagesFollowTheDocument) {
  TPdfPrinter printer("", {100, 50}, 254);
  EXPECT_EQ(printer.PageWidth(), 1000); // 100 mm at 10 pixels a millimetre
  EXPECT_EQ(printer.PageHeight(), 500);
  EXPECT_FALSE(printer.Printing());
  EXPECT_EQ(printer.PageNumber(), 0);
  EXPECT_THROW(printer.Canvas(), fw::EPrinter);
  EXPECT_THROW(printer.NewPage(), fw::EPrinter);
  EXPECT_THROW(printer.EndDoc(), fw::EPrinter);
  EXPECT_NO_THROW(printer.Abort());
  // Without a file name no document begins.
  EXPECT_THROW(printer.BeginDoc(), fw::EPrinter);
  EXPECT_FALSE(printer.Printing());
  EXPECT_THROW(printer.SetPixelsPerInch(5), fw::EPrinter);
  EXPECT_THROW(printer.SetPixelsPerInch(5000), fw::EPrinter);
  EXPECT_THROW(printer.SetPaper({0, 100}), fw::EPrinter);
  EXPECT_EQ(printer.PixelsPerInch(), 254);
}

TEST(Printer, WritesEveryPageAtItsSize) {
  KARTAVO_REQUIRE_PDFTOPPM();
  codec_test::TTempDir dir;
  const std::string pdf = dir.File("three.pdf");
  TPdfPrinter printer(pdf, {100, 50}, 254);
  printer.SetTitle("three pages");
  printer.BeginDoc();
  EXPECT_TRUE(printer.Printing());
  EXPECT_THROW(printer.BeginDoc(), fw::EPrinter);
  EXPECT_THROW(printer.SetPixelsPerInch(100), fw::EPrinter);
  EXPECT_THROW(printer.SetFileName("other.pdf"), fw::EPrinter);
  const fw::TColor colors[] = {0x0000FF, 0x00A000, 0xFF0000};
  for (int page = 1; page <= 3; ++page) {
    if (page > 1) printer.NewPage();
    EXPECT_EQ(printer.PageNumber(), page);
    // A page starts white; a box 100 pixels further right on each page.
    EXPECT_EQ(printer.Canvas()->Pixels(500, 250), fw::clWhite);
    FillBox(*printer.Canvas(), fw::Rect(100 * page, 100, 100 * page + 200, 300), colors[page - 1]);
  }
  printer.EndDoc();
  EXPECT_FALSE(printer.Printing());
  ASSERT_EQ(pdftest::PageCount(pdf), 3);
  for (int page = 1; page <= 3; ++page) {
    const auto img = pdftest::RasterisePage(pdf, page, 254, pdftest::rPoppler);
    ASSERT_TRUE(img);
    EXPECT_NEAR(img->Width, 1000, 1);
    EXPECT_NEAR(img->Height, 500, 1);
    const pdftest::TBox box = pdftest::BoxOf(*img, colors[page - 1]);
    EXPECT_NEAR(box.Left, 100 * page, 1) << page;
    EXPECT_NEAR(box.Right, 100 * page + 200, 1) << page;
    EXPECT_NEAR(box.Top, 100, 1) << page;
    EXPECT_NEAR(box.Bottom, 300, 1) << page;
    // Only this page's colour.
    for (int other = 1; other <= 3; ++other) {
      if (other == page) continue;
      EXPECT_EQ(pdftest::BoxOf(*img, colors[other - 1]).Right, 0);
    }
  }
  // At half the resolution the page keeps its paper size.
  const auto half = pdftest::RasterisePage(pdf, 1, 127);
  const auto exact = pdftest::RasterisePage(pdf, 3, 254);
  ASSERT_TRUE(exact);
  EXPECT_EQ(pdftest::At(*exact, 300, 100), colors[2]);
  EXPECT_EQ(pdftest::At(*exact, 299, 100), fw::clWhite);
  EXPECT_EQ(pdftest::At(*exact, 499, 299), colors[2]);
  EXPECT_EQ(pdftest::At(*exact, 500, 299), fw::clWhite);
  ASSERT_TRUE(half);
  EXPECT_NEAR(half->Width, 500, 1);
  EXPECT_NEAR(pdftest::BoxOf(*half, colors[0]).Left, 50, 1);
}

TEST(Printer, FailuresLeaveNoDocument) {
  codec_test::TTempDir dir;
  // A folder that does not exist: the document does not begin.
  TPdfPrinter missing(dir.File("none/out.pdf"), {50, 50}, 100);
  EXPECT_THROW(missing.BeginDoc(), fw::EInOutError);
  EXPECT_FALSE(missing.Printing());
  // An aborted document leaves no file, and the printer can print again.
  const std::string pdf = dir.File("aborted.pdf");
  TPdfPrinter printer(pdf, {50, 50}, 100);
  printer.BeginDoc();
  printer.NewPage();
  printer.Abort();
  EXPECT_FALSE(printer.Printing());
  EXPECT_FALSE(std::filesystem::exists(pdf));
  printer.BeginDoc();
  printer.EndDoc();
  EXPECT_TRUE(std::filesystem::exists(pdf));
}

TEST(Printer, GlobalPrinterCanBeReplaced) {
  codec_test::TTempDir dir;
  fw::SetPrinter(std::make_unique<TPdfPrinter>(dir.File("g.pdf"), fw::PaperA4, 150));
  EXPECT_EQ(fw::Printer().PageWidth(), 1240);
  EXPECT_EQ(fw::Printer().PageHeight(), 1754);
  fw::SetPrinter(nullptr);
  EXPECT_EQ(fw::Printer().PixelsPerInch(), 300);
  EXPECT_THROW(fw::Printer().BeginDoc(), fw::EPrinter); // the default has no file name
}

} // namespace
