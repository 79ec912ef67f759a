// A host of the installed library: it includes the umbrella headers only and
// uses a name of every module, its exception classes and a class's virtual
// methods across the library boundary. Exits 0 when everything behaves.
#include "kartavo/companion/quillon.h"
#include "kartavo/companion/tessaro.h"
#include "kartavo/framework/framework.h"
#include "kartavo/geobasics/geobasics.h"
#include "kartavo/geodb/geodb.h"
#include "kartavo/geomap/geomap.h"
#include "kartavo/package/package.h"

#include <cstdio>

namespace {

int gFailures = 0;

void Expect(bool ok, const char* what) {
  if (!ok) {
    std::printf("FAILED: %s\n", what);
    ++gFailures;
  }
}

template <class E, class F> bool Raises(F&& f) {
  try {
    f();
  } catch (const E&) {
    return true;
  } catch (...) {
  }
  return false;
}

} // namespace

int main() {
  using namespace kartavo;
  Expect(GetPackageInfoTable().size() == 4, "package information table");

  int zone = 0;
  double easting = 0, northing = 0;
  LatLongToUTM(47.0, 11.0, static_cast<TGeoEllipsoid>(0), zone, easting, northing);
  Expect(zone == 32, "LatLongToUTM");
  Expect(Raises<EORVGeoBasicsError>([] {
           int z;
           double e, n;
           LatLongToUTM(47.0, 11.0, static_cast<TGeoEllipsoid>(250), z, e, n);
         }),
         "EORVGeoBasicsError caught by its class in the host");

  fw::TBitmap bitmap;
  bitmap.SetSize(8, 8);
  bitmap.Canvas()->SetPixels(2, 3, 0x0000FF);
  Expect(bitmap.Canvas()->Pixels(2, 3) == 0x0000FF, "TBitmap and its canvas");

  TGeoDB db(nullptr);
  Expect(db.NumEntries() == 0, "TGeoDB");
  Expect(!GeoLatitude(47.5, quillon::dfDegMin, 2).empty(), "GeoLatitude");

  TGeoMap map(nullptr);
  fw::TComponent* asComponent = &map; // virtual methods through the base class
  asComponent->SetName("Map1");
  Expect(map.Name() == "Map1", "TGeoMap through TComponent");
  TCalibData calib{};
  TCalibModel model = cmParabolicIp;
  Expect(!ParseCalibData("/nonexistent/kartavo.xml", "", calib, model), "ParseCalibData");
  Expect(Raises<quillon::EORVError>([] { throw EORVGeoMapError("x"); }), "EORVGeoMapError");

  tessaro::TMatrix m(2, 3);
  m.SetVal(2, 3, 1.5);
  Expect(m.GetVal(2, 3) == 1.5, "tessaro::TMatrix");
  return gFailures == 0 ? 0 : 1;
}
