// Feeds arbitrary bytes to the reader of georeferencer control point files
// and, when they read, imports them for a model and image size taken from
// the first byte. Any outcome but a crash, a hang or a record out of its
// limits is fine: calibration points on the image, or EORVGeoMapError.
#include "kartavo/geomap/georef/qgis_points.h"
#include "kartavo/package/exceptions.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  kartavo::TPointsImport o;
  o.Model = static_cast<kartavo::TCalibModel>(kartavo::cmBiquadraticPn + data[0] % 5);
  o.Width = 1 + (data[0] >> 3) * 100;
  o.Height = 1 + (data[0] & 7) * 100;
  o.UTMZone = data[0] & 0x40 ? 32 : 0;
  kartavo::TCalibData cd;
  try {
    const kartavo::TGeorefPointsFile file = kartavo::ReadGeorefPoints(in, "fuzz.points");
    kartavo::GeorefPointsToCalibration(file, "fuzz.points", o, cd);
  } catch (const kartavo::EORVGeoMapError&) {
  }
  if (cd.NumCalQuads < 0 || cd.NumCalQuads > kartavo::MaxCalQuads) std::abort();
  for (int i = 1; i <= cd.NumCalQuads; ++i) {
    const kartavo::TCalQuad& q = cd.CalQuads[i];
    if (q.MapX < 0 || q.MapX > o.Width || q.MapY < 0 || q.MapY > o.Height) std::abort();
  }
  return 0;
}
