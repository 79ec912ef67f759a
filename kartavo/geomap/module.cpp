// Start-up and shut-down of the geomap module. Its tables are constant data
// that exist from the moment the library is mapped, so start-up only counts
// and shut-down only counts its releases.
#include "kartavo/package/package.h"

namespace kartavo {
namespace {
TModuleCounter gCounter;
int gReleases = 0;
} // namespace

void GeoMapStartUp() { gCounter.StartUp(); }

void GeoMapShutDown() {
  if (gCounter.ShutDown()) ++gReleases;
}

int GeoMapCounter() { return gCounter.Count(); }
int GeoMapReleases() { return gReleases; }

} // namespace kartavo
