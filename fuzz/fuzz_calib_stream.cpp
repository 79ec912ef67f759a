// Feeds arbitrary bytes to ParseCalibData from a memory stream, starting at
// a position taken from the first byte. Any outcome but a crash, a hang or a
// record out of its limits is fine: a clean result or EORVGeoMapError.
#include "kartavo/framework/stream.h"
#include "kartavo/geomap/calib_xml.h"
#include "kartavo/package/exceptions.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  fw::TMemoryStream s;
  s.Write(data + 1, static_cast<int64_t>(size - 1));
  s.SetPosition(std::min<int64_t>(data[0] % 8, s.Size()));
  kartavo::TCalibData cd;
  kartavo::TCalibModel model = kartavo::cmUndefined;
  try {
    kartavo::ParseCalibData(s, data[0] & 0x80 ? "alps" : "", cd, model);
  } catch (const kartavo::EORVGeoMapError&) {
  }
  if (cd.NumCalLines < 0 || cd.NumCalLines > kartavo::MaxCalLines || cd.NumCalQuads < 0 ||
      cd.NumCalQuads > kartavo::MaxCalQuads)
    std::abort();
  for (const auto& line : cd.CalLines)
    if (line.NumPoints < 0 || line.NumPoints > kartavo::MaxLinePoints) std::abort();
  return 0;
}
