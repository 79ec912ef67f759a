// A calibration file read for the calib subcommands as the map control
// reads it, with errors that name the file and the line, and the model
// fitted for the map image's size.
#pragma once

#include "calib_commands.h"

#include "kartavo/companion/tessaro.h"
#include "kartavo/geomap/calib_params.h"
#include "kartavo/geomap/calib_records.h"
#include "kartavo/geomap/geo_conversion.h"

namespace kcli {

struct LoadedCalibration {
  kartavo::TCalibModel Model = kartavo::cmUndefined;
  kartavo::TCalibData Data;
  kartavo::TModelParams Pars;
  tessaro::TMatrix GratMat{5, 1};
  int Width = 0, Height = 0; // of the map image; 0 when not known
  kartavo::TGeoRef Ref() const { return {Model, Data, Pars, GratMat}; }
};

// Reads the calibration args.Id (the first when empty) of args.File and
// fits its model. The map image's size comes from --size, else from the
// image the calibration names, beside the file; a model whose fit depends
// on the size (conicconformal) is refused without one. Raises
// std::runtime_error naming the file (and the line, for damaged content).
LoadedCalibration LoadCalibration(const CalibFileArgs& args);

} // namespace kcli
