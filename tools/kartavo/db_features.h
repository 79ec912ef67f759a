// The entries of a geographic database drawn onto a generated map: border
// and lake outlines, rivers, roads and routes as lines, towns and cities as
// dots with their names. What `kartavo generate` draws in the map's host
// callback.
#pragma once

#include "kartavo/geodb/gdb_types.h"
#include "kartavo/geodb/geo_db.h"
#include "kartavo/geomap/output/generated_map.h"

#include <array>
#include <string>
#include <vector>

namespace fw {
class TCanvas;
}

namespace kcli {

// Which kinds to draw; all point-list kinds and towns and cities when empty.
using FeatureKinds = std::vector<kartavo::TgdbItem>;

// Parses "borders,rivers,towns" (the plural kind names: borders, towns,
// cities, lakes, rivers, roads, routes); raises std::runtime_error naming a
// word it does not know.
FeatureKinds ParseFeatureKinds(const std::string& list);

// How many entries of each kind were drawn, by TgdbItem.
using FeatureCounts = std::array<int, 9>;

// Draws every entry of the kinds whose bounding box meets the map's box,
// inside the map's frame (nothing spills onto the margin and its labels);
// names that would cover an earlier name are left out.
FeatureCounts DrawDatabaseFeatures(fw::TCanvas& Canvas, kartavo::TGeoDB& DB,
                                   const kartavo::TGeneratedMapBox& Box, const FeatureKinds& Kinds);

} // namespace kcli
