// What `kartavo calib info --residuals` and `kartavo calib fit --compare`
// print: the residual of every calibration point with the RMS and the
// warnings, and a table of the models the points allow.
#pragma once

#include "kartavo/geomap/geo_conversion.h"
#include "kartavo/geomap/georef/calib_diagnostics.h"
#include "kartavo/geomap/georef/model_compare.h"

#include <iosfwd>
#include <vector>

namespace kcli {

void PrintResiduals(std::ostream& out, const kartavo::TGeoRef& ref,
                    const kartavo::TCalibDiagnostics& d);

void PrintModelComparison(std::ostream& out, const std::vector<kartavo::TModelComparison>& rows);

} // namespace kcli
