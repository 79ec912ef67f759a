// Whether the fitted model is worth writing: what `kartavo calib fit`
// refuses unless told to go on (--force), besides points that cannot
// determine the model (UndeterminedReason of the library).
#pragma once

#include "calib_report.h"

#include "kartavo/geomap/calib_params.h"
#include "kartavo/geomap/calib_records.h"
#include "kartavo/geomap/georef/model_determination.h"

#include <string>

namespace kcli {

// Why the fitted model is not to be trusted: a resolution that is no
// positive number, or a residual beyond a twentieth of the image's longer
// side. Empty when neither.
std::string UntrustedFitReason(const kartavo::TCalibData& cd, const CalibResidual& residual,
                               int width, int height);

} // namespace kcli
