// Feeds arbitrary files to the symbol repository's reader. What it reads
// must store and read back to the same symbols; anything else aborts.
#include "kartavo/geomap/landmarks/symbol_repository.h"

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {
std::string ScratchFile(const char* tag) {
  return std::string(::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + "/fuzz_" + tag +
         "_" + std::to_string(::getpid()) + ".xml";
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string in = ScratchFile("sym_in"), out = ScratchFile("sym_out");
  {
    std::ofstream f(in, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  kartavo::TSymbolRepository r(nullptr), back(nullptr);
  if (!r.LoadFromFile(in, size % 2 ? "a" : "")) return 0;
  r.StoreOnFile(out, "x");
  if (!back.LoadFromFile(out, "x") || back.NumEntries() != r.NumEntries()) std::abort();
  for (int ix = 1; ix <= r.NumEntries(); ++ix)
    if (!(back.Symbols(ix) == r.Symbols(ix))) std::abort();
  return 0;
}
