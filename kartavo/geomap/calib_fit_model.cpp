#include "kartavo/geomap/calib_fits.h"

namespace kartavo {

void FitCalibModel(TCalibModel Model, const TCalibData& cd, int ImgWidth, int ImgHeight,
                   TModelParams& pars) {
  switch (Model) {
  case cmBiquadraticPn:
    CalcBiquadraticCalibration(cd, pars);
    break;
  case cmConicConformal:
    CalcConicCalibration(cd, ImgWidth, ImgHeight, pars);
    break;
  case cmMillerCylindrical:
    CalcMillerCylCalibration(cd, pars);
    break;
  case cmEquiRect:
  case cmUTM:
    CalcEquiRectCalibration(cd, pars);
    break;
  default:
    break;
  }
}

} // namespace kartavo
