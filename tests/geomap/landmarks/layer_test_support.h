// A calibrated map for the landmark layer tests: 1000 x 500 map-image pixels
// from 50N 0E (top-left) to 40N 20E, 50 pixels a degree (equirectangular).
#pragma once

#include "../xml_test_support.h"
#include "kartavo/companion/tessaro.h"
#include "kartavo/geomap/calib_fits.h"
#include "kartavo/geomap/geo_conversion.h"
#include "kartavo/geomap/landmark_records.h"

namespace lmtest {

struct TTestMap {
  kartavo::TCalibData Calib = kartavo::testing::CornerCalibration(50, 0, 40, 20, 1000, 500);
  kartavo::TModelParams Pars;
  tessaro::TMatrix Grat{5, 1};

  TTestMap() { kartavo::CalcEquiRectCalibration(Calib, Pars); }
  kartavo::TGeoRef Ref() const { return {kartavo::cmEquiRect, Calib, Pars, Grat}; }
};

// The landmark at map-image pixel (x, y) of the test map.
inline kartavo::TLandMark LandMarkAtPixel(double x, double y) {
  kartavo::TLandMark lm = kartavo::DefaultLandMark();
  lm.Latitude = 50 - y / 50.0;
  lm.Longitude = x / 50.0;
  return lm;
}

} // namespace lmtest
