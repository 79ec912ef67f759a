#include "kartavo/package/package.h"

#include <array>

namespace kartavo {

int GeoBasicsCounter();
int GeoBasicsReleases();
int GeoDBCounter();
int GeoDBReleases();
int GeoMapCounter();
int GeoMapReleases();
int GeoAtlasCounter();
int GeoAtlasReleases();

namespace {

constexpr std::array<TModuleInfo, 4> kModules = {{
    {"geobasics", GeoBasicsStartUp, GeoBasicsShutDown, GeoBasicsCounter, GeoBasicsReleases},
    {"geodb", GeoDBStartUp, GeoDBShutDown, GeoDBCounter, GeoDBReleases},
    {"geomap", GeoMapStartUp, GeoMapShutDown, GeoMapCounter, GeoMapReleases},
    {"geoatlas", GeoAtlasStartUp, GeoAtlasShutDown, GeoAtlasCounter, GeoAtlasReleases},
}};

// Runs the package entry points when the shared library is mapped and unmapped.
struct TPackageLoader {
  TPackageLoader() { LoadPackage(); }
  ~TPackageLoader() { UnloadPackage(); }
};

} // namespace

std::span<const TModuleInfo> GetPackageInfoTable() { return kModules; }

void LoadPackage() {
  for (const auto& m : kModules)
    m.StartUp();
}

void UnloadPackage() {
  for (auto it = kModules.rbegin(); it != kModules.rend(); ++it)
    it->ShutDown();
}

namespace {
[[maybe_unused]] TPackageLoader gLoader;
}

} // namespace kartavo
