#include "kartavo/framework/pdf_printer.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace fw {

struct TPdfPrinter::TSurface {
  cairo_surface_t* Pdf = nullptr;
};

namespace {

constexpr double PointsPerInch = 72;

// A page as cairo's 32-bit x-RGB image (the same bytes, blue first, on a
// little-endian machine; written as words so that the byte order does not
// matter).
cairo_surface_t* PageImage(const TPixelImage& page) {
  cairo_surface_t* img = cairo_image_surface_create(CAIRO_FORMAT_RGB24, page.Width, page.Height);
  if (cairo_surface_status(img) != CAIRO_STATUS_SUCCESS) return img;
  cairo_surface_flush(img);
  unsigned char* data = cairo_image_surface_get_data(img);
  const int stride = cairo_image_surface_get_stride(img);
  const int bytes = page.Format == pf32bit ? 4 : 3;
  for (int y = 0; y < page.Height; ++y) {
    const uint8_t* src = page.Row(y);
    auto* dst = reinterpret_cast<uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride);
    for (int x = 0; x < page.Width; ++x, src += bytes)
      dst[x] = uint32_t{src[2]} << 16 | uint32_t{src[1]} << 8 | src[0];
  }
  cairo_surface_mark_dirty(img);
  return img;
}

} // namespace

TPdfPrinter::TPdfPrinter(std::string FileName, const TPaperSize& Paper, int PixelsPerInch)
    : TPrinter(Paper, PixelsPerInch), FFileName(std::move(FileName)) {}

TPdfPrinter::~TPdfPrinter() { Abort(); }

void TPdfPrinter::SetFileName(const std::string& value) {
  if (Printing()) throw EPrinter("Printing in progress (file name)");
  FFileName = value;
}

void TPdfPrinter::CloseSurface() {
  if (!FSurface) return;
  cairo_surface_destroy(FSurface->Pdf);
  delete FSurface;
  FSurface = nullptr;
}

void TPdfPrinter::CheckStatus(const char* what) {
  const cairo_status_t status = cairo_surface_status(FSurface->Pdf);
  if (status == CAIRO_STATUS_SUCCESS) return;
  const int err = errno;
  throw EInOutError(
      err, FFileName,
      std::string(what) + " \"" + FFileName + "\": " + cairo_status_to_string(status) +
          (status == CAIRO_STATUS_WRITE_ERROR && err ? std::string(" (") + std::strerror(err) + ")"
                                                     : std::string()));
}

void TPdfPrinter::StartDocument() {
  if (FFileName.empty()) throw EPrinter("the PDF printer has no file name to print into");
  // The page is exactly as large as its pixels, so that a viewer or
  // printer working at the printer's resolution meets them one to one.
  const double w = double(PageWidth()) / PixelsPerInch() * PointsPerInch;
  const double h = double(PageHeight()) / PixelsPerInch() * PointsPerInch;
  errno = 0;
  FSurface = new TSurface{cairo_pdf_surface_create(FFileName.c_str(), w, h)};
  try {
    CheckStatus("cannot create the PDF file");
  } catch (...) {
    CloseSurface();
    throw;
  }
  cairo_pdf_surface_set_metadata(FSurface->Pdf, CAIRO_PDF_METADATA_CREATOR, "kartavo");
  if (!Title().empty())
    cairo_pdf_surface_set_metadata(FSurface->Pdf, CAIRO_PDF_METADATA_TITLE, Title().c_str());
}

void TPdfPrinter::EmitPage(const TPixelImage& Page) {
  cairo_surface_t* img = PageImage(Page);
  cairo_t* cr = cairo_create(FSurface->Pdf);
  // One page pixel covers 1/PixelsPerInch inch of paper; the picture is
  // placed without interpolation so that a viewer shows its pixels as drawn.
  cairo_scale(cr, PointsPerInch / PixelsPerInch(), PointsPerInch / PixelsPerInch());
  cairo_set_source_surface(cr, img, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_paint(cr);
  cairo_show_page(cr);
  const cairo_status_t drawn = cairo_status(cr);
  cairo_destroy(cr);
  const cairo_status_t imaged = cairo_surface_status(img);
  cairo_surface_destroy(img);
  if (imaged != CAIRO_STATUS_SUCCESS || drawn != CAIRO_STATUS_SUCCESS)
    throw EInOutError(0, FFileName,
                      "cannot print a page into \"" + FFileName + "\": " +
                          cairo_status_to_string(imaged != CAIRO_STATUS_SUCCESS ? imaged : drawn));
  CheckStatus("cannot write the PDF file");
}

void TPdfPrinter::FinishDocument() {
  errno = 0;
  cairo_surface_finish(FSurface->Pdf);
  // On failure the printer aborts the document, which removes the file.
  CheckStatus("cannot write the PDF file");
  CloseSurface();
}

void TPdfPrinter::AbortDocument() {
  if (!FSurface) return;
  cairo_surface_finish(FSurface->Pdf);
  CloseSurface();
  std::remove(FFileName.c_str());
}

} // namespace fw
