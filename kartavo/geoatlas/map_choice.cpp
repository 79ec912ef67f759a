#include "kartavo/geoatlas/map_definition.h"
#include "kartavo/geomap/geo_conversion.h"

namespace kartavo {

int FinerMapIndex(std::span<const TMapDefinition> Maps, double Lat, double Long,
                  double CurrentResolution, double MinResDiff) {
  int best = 0;
  double bestResolution = 0;
  for (size_t i = 0; i < Maps.size(); ++i) {
    const TMapDefinition& m = Maps[i];
    // Written as a comparison that is false for a current resolution of 0
    // or one that is not a number, so that no map qualifies then.
    const bool finerEnough =
        (CurrentResolution - m.Resolution) / CurrentResolution > MinResDiff / 100;
    if (!finerEnough || !PositionInMap(Lat, Long, m.Corners)) continue;
    if (best == 0 || m.Resolution > bestResolution) {
      best = static_cast<int>(i) + 1;
      bestResolution = m.Resolution;
    }
  }
  return best;
}

int CoarserMapIndex(std::span<const TMapDefinition> Maps, double Lat, double Long,
                    double CurrentResolution) {
  int best = 0;
  double bestResolution = 1e10;
  for (size_t i = 0; i < Maps.size(); ++i) {
    const TMapDefinition& m = Maps[i];
    if (!(m.Resolution > CurrentResolution) || !PositionInMap(Lat, Long, m.Corners)) continue;
    if (m.Resolution < bestResolution) {
      best = static_cast<int>(i) + 1;
      bestResolution = m.Resolution;
    }
  }
  return best;
}

} // namespace kartavo
