#include "kartavo/backend_qt/qt_printer.h"

#include "kartavo/backend_qt/pixel_image_qt.h"

#include <QPageLayout>

namespace kartavo::qt {

namespace {

fw::TPaperSize PaperOf(const QPrinter& Printer) {
  const QRectF sheet = Printer.pageLayout().fullRect(QPageLayout::Millimeter);
  return {sheet.width(), sheet.height()};
}

} // namespace

TQtPrinter::TQtPrinter(QPrinter& Printer, int PixelsPerInch)
    : fw::TPrinter(PaperOf(Printer), PixelsPerInch), FPrinter(Printer) {}

TQtPrinter::~TQtPrinter() {
  if (FPainter && FPainter->isActive()) AbortDocument();
}

void TQtPrinter::StartDocument() {
  // The framework's page is the whole sheet, margins included.
  FPrinter.setFullPage(true);
  FPrinter.setDocName(QString::fromStdString(Title()));
  FPainter = std::make_unique<QPainter>();
  if (!FPainter->begin(&FPrinter)) {
    FPainter.reset();
    const QString where =
        FPrinter.outputFileName().isEmpty() ? FPrinter.printerName() : FPrinter.outputFileName();
    throw fw::EPrinter("Cannot start printing on \"" + where.toStdString() + "\"");
  }
  FFirstPage = true;
}

void TQtPrinter::EmitPage(const fw::TPixelImage& Page) {
  if (!FFirstPage && !FPrinter.newPage()) throw fw::EPrinter("Cannot start a new printed page");
  FFirstPage = false;
  FPainter->drawImage(FPainter->viewport(), ImageView(Page));
}

void TQtPrinter::FinishDocument() {
  if (!FPainter->end()) throw fw::EPrinter("Printing could not be completed");
  FPainter.reset();
}

void TQtPrinter::AbortDocument() {
  FPrinter.abort();
  if (FPainter) FPainter->end();
  FPainter.reset();
}

} // namespace kartavo::qt
