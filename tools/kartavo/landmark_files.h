// Reading and writing landmark sets for the command line: the landmark XML
// file or GeoJSON, chosen by the file name's extension (.json, .geojson).
#pragma once

#include "landmark_geojson.h"

#include "kartavo/geomap/landmark_records.h"

#include <span>
#include <string>
#include <vector>

namespace kcli {

bool IsGeoJsonName(const std::string& FileName);

// Raises std::runtime_error naming the file when it cannot be read or holds
// no landmark section with the identifier.
std::vector<kartavo::TLandMark> ReadLandMarkSet(const std::string& FileName,
                                                const std::string& DataID,
                                                const GeoJsonFieldMap& Fields = {});
void WriteLandMarkSet(const std::string& FileName, const std::string& DataID,
                      std::span<const kartavo::TLandMark> LandMarks);

} // namespace kcli
