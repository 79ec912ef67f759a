// A printer of the framework over a QPrinter: the pages go wherever the
// QPrinter was set up to send them (the print queue a QPrintDialog chose, or
// a PDF file). The page is drawn at the framework printer's resolution and
// scaled onto the whole sheet of the QPrinter's paper.
//
//   QPrinter printer;
//   if (QPrintDialog(&printer).exec() == QDialog::Accepted) {
//     fw::SetPrinter(std::make_unique<kartavo::qt::TQtPrinter>(printer));
//     map.PrintIt(0);
//   }
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/framework/printer.h"

#include <QPainter>
#include <QPrinter>
#include <memory>

namespace kartavo::qt {

class KARTAVO_API TQtPrinter : public fw::TPrinter {
public:
  // Paper and orientation are those of Printer, which must outlive this
  // printer; pages are PixelsPerInch.
  explicit TQtPrinter(QPrinter& Printer, int PixelsPerInch = 300);
  ~TQtPrinter() override;

protected:
  // Raises fw::EPrinter when Qt cannot start printing (no such printer, a
  // file that cannot be written).
  void StartDocument() override;
  void EmitPage(const fw::TPixelImage& Page) override;
  void FinishDocument() override;
  void AbortDocument() override;

private:
  QPrinter& FPrinter;
  std::unique_ptr<QPainter> FPainter;
  bool FFirstPage = true;
};

} // namespace kartavo::qt
