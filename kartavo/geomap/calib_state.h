// The calibration of the map control: the model in force, the calibration
// record, the fitted parameter sets, the graticule matrix, the last removed
// calibration point (kept so that it can be put back once) and the name of
// the calibration file last loaded.
#pragma once

#include "kartavo/companion/tessaro.h"
#include "kartavo/framework/export.h"
#include "kartavo/geomap/calib_params.h"
#include "kartavo/geomap/calib_records.h"
#include "kartavo/geomap/geo_conversion.h"

#include <string>

namespace kartavo {

// The last removed calibration point: a point of the point models, or a
// point of a graticule line with the line's kind and value in its first
// point. Each can be restored while its flag is set.
struct TCalibUndo {
  TCalQuad Point;
  bool PointOK = false;
  TCalibLine LinePoint;
  bool LinePointOK = false;
  friend bool operator==(const TCalibUndo&, const TCalibUndo&) = default;
};

struct KARTAVO_API TCalibState {
  static constexpr int MinUTMZone = 1;
  static constexpr int MaxUTMZone = 60;

  TCalibModel Model = cmUndefined;
  TCalibData Data;
  TModelParams Pars;
  // The graticule parabolas; 5 columns, one row a graticule line.
  tessaro::TMatrix GratMat{5, 1};
  TCalibUndo Undo;
  std::string FileName;

  // What the conversions read.
  TGeoRef GeoRef() const { return {Model, Data, Pars, GratMat}; }
  // Takes zones MinUTMZone .. MaxUTMZone only; false when the value is ignored.
  bool SetUTMZone(int Zone);
  // Empties lines, points, corners, resolution, UTM zone (-1 after this),
  // hemisphere, ellipsoid, the graticule and the point-model parameter sets.
  // Model, file name, caption, undo and the Miller and conic parameters stay.
  void ClearCalibration();

  friend bool operator==(const TCalibState&, const TCalibState&) = default;
};

} // namespace kartavo
