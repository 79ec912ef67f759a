#include "kartavo/geomap/calib_state.h"

namespace kartavo {

bool TCalibState::SetUTMZone(int Zone) {
  if (Zone < MinUTMZone || Zone > MaxUTMZone) return false;
  Data.UTMZone = Zone;
  return true;
}

void TCalibState::ClearCalibration() {
  Data.NumCalLines = 0;
  for (TCalibLine& line : Data.CalLines)
    line.NumPoints = 0;
  Data.Corners.fill(TCoords{});
  Data.Resolution = 0;
  Data.UTMZone = -1;
  Data.UTMSouth = false;
  Data.Ellipsoid = gelWGS84;
  GratMat.Resize(5, 1);
  GratMat.Fill(0.0);
  for (TCalQuad& q : Data.CalQuads)
    q = TCalQuad{};
  Data.NumCalQuads = 0;
  Pars.EquRectSPPL.Clear();
  Pars.EquRectPLSP.Clear();
  Pars.CalParsPLSP.Clear();
  Pars.CalParsSPPL.Clear();
}

} // namespace kartavo
