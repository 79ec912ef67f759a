#include "viewer_window.h"

#include "kartavo/backend_qt/pixel_image_qt.h"

#include <QApplication>
#include <QBitmap>
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace kartavo::viewer {

namespace {
// Makes the action one choice of the group, checked when it is the current one.
QAction* AddChoice(QActionGroup* group, QAction* action, bool current) {
  action->setCheckable(true);
  action->setChecked(current);
  group->addAction(action);
  return action;
}
} // namespace

TViewerWindow::TViewerWindow()
    : FViews(new QStackedWidget(this)), FMapView(new kartavo::qt::GeoMapWidget(FViews)),
      FAtlasView(new kartavo::qt::GeoAtlasWidget(FViews)) {
  setWindowTitle("kartavo-viewer");
  FViews->addWidget(FMapView);
  FViews->addWidget(FAtlasView);
  setCentralWidget(FViews);
  ReportError = [this](const QString& text) {
    QMessageBox::critical(this, "kartavo-viewer", text);
  };
  TGeoMap& map = FMapView->Map();
  map.SetEmptyMsg("Open a calibrated map: File > Open map");
  FMouseMode = map.MouseAction();
  FOverlay = map.ShowGraticule();
  FAntiAlias = map.AntiAlias();
  BuildFileMenu();
  BuildViewMenu();
  BuildToolBar();
  BuildStatusBar();
  WireMap(map);
  WireMap(*Atlas().CurrentMap());
  WireAtlas();
  ShowView(false);
  resize(1000, 720);
}

kartavo::qt::TSurfaceWidget& TViewerWindow::MapWidget() {
  if (FShowsAtlas) return *FAtlasView;
  return *FMapView;
}

TGeoMap& TViewerWindow::Map() { return FShowsAtlas ? *Atlas().CurrentMap() : FMapView->Map(); }

QAction* TViewerWindow::Action(const QString& Text) const {
  for (QAction* a : findChildren<QAction*>())
    if (a->text().remove('&') == Text) return a;
  return nullptr;
}

void TViewerWindow::BuildFileMenu() {
  QMenu* file = menuBar()->addMenu("&File");
  file->addAction("&Open map...", QKeySequence::Open, [this] {
    const QString name = QFileDialog::getOpenFileName(this, "Open map", {}, "Calibration (*.xml)");
    if (!name.isEmpty()) OpenMap(name);
  });
  file->addAction("Open &atlas folder...", [this] {
    const QString folder = QFileDialog::getExistingDirectory(this, "Open a folder of maps");
    if (!folder.isEmpty()) OpenAtlas(folder);
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
  file->addAction("Print to P&DF...", [this] {
    const QString name = QFileDialog::getSaveFileName(this, "Print to PDF", {}, "PDF (*.pdf)");
    if (!name.isEmpty()) PrintToPdf(name);
  });
  file->addAction("&Print...", QKeySequence::Print, [this] { PrintWithDialog(); });
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
    FOverlayActions[show] =
        AddChoice(FOverlays, overlay->addAction(text, [this, show] { SetShowGraticule(show); }),
                  show == FOverlay);
  }
  QAction* dms = view->addAction("&Degrees, minutes, seconds");
  dms->setCheckable(true);
  connect(dms, &QAction::toggled, this, [this](bool on) { SetDegreesMinutesSeconds(on); });
  QAction* aa = view->addAction("&Antialias");
  aa->setCheckable(true);
  aa->setChecked(FAntiAlias);
  connect(aa, &QAction::toggled, this, [this](bool on) {
    FAntiAlias = on;
    Guarded([&] { Map().SetAntiAlias(on); });
  });
}

void TViewerWindow::BuildToolBar() {
  QToolBar* bar = addToolBar("Map");
  bar->setObjectName("map-toolbar");
  FModes = new QActionGroup(this);
  // No mode is checked while the atlas's zoom takes the clicks.
  FModes->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  const std::pair<quillon::TMouseActMode, const char*> modes[] = {
      {quillon::maPan, "Pan"},
      {quillon::maZoomBox, "Zoom box"},
      {quillon::maZoomDrag, "Drag zoom"},
      {quillon::maSelectRect, "Select"},
      {quillon::maRubberBand, "Rubber band"},
      {quillon::maMouseTrace, "Trace"}};
  for (auto [mode, text] : modes) {
    FModeActions[mode] = AddChoice(
        FModes, bar->addAction(text, [this, mode] { SetMouseMode(mode); }), mode == FMouseMode);
  }
  bar->addSeparator();
  BuildAtlasActions(*bar);
  bar->addSeparator();
  QStyle* style = QApplication::style();
  bar->addAction(style->standardIcon(QStyle::SP_ArrowBack), "Back", [this] { HistoryBack(); });
  bar->addAction(style->standardIcon(QStyle::SP_ArrowForward), "Forward",
                 [this] { HistoryForward(); });
  bar->addAction("Fit page", [this] { FitPage(); });
}

namespace {

// The first picture of a speed button's glyph, its transparent colour
// (the bottom-left pixel) left out.
QIcon GlyphIcon(fw::TSpeedButton& Button) {
  const QImage glyph = kartavo::qt::ImageCopy(Button.Glyph()->PixelImage());
  if (glyph.isNull()) return {};
  const QImage first =
      glyph.copy(0, 0, glyph.width() / std::max(1, Button.NumGlyphs()), glyph.height());
  QPixmap picture = QPixmap::fromImage(first);
  picture.setMask(QBitmap::fromImage(
      first.createMaskFromColor(first.pixel(0, first.height() - 1), Qt::MaskInColor)));
  return QIcon(picture);
}

} // namespace

void TViewerWindow::BuildAtlasActions(QToolBar& Bar) {
  FAtlasButtons = new QActionGroup(this);
  FAtlasPointer = Bar.addAction(GlyphIcon(*Atlas().PointerButton()), "Atlas pointer",
                                [this] { SetAtlasZoom(false); });
  FAtlasZoom =
      Bar.addAction(GlyphIcon(*Atlas().ZoomButton()), "Atlas zoom", [this] { SetAtlasZoom(true); });
  FAtlasPointer->setToolTip("Atlas pointer: clicks on the map act in the mouse mode");
  FAtlasZoom->setToolTip("Atlas zoom: a left click shows the next finer map there, "
                         "a right click the next coarser one");
  for (QAction* a : {FAtlasPointer, FAtlasZoom}) {
    a->setCheckable(true);
    FAtlasButtons->addAction(a);
  }
  FAtlasPointer->setChecked(true);
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
