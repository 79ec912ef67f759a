#include "kartavo/package/package.h"

#include <array>

namespace kartavo {

namespace {

// The start-up state of one contained module. The modules' tables are constant
// data that exist from the moment the library is mapped, so start-up only
// counts and shut-down only counts its releases; one instance a module.
template <int Module> struct TModuleLife {
  static inline TModuleCounter Counter;
  static inline int Releases = 0;

  static void StartUp() { Counter.StartUp(); }
  static void ShutDown() {
    if (Counter.ShutDown()) ++Releases;
  }
  static int Count() { return Counter.Count(); }
  static int ReleaseCount() { return Releases; }
};

enum { kGeoBasics, kGeoDB, kGeoMap, kGeoAtlas };

template <int Module> constexpr TModuleInfo Info(const char* name) {
  using Life = TModuleLife<Module>;
  return {name, Life::StartUp, Life::ShutDown, Life::Count, Life::ReleaseCount};
}

constexpr std::array<TModuleInfo, 4> kModules = {{
    Info<kGeoBasics>("geobasics"),
    Info<kGeoDB>("geodb"),
    Info<kGeoMap>("geomap"),
    Info<kGeoAtlas>("geoatlas"),
}};

// Runs the package entry points when the shared library is mapped and unmapped.
struct TPackageLoader {
  TPackageLoader() { LoadPackage(); }
  ~TPackageLoader() { UnloadPackage(); }
};

} // namespace

std::span<const TModuleInfo> GetPackageInfoTable() { return kModules; }

void GeoBasicsStartUp() { TModuleLife<kGeoBasics>::StartUp(); }
void GeoBasicsShutDown() { TModuleLife<kGeoBasics>::ShutDown(); }
void GeoDBStartUp() { TModuleLife<kGeoDB>::StartUp(); }
void GeoDBShutDown() { TModuleLife<kGeoDB>::ShutDown(); }
void GeoMapStartUp() { TModuleLife<kGeoMap>::StartUp(); }
void GeoMapShutDown() { TModuleLife<kGeoMap>::ShutDown(); }
void GeoAtlasStartUp() { TModuleLife<kGeoAtlas>::StartUp(); }
void GeoAtlasShutDown() { TModuleLife<kGeoAtlas>::ShutDown(); }

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
