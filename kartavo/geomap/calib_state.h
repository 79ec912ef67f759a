// The calibration of the map control: the model in force, the calibration
// record, the fitted parameter sets, the graticule matrix, the last removed
// calibration point (kept so that it can be put back once) and the name of
// the calibration file last loaded.
#pragma once

#include "kartavo/companion/quillon.h"
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
  // The models fitted from calibration points (not graticule lines).
  bool IsPointModel() const { return Model >= cmBiquadraticPn && Model <= cmUTM; }

  // Adds the pixel to the graticule line of this kind with exactly this
  // value, starting a new line when there is none; false when the tables
  // are full.
  bool AddLinePoint(TGratLineKind Kind, double Value, quillon::TPoint Pixel);
  // Adds a calibration point; false when the table is full.
  bool AddPoint(const TCalQuad& Point);
  // Removes that pixel from that line; false when it is not there. An
  // emptied line is removed too. Nothing is kept for restoring.
  bool RemoveLinePoint(TGratLineKind Kind, double Value, quillon::TPoint Pixel);
  // Removes the point (of a graticule line under cmParabolicIp, else a
  // calibration point of a point model) nearest to the pixel and keeps it in
  // Undo; false when there is none.
  bool RemoveNearestPoint(quillon::TPoint Pixel);

  // Empties lines, points, corners, resolution, UTM zone (-1 after this),
  // hemisphere, ellipsoid, the graticule and the point-model parameter sets.
  // Model, file name, caption, undo and the Miller and conic parameters stay.
  void ClearCalibration();

  friend bool operator==(const TCalibState&, const TCalibState&) = default;
};

} // namespace kartavo
