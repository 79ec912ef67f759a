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
  switch (FCalibModel) {
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
  kartavo::CalcBiquadraticCalibration(FCalibData, FModelPars);
}
void TGeoMap::CalcEquiRectCalibration() {
  kartavo::CalcEquiRectCalibration(FCalibData, FModelPars);
}
void TGeoMap::CalcMillerCylCalibration() {
  kartavo::CalcMillerCylCalibration(FCalibData, FModelPars);
}
void TGeoMap::CalcConicCalibration() {
  kartavo::CalcConicCalibration(FCalibData, ImageWidth(), ImageHeight(), FModelPars);
}

bool TGeoMap::AddCalibPoint(TGratLineKind GratLineKind, double LineValue, int PixPosX,
                            int PixPosY) {
  if (FCalibModel != cmParabolicIp) throw EORVGeoMapError(ComponentMessage(*this, AddRefused));
  int k = FindLine(FCalibData, GratLineKind, LineValue);
  if (k == 0 && CalLineCount(FCalibData) < MaxCalLines) {
    k = ++FCalibData.NumCalLines;
    FCalibData.CalLines[k].LineType = GratLineKind;
    FCalibData.CalLines[k].LineValue = LineValue;
    FCalibData.CalLines[k].NumPoints = 0;
  }
  bool stored = false;
  if (k > 0 && LinePointCount(FCalibData.CalLines[k]) < MaxLinePoints) {
    TCalibLine& line = FCalibData.CalLines[k];
    line.NumPoints = LinePointCount(line) + 1;
    line.CalPoints[line.NumPoints] = {PixPosX, PixPosY};
    stored = true;
  }
  RefitWithGraticule();
  Paint();
  return stored;
}

bool TGeoMap::AddCalibPoint(double Latit, double Longit, int PixPosX, int PixPosY) {
  if (FCalibModel < cmBiquadraticPn || FCalibModel > cmEquiRect)
    throw EORVGeoMapError(ComponentMessage(*this, AddRefused));
  bool stored = false;
  if (CalQuadCount(FCalibData) < MaxCalQuads) {
    FCalibData.NumCalQuads = CalQuadCount(FCalibData) + 1;
    FCalibData.CalQuads[FCalibData.NumCalQuads] = {Latit, Longit, PixPosX, PixPosY};
    Refit();
    stored = true;
  }
  Paint();
  return stored;
}

bool TGeoMap::AddCalibPoint(double Northing, double Easting, int Zone, THemisphere Hemisphere,
                            int PixPosX, int PixPosY) {
  if (FCalibModel != cmUTM) throw EORVGeoMapError(ComponentMessage(*this, AddRefused));
  if (Zone != FCalibData.UTMZone || (Hemisphere == hemiSouth) != FCalibData.UTMSouth)
    throw EORVGeoMapError(ComponentMessage(*this, "UTM zone parameter changed"));
  bool stored = false;
  if (CalQuadCount(FCalibData) < MaxCalQuads) {
    FCalibData.NumCalQuads = CalQuadCount(FCalibData) + 1;
    FCalibData.CalQuads[FCalibData.NumCalQuads] = {Northing, Easting, PixPosX, PixPosY};
    Refit();
    stored = true;
  }
  Paint();
  return stored;
}

bool TGeoMap::RemoveCalibPoint(TGratLineKind GratLineKind, double LineValue, int PixPosX,
                               int PixPosY) {
  if (FCalibModel != cmParabolicIp) throw EORVGeoMapError(ComponentMessage(*this, RemoveRefused));
  bool removed = false;
  if (const int k = FindLine(FCalibData, GratLineKind, LineValue)) {
    const TCalibLine& line = FCalibData.CalLines[k];
    for (int i = 1; i <= LinePointCount(line) && !removed; ++i)
      if (line.CalPoints[i] == quillon::TPoint{PixPosX, PixPosY}) {
        RemoveLinePoint(FCalibData, k, i);
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
  if (FCalibModel == cmParabolicIp) {
    int bestLine = 0, bestPoint = 0;
    int64_t best = INT64_MAX;
    for (int k = 1; k <= CalLineCount(FCalibData); ++k)
      for (int i = 1; i <= LinePointCount(FCalibData.CalLines[k]); ++i) {
        const int64_t d = SquaredDistance(FCalibData.CalLines[k].CalPoints[i], PixPosX, PixPosY);
        if (d < best) {
          best = d;
          bestLine = k;
          bestPoint = i;
        }
      }
    if (bestLine > 0) {
      const TCalibLine& line = FCalibData.CalLines[bestLine];
      FParaIpOops.LineType = line.LineType;
      FParaIpOops.LineValue = line.LineValue;
      FParaIpOops.CalPoints[1] = line.CalPoints[bestPoint];
      FRestoreParaIpOK = true;
      RemoveLinePoint(FCalibData, bestLine, bestPoint);
      removed = true;
    }
  } else if (IsPointModel(FCalibModel)) {
    int bestIx = 0;
    int64_t best = INT64_MAX;
    for (int i = 1; i <= CalQuadCount(FCalibData); ++i) {
      const TCalQuad& q = FCalibData.CalQuads[i];
      const int64_t d = SquaredDistance({q.MapX, q.MapY}, PixPosX, PixPosY);
      if (d < best) {
        best = d;
        bestIx = i;
      }
    }
    if (bestIx > 0) {
      FBiQuadOops = FCalibData.CalQuads[bestIx];
      FRestoreBiQuadOK = true;
      const int n = CalQuadCount(FCalibData);
      FCalibData.CalQuads[bestIx] = FCalibData.CalQuads[n];
      FCalibData.NumCalQuads = n - 1;
      removed = true;
    }
  }
  RefitWithGraticule();
  Paint();
  return removed;
}

void TGeoMap::RestoreLastDeletedCalPoint() {
  if (FCalibModel == cmParabolicIp) {
    if (!FRestoreParaIpOK) return;
    FRestoreParaIpOK = false;
    AddCalibPoint(FParaIpOops.LineType, FParaIpOops.LineValue, FParaIpOops.CalPoints[1].X,
                  FParaIpOops.CalPoints[1].Y);
  } else if (FCalibModel == cmUTM) {
    if (!FRestoreBiQuadOK) return;
    FRestoreBiQuadOK = false;
    AddCalibPoint(FBiQuadOops.Latitude, FBiQuadOops.Longitude, FCalibData.UTMZone, UTMHemisphere(),
                  FBiQuadOops.MapX, FBiQuadOops.MapY);
  } else if (IsPointModel(FCalibModel)) {
    if (!FRestoreBiQuadOK) return;
    FRestoreBiQuadOK = false;
    AddCalibPoint(FBiQuadOops.Latitude, FBiQuadOops.Longitude, FBiQuadOops.MapX, FBiQuadOops.MapY);
  }
}

void TGeoMap::ClearCalibData() {
  FCalibData.NumCalLines = 0;
  for (TCalibLine& line : FCalibData.CalLines)
    line.NumPoints = 0;
  FCalibData.Corners.fill(TCoords{});
  FCalibData.Resolution = 0;
  FCalibData.UTMZone = -1;
  FCalibData.UTMSouth = false;
  FCalibData.Ellipsoid = gelWGS84;
  FGratMat->Resize(5, 1);
  FGratMat->Fill(0.0);
  for (TCalQuad& q : FCalibData.CalQuads)
    q = TCalQuad{};
  FCalibData.NumCalQuads = 0;
  FModelPars.EquRectSPPL.Clear();
  FModelPars.EquRectPLSP.Clear();
  FModelPars.CalParsPLSP.Clear();
  FModelPars.CalParsSPPL.Clear();
  Paint();
}

void TGeoMap::Clear() {
  ClearCalibData();
  FCalibModel = cmUndefined;
  FCalibData.MapFName.clear();
  FCalibData.Caption.clear();
  FNumMTrace = 0;
  FMapImgName.clear();
  FMapImgWidth = FMapImgHeight = 0;
  Paint();
}

void TGeoMap::RecalcCalibration() {
  RefitWithGraticule();
  Paint();
}

void TGeoMap::SetCalibModel(TCalibModel value) {
  FCalibModel = value;
  RecalcCalibration();
}

void TGeoMap::CalibQuality(double& QualX, double& QualY) const {
  tessaro::TCurveFit fitX, fitY;
  fitX.Init();
  fitY.Init();
  if (IsPointModel(FCalibModel)) {
    for (int i = 1; i <= CalQuadCount(FCalibData); ++i) {
      const TCalQuad& q = FCalibData.CalQuads[i];
      int px = 0, py = 0;
      if (FCalibModel == cmUTM)
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
