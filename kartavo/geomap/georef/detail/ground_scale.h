// Metres on the ground of small differences of latitude and longitude, on
// the WGS 84 ellipsoid: the radii of curvature along the meridian and along
// the prime vertical at the latitude.
#pragma once

namespace kartavo::georef {

struct TGroundScale {
  double North = 0; // metres per degree of latitude
  double East = 0;  // metres per degree of longitude
};

TGroundScale GroundScaleAt(double Latitude);

} // namespace kartavo::georef
