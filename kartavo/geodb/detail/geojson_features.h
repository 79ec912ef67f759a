// The features of a GeoJSON text, checked and turned into what the database
// stores, before anything is written.
#pragma once

#include "kartavo/geodb/geo_json.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kartavo {

// One future entry: a town's point, or a point list.
struct TFeaturePart {
  TgdbItem Kind = gitUndefined;
  TgdbPolygon Points;
  bool Closed = false;
  bool Hole = false; // an inner ring of the area before it
};

struct TParsedFeature {
  std::string Name;
  float Altitude = 0;
  uint8_t ClassNumber = 0;
  std::vector<TFeaturePart> Parts;
  // {"id":...,"name":...,"properties":{...}} as minified JSON; empty when the
  // feature has neither id nor properties.
  std::string Kept;
};

struct TParsedGeoJSON {
  std::vector<TParsedFeature> Features;
  int EmptyFeatures = 0;
  int64_t Points = 0;
  std::map<std::string, int> UnknownKinds;
  std::vector<std::string> PropertyNames; // in the order first seen
};

// The descriptor of the BLOB that keeps the ids and properties of imported
// features (its content: {"<group>":{"id":..,"name":..,"properties":{..}},..}).
inline constexpr std::string_view kGeoJSONPropertiesDescriptor = "GeoJSON feature properties";

// Raises std::runtime_error naming the feature and member when the text is
// not GeoJSON the database can take (see ImportGeoJSON).
TParsedGeoJSON ParseGeoJSON(std::string_view Text, const TGeoJSONImportOptions& Options);

// "line L, column C" of a byte offset in Text (both counted from 1).
std::string TextPosition(std::string_view Text, size_t Offset);

} // namespace kartavo
