// The main window of kartavo-viewer: the map widget, a toolbar with the
// mouse modes and the view commands, menus for files, overlays and the
// position format, and a status bar with the position under the pointer.
#pragma once

#include "kartavo/backend_qt/geomap_widget.h"

#include <QActionGroup>
#include <QLabel>
#include <QMainWindow>
#include <functional>
#include <map>
#include <string>

namespace kartavo::viewer {

class TViewerWindow : public QMainWindow {
public:
  TViewerWindow();

  kartavo::qt::GeoMapWidget& MapWidget() { return *FView; }
  TGeoMap& Map() { return FView->Map(); }

  // Opens a calibration file and shows its whole map; on failure reports
  // the error and keeps showing what was shown. True when opened.
  bool OpenMap(const QString& FileName);
  bool OpenLandmarks(const QString& FileName);
  bool SaveMap(const QString& FileName);
  void CopyToClipboard();
  void SetMouseMode(quillon::TMouseActMode Mode);
  void SetShowGraticule(TShowGrat Show);
  void FitPage();
  // Steps through the views of the zoom stack; false when there is none.
  bool HistoryBack();
  bool HistoryForward();
  // Zooms by the wheel's notches about the control pixel (X, Y).
  void WheelZoom(int Delta, int X, int Y);
  void SetDegreesMinutesSeconds(bool value);
  QString PositionText() const { return FPosition->text(); }

  // Where errors go; a message box unless a test listens.
  std::function<void(const QString&)> ReportError;

private:
  void BuildFileMenu();
  void BuildViewMenu();
  void BuildToolBar();
  void BuildStatusBar();
  void WireMap();
  void ShowPosition(int X, int Y);
  // Runs an action; an exception becomes an error report.
  bool Guarded(const std::function<void()>& Action);
  void LoadInto(TGeoMap& Target, const std::string& FileName);

  kartavo::qt::GeoMapWidget* FView;
  QLabel* FPosition;
  QActionGroup* FModes;
  QActionGroup* FOverlays;
  std::map<int, QAction*> FModeActions;
  std::map<int, QAction*> FOverlayActions;
  bool FDms = false;
  int FHistory = 0; // 0: the latest view on the stack, -1 the one before ...
};

} // namespace kartavo::viewer
