// The fits of the point-based calibration models: functions from a
// calibration record to the parameter sets. None raises; see each for what
// a fit that cannot be computed leaves behind.
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/geomap/calib_params.h"
#include "kartavo/geomap/calib_records.h"

namespace kartavo {

// Biquadratic polynomial in both directions (cmBiquadraticPn). Both sets are
// zeroed first; a solve that fails leaves its row at zero.
KARTAVO_API void CalcBiquadraticCalibration(const TCalibData& cd, TModelParams& pars);

// Affine relation in both directions (cmEquiRect, and cmUTM where latitude
// and longitude are the stored northing and easting). Zeroed first like the
// biquadratic fit.
KARTAVO_API void CalcEquiRectCalibration(const TCalibData& cd, TModelParams& pars);

// Miller cylindrical (cmMillerCylindrical). With fewer than three points, or
// when the points give no finite line (latitudes beyond the poles), the
// previous parameters stay in force.
KARTAVO_API void CalcMillerCylCalibration(const TCalibData& cd, TModelParams& pars);

// Conic (cmConicConformal): searches the apex around which parallels are
// circles and meridians rays, in 20 passes of 25 candidates with halving
// steps from 1000000 pixels, around the centre of the points' box within the
// image of the given size; a size of 0 (no image) takes the points' own box. With fewer than three
// points, or when no candidate gives a finite error below 1e10, the previous parameters stay.
KARTAVO_API void CalcConicCalibration(const TCalibData& cd, int ImgWidth, int ImgHeight,
                                      TModelParams& pars);

// The fit of the model as the map control runs it: biquadratic, conic,
// Miller, or equirectangular for cmEquiRect and cmUTM; nothing for the
// graticule model and cmUndefined. The conic search uses the image size.
KARTAVO_API void FitCalibModel(TCalibModel Model, const TCalibData& cd, int ImgWidth, int ImgHeight,
                               TModelParams& pars);

// The squared error of one candidate apex, with the fitted slopes and
// intercepts written to pars.ConicPars[3..6] (and the apex to [1], [2]).
// Needs at least three points.
KARTAVO_API double ConicApexError(const TCalibData& cd, double ApexX, double ApexY,
                                  TConicParams& pars);

} // namespace kartavo
