// The viewer's atlas: opening a folder of maps, the atlas's buttons on the
// toolbar, and which of the two views shows.
#include "viewer_window.h"

#include "kartavo/geomap/calib_xml.h"

#include <QDir>
#include <algorithm>
#include <filesystem>
#include <numeric>
#include <set>
#include <stdexcept>

namespace kartavo::viewer {

namespace {

std::string Lower(std::string Text) {
  std::transform(Text.begin(), Text.end(), Text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return Text;
}

// The calibration files of a folder, by name.
std::vector<std::string> CalibrationFiles(const std::string& Folder) {
  std::vector<std::string> files;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(Folder, ec))
    if (Lower(entry.path().extension().string()) == ".xml" && entry.is_regular_file(ec))
      files.push_back(entry.path().string());
  if (ec) throw std::runtime_error(Folder + ": " + ec.message());
  std::sort(files.begin(), files.end());
  return files;
}

// The names of a folder's files in lower case: the atlas finds a map's
// picture in its calibration's folder whatever the letter case.
std::set<std::string> LowerNames(const std::filesystem::path& Folder) {
  std::set<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(Folder, ec))
    names.insert(Lower(entry.path().filename().string()));
  return names;
}

// Why the file cannot show in the atlas, or "".
std::string MapProblem(const std::string& File, const std::set<std::string>& Names) {
  TCalibData data;
  TCalibModel model = cmParabolicIp;
  try {
    if (!ParseCalibData(File, "", data, model)) return File + ": no map calibration in this file";
  } catch (const std::exception& e) {
    return File + ": " + e.what();
  }
  const std::string image = std::filesystem::path(data.MapFName).filename().string();
  if (image.empty() || !Names.count(Lower(image)))
    return File + ": its map image \"" + data.MapFName + "\" is not in the folder";
  return {};
}

std::string Joined(const std::vector<std::string>& Lines) {
  std::string text;
  for (const std::string& line : Lines)
    text += "\n" + line;
  return text;
}

} // namespace

bool TViewerWindow::OpenAtlas(const QString& Folder) {
  return Guarded([&] {
    const std::string folder = Folder.toStdString();
    const std::vector<std::string> files = CalibrationFiles(folder);
    if (files.empty())
      throw std::runtime_error(folder + ": no calibration files (*.xml) in this folder");
    std::vector<std::string> problems;
    RegisterFolder(files, problems);
    if (!ShowCoarsestMap(problems))
      throw std::runtime_error("No map of " + folder + " could be shown:" + Joined(problems));
    FAtlasFolder = QDir(Folder).dirName();
    ApplySettings(*Atlas().CurrentMap());
    ShowView(true);
    // Fitted once it shows at its size.
    Map().ZoomFitPage();
    FAtlasMapShown = -1;
    AtlasMapShown();
    // The maps that do open show; the others are named.
    if (!problems.empty() && ReportError)
      ReportError(QString::fromStdString("Left out of " + folder + ":" + Joined(problems)));
  });
}

// Checks the files before the atlas changes, so that a folder without a
// single map leaves the viewer showing what it showed.
void TViewerWindow::RegisterFolder(const std::vector<std::string>& Files,
                                   std::vector<std::string>& Problems) {
  std::vector<std::string> maps;
  const std::set<std::string> names =
      LowerNames(std::filesystem::path(Files.front()).parent_path());
  for (const std::string& file : Files) {
    const std::string problem = MapProblem(file, names);
    if (problem.empty())
      maps.push_back(file);
    else
      Problems.push_back(problem);
  }
  if (maps.empty()) throw std::runtime_error("No map could be opened:" + Joined(Problems));
  TGeoAtlas& atlas = Atlas();
  // From the last, so that no entry taking the shown one's place loads.
  for (int i = atlas.NumRegMaps(); i >= 1; --i)
    atlas.UnregisterMap(i);
  for (const std::string& file : maps)
    if (!atlas.RegisterMap(file)) Problems.push_back(atlas.LastProblem());
}

bool TViewerWindow::ShowCoarsestMap(std::vector<std::string>& Problems) {
  TGeoAtlas& atlas = Atlas();
  std::vector<int> order(atlas.NumRegMaps());
  std::iota(order.begin(), order.end(), 1);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return atlas.GetMapDef(a).Resolution > atlas.GetMapDef(b).Resolution;
  });
  for (int ix : order) {
    if (atlas.SelectMap(ix)) return true;
    Problems.push_back(atlas.LastProblem());
  }
  return false;
}

void TViewerWindow::ShowView(bool ShowAtlas) {
  FShowsAtlas = ShowAtlas;
  // The view that does not show is not painted either.
  FMapView->Map().SetVisible(!ShowAtlas);
  Atlas().SetVisible(ShowAtlas);
  FViews->setCurrentWidget(ShowAtlas ? static_cast<QWidget*>(FAtlasView) : FMapView);
  FAtlasPointer->setEnabled(ShowAtlas);
  FAtlasZoom->setEnabled(ShowAtlas);
  SyncModeActions();
}

void TViewerWindow::ApplySettings(TGeoMap& Target) {
  if (&Target == Atlas().CurrentMap() && Atlas().ZoomButton()->Down())
    Target.SetAllowPan(false);
  else
    Target.SetMouseAction(FMouseMode);
  Target.SetShowGraticule(FOverlay);
  Target.SetAntiAlias(FAntiAlias);
}

void TViewerWindow::SetAtlasZoom(bool Zoom) {
  fw::TSpeedButton& button = Zoom ? *Atlas().ZoomButton() : *Atlas().PointerButton();
  // As a click on the atlas's own button: cursor, panning and events.
  button.SetDown(true);
  button.Click();
}

void TViewerWindow::SyncModeActions() {
  const quillon::TMouseActMode mode = Map().MouseAction();
  for (auto& [m, action] : FModeActions)
    action->setChecked(m == mode);
  const bool zoom = FShowsAtlas && Atlas().ZoomButton()->Down();
  (zoom ? FAtlasZoom : FAtlasPointer)->setChecked(true);
}

void TViewerWindow::WireAtlas() {
  TGeoAtlas& atlas = Atlas();
  atlas.OnMouseMove = [this](fw::TObject*, fw::TShiftState, int x, int y) { ShowPosition(x, y); };
  // The pointer brings the map back to panning; the viewer's mode follows.
  atlas.OnPointerButClick = [this](fw::TObject*) {
    Map().SetMouseAction(FMouseMode);
    SyncModeActions();
  };
  atlas.OnZoomButClick = [this](fw::TObject*) { SyncModeActions(); };
  // Clicks in zoom mode switch maps while the button is down; the list
  // switches when a line is chosen.
  atlas.OnMouseUp = [this](fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) {
    AtlasMapShown();
  };
  atlas.OnCBoxMapsChange = [this](fw::TObject*) { AtlasMapShown(); };
}

void TViewerWindow::AtlasMapShown() {
  TGeoAtlas& atlas = Atlas();
  if (atlas.CurrentMapIndex() == FAtlasMapShown) return;
  FAtlasMapShown = atlas.CurrentMapIndex();
  // Views of another map's pixels mean nothing on this one.
  Map().ClearZoomHistory();
  FHistory = 0;
  const std::string caption = atlas.GetMapDef(FAtlasMapShown).Caption;
  setWindowTitle(
      QString("%1: %2 - kartavo-viewer").arg(FAtlasFolder, QString::fromStdString(caption)));
}

} // namespace kartavo::viewer
