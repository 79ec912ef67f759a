// A printer: a document of pages, each drawn on a canvas of the page's size
// in the printer's pixels. Page size and resolution are fixed while a
// document is open. A page is a raster picture; what a printer does with a
// finished page (write it into a PDF file, hand it to a print dialog's
// device) is its backend's business, so that a windowing toolkit can offer
// its own printer later without touching the code that prints.
//
// Drawing on a page follows the canvas's rules in printer pixels: a pen one
// pixel wide is one printer pixel wide, and font sizes are points at 96
// pixels per inch as everywhere in the framework.
#pragma once

#include "kartavo/framework/errors.h"
#include "kartavo/framework/export.h"
#include "kartavo/framework/pixel_image.h"

#include <memory>
#include <string>

namespace fw {

class TBitmap;
class TCanvas;

// A printer used out of turn: a page asked for outside a document, a
// document begun twice, page size or resolution changed while printing.
class KARTAVO_API EPrinter : public Exception {
public:
  using Exception::Exception;
};

// The paper in millimetres, portrait or landscape as given.
struct TPaperSize {
  double WidthMM = 210; // A4
  double HeightMM = 297;
  friend bool operator==(const TPaperSize&, const TPaperSize&) = default;
};
constexpr TPaperSize PaperA4{210, 297};
constexpr TPaperSize PaperA4Landscape{297, 210};
constexpr TPaperSize PaperLetter{215.9, 279.4};

class KARTAVO_API TPrinter {
public:
  // Resolutions a printer takes, pixels per inch.
  static constexpr int MinPixelsPerInch = 10;
  static constexpr int MaxPixelsPerInch = 1200;

  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;
  virtual ~TPrinter();

  // Opens a document and starts its first page, blank (white).
  void BeginDoc();
  // Finishes the page drawn so far and starts a blank one.
  void NewPage();
  // Finishes the last page and the document.
  void EndDoc();
  // Drops the document: nothing of it is printed. Nothing happens when no
  // document is open.
  void Abort();

  bool Printing() const { return FPage != nullptr; }
  // The page being drawn, counting from 1; 0 while no document is open.
  int PageNumber() const { return FPageNumber; }
  // The canvas of the page being drawn; raises EPrinter while no document
  // is open.
  TCanvas* Canvas();

  // The page in printer pixels: the paper's size at the resolution, rounded.
  int PageWidth() const;
  int PageHeight() const;
  int PixelsPerInch() const { return FPixelsPerInch; }
  // Raises EPrinter while printing or outside MinPixelsPerInch ..
  // MaxPixelsPerInch.
  void SetPixelsPerInch(int value);
  const TPaperSize& Paper() const { return FPaper; }
  // Raises EPrinter while printing or for a side outside 10 mm .. 2 m.
  void SetPaper(const TPaperSize& value);

  // The document's title, for the output's metadata or a print queue.
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& value) { FTitle = value; }

protected:
  TPrinter(const TPaperSize& Paper, int PixelsPerInch);
  // The backend's part. StartDocument raises when the output cannot be
  // opened (nothing is printing then); EmitPage receives each finished
  // page in order; FinishDocument completes the output and raises when it
  // cannot be written; AbortDocument discards what was emitted.
  virtual void StartDocument() = 0;
  virtual void EmitPage(const TPixelImage& Page) = 0;
  virtual void FinishDocument() = 0;
  virtual void AbortDocument() = 0;

private:
  void StartPage();
  void RequirePrinting(const char* what) const;
  void RequireIdle(const char* what) const;

  TPaperSize FPaper;
  int FPixelsPerInch;
  std::string FTitle;
  std::unique_ptr<TBitmap> FPage;
  int FPageNumber = 0;
};

// The printer package code prints on. The default is a TPdfPrinter without
// a file name, which refuses to begin a document until it is given one.
KARTAVO_API TPrinter& Printer();
// Installs another printer (a PDF printer with a file name, a toolkit's
// print dialog); a null pointer restores the default.
KARTAVO_API void SetPrinter(std::unique_ptr<TPrinter> Printer);

} // namespace fw
