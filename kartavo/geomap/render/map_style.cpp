#include "kartavo/geomap/render/map_style.h"

#include <algorithm>

namespace kartavo {

void TMapStyle::SetGratLineDist(double value) {
  FGratLineDist = value > MaxGratLineDist ? MaxGratLineDist : (value >= 0 ? value : 0.0);
}

void TMapStyle::SetUTMGridDist(int value) { FUTMGridDist = std::clamp(value, 0, MaxUTMGridDist); }

} // namespace kartavo
