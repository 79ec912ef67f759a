// Landmarks as GeoJSON: a FeatureCollection of Points ([longitude, latitude,
// altitude]) whose properties hold every other landmark field under the
// attribute names of the landmark files. Colours are "#RRGGBB" (or eight
// hexadecimal digits for values with a high byte), "time" is the time stamp
// in days since 1899-12-30 (exact) and "date" the same as ISO 8601 text.
#pragma once

#include "kartavo/geomap/landmark_records.h"

#include <nlohmann/json.hpp>

#include <span>
#include <string>
#include <vector>

namespace kcli {

nlohmann::ordered_json LandMarksToGeoJson(std::span<const kartavo::TLandMark> LandMarks);

// Which properties of a foreign GeoJSON file give the caption and the
// identifier.
struct GeoJsonFieldMap {
  std::string Caption = "captext";
  std::string Identifier = "id";
};

struct GeoJsonRead {
  std::vector<kartavo::TLandMark> LandMarks;
  int Skipped = 0; // features that are not points
};

// Point features become landmarks; fields without a property come from
// Defaults. Raises std::runtime_error naming the feature (from 1) and the
// property when a value has the wrong type or range.
GeoJsonRead LandMarksFromGeoJson(const nlohmann::json& Doc, const GeoJsonFieldMap& Fields,
                                 const kartavo::TLandMark& Defaults);

} // namespace kcli
