// TGeoMap: adding, removing and restoring calibration points, clearing,
// switching the model, the refit and the quality of the fit.
#include "kartavo/geomap/calib_fits.h"
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/package/exceptions.h"

namespace kartavo {
namespace {

const char* const AddRefused =
    "current calibration model does not support this version of AddCalibPoint";
const char* const RemoveRefused =
    "current calibration model does not support this version of RemoveCalibPoint";

} // namespace

void TGeoMap::FitModelParameters() {
  switch (FCalib.Model) {
  case cmBiquadraticPn:
    CalcBiquadraticCalibration();
    break;
  case cmConicConformal:
    CalcConicCalibration();
    break;
  case cmMillerCylindrical:
    CalcMillerCylCalibration();
    break;
  case cmEquiRect:
  case cmUTM:
    CalcEquiRectCalibration();
    break;
  case cmParabolicIp:
  case cmUndefined:
    break;
  }
}

void TGeoMap::Refit() {
  FitModelParameters();
  CalcExtentsAndResolution();
}

void TGeoMap::RefitWithGraticule() {
  RecalcGratMat();
  Refit();
}

void TGeoMap::CalcBiquadraticCalibration() {
  kartavo::CalcBiquadraticCalibration(FCalib.Data, FCalib.Pars);
}
void TGeoMap::CalcEquiRectCalibration() {
  kartavo::CalcEquiRectCalibration(FCalib.Data, FCalib.Pars);
}
void TGeoMap::CalcMillerCylCalibration() {
  kartavo::CalcMillerCylCalibration(FCalib.Data, FCalib.Pars);
}
void TGeoMap::CalcConicCalibration() {
  kartavo::CalcConicCalibration(FCalib.Data, ImageWidth(), ImageHeight(), FCalib.Pars);
}

bool TGeoMap::AddCalibPoint(TGratLineKind GratLineKind, double LineValue, int PixPosX,
                            int PixPosY) {
  if (FCalib.Model != cmParabolicIp) throw EORVGeoMapError(ComponentMessage(*this, AddRefused));
  const bool stored = FCalib.AddLinePoint(GratLineKind, LineValue, {PixPosX, PixPosY});
  RefitWithGraticule();
  Paint();
  return stored;
}

bool TGeoMap::AddCalibPoint(double Latit, double Longit, int PixPosX, int PixPosY) {
  if (FCalib.Model < cmBiquadraticPn || FCalib.Model > cmEquiRect)
    throw EORVGeoMapError(ComponentMessage(*this, AddRefused));
  const bool stored = FCalib.AddPoint({Latit, Longit, PixPosX, PixPosY});
  if (stored) Refit();
  Paint();
  return stored;
}

bool TGeoMap::AddCalibPoint(double Northing, double Easting, int Zone, THemisphere Hemisphere,
                            int PixPosX, int PixPosY) {
  if (FCalib.Model != cmUTM) throw EORVGeoMapError(ComponentMessage(*this, AddRefused));
  if (Zone != FCalib.Data.UTMZone || (Hemisphere == hemiSouth) != FCalib.Data.UTMSouth)
    throw EORVGeoMapError(ComponentMessage(*this, "UTM zone parameter changed"));
  const bool stored = FCalib.AddPoint({Northing, Easting, PixPosX, PixPosY});
  if (stored) Refit();
  Paint();
  return stored;
}

bool TGeoMap::RemoveCalibPoint(TGratLineKind GratLineKind, double LineValue, int PixPosX,
                               int PixPosY) {
  if (FCalib.Model != cmParabolicIp) throw EORVGeoMapError(ComponentMessage(*this, RemoveRefused));
  const bool removed = FCalib.RemoveLinePoint(GratLineKind, LineValue, {PixPosX, PixPosY});
  RefitWithGraticule();
  Paint();
  return removed;
}

bool TGeoMap::RemoveCalibPoint(int PixPosX, int PixPosY) {
  const bool removed = FCalib.RemoveNearestPoint({PixPosX, PixPosY});
  RefitWithGraticule();
  Paint();
  return removed;
}

// Each kept point is put back once, through the add of its model.
void TGeoMap::RestoreLastDeletedCalPoint() {
  TCalibUndo& undo = FCalib.Undo;
  const TCalQuad& q = undo.Point;
  if (FCalib.Model == cmParabolicIp) {
    if (!undo.LinePointOK) return;
    undo.LinePointOK = false;
    const quillon::TPoint p = undo.LinePoint.CalPoints[1];
    AddCalibPoint(undo.LinePoint.LineType, undo.LinePoint.LineValue, p.X, p.Y);
  } else if (FCalib.IsPointModel()) {
    if (!undo.PointOK) return;
    undo.PointOK = false;
    if (FCalib.Model == cmUTM)
      AddCalibPoint(q.Latitude, q.Longitude, UTMZone(), UTMHemisphere(), q.MapX, q.MapY);
    else
      AddCalibPoint(q.Latitude, q.Longitude, q.MapX, q.MapY);
  }
}

void TGeoMap::ClearCalibData() {
  FCalib.ClearCalibration();
  Paint();
}

void TGeoMap::Clear() {
  ClearCalibData();
  FCalib.Model = cmUndefined;
  FCalib.Data.MapFName.clear();
  FCalib.Data.Caption.clear();
  FTrace.Clear();
  FImage.Forget();
  Paint();
}

void TGeoMap::RecalcCalibration() {
  RefitWithGraticule();
  Paint();
}

void TGeoMap::SetCalibModel(TCalibModel value) {
  FCalib.Model = value;
  RecalcCalibration();
}

void TGeoMap::CalibQuality(double& QualX, double& QualY) const {
  tessaro::TCurveFit fitX, fitY;
  fitX.Init();
  fitY.Init();
  if (FCalib.IsPointModel()) {
    for (int i = 1; i <= CalQuadCount(FCalib.Data); ++i) {
      const TCalQuad& q = FCalib.Data.CalQuads[i];
      int px = 0, py = 0;
      if (FCalib.Model == cmUTM)
        CalcPixelCoordsUTM(q.Latitude, q.Longitude, px, py);
      else
        CalcPixelCoords(q.Latitude, q.Longitude, px, py);
      fitX.EnterStatValue(q.MapX, px);
      fitY.EnterStatValue(q.MapY, py);
    }
  }
  int n = 0;
  double meanX = 0, meanY = 0, sdX = 0, sdY = 0, meanDiff = 0, maxDiff = 0;
  fitX.CalcStatistics(n, meanX, meanY, sdX, sdY, meanDiff, QualX, maxDiff);
  fitY.CalcStatistics(n, meanX, meanY, sdX, sdY, meanDiff, QualY, maxDiff);
}

} // namespace kartavo
