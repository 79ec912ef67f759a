// How well a fitted calibration reproduces its own calibration points, in
// the terms georeferencing users ask for: each point's residual in pixels
// and in metres, the RMS residual with the degrees of freedom taken into
// account, the point with the largest residual, points that contradict each
// other, and models that have too few points to show an error at all.
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/geomap/geo_conversion.h"

#include <string>
#include <vector>

namespace kartavo {

struct TPointResidual {
  int Index = 0;         // the calibration point, from 1
  bool Valid = false;    // the model places the point's position on the map image
  double Dx = 0, Dy = 0; // the model's pixel for the point's position minus its stored pixel
  double Pixels = 0;     // the length of (Dx, Dy)
  // The same displacement on the ground, through the model's own scale at
  // the point; NaN where the model has no scale there.
  double Metres = 0;
};

struct TCalibDiagnostics {
  std::vector<TPointResidual> Points; // one per calibration point, in storage order
  int Used = 0;                       // points with a valid residual
  int Terms = 0;                      // coefficients each pixel coordinate is fitted with
  int Redundancy = 0;                 // Used - Terms: below 1 the residuals cannot reveal an error
  // Root-mean-square residuals divided by the redundancy (not the number of
  // points), so that a model with more coefficients is not rewarded for
  // bending towards its points; 0 without redundancy.
  double RmsX = 0, RmsY = 0; // pixels
  double Rms = 0;            // pixels, of the residual vectors' lengths
  double RmsMetres = 0;
  double RmsPlain = 0; // the same divided by the number of points, as most tools show it
  int Worst = 0;       // index of the point with the largest residual; 0: none
  std::vector<std::string> Warnings;
};

// The residuals of the point-based models (equirect, utm, biquadraticpn,
// conicconformal, millercylindrical) against their calibration points; for
// the graticule model and cmUndefined only a warning. Under cmUTM the points
// are northing and easting in the map's zone. Warnings: too few points or
// points that cannot determine the model; no redundancy; a largest residual
// more than 1 pixel and 3 times the others' RMS; two points at the same position (within half a
// pixel on the ground) more than 5 pixels apart; two points on the same
// pixel more than 5 pixels apart on the ground; a point stored twice.
KARTAVO_API TCalibDiagnostics DiagnoseCalibration(const TGeoRef& ref);

} // namespace kartavo
