// The parameter sets the calibration fits produce and the conversions read.
// Each row of a set is fitted on its own; the pixel-to-geographic and the
// geographic-to-pixel sets are separate least-squares fits, not inverses.
#pragma once

#include "kartavo/geomap/one_based_array.h"

#include <array>
#include <cstddef>

namespace kartavo {

// Rows x Terms doubles addressed as [row, term], both from 1.
template <int Rows, int Terms> struct TParamSet {
  std::array<double, static_cast<size_t>(Rows* Terms)> V{};

  double& operator()(int r, int k) { return V[Ix(r, k)]; }
  double operator()(int r, int k) const { return V[Ix(r, k)]; }
  void Clear() { V.fill(0.0); }
  friend bool operator==(const TParamSet&, const TParamSet&) = default;

private:
  static size_t Ix(int r, int k) { return static_cast<size_t>((r - 1) * Terms + (k - 1)); }
};

// Biquadratic: terms 1, u, v, u², u·v, v².
using TBiquadParams = TParamSet<2, 6>;
// Affine: terms 1, u, v.
using TAffineParams = TParamSet<2, 3>;
// Miller: [1,1], [1,2] slope and intercept of y against the Miller ordinate
// of the latitude; [2,1], [2,2] of x against the longitude in radians.
using TMillerParams = TParamSet<2, 2>;
// Conic: [1], [2] apex column and row; [3] degrees of latitude per pixel of
// distance from the apex, [4] the latitude at distance 0; [5] degrees of
// longitude per radian of bearing around the apex, [6] the longitude at
// bearing 0.
using TConicParams = OneBasedArray<double, 6>;

// The six sets of a map control, all zero at creation.
struct TModelParams {
  TAffineParams EquRectSPPL; // geographic (or northing, easting) to pixel: rows x, y
  TAffineParams EquRectPLSP; // pixel to geographic (or northing, easting): rows φ, λ
  TBiquadParams CalParsPLSP; // pixel to geographic: rows φ, λ from 1, x, y, x², xy, y²
  TBiquadParams CalParsSPPL; // geographic to pixel: rows x, y from 1, φ, λ, φ², φλ, λ²
  TMillerParams MillercylPar;
  TConicParams ConicPars;
  friend bool operator==(const TModelParams&, const TModelParams&) = default;
};

} // namespace kartavo
