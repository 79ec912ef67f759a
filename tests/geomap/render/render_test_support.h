// Calibrated sample maps and bitmap helpers for the rendering tests.
#pragma once

#include "../../framework/gfx_test_support.h"
#include "../geomap_test_support.h"
#include "../xml_test_support.h"
#include "kartavo/framework/bitmap.h"
#include "kartavo/framework/detail/pixel_value.h"
#include "kartavo/geomap/calib_fits.h"
#include "kartavo/geomap/geo_conversion.h"
#include "kartavo/geomap/geomap_control.h"

#include <memory>

namespace rendertest {

using namespace kartavo;
using kartavo::testing::CalibrateByCorners;

// A calibration record with its fitted parameters and a graticule matrix,
// enough for the conversions.
struct TSampleMap {
  TCalibModel Model = cmUndefined;
  TCalibData Data;
  TModelParams Pars;
  tessaro::TMatrix Grat{5, 1};
  int Width = 0, Height = 0;
  TGeoRef Ref() const { return {Model, Data, Pars, Grat}; }
};

// 600 x 400 pixels from 48N 6E (top-left) to 44N 12E: 100 pixels a degree.
inline std::unique_ptr<TSampleMap> EquiRectMap(int points = 4) {
  auto m = std::make_unique<TSampleMap>();
  m->Model = cmEquiRect;
  m->Width = 600;
  m->Height = 400;
  const TCalQuad quads[] = {
      {48, 6, 0, 0}, {48, 12, 600, 0}, {44, 6, 0, 400}, {44, 12, 600, 400}, {46, 9, 300, 200}};
  for (int i = 0; i < points; ++i)
    m->Data.CalQuads[i + 1] = quads[i];
  m->Data.NumCalQuads = points;
  m->Data.UTMZone = -1;
  CalcEquiRectCalibration(m->Data, m->Pars);
  CalcExtentsAndResolution(m->Ref(), m->Width, m->Height, m->Data.Corners, m->Data.Resolution);
  return m;
}

// 500 x 500 pixels of 10 m in UTM zone 32 north, eastings 500000 to 505000,
// northings 5000000 (bottom) to 5005000 (top).
inline std::unique_ptr<TSampleMap> UTMMap() {
  auto m = std::make_unique<TSampleMap>();
  m->Model = cmUTM;
  m->Width = m->Height = 500;
  m->Data = kartavo::testing::CornerCalibration(5005000, 500000, 5000000, 505000, 500, 500, 32);
  CalcEquiRectCalibration(m->Data, m->Pars);
  CalcExtentsAndResolution(m->Ref(), m->Width, m->Height, m->Data.Corners, m->Data.Resolution);
  return m;
}

inline std::unique_ptr<fw::TBitmap> Blank(int w, int h, fw::TColor fill = fw::clWhite,
                                          fw::TPixelFormat format = fw::pf24bit) {
  return gfxtest::MakeBitmap(w, h, fill, format);
}

// What a pixel of colour c reads back as on the control's 15-bit surface.
inline fw::TColor In15(fw::TColor c) { return fw::Color15(fw::Word15(c)); }

// Loads a 600 x 400 map of one colour from 48N 6E to 44N 12E into the
// control, calibrated by its corners as EquiRectMap.
inline void LoadEquiRectMap(TGeoMap& map, fw::TColor fill) {
  auto picture = Blank(600, 400, fill);
  map.SetMapBitMap(picture.get());
  CalibrateByCorners(map, 48.0, 6.0, 44.0, 12.0, 600, 400);
}

inline int CountColor(const fw::TBitmap& bmp, fw::TColor c) {
  int n = 0;
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x)
      n += bmp.Canvas()->Pixels(x, y) == c;
  return n;
}

} // namespace rendertest
