// The default printer: each page goes into a PDF file, as an image of the
// page at the printer's resolution on paper of the page's size, so that the
// file prints at the intended size on any printer (`lp FILE.pdf`) and shows
// in any viewer.
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/framework/printer.h"

#include <string>

namespace fw {

class KARTAVO_API TPdfPrinter : public TPrinter {
public:
  explicit TPdfPrinter(std::string FileName = {}, const TPaperSize& Paper = PaperA4,
                       int PixelsPerInch = 300);
  ~TPdfPrinter() override;

  // The file BeginDoc creates (replacing one of that name); raises
  // EPrinter while printing.
  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& value);

protected:
  // Raises EPrinter when there is no file name, EInOutError when the file
  // cannot be created or written.
  void StartDocument() override;
  void EmitPage(const TPixelImage& Page) override;
  void FinishDocument() override;
  // Closes the file and removes it.
  void AbortDocument() override;

private:
  void CheckStatus(const char* what);
  void CloseSurface();

  std::string FFileName;
  struct TSurface;
  TSurface* FSurface = nullptr;
};

} // namespace fw
