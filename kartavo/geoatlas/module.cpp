// Start-up and shut-down of the geoatlas module. Its tables are constant data
// that exist from the moment the library is mapped, so start-up only counts
// and shut-down only counts its releases.
#include "kartavo/package/package.h"

namespace kartavo {
namespace {
TModuleCounter gCounter;
int gReleases = 0;
} // namespace

void GeoAtlasStartUp() { gCounter.StartUp(); }

void GeoAtlasShutDown() {
  if (gCounter.ShutDown()) ++gReleases;
}

int GeoAtlasCounter() { return gCounter.Count(); }
int GeoAtlasReleases() { return gReleases; }

} // namespace kartavo
