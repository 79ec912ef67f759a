#include "landmark_files.h"

#include "kartavo/geomap/landmarks/landmark_xml.h"
#include "kartavo/package/exceptions.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>

namespace kcli {
using namespace kartavo;

bool IsGeoJsonName(const std::string& FileName) {
  std::string ext = std::filesystem::path(FileName).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  return ext == ".json" || ext == ".geojson";
}

std::vector<TLandMark> ReadLandMarkSet(const std::string& FileName, const std::string& DataID,
                                       const GeoJsonFieldMap& Fields) {
  if (IsGeoJsonName(FileName)) {
    std::ifstream in(FileName, std::ios::binary);
    if (!in) throw std::runtime_error(FileName + ": cannot open");
    nlohmann::json doc;
    try {
      doc = nlohmann::json::parse(in);
    } catch (const nlohmann::json::exception& e) {
      throw std::runtime_error(FileName + ": invalid JSON: " + e.what());
    }
    try {
      GeoJsonRead read = LandMarksFromGeoJson(doc, Fields, DefaultLandMark());
      if (read.Skipped > 0)
        std::cerr << "kartavo: " << FileName << ": skipped " << read.Skipped
                  << " features that are not points\n";
      return std::move(read.LandMarks);
    } catch (const std::runtime_error& e) {
      throw std::runtime_error(FileName + ": " + e.what());
    }
  }
  if (!std::filesystem::is_regular_file(FileName))
    throw std::runtime_error(FileName + ": cannot open");
  std::vector<TLandMark> lms;
  bool found = false;
  try {
    found = LoadLandMarkFile(FileName, DataID, lms);
  } catch (const EORVGeoMapError& e) { // a broken tag: nothing is converted or summarised
    throw std::runtime_error(FileName + ": " + e.what());
  }
  if (!found)
    throw std::runtime_error(FileName + ": no landmark section" +
                             (DataID.empty() ? std::string() : " \"" + DataID + "\""));
  return lms;
}

void WriteLandMarkSet(const std::string& FileName, const std::string& DataID,
                      std::span<const TLandMark> LandMarks) {
  if (!IsGeoJsonName(FileName)) {
    SaveLandMarkFile(FileName, DataID, LandMarks);
    return;
  }
  std::ofstream out(FileName, std::ios::binary);
  out << LandMarksToGeoJson(LandMarks).dump(1) << '\n';
  if (!out.flush()) throw std::runtime_error(FileName + ": cannot write");
}

} // namespace kcli
