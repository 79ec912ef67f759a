// TGeoAtlas: several calibrated maps shown as one. A command panel on top
// holds a pointer button, a zoom button and the list of the registered
// maps; below it an embedded TGeoMap shows one of them. In zoom mode a left
// click on the map switches to the next finer registered map containing the
// clicked position, any other button to the next coarser one, and the new
// map is centred on that position. The outlines of the other registered
// maps are drawn over the one shown.
//
// The list's selection and the current map index always name the map the
// embedded control shows (0 and no selection when it shows none of them).
#pragma once

#include "kartavo/framework/color.h"
#include "kartavo/framework/combo_box.h"
#include "kartavo/framework/controls.h"
#include "kartavo/framework/export.h"
#include "kartavo/framework/panel.h"
#include "kartavo/framework/speed_button.h"
#include "kartavo/geoatlas/map_definition.h"
#include "kartavo/geomap/geomap_control.h"

#include <array>
#include <span>
#include <string>

namespace kartavo {

// The numbers the atlas enters its cursors under in the screen's cursor table.
constexpr fw::TCursor crGeoZoom = 1000;
constexpr fw::TCursor crGeoHand = 1001;
// The group index that makes the pointer and zoom buttons one set.
constexpr int AtlasButtonGroup = 999;

class KARTAVO_API TGeoAtlas : public fw::TCustomControl {
public:
  // 480 x 320 pixels at (100, 50), the pointer button down, no maps.
  explicit TGeoAtlas(fw::TComponent* AOwner);
  ~TGeoAtlas() override;

  // --- the parts ---
  TGeoMap* CurrentMap() const { return FGeoMap; }
  fw::TPanel* CmdPanel() const { return FCPanel; }
  fw::TSpeedButton* ZoomButton() const { return FSBZoom; }
  fw::TSpeedButton* PointerButton() const { return FSBPoint; }
  fw::TComboBox* MapSelector() const { return FCboxMaps; }
  bool CmdPanelVisible() const { return FCPanel->Visible(); }
  void SetCmdPanelVisible(bool value) { FCPanel->SetVisible(value); }

  // --- outlines and zooming ---
  fw::TColor MapOutlineColor() const { return FMapOLColor; }
  void SetMapOutlineColor(fw::TColor value);
  bool MapOutlineVisible() const { return FMapOLVisible; }
  void SetMapOutlineVisible(bool value);
  // The least step, in percent of the current resolution, by which a map
  // must be finer to be zoomed in to.
  double MinResDiff() const { return FMinResDiff; }
  void SetMinResDiff(double value) { FMinResDiff = value; }

  // --- the registered maps ---
  int NumRegMaps() const { return FNumRegMaps; }
  // Entry ix (1 … NumRegMaps); an empty definition for any other index.
  TMapDefinition GetMapDef(int ix) const;
  TMapDefinition Maps(int ix) const { return GetMapDef(ix); }
  // The registered map the embedded control shows, 0 for none.
  int CurrentMapIndex() const { return FCurrentMapIdx; }
  // The file entry ix is read from: the registered name as the file system
  // spells it (empty for an index out of range).
  std::string MapFilePath(int ix) const;
  // Why the last RegisterMap, SelectMap or zoom that returned false failed;
  // empty after one that succeeded.
  const std::string& LastProblem() const { return FLastProblem; }

  // Registers a calibration file under its lower-cased name; a name
  // registered before (in any letter case) has its entry replaced. False,
  // with nothing changed, when the file cannot be read as a calibration or
  // when the atlas already holds MaxAtlasMaps other maps. The shown map
  // does not change.
  bool RegisterMap(const std::string& MapFName);
  // Removes entry index (ignored out of range). When it was the map shown,
  // the map taking its place is shown; when no map takes its place the
  // picture stays and no map is current.
  void UnregisterMap(int index);
  // Shows entry Index: its calibration and map image are loaded into the
  // embedded control. False for an index out of range, or when the
  // calibration or its map image cannot be read; the atlas then shows what
  // it showed before.
  bool SelectMap(int Index);
  // Switch to the map FinerMapIndex / CoarserMapIndex chooses and centre the
  // position; false, with nothing changed, when there is none or it cannot
  // be loaded.
  bool ZoomIn(double CurrentLat, double CurrentLong, double CurrentResolution);
  bool ZoomOut(double CurrentLat, double CurrentLong, double CurrentResolution);

  // --- events (Sender: the atlas) ---
  fw::TNotifyEvent OnZoomButClick;
  fw::TNotifyEvent OnPointerButClick;
  fw::TNotifyEvent OnCBoxMapsChange;

protected:
  // The window exists: the embedded map says it is an empty atlas.
  virtual void CreateWnd();
  void Paint() override;

private:
  void BuildLayout();
  void ConnectMapEvents();
  void ButtonClick(fw::TSpeedButton* Button);
  void MapListChange();
  void RebuildMapList();
  enum TLoadResult { lrLoaded, lrRefused, lrBroken };
  TLoadResult LoadEntry(int Index);
  void MapMouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y);
  void MapImageRequest(std::string& FileName) const;
  void DrawOutlines(fw::TCanvas& Canvas) const;
  int FindEntry(const std::string& LowerName) const;
  std::span<const TMapDefinition> Registered() const;
  bool SwitchTo(int Index, double Lat, double Long, const char* Direction);

  TGeoMap* FGeoMap = nullptr;
  fw::TPanel* FCPanel = nullptr;
  fw::TSpeedButton* FSBZoom = nullptr;
  fw::TSpeedButton* FSBPoint = nullptr;
  fw::TComboBox* FCboxMaps = nullptr;
  fw::TColor FMapOLColor = 0xFF0000;
  bool FMapOLVisible = true;
  double FMinResDiff = 10.0;
  int FNumRegMaps = 0;
  // Entries 1 … MaxAtlasMaps; slot 0 is unused.
  std::array<TMapDefinition, MaxAtlasMaps + 1> FRegMaps;
  std::array<std::string, MaxAtlasMaps + 1> FRegPaths;
  int FCurrentMapIdx = 0;
  std::string FLastProblem;
};

} // namespace kartavo
