// The built-in datum definitions used by HelmertTransform. Module-internal:
// not part of the geobasics interface (the umbrella header leaves it out);
// the library's tests and the kartavo tool read it to check and list datums.
#pragma once

#include "kartavo/framework/short_string.h"
#include "kartavo/geobasics/ellipsoids.h"

#include <array>

namespace kartavo {

// One datum: its ellipsoid and the seven parameters that shift a position
// from the datum to WGS 84 in the position-vector convention.
struct TDatumParams {
  fw::ShortString<33> DatumName; // upper case as published; names repeat across areas
  fw::ShortString<35> Area;      // region of validity
  TGeoEllipsoid Ellipsoid;
  double DX, DY, DZ;       // translation, metres
  double Scale;            // scale difference, parts per million
  double RotX, RotY, RotZ; // rotations, arc seconds
};

inline constexpr int DatumCount = 271;

// Datum number n (1 ... DatumCount) is DatumTable[n - 1].
extern const std::array<TDatumParams, DatumCount> DatumTable;

inline constexpr bool ValidDatumNumber(int DatumNo) {
  return DatumNo >= 1 && DatumNo <= DatumCount;
}

// The row of a datum number; nullptr for a number outside 1 ... DatumCount.
inline const TDatumParams* FindDatum(int DatumNo) {
  return ValidDatumNumber(DatumNo) ? &DatumTable[DatumNo - 1] : nullptr;
}

} // namespace kartavo
