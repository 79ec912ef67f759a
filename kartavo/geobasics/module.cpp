// Start-up and shut-down of the geobasics module. Its tables are constant data
// that exist from the moment the library is mapped, so start-up only counts
// and shut-down only counts its releases.
#include "kartavo/package/package.h"

namespace kartavo {
namespace {
TModuleCounter gCounter;
int gReleases = 0;
} // namespace

void GeoBasicsStartUp() { gCounter.StartUp(); }

void GeoBasicsShutDown() {
  if (gCounter.ShutDown()) ++gReleases;
}

int GeoBasicsCounter() { return gCounter.Count(); }
int GeoBasicsReleases() { return gReleases; }

} // namespace kartavo
