// What the viewer's commands do to the map.
#include "position_text.h"
#include "viewer_window.h"

#include "kartavo/framework/screen.h"

#include <QShortcut>
#include <QStatusBar>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <stdexcept>

namespace kartavo::viewer {

namespace {

// A map that is never shown: a child of a hidden control.
struct TAsideMap {
  fw::TCustomControl Host{nullptr};
  TGeoMap Map{nullptr};
  TAsideMap() {
    Host.SetVisible(false);
    Map.SetParent(&Host);
  }
};

} // namespace

// Loads into a map aside first, so that a file that cannot be shown
// leaves the window showing what it showed.
void TViewerWindow::LoadInto(TGeoMap& Target, const std::string& FileName) {
  const std::filesystem::path folder = std::filesystem::path(FileName).parent_path();
  // Map images are named relative to their calibration file.
  Target.OnMapImageRequest = [folder](fw::TObject*, std::string& name) {
    const std::filesystem::path image(name);
    std::error_code ec;
    if (image.is_relative() && std::filesystem::is_regular_file(folder / image, ec))
      name = (folder / image).string();
  };
  if (!Target.LoadCalDataFromXML(FileName, ""))
    throw std::runtime_error(FileName + ": no map calibration in this file");
  if (Target.MapImgWidth() <= 0)
    throw std::runtime_error(FileName + ": its map image \"" + Target.CalibData().MapFName +
                             "\" cannot be found");
}

bool TViewerWindow::OpenMap(const QString& FileName) {
  if (std::filesystem::is_directory(FileName.toStdString())) return OpenAtlas(FileName);
  return Guarded([&] {
    TAsideMap aside;
    LoadInto(aside.Map, FileName.toStdString());
    TGeoMap& map = FMapView->Map();
    map.SetSuppressPaint(true);
    map.Assign(&aside.Map);
    map.OnMapImageRequest = aside.Map.OnMapImageRequest;
    ApplySettings(map);
    map.SetSuppressPaint(false);
    ShowView(false);
    map.ZoomFitPage();
    map.ClearZoomHistory();
    FHistory = 0;
    setWindowTitle(QString("%1 - kartavo-viewer").arg(FileName));
  });
}

bool TViewerWindow::OpenLandmarks(const QString& FileName) {
  return Guarded([&] {
    if (!Map().LoadLandMarks(FileName.toStdString(), ""))
      throw std::runtime_error(FileName.toStdString() + ": no landmarks in this file");
  });
}

bool TViewerWindow::SaveMap(const QString& FileName) {
  return Guarded([&] {
    const std::string name = FileName.toStdString();
    Map().SaveMap(name, std::filesystem::path(name).stem().string());
  });
}

void TViewerWindow::CopyToClipboard() {
  Guarded([&] { fw::Clipboard().Assign(Map().Surface()); });
}

void TViewerWindow::SetMouseMode(quillon::TMouseActMode Mode) {
  FMouseMode = Mode;
  // A mouse mode takes the clicks back from the atlas's zoom.
  if (FShowsAtlas && Atlas().ZoomButton()->Down()) SetAtlasZoom(false);
  Map().SetMouseAction(Mode);
  SyncModeActions();
}

void TViewerWindow::SetShowGraticule(TShowGrat Show) {
  FOverlay = Show;
  Guarded([&] { Map().SetShowGraticule(Show); });
  if (auto it = FOverlayActions.find(Show); it != FOverlayActions.end())
    it->second->setChecked(true);
}

void TViewerWindow::FitPage() {
  Map().ZoomFitPage();
  Map().ZoomStateOnStack();
  FHistory = 0;
}

bool TViewerWindow::HistoryBack() {
  const TgmZoomStackEntry e = Map().GetZoomStackEntry(FHistory - 1);
  if (FHistory <= -15 || (e.Left == 0 && e.Top == 0 && e.MagF == 0)) return false;
  Map().ZoomHistory(--FHistory);
  return true;
}

bool TViewerWindow::HistoryForward() {
  if (FHistory >= 0) return false;
  Map().ZoomHistory(++FHistory);
  return true;
}

void TViewerWindow::WheelZoom(int Delta, int X, int Y) {
  TGeoMap& map = Map();
  const double m = map.Magnification();
  const double m2 = std::clamp(m * std::pow(1.25, Delta / 120.0), 1e-3, 64.0);
  // The map pixel under the pointer stays under it.
  const quillon::TPoint tl = map.TopLeft();
  const double mx = tl.X + X / m, my = tl.Y + Y / m;
  map.SetSuppressPaint(true);
  map.SetMagnification(m2);
  map.SetTopLeft(
      {static_cast<int>(std::lround(mx - X / m2)), static_cast<int>(std::lround(my - Y / m2))});
  map.SetSuppressPaint(false);
  map.ZoomStateOnStack();
  FHistory = 0;
}

void TViewerWindow::SetDegreesMinutesSeconds(bool value) { FDms = value; }

void TViewerWindow::ShowPosition(int X, int Y) {
  TGeoMap& map = Map();
  bool latOk = false, lonOk = false;
  const quillon::TPoint p = map.ControlToMapImage({X, Y});
  const double lat = map.CalcLatitude(p, latOk), lon = map.CalcLongitude(p, lonOk);
  if (!latOk || !lonOk || map.MapImgWidth() <= 0) {
    FPosition->setText(QString("x %1  y %2").arg(p.X).arg(p.Y));
    return;
  }
  const std::string utm = UtmText(lat, lon, map.CalibData().Ellipsoid);
  FPosition->setText(QString::fromStdString(LatLonText(lat, lon, FDms) + "    " + utm));
}

// Both maps, the single one and the atlas's, feed the same commands; the
// atlas passes its map's moves on as its own.
void TViewerWindow::WireMap(TGeoMap& Target) {
  if (&Target == &FMapView->Map())
    Target.OnMouseMove = [this](fw::TObject*, fw::TShiftState, int x, int y) {
      ShowPosition(x, y);
    };
  Target.OnMouseWheel = [this](fw::TObject*, fw::TShiftState, int delta, fw::TPoint at,
                               bool& handled) {
    const fw::TPoint c = Map().ScreenToClient(at);
    Guarded([&] { WheelZoom(delta, c.X, c.Y); });
    handled = true;
  };
  // A finished zoom box is a view worth going back to; pans and drag zooms
  // are pushed by the map itself when the button comes up.
  Target.OnZoomPan = [this](fw::TObject*) {
    if (Map().MouseAction() == quillon::maZoomBox) Map().ZoomStateOnStack();
    FHistory = 0;
  };
  // Escape gives up a box the program asked the user for (MouseBox).
  if (&Target == &FMapView->Map())
    new QShortcut(QKeySequence(Qt::Key_Escape), this, [this] { Map().MouseBoxAbort(); });
}

} // namespace kartavo::viewer
