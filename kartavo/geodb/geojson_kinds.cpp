// Which kind of entry a word of map data names.
#include "kartavo/geodb/geo_json.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace kartavo {

TgdbItem GeoJSONKindOfValue(std::string_view Value) {
  static const std::pair<std::string_view, TgdbItem> words[] = {
      {"border", gitBorder},    {"country", gitBorder},
      {"boundary", gitBorder},  {"admin-0 country", gitBorder},
      {"state", gitBorder},     {"province", gitBorder},
      {"coastline", gitBorder}, {"town", gitTown},
      {"village", gitTown},     {"hamlet", gitTown},
      {"locality", gitTown},    {"city", gitCity},
      {"capital", gitCity},     {"lake", gitLake},
      {"reservoir", gitLake},   {"pond", gitLake},
      {"river", gitRiver},      {"stream", gitRiver},
      {"canal", gitRiver},      {"river centerline", gitRiver},
      {"road", gitRoad},        {"highway", gitRoad},
      {"street", gitRoad},      {"motorway", gitRoad},
      {"route", gitRoute},      {"railway", gitRoute},
      {"railroad", gitRoute},   {"ferry", gitRoute},
      {"trail", gitRoute},      {"path", gitRoute}};
  std::string lower(Value);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const auto& [word, kind] : words)
    if (lower == word) return kind;
  return gitUndefined;
}

} // namespace kartavo
