// Whether control points can determine a calibration model, and whether the
// fitted model is worth writing: what `kartavo calib fit` refuses unless
// told to go on (--force).
#pragma once

#include "calib_report.h"

#include "kartavo/geomap/calib_params.h"
#include "kartavo/geomap/calib_records.h"

#include <string>

namespace kcli {

// Why the points cannot determine the model (too few, coinciding, all on one
// line where the model needs a plane, ...); empty when they can.
std::string UndeterminedReason(kartavo::TCalibModel model, const kartavo::TCalibData& cd);

// Why the fitted model is not to be trusted: a resolution that is no
// positive number, or a residual beyond a twentieth of the image's longer
// side. Empty when neither.
std::string UntrustedFitReason(const kartavo::TCalibData& cd, const CalibResidual& residual,
                               int width, int height);

} // namespace kcli
