// TCalibState: adding and removing calibration points in the record, and
// keeping the last removed one so that it can be put back.
#include "kartavo/geomap/calib_state.h"

#include <cstdint>

namespace kartavo {
namespace {

int64_t SquaredDistance(const quillon::TPoint& a, const quillon::TPoint& b) {
  const int64_t dx = int64_t{a.X} - b.X, dy = int64_t{a.Y} - b.Y;
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
void RemoveLinePointAt(TCalibData& cd, int k, int i) {
  const int lines = CalLineCount(cd);
  if (k < 1 || k > lines) return;
  TCalibLine& line = cd.CalLines[k];
  const int n = LinePointCount(line);
  if (i < 1 || i > n) return;
  line.CalPoints[i] = line.CalPoints[n];
  line.NumPoints = n - 1;
  if (line.NumPoints > 0) return;
  cd.CalLines[k] = cd.CalLines[lines];
  cd.NumCalLines = lines - 1;
}

struct TNearest {
  int Line = 0; // 0: none found
  int Point = 0;
};

// Strictly nearer replaces: among equally near points the first stored wins.
TNearest NearestLinePoint(const TCalibData& cd, quillon::TPoint p) {
  TNearest best;
  int64_t bestDist = INT64_MAX;
  for (int k = 1; k <= CalLineCount(cd); ++k)
    for (int i = 1; i <= LinePointCount(cd.CalLines[k]); ++i)
      if (const int64_t d = SquaredDistance(cd.CalLines[k].CalPoints[i], p); d < bestDist) {
        bestDist = d;
        best = {k, i};
      }
  return best;
}

int NearestQuad(const TCalibData& cd, quillon::TPoint p) {
  int best = 0;
  int64_t bestDist = INT64_MAX;
  for (int i = 1; i <= CalQuadCount(cd); ++i)
    if (const int64_t d = SquaredDistance({cd.CalQuads[i].MapX, cd.CalQuads[i].MapY}, p);
        d < bestDist) {
      bestDist = d;
      best = i;
    }
  return best;
}

} // namespace

bool TCalibState::AddLinePoint(TGratLineKind Kind, double Value, quillon::TPoint Pixel) {
  int k = FindLine(Data, Kind, Value);
  if (k == 0 && CalLineCount(Data) < MaxCalLines) {
    // From the clamped count: a negative count in a damaged record must
    // not become a negative index.
    k = Data.NumCalLines = CalLineCount(Data) + 1;
    Data.CalLines[k].LineType = Kind;
    Data.CalLines[k].LineValue = Value;
    Data.CalLines[k].NumPoints = 0;
  }
  if (k == 0 || LinePointCount(Data.CalLines[k]) >= MaxLinePoints) return false;
  TCalibLine& line = Data.CalLines[k];
  line.NumPoints = LinePointCount(line) + 1;
  line.CalPoints[line.NumPoints] = Pixel;
  return true;
}

bool TCalibState::AddPoint(const TCalQuad& Point) {
  if (CalQuadCount(Data) >= MaxCalQuads) return false;
  Data.NumCalQuads = CalQuadCount(Data) + 1;
  Data.CalQuads[Data.NumCalQuads] = Point;
  return true;
}

bool TCalibState::RemoveLinePoint(TGratLineKind Kind, double Value, quillon::TPoint Pixel) {
  const int k = FindLine(Data, Kind, Value);
  if (k == 0) return false;
  const TCalibLine& line = Data.CalLines[k];
  for (int i = 1; i <= LinePointCount(line); ++i)
    if (line.CalPoints[i] == Pixel) {
      RemoveLinePointAt(Data, k, i);
      return true;
    }
  return false;
}

bool TCalibState::RemoveNearestPoint(quillon::TPoint Pixel) {
  if (Model == cmParabolicIp) {
    const TNearest n = NearestLinePoint(Data, Pixel);
    if (n.Line == 0) return false;
    const TCalibLine& line = Data.CalLines[n.Line];
    Undo.LinePoint.LineType = line.LineType;
    Undo.LinePoint.LineValue = line.LineValue;
    Undo.LinePoint.CalPoints[1] = line.CalPoints[n.Point];
    Undo.LinePointOK = true;
    RemoveLinePointAt(Data, n.Line, n.Point);
    return true;
  }
  if (!IsPointModel()) return false;
  const int i = NearestQuad(Data, Pixel);
  if (i == 0) return false;
  Undo.Point = Data.CalQuads[i];
  Undo.PointOK = true;
  const int n = CalQuadCount(Data);
  Data.CalQuads[i] = Data.CalQuads[n];
  Data.NumCalQuads = n - 1;
  return true;
}

} // namespace kartavo
