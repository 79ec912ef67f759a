// The main window of kartavo-viewer: a map widget for one calibrated map
// and an atlas widget for a folder of them (one of the two shows), a
// toolbar with the mouse modes, the atlas's pointer and zoom and the view
// commands, menus for files, overlays and the position format, and a
// status bar with the position under the pointer. Every command works on
// the map shown: the single map, or the atlas's current map.
#pragma once

#include "kartavo/backend_qt/geoatlas_widget.h"
#include "kartavo/backend_qt/geomap_widget.h"
#include "kartavo/framework/printer.h"

#include <QActionGroup>
#include <QLabel>
#include <QMainWindow>
#include <QStackedWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kartavo::viewer {

class TViewerWindow : public QMainWindow {
public:
  TViewerWindow();

  // The widget showing now (the map's or the atlas's) and its map.
  kartavo::qt::TSurfaceWidget& MapWidget();
  TGeoMap& Map();
  TGeoAtlas& Atlas() { return FAtlasView->Atlas(); }
  bool ShowsAtlas() const { return FShowsAtlas; }

  // Opens a calibration file and shows its whole map, or a folder as an
  // atlas; on failure reports the error and keeps showing what was shown.
  // True when opened.
  bool OpenMap(const QString& FileName);
  // Registers every calibration file (*.xml) of the folder in the atlas
  // and shows the coarsest map that loads. Files that are no calibration,
  // or whose picture cannot be loaded, are reported and left out; the
  // folder is refused when none is left.
  bool OpenAtlas(const QString& Folder);
  bool OpenLandmarks(const QString& FileName);
  bool SaveMap(const QString& FileName);
  // The view as large as an A4 sheet (across for a wide view) takes it,
  // centred, into a PDF file; or on a printer chosen in Qt's print dialog.
  bool PrintToPdf(const QString& FileName);
  bool PrintWithDialog();
  void CopyToClipboard();
  void SetMouseMode(quillon::TMouseActMode Mode);
  // The atlas's buttons: clicks on the map switch maps (zoom) or act in
  // the mouse mode (pointer).
  void SetAtlasZoom(bool Zoom);
  void SetShowGraticule(TShowGrat Show);
  void FitPage();
  // Steps through the views of the zoom stack; false when there is none.
  bool HistoryBack();
  bool HistoryForward();
  // Zooms by the wheel's notches about the control pixel (X, Y).
  void WheelZoom(int Delta, int X, int Y);
  void SetDegreesMinutesSeconds(bool value);
  QString PositionText() const { return FPosition->text(); }
  QAction* Action(const QString& Text) const;

  // Where errors go; a message box unless a test listens.
  std::function<void(const QString&)> ReportError;

private:
  void BuildFileMenu();
  void BuildViewMenu();
  void BuildToolBar();
  void BuildAtlasActions(QToolBar& Bar);
  void BuildStatusBar();
  void WireMap(TGeoMap& Target);
  void WireAtlas();
  void ShowPosition(int X, int Y);
  // Runs an action; an exception becomes an error report.
  bool Guarded(const std::function<void()>& Action);
  void LoadInto(TGeoMap& Target, const std::string& FileName);
  void ShowView(bool Atlas);
  // The viewer's mode and overlay on the map that shows from now on.
  void ApplySettings(TGeoMap& Target);
  void SyncModeActions();
  // The atlas shows another map: its views start a new history.
  void AtlasMapShown();
  bool ViewIsLandscape();
  void PrintOn(std::unique_ptr<fw::TPrinter> Printer);
  void RegisterFolder(const std::vector<std::string>& Files, std::vector<std::string>& Problems);
  bool ShowCoarsestMap(std::vector<std::string>& Problems);

  QStackedWidget* FViews;
  kartavo::qt::GeoMapWidget* FMapView;
  kartavo::qt::GeoAtlasWidget* FAtlasView;
  bool FShowsAtlas = false;
  QString FAtlasFolder;
  int FAtlasMapShown = -1; // the atlas map the history and title are of
  QLabel* FPosition;
  QActionGroup* FModes;
  QActionGroup* FOverlays;
  QActionGroup* FAtlasButtons;
  std::map<int, QAction*> FModeActions;
  std::map<int, QAction*> FOverlayActions;
  QAction* FAtlasPointer = nullptr;
  QAction* FAtlasZoom = nullptr;
  quillon::TMouseActMode FMouseMode = quillon::maPan;
  TShowGrat FOverlay = sgNone;
  bool FAntiAlias = false;
  bool FDms = false;
  int FHistory = 0; // 0: the latest view on the stack, -1 the one before ...
};

} // namespace kartavo::viewer
