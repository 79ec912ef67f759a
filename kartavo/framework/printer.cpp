#include "kartavo/framework/printer.h"

#include "kartavo/framework/bitmap.h"
#include "kartavo/framework/brush.h"
#include "kartavo/framework/canvas.h"
#include "kartavo/framework/pdf_printer.h"

#include <cmath>

namespace fw {
namespace {

constexpr double MillimetresPerInch = 25.4;
constexpr double MinPaperMM = 10, MaxPaperMM = 2000;

bool PaperSideOK(double mm) { return mm >= MinPaperMM && mm <= MaxPaperMM; }

int PixelsAlong(double mm, int ppi) {
  return static_cast<int>(std::lround(mm / MillimetresPerInch * ppi));
}

std::unique_ptr<TPrinter>& CurrentPrinter() {
  static std::unique_ptr<TPrinter> printer = std::make_unique<TPdfPrinter>();
  return printer;
}

} // namespace

TPrinter::TPrinter(const TPaperSize& Paper, int PixelsPerInch)
    : FPaper(PaperA4), FPixelsPerInch(300) {
  SetPaper(Paper);
  SetPixelsPerInch(PixelsPerInch);
}

TPrinter::~TPrinter() = default;

void TPrinter::RequirePrinting(const char* what) const {
  if (!Printing()) throw EPrinter(std::string("Printer is not currently printing (") + what + ")");
}

void TPrinter::RequireIdle(const char* what) const {
  if (Printing()) throw EPrinter(std::string("Printing in progress (") + what + ")");
}

int TPrinter::PageWidth() const { return PixelsAlong(FPaper.WidthMM, FPixelsPerInch); }
int TPrinter::PageHeight() const { return PixelsAlong(FPaper.HeightMM, FPixelsPerInch); }

void TPrinter::SetPixelsPerInch(int value) {
  RequireIdle("resolution");
  if (value < MinPixelsPerInch || value > MaxPixelsPerInch)
    throw EPrinter("printer resolution " + std::to_string(value) + " out of range " +
                   std::to_string(MinPixelsPerInch) + " .. " + std::to_string(MaxPixelsPerInch) +
                   " pixels per inch");
  FPixelsPerInch = value;
}

void TPrinter::SetPaper(const TPaperSize& value) {
  RequireIdle("paper size");
  if (!PaperSideOK(value.WidthMM) || !PaperSideOK(value.HeightMM))
    throw EPrinter("paper size out of range: each side 10 mm .. 2000 mm");
  FPaper = value;
}

TCanvas* TPrinter::Canvas() {
  RequirePrinting("Canvas");
  return FPage->Canvas();
}

void TPrinter::StartPage() {
  auto page = std::make_unique<TBitmap>();
  page->SetPixelFormat(pf24bit);
  page->SetSize(PageWidth(), PageHeight());
  FPage = std::move(page);
  ++FPageNumber;
}

void TPrinter::BeginDoc() {
  RequireIdle("BeginDoc");
  StartDocument();
  try {
    FPageNumber = 0;
    StartPage();
  } catch (...) {
    AbortDocument();
    FPageNumber = 0;
    throw;
  }
}

void TPrinter::NewPage() {
  RequirePrinting("NewPage");
  EmitPage(FPage->PixelImage());
  StartPage();
}

void TPrinter::EndDoc() {
  RequirePrinting("EndDoc");
  // The document counts as ended even when the output fails, so that the
  // printer can be used again.
  const std::unique_ptr<TBitmap> last = std::move(FPage);
  FPageNumber = 0;
  try {
    EmitPage(last->PixelImage());
    FinishDocument();
  } catch (...) {
    AbortDocument();
    throw;
  }
}

void TPrinter::Abort() {
  if (!Printing()) return;
  FPage.reset();
  FPageNumber = 0;
  AbortDocument();
}

TPrinter& Printer() { return *CurrentPrinter(); }

void SetPrinter(std::unique_ptr<TPrinter> Printer) {
  CurrentPrinter() = Printer ? std::move(Printer) : std::make_unique<TPdfPrinter>();
}

} // namespace fw
