// Feeds arbitrary files to the symbol repository's reader. What it reads
// must store and read back to the same symbols; anything else aborts.
#include "fuzz_scratch.h"

#include "kartavo/geomap/landmarks/symbol_repository.h"
#include "kartavo/package/exceptions.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string in = FuzzScratchFile("sym_in"), out = FuzzScratchFile("sym_out");
  WriteFuzzInput(in, data, size);
  kartavo::TSymbolRepository r(nullptr), back(nullptr);
  try {
    if (!r.LoadFromFile(in, size % 2 ? "a" : "")) return 0;
  } catch (const kartavo::EORVGeoMapError&) { // a tag that breaks off
    return 0;
  }
  r.StoreOnFile(out, "x");
  if (!back.LoadFromFile(out, "x") || back.NumEntries() != r.NumEntries()) std::abort();
  for (int ix = 1; ix <= r.NumEntries(); ++ix)
    if (!(back.Symbols(ix) == r.Symbols(ix))) std::abort();
  return 0;
}
