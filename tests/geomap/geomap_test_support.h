// Helpers of the tests that drive a whole map control: calibrating it, and
// checking where its calibration puts a place.
#pragma once

#include "kartavo/geomap/geomap_control.h"

#include <gtest/gtest.h>

namespace kartavo::testing {

// Calibrates the control's map of w x h pixels as equirectangular by its
// four corners, north-west at the top-left.
inline void CalibrateByCorners(TGeoMap& map, double north, double west, double south, double east,
                               int w, int h) {
  map.SetCalibModel(cmEquiRect);
  map.AddCalibPoint(north, west, 0, 0);
  map.AddCalibPoint(north, east, w, 0);
  map.AddCalibPoint(south, west, 0, h);
  map.AddCalibPoint(south, east, w, h);
}

// Whether the control's calibration puts the place (lat, lon) on pixel (x, y).
inline ::testing::AssertionResult PutsPlaceAt(const TGeoMap& map, double lat, double lon, int x,
                                              int y) {
  int px = 0, py = 0;
  if (!map.CalcPixelCoords(lat, lon, px, py))
    return ::testing::AssertionFailure() << lat << "," << lon << " has no pixel";
  if (px != x || py != y)
    return ::testing::AssertionFailure() << lat << "," << lon << " lies on " << px << "," << py;
  return ::testing::AssertionSuccess();
}

} // namespace kartavo::testing
