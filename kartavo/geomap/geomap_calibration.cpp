// TGeoMap: adding, removing and restoring calibration points, clearing,
// switching the model, the refit and the quality of the fit.
#include "kartavo/geomap/calib_fits.h"
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/package/exceptions.h"

#include <cstdint>

namespace kartavo {
namespace {

const char* const AddRefused =
    "current calibration model does not support this version of AddCalibPoint";
const char* const RemoveRefused =
    "current calibration model does not support this version of RemoveCalibPoint";

bool IsPointModel(TCalibModel m) { return m >= cmBiquadraticPn && m <= cmUTM; }

int64_t SquaredDistance(const quillon::TPoint& p, int x, int y) {
  const int64_t dx = int64_t{p.X} - x, dy = int64_t{p.Y} - y;
  return dx * dx + dy * dy;
}

// The first line of this kind with exactly this value; 0 when there is none.
int FindLine(const TCalibData& cd, TGratLineKind kind, double value) {
  for (int k = 1; k <= CalLineCount(cd); ++k)
    if (cd.CalLines[k].LineType == kind && cd.CalLines[k].LineValue == value) return k;
  return 0;
}

// Removes point i of line k: the line's last point takes its place, and an
// emptied line is replaced by the last line.
void RemoveLinePoint(TCalibData& cd, int k, int i) {
  TCalibLine& line = cd.CalLines[k];
  const int n = LinePointCount(line);
  line.CalPoints[i] = line.CalPoints[n];
  line.NumPoints = n - 1;
  if (line.NumPoints > 0) return;
  const int lines = CalLineCount(cd);
  cd.CalLines[k] = cd.CalLines[lines];
  cd.NumCalLines = lines - 1;
}

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
  int k = FindLine(FCalib.Data, GratLineKind, LineValue);
  if (k == 0 && CalLineCount(FCalib.Data) < MaxCalLines) {
    k = ++FCalib.Data.NumCalLines;
    FCalib.Data.CalLines[k].LineType = GratLineKind;
    FCalib.Data.CalLines[k].LineValue = LineValue;
    FCalib.Data.CalLines[k].NumPoints = 0;
  }
  bool stored = false;
  if (k > 0 && LinePointCount(FCalib.Data.CalLines[k]) < MaxLinePoints) {
    TCalibLine& line = FCalib.Data.CalLines[k];
    line.NumPoints = LinePointCount(line) + 1;
    line.CalPoints[line.NumPoints] = {PixPosX, PixPosY};
    stored = true;
  }
  RefitWithGraticule();
  Paint();
  return stored;
}

bool TGeoMap::AddCalibPoint(double Latit, double Longit, int PixPosX, int PixPosY) {
  if (FCalib.Model < cmBiquadraticPn || FCalib.Model > cmEquiRect)
    throw EORVGeoMapError(ComponentMessage(*this, AddRefused));
  bool stored = false;
  if (CalQuadCount(FCalib.Data) < MaxCalQuads) {
    FCalib.Data.NumCalQuads = CalQuadCount(FCalib.Data) + 1;
    FCalib.Data.CalQuads[FCalib.Data.NumCalQuads] = {Latit, Longit, PixPosX, PixPosY};
    Refit();
    stored = true;
  }
  Paint();
  return stored;
}

bool TGeoMap::AddCalibPoint(double Northing, double Easting, int Zone, THemisphere Hemisphere,
                            int PixPosX, int PixPosY) {
  if (FCalib.Model != cmUTM) throw EORVGeoMapError(ComponentMessage(*this, AddRefused));
  if (Zone != FCalib.Data.UTMZone || (Hemisphere == hemiSouth) != FCalib.Data.UTMSouth)
    throw EORVGeoMapError(ComponentMessage(*this, "UTM zone parameter changed"));
  bool stored = false;
  if (CalQuadCount(FCalib.Data) < MaxCalQuads) {
    FCalib.Data.NumCalQuads = CalQuadCount(FCalib.Data) + 1;
    FCalib.Data.CalQuads[FCalib.Data.NumCalQuads] = {Northing, Easting, PixPosX, PixPosY};
    Refit();
    stored = true;
  }
  Paint();
  return stored;
}

bool TGeoMap::RemoveCalibPoint(TGratLineKind GratLineKind, double LineValue, int PixPosX,
                               int PixPosY) {
  if (FCalib.Model != cmParabolicIp) throw EORVGeoMapError(ComponentMessage(*this, RemoveRefused));
  bool removed = false;
  if (const int k = FindLine(FCalib.Data, GratLineKind, LineValue)) {
    const TCalibLine& line = FCalib.Data.CalLines[k];
    for (int i = 1; i <= LinePointCount(line) && !removed; ++i)
      if (line.CalPoints[i] == quillon::TPoint{PixPosX, PixPosY}) {
        RemoveLinePoint(FCalib.Data, k, i);
        removed = true;
      }
  }
  RefitWithGraticule();
  Paint();
  return removed;
}

bool TGeoMap::RemoveCalibPoint(int PixPosX, int PixPosY) {
  bool removed = false;
  // Strictly nearer replaces: among equally near points the first stored wins.
  if (FCalib.Model == cmParabolicIp) {
    int bestLine = 0, bestPoint = 0;
    int64_t best = INT64_MAX;
    for (int k = 1; k <= CalLineCount(FCalib.Data); ++k)
      for (int i = 1; i <= LinePointCount(FCalib.Data.CalLines[k]); ++i) {
        const int64_t d = SquaredDistance(FCalib.Data.CalLines[k].CalPoints[i], PixPosX, PixPosY);
        if (d < best) {
          best = d;
          bestLine = k;
          bestPoint = i;
        }
      }
    if (bestLine > 0) {
      const TCalibLine& line = FCalib.Data.CalLines[bestLine];
      FCalib.Undo.LinePoint.LineType = line.LineType;
      FCalib.Undo.LinePoint.LineValue = line.LineValue;
      FCalib.Undo.LinePoint.CalPoints[1] = line.CalPoints[bestPoint];
      FCalib.Undo.LinePointOK = true;
      RemoveLinePoint(FCalib.Data, bestLine, bestPoint);
      removed = true;
    }
  } else if (IsPointModel(FCalib.Model)) {
    int bestIx = 0;
    int64_t best = INT64_MAX;
    for (int i = 1; i <= CalQuadCount(FCalib.Data); ++i) {
      const TCalQuad& q = FCalib.Data.CalQuads[i];
      const int64_t d = SquaredDistance({q.MapX, q.MapY}, PixPosX, PixPosY);
      if (d < best) {
        best = d;
        bestIx = i;
      }
    }
    if (bestIx > 0) {
      FCalib.Undo.Point = FCalib.Data.CalQuads[bestIx];
      FCalib.Undo.PointOK = true;
      const int n = CalQuadCount(FCalib.Data);
      FCalib.Data.CalQuads[bestIx] = FCalib.Data.CalQuads[n];
      FCalib.Data.NumCalQuads = n - 1;
      removed = true;
    }
  }
  RefitWithGraticule();
  Paint();
  return removed;
}

void TGeoMap::RestoreLastDeletedCalPoint() {
  if (FCalib.Model == cmParabolicIp) {
    if (!FCalib.Undo.LinePointOK) return;
    FCalib.Undo.LinePointOK = false;
    AddCalibPoint(FCalib.Undo.LinePoint.LineType, FCalib.Undo.LinePoint.LineValue,
                  FCalib.Undo.LinePoint.CalPoints[1].X, FCalib.Undo.LinePoint.CalPoints[1].Y);
  } else if (FCalib.Model == cmUTM) {
    if (!FCalib.Undo.PointOK) return;
    FCalib.Undo.PointOK = false;
    AddCalibPoint(FCalib.Undo.Point.Latitude, FCalib.Undo.Point.Longitude, FCalib.Data.UTMZone,
                  UTMHemisphere(), FCalib.Undo.Point.MapX, FCalib.Undo.Point.MapY);
  } else if (IsPointModel(FCalib.Model)) {
    if (!FCalib.Undo.PointOK) return;
    FCalib.Undo.PointOK = false;
    AddCalibPoint(FCalib.Undo.Point.Latitude, FCalib.Undo.Point.Longitude, FCalib.Undo.Point.MapX,
                  FCalib.Undo.Point.MapY);
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
  if (IsPointModel(FCalib.Model)) {
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
