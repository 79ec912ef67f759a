// Feeds arbitrary files to the calibration file reader. Any outcome but a
// crash, a hang or a record out of its limits is fine: a clean result or
// EORVGeoMapError.
#include "kartavo/geomap/calib_xml.h"
#include "kartavo/package/exceptions.h"

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A memory-backed folder keeps the fuzzer from waiting on the disk.
  static const std::string file =
      std::string(::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + "/fuzz_calib_xml_" +
      std::to_string(::getpid()) + ".xml";
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  kartavo::TCalibData cd;
  kartavo::TCalibModel model = kartavo::cmUndefined;
  try {
    kartavo::ParseCalibData(file, size % 2 ? "a" : "", cd, model);
  } catch (const kartavo::EORVGeoMapError&) {
  }
  if (cd.NumCalLines < 0 || cd.NumCalLines > kartavo::MaxCalLines || cd.NumCalQuads < 0 ||
      cd.NumCalQuads > kartavo::MaxCalQuads)
    std::abort();
  for (const auto& line : cd.CalLines)
    if (line.NumPoints < 0 || line.NumPoints > kartavo::MaxLinePoints) std::abort();
  return 0;
}
