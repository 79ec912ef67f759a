// TGeoAtlas: the registered maps, showing one of them, and zooming between
// them.
#include "kartavo/companion/quillon.h"
#include "kartavo/framework/errors.h"
#include "kartavo/geoatlas/detail/file_case.h"
#include "kartavo/geoatlas/geoatlas_control.h"
#include "kartavo/geomap/calib_xml.h"

#include <filesystem>
#include <span>
#include <stdexcept>

namespace kartavo {
namespace {

struct TReadCalibration {
  bool Ok = false;
  TCalibData Data;
  std::string Problem;
};

// The first calibration of the file, read without touching any control.
TReadCalibration ReadCalibration(const std::string& Path) {
  TReadCalibration r;
  TCalibModel model = cmParabolicIp;
  try {
    r.Ok = ParseCalibData(Path, "", r.Data, model);
    if (!r.Ok) r.Problem = Path + ": no calibration in the file";
  } catch (const std::exception& e) {
    r.Problem = Path + ": " + e.what();
  }
  return r;
}

} // namespace

TMapDefinition TGeoAtlas::GetMapDef(int ix) const {
  if (ix < 1 || ix > MaxAtlasMaps) return {};
  return FRegMaps[ix];
}

std::string TGeoAtlas::MapFilePath(int ix) const {
  return ix >= 1 && ix <= FNumRegMaps ? FRegPaths[ix] : std::string();
}

int TGeoAtlas::FindEntry(const std::string& LowerName) const {
  for (int i = 1; i <= FNumRegMaps; ++i)
    if (FRegMaps[i].MapFName == LowerName) return i;
  return 0;
}

bool TGeoAtlas::RegisterMap(const std::string& MapFName) {
  const std::string lower = LowerFileName(MapFName);
  const std::string path = ExistingFileSpelling(MapFName);
  if (path.empty()) {
    FLastProblem = MapFName + ": no such file";
    return false;
  }
  const TReadCalibration read = ReadCalibration(path);
  if (!read.Ok) {
    FLastProblem = read.Problem;
    return false;
  }
  int ix = FindEntry(lower);
  if (ix == 0) {
    if (FNumRegMaps >= MaxAtlasMaps) {
      FLastProblem = MapFName + ": the atlas holds " + std::to_string(MaxAtlasMaps) +
                     " maps already; unregister one first";
      return false;
    }
    ix = ++FNumRegMaps;
  }
  FRegMaps[ix] = {lower, read.Data.Caption, read.Data.Resolution, read.Data.Corners};
  FRegPaths[ix] = path;
  FLastProblem.clear();
  RebuildMapList();
  FGeoMap->Paint(); // the new map's outline
  return true;
}

void TGeoAtlas::UnregisterMap(int index) {
  if (index < 1 || index > FNumRegMaps) return;
  const bool wasShown = index == FCurrentMapIdx;
  for (int i = index; i < FNumRegMaps; ++i) {
    FRegMaps[i] = std::move(FRegMaps[i + 1]);
    FRegPaths[i] = std::move(FRegPaths[i + 1]);
  }
  FRegMaps[FNumRegMaps] = {};
  FRegPaths[FNumRegMaps].clear();
  --FNumRegMaps;
  if (wasShown)
    FCurrentMapIdx = 0;
  else if (index < FCurrentMapIdx)
    --FCurrentMapIdx;
  RebuildMapList();
  if (wasShown && SelectMap(index)) return;
  FGeoMap->Paint();
}

bool TGeoAtlas::SelectMap(int Index) {
  if (Index < 1 || Index > FNumRegMaps) {
    FLastProblem = "no map " + std::to_string(Index) + " in the atlas";
    return false;
  }
  const int shown = FCurrentMapIdx;
  const TLoadResult result = LoadEntry(Index);
  if (result != lrLoaded) {
    FCurrentMapIdx = shown;
    // A load that failed half-way has cleared the calibration: what was
    // shown is loaded again.
    const std::string problem = FLastProblem;
    if (result == lrBroken && shown > 0) LoadEntry(shown);
    FLastProblem = problem;
    RebuildMapList();
    return false;
  }
  FLastProblem.clear();
  FCboxMaps->SetItemIndex(Index - 1);
  // The load painted the picture before its calibration was fitted and
  // while the list still named the map shown before: the outlines need
  // both.
  FGeoMap->Paint();
  return true;
}

// Loads entry Index into the embedded map once its calibration and map
// image are known to be there. Refused (nothing touched) or broken (the
// load itself failed), with FLastProblem set.
TGeoAtlas::TLoadResult TGeoAtlas::LoadEntry(int Index) {
  std::string path = ExistingFileSpelling(FRegPaths[Index]);
  if (path.empty()) path = ExistingFileSpelling(FRegMaps[Index].MapFName);
  if (path.empty()) {
    FLastProblem = FRegPaths[Index] + ": no such file";
    return lrRefused;
  }
  const TReadCalibration read = ReadCalibration(path);
  if (!read.Ok) {
    FLastProblem = read.Problem;
    return lrRefused;
  }
  FRegPaths[Index] = path;
  FCurrentMapIdx = Index;
  std::string image = read.Data.MapFName;
  MapImageRequest(image);
  if (read.Data.MapFName.empty() || ExistingFileSpelling(image).empty()) {
    FLastProblem = path + ": map image \"" + read.Data.MapFName + "\" not found";
    return lrRefused;
  }
  try {
    if (!FGeoMap->LoadCalDataFromXML(path, "")) throw std::runtime_error("cannot be read");
  } catch (const std::exception& e) {
    FLastProblem = path + ": " + e.what();
    return lrBroken;
  }
  return lrLoaded;
}

void TGeoAtlas::RebuildMapList() {
  fw::TStringList& items = *FCboxMaps->Items();
  items.Clear();
  for (int i = 1; i <= FNumRegMaps; ++i)
    items.Add(FRegMaps[i].Caption.empty() ? FRegMaps[i].MapFName : FRegMaps[i].Caption);
  FCboxMaps->SetItemIndex(FCurrentMapIdx - 1);
}

void TGeoAtlas::MapListChange() {
  SelectMap(FCboxMaps->ItemIndex() + 1);
  if (OnCBoxMapsChange) OnCBoxMapsChange(this);
}

std::span<const TMapDefinition> TGeoAtlas::Registered() const {
  return {&FRegMaps[1], static_cast<size_t>(FNumRegMaps)};
}

bool TGeoAtlas::SwitchTo(int Index, double Lat, double Long, const char* Direction) {
  if (Index == 0) {
    FLastProblem = std::string("no ") + Direction + " map contains the position";
    return false;
  }
  if (!SelectMap(Index)) return false;
  FGeoMap->BringLocationToCenter(Lat, Long);
  return true;
}

bool TGeoAtlas::ZoomIn(double CurrentLat, double CurrentLong, double CurrentResolution) {
  const int ix =
      FinerMapIndex(Registered(), CurrentLat, CurrentLong, CurrentResolution, FMinResDiff);
  return SwitchTo(ix, CurrentLat, CurrentLong, "finer");
}

bool TGeoAtlas::ZoomOut(double CurrentLat, double CurrentLong, double CurrentResolution) {
  const int ix = CoarserMapIndex(Registered(), CurrentLat, CurrentLong, CurrentResolution);
  return SwitchTo(ix, CurrentLat, CurrentLong, "coarser");
}

} // namespace kartavo
