#include "viewer_window.h"

#include <QApplication>
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace kartavo::viewer {

TViewerWindow::TViewerWindow() : FView(new kartavo::qt::GeoMapWidget(this)) {
  setWindowTitle("kartavo-viewer");
  setCentralWidget(FView);
  ReportError = [this](const QString& text) {
    QMessageBox::critical(this, "kartavo-viewer", text);
  };
  Map().SetEmptyMsg("Open a calibrated map: File > Open map");
  BuildFileMenu();
  BuildViewMenu();
  BuildToolBar();
  BuildStatusBar();
  WireMap();
  resize(1000, 720);
}

void TViewerWindow::BuildFileMenu() {
  QMenu* file = menuBar()->addMenu("&File");
  file->addAction("&Open map...", QKeySequence::Open, [this] {
    const QString name = QFileDialog::getOpenFileName(this, "Open map", {}, "Calibration (*.xml)");
    if (!name.isEmpty()) OpenMap(name);
  });
  file->addAction("Open &landmarks...", [this] {
    const QString name =
        QFileDialog::getOpenFileName(this, "Open landmarks", {}, "Landmarks (*.xml)");
    if (!name.isEmpty()) OpenLandmarks(name);
  });
  file->addAction("&Save map as...", QKeySequence::SaveAs, [this] {
    const QString name = QFileDialog::getSaveFileName(this, "Save map", {}, "JPEG map (*.jpg)");
    if (!name.isEmpty()) SaveMap(name);
  });
  file->addAction("&Copy to clipboard", QKeySequence::Copy, [this] { CopyToClipboard(); });
  file->addSeparator();
  file->addAction("&Quit", QKeySequence::Quit, [this] { close(); });
}

void TViewerWindow::BuildViewMenu() {
  QMenu* view = menuBar()->addMenu("&View");
  QMenu* overlay = view->addMenu("&Graticule and grid");
  FOverlays = new QActionGroup(this);
  const std::pair<TShowGrat, const char*> overlays[] = {
      {sgNone, "&None"},        {sgPoints, "Calibration &points"},
      {sgLines, "&Graticule"},  {sgPointsAndLines, "Graticule and points"},
      {sgUTMGrid, "&UTM grid"}, {sgPointsAndUTMGrid, "UTM grid and points"}};
  for (auto [show, text] : overlays) {
    QAction* a = overlay->addAction(text, [this, show] { SetShowGraticule(show); });
    a->setCheckable(true);
    a->setChecked(show == Map().ShowGraticule());
    FOverlays->addAction(a);
    FOverlayActions[show] = a;
  }
  QAction* dms = view->addAction("&Degrees, minutes, seconds");
  dms->setCheckable(true);
  connect(dms, &QAction::toggled, this, [this](bool on) { SetDegreesMinutesSeconds(on); });
  QAction* aa = view->addAction("&Antialias");
  aa->setCheckable(true);
  aa->setChecked(Map().AntiAlias());
  connect(aa, &QAction::toggled, this,
          [this](bool on) { Guarded([&] { Map().SetAntiAlias(on); }); });
}

void TViewerWindow::BuildToolBar() {
  QToolBar* bar = addToolBar("Map");
  bar->setObjectName("map-toolbar");
  FModes = new QActionGroup(this);
  const std::pair<quillon::TMouseActMode, const char*> modes[] = {
      {quillon::maPan, "Pan"},
      {quillon::maZoomBox, "Zoom box"},
      {quillon::maZoomDrag, "Drag zoom"},
      {quillon::maSelectRect, "Select"},
      {quillon::maRubberBand, "Rubber band"},
      {quillon::maMouseTrace, "Trace"}};
  for (auto [mode, text] : modes) {
    QAction* a = bar->addAction(text, [this, mode] { SetMouseMode(mode); });
    a->setCheckable(true);
    a->setChecked(mode == Map().MouseAction());
    FModes->addAction(a);
    FModeActions[mode] = a;
  }
  bar->addSeparator();
  QStyle* style = QApplication::style();
  bar->addAction(style->standardIcon(QStyle::SP_ArrowBack), "Back", [this] { HistoryBack(); });
  bar->addAction(style->standardIcon(QStyle::SP_ArrowForward), "Forward",
                 [this] { HistoryForward(); });
  bar->addAction("Fit page", [this] { FitPage(); });
}

void TViewerWindow::BuildStatusBar() {
  FPosition = new QLabel(this);
  statusBar()->addWidget(FPosition, 1);
}

bool TViewerWindow::Guarded(const std::function<void()>& Action) {
  try {
    Action();
    return true;
  } catch (const std::exception& e) {
    if (ReportError) ReportError(QString::fromStdString(e.what()));
    return false;
  }
}

} // namespace kartavo::viewer
