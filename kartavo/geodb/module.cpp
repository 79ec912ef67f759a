// Start-up and shut-down of the geodb module. Its tables are constant data
// that exist from the moment the library is mapped, so start-up only counts
// and shut-down only counts its releases.
#include "kartavo/package/package.h"

namespace kartavo {
namespace {
TModuleCounter gCounter;
int gReleases = 0;
} // namespace

void GeoDBStartUp() { gCounter.StartUp(); }

void GeoDBShutDown() {
  if (gCounter.ShutDown()) ++gReleases;
}

int GeoDBCounter() { return gCounter.Count(); }
int GeoDBReleases() { return gReleases; }

} // namespace kartavo
