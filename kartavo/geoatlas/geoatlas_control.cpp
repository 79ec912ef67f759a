// TGeoAtlas: the control, its parts and layout, the buttons, and what the
// atlas does with the embedded map's events.
#include "kartavo/geoatlas/geoatlas_control.h"
#include "kartavo/companion/quillon.h"
#include "kartavo/framework/canvas.h"
#include "kartavo/geoatlas/detail/atlas_resources.h"
#include "kartavo/geoatlas/detail/file_case.h"
#include "kartavo/geoatlas/detail/map_outline.h"

#include <filesystem>

namespace kartavo {

TGeoAtlas::TGeoAtlas(fw::TComponent* AOwner) : fw::TCustomControl(AOwner) {
  SetBounds(100, 50, 480, 320);
  SetControlStyle((ControlStyle() & ~(fw::csAcceptsControls | fw::csSetCaption)) | fw::csFramed |
                  fw::csOpaque);
  BuildLayout();
  ConnectMapEvents();
  EnterAtlasCursors();
  // The atlas's window surface exists from here on.
  CreateWnd();
}

TGeoAtlas::~TGeoAtlas() {
  // The parts go before the atlas's own fields, so that nothing they raise
  // on their way reaches an atlas that is half gone.
  FGeoMap->OnDataRendered = nullptr;
  FCboxMaps->OnChange = nullptr;
  delete FGeoMap;
  delete FSBZoom;
  delete FSBPoint;
  delete FCboxMaps;
  delete FCPanel;
}

void TGeoAtlas::BuildLayout() {
  FCPanel = new fw::TPanel(this);
  FCPanel->SetParent(this);
  FCPanel->SetHeight(33);
  FCPanel->SetAlign(fw::alTop);

  FSBPoint = new fw::TSpeedButton(this);
  FSBPoint->SetParent(FCPanel);
  FSBPoint->SetBounds(3, 3, 26, 26);
  FSBPoint->SetFlat(true);
  FSBPoint->SetGroupIndex(AtlasButtonGroup);
  SetResourceGlyph(*FSBPoint, "POINTR");
  FSBPoint->SetDown(true);
  FSBPoint->OnClick = [this](fw::TObject*) { ButtonClick(FSBPoint); };

  FSBZoom = new fw::TSpeedButton(this);
  FSBZoom->SetParent(FCPanel);
  FSBZoom->SetBounds(FSBPoint->Left() + FSBPoint->Width() + 3, 3, 26, 26);
  FSBZoom->SetFlat(true);
  FSBZoom->SetGroupIndex(AtlasButtonGroup);
  SetResourceGlyph(*FSBZoom, "ZOOMIN");
  FSBZoom->OnClick = [this](fw::TObject*) { ButtonClick(FSBZoom); };

  FCboxMaps = new fw::TComboBox(this);
  FCboxMaps->SetParent(FCPanel);
  FCboxMaps->SetBounds(FSBZoom->Left() + FSBZoom->Width() + 10, 5, 300, FCboxMaps->Height());
  FCboxMaps->SetStyle(fw::csDropDownList);
  FCboxMaps->OnChange = [this](fw::TObject*) { MapListChange(); };

  FGeoMap = new TGeoMap(this);
  FGeoMap->SetParent(this);
  FGeoMap->SetAlign(fw::alClient);
}

void TGeoAtlas::ConnectMapEvents() {
  FGeoMap->OnMouseDown = [this](fw::TObject*, fw::TMouseButton b, fw::TShiftState s, int x, int y) {
    MapMouseDown(b, s, x, y);
  };
  FGeoMap->OnMouseUp = [this](fw::TObject*, fw::TMouseButton b, fw::TShiftState s, int x, int y) {
    MouseUp(b, s, x, y);
  };
  FGeoMap->OnMouseMove = [this](fw::TObject*, fw::TShiftState s, int x, int y) {
    MouseMove(s, x, y);
  };
  FGeoMap->OnClick = [this](fw::TObject*) { Click(); };
  FGeoMap->OnDblClick = [this](fw::TObject*) { DblClick(); };
  FGeoMap->OnDataRendered = [this](fw::TObject*, fw::TCanvas* c) {
    if (c) DrawOutlines(*c);
  };
  FGeoMap->OnMapImageRequest = [this](fw::TObject*, std::string& name) { MapImageRequest(name); };
}

void TGeoAtlas::CreateWnd() { FGeoMap->SetEmptyMsg("TGeoAtlas: Empty"); }

void TGeoAtlas::Paint() {
  fw::TCanvas& c = *Canvas();
  c.Brush()->SetColor(Color());
  c.Brush()->SetStyle(fw::bsSolid);
  c.FillRect(ClientRect());
}

void TGeoAtlas::SetMapOutlineColor(fw::TColor value) {
  FMapOLColor = value;
  FGeoMap->Paint();
}

void TGeoAtlas::SetMapOutlineVisible(bool value) {
  FMapOLVisible = value;
  FGeoMap->Paint();
}

void TGeoAtlas::ButtonClick(fw::TSpeedButton* Button) {
  const bool zooming = FSBZoom->Down();
  SetCursor(zooming ? crGeoZoom : fw::crHandPoint);
  FGeoMap->SetAllowPan(!zooming);
  Click();
  const fw::TNotifyEvent& event = Button == FSBZoom ? OnZoomButClick : OnPointerButClick;
  if (event) event(this);
}

void TGeoAtlas::MapMouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) {
  MouseDown(Button, Shift, X, Y);
  if (!FSBZoom->Down()) return;
  // A click where the shown map has no position (no calibration, or
  // outside what it converts) switches nowhere.
  const quillon::TPoint at{FGeoMap->LastClickPosX(), FGeoMap->LastClickPosY()};
  bool latValid = false, longValid = false;
  const double lat = FGeoMap->CalcLatitude(at, latValid);
  const double lon = FGeoMap->CalcLongitude(at, longValid);
  if (!latValid || !longValid) return;
  const double resolution = FGeoMap->CalibData().Resolution;
  if (Button == fw::mbLeft)
    ZoomIn(lat, lon, resolution);
  else
    ZoomOut(lat, lon, resolution);
}

void TGeoAtlas::MapImageRequest(std::string& FileName) const {
  if (FCurrentMapIdx < 1 || FCurrentMapIdx > FNumRegMaps) return;
  namespace fs = std::filesystem;
  const fs::path folder = fs::path(FRegPaths[FCurrentMapIdx]).parent_path();
  const std::string name = (folder / quillon::StripPath(FileName)).string();
  const std::string existing = ExistingFileSpelling(name);
  FileName = existing.empty() ? name : existing;
}

void TGeoAtlas::DrawOutlines(fw::TCanvas& Canvas) const {
  if (!FMapOLVisible) return;
  fw::TPen& pen = *Canvas.Pen();
  pen.SetColor(FMapOLColor);
  pen.SetStyle(fw::psSolid);
  pen.SetMode(fw::pmCopy);
  const int selected = FCboxMaps->ItemIndex() + 1;
  for (int i = 1; i <= FNumRegMaps; ++i)
    if (i != selected) DrawMapOutline(Canvas, *FGeoMap, FRegMaps[i].Corners);
}

} // namespace kartavo
