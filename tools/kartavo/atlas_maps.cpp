#include "atlas_maps.h"

#include "kartavo/geomap/calib_xml.h"
#include "kartavo/geomap/geo_conversion.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <ostream>
#include <stdexcept>

namespace kcli {
namespace {
using namespace kartavo;
namespace fs = std::filesystem;

std::vector<TMapDefinition> Definitions(const TGeoAtlas& Atlas) {
  std::vector<TMapDefinition> maps;
  for (int i = 1; i <= Atlas.NumRegMaps(); ++i)
    maps.push_back(Atlas.Maps(i));
  return maps;
}

bool IsXmlName(const fs::path& p) {
  std::string ext = p.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  return ext == ".xml";
}

std::vector<fs::path> XmlFilesIn(const fs::path& folder) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (const fs::directory_entry& e : fs::directory_iterator(folder, ec))
    if (e.is_regular_file(ec) && IsXmlName(e.path())) files.push_back(e.path());
  if (ec) throw std::runtime_error(folder.string() + ": " + ec.message());
  std::sort(files.begin(), files.end());
  return files;
}

// A file of a folder holds a calibration (raises on a damaged one).
bool HoldsCalibration(const fs::path& file) {
  TCalibData data;
  TCalibModel model = cmParabolicIp;
  try {
    return ParseCalibData(file.string(), "", data, model);
  } catch (const std::exception& e) {
    throw std::runtime_error(file.string() + ": " + e.what());
  }
}

void Register(TGeoAtlas& Atlas, const std::string& file) {
  if (!Atlas.RegisterMap(file)) throw std::runtime_error(Atlas.LastProblem());
}

std::string Corner(const TCoords& c) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.6f %.6f", c.Latit, c.Longit);
  return buf;
}

} // namespace

void RegisterAtlasInputs(TGeoAtlas& Atlas, const std::vector<std::string>& Inputs,
                         std::ostream& notes) {
  for (const std::string& input : Inputs) {
    std::error_code ec;
    if (!fs::is_directory(input, ec)) {
      Register(Atlas, input);
      continue;
    }
    for (const fs::path& file : XmlFilesIn(input)) {
      if (HoldsCalibration(file))
        Register(Atlas, file.string());
      else
        notes << "kartavo atlas: " << file.string() << ": no calibration, left out\n";
    }
  }
  if (Atlas.NumRegMaps() == 0) throw std::runtime_error("no calibrated map among the inputs");
}

void PrintAtlasMaps(std::ostream& out, const TGeoAtlas& Atlas) {
  for (int i = 1; i <= Atlas.NumRegMaps(); ++i) {
    const TMapDefinition m = Atlas.Maps(i);
    char res[48];
    std::snprintf(res, sizeof res, "%.3f", m.Resolution);
    out << i << "  " << (m.Caption.empty() ? "(no caption)" : m.Caption) << "  " << res
        << " m/px  TL " << Corner(m.Corners[gcoTopLeft]) << "  BL "
        << Corner(m.Corners[gcoBottomLeft]) << "  BR " << Corner(m.Corners[gcoBottomRight])
        << "  TR " << Corner(m.Corners[gcoTopRight]) << "  " << Atlas.MapFilePath(i) << "\n";
  }
}

std::string AtlasMapName(const TGeoAtlas& Atlas, int Index) {
  if (Index < 1 || Index > Atlas.NumRegMaps()) return "none";
  return std::to_string(Index) + " (" + Atlas.Maps(Index).Caption + ")";
}

std::vector<int> MapsContaining(const TGeoAtlas& Atlas, double Lat, double Long) {
  std::vector<int> inside;
  for (int i = 1; i <= Atlas.NumRegMaps(); ++i)
    if (PositionInMap(Lat, Long, Atlas.Maps(i).Corners)) inside.push_back(i);
  return inside;
}

int CoarsestMapAt(const TGeoAtlas& Atlas, double Lat, double Long) {
  // Zooming in from beyond every resolution with no least step finds the
  // coarsest map containing the position.
  return FinerMapIndex(Definitions(Atlas), Lat, Long, std::numeric_limits<double>::max(), 0);
}

int ZoomChoice(const TGeoAtlas& Atlas, double Lat, double Long, double Resolution, bool In) {
  const std::vector<TMapDefinition> maps = Definitions(Atlas);
  return In ? FinerMapIndex(maps, Lat, Long, Resolution, Atlas.MinResDiff())
            : CoarserMapIndex(maps, Lat, Long, Resolution);
}

} // namespace kcli
