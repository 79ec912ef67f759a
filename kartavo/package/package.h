// The package frame: the modules it contains, in start-up order, and the
// entry points that start and stop them. The library runs LoadPackage when
// it is loaded and UnloadPackage when it is unloaded.
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/package/exceptions.h"
#include "kartavo/package/module_counter.h"
#include "kartavo/package/resources.h"

#include <span>

namespace kartavo {

struct TModuleInfo {
  const char* Name;
  void (*StartUp)();
  void (*ShutDown)();
  // The module's start-up counter (0 when unloaded, -1 after one start-up).
  int (*Counter)();
  // How many times the module released its tables.
  int (*Releases)();
};

// The contained modules in start-up order: geobasics, geodb, geomap, geoatlas.
KARTAVO_API std::span<const TModuleInfo> GetPackageInfoTable();
// Runs every start-up routine in table order.
KARTAVO_API void LoadPackage();
// Runs every shut-down routine in reverse order.
KARTAVO_API void UnloadPackage();

// Each module's own start-up and shut-down routine.
KARTAVO_API void GeoBasicsStartUp();
KARTAVO_API void GeoBasicsShutDown();
KARTAVO_API void GeoDBStartUp();
KARTAVO_API void GeoDBShutDown();
KARTAVO_API void GeoMapStartUp();
KARTAVO_API void GeoMapShutDown();
KARTAVO_API void GeoAtlasStartUp();
KARTAVO_API void GeoAtlasShutDown();

} // namespace kartavo
