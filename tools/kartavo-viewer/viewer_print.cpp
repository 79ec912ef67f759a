// Printing the map shown: into a PDF file through the framework's PDF
// printer, or on a printer chosen in Qt's print dialog.
#include "viewer_window.h"

#include "kartavo/backend_qt/qt_printer.h"
#include "kartavo/framework/pdf_printer.h"

#include <QPrintDialog>
#include <QPrinter>

namespace kartavo::viewer {

namespace {

// The printer the map prints on while it is in use; the default printer
// comes back afterwards, also when printing fails.
struct TPrinterInUse {
  explicit TPrinterInUse(std::unique_ptr<fw::TPrinter> Printer) {
    fw::SetPrinter(std::move(Printer));
  }
  ~TPrinterInUse() { fw::SetPrinter(nullptr); }
};

} // namespace

bool TViewerWindow::ViewIsLandscape() { return Map().Width() > Map().Height(); }

void TViewerWindow::PrintOn(std::unique_ptr<fw::TPrinter> Printer) {
  Printer->SetTitle(windowTitle().toStdString());
  TPrinterInUse inUse(std::move(Printer));
  // The view as large as the page takes it, centred.
  Map().PrintIt(0);
}

bool TViewerWindow::PrintToPdf(const QString& FileName) {
  return Guarded([&] {
    const fw::TPaperSize paper = ViewIsLandscape() ? fw::PaperA4Landscape : fw::PaperA4;
    PrintOn(std::make_unique<fw::TPdfPrinter>(FileName.toStdString(), paper, 300));
  });
}

bool TViewerWindow::PrintWithDialog() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(ViewIsLandscape() ? QPageLayout::Landscape : QPageLayout::Portrait);
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return false;
  return Guarded([&] { PrintOn(std::make_unique<kartavo::qt::TQtPrinter>(printer)); });
}

} // namespace kartavo::viewer
