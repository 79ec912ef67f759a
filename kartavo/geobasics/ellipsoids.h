// The elementary relations between axes, flattening and eccentricity of a
// reference ellipsoid. Flattening and eccentricity are never stored: they are
// always derived from the two axes of a catalogue entry. The relations are
// exact; results are correct to rounding (WGS 84 from its axes: 1/f =
// 298.25722356049, e^2 = 0.00669437999020).
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/geobasics/ellipsoid_catalogue.h"
#include "kartavo/geobasics/ellipsoid_types.h"

#include <cstddef>

namespace kartavo {

// The catalogue index of an ellipsoid. A value outside the enumeration (a
// cast integer, a damaged record) raises EORVGeoBasicsError "invalid
// ellipsoid" instead of reading past the catalogue.
KARTAVO_API std::size_t EllipsoidIndex(TGeoEllipsoid Ellipsoid);

// Squared first eccentricity: of a catalogue entry; of two axes given in
// either order; of a reciprocal flattening (0 = sphere).
KARTAVO_API double GeoEllEccSquared(TGeoEllipsoid Ellipsoid);
KARTAVO_API double GeoEllEccSquared(double MajAx, double MinAx);
KARTAVO_API double GeoEllEccSquared(double RecFlat);

// Reciprocal flattening 1/f, 0 for a sphere: of a catalogue entry; of the
// axes (MinAx divided by MajAx); of a squared eccentricity in [0, 1].
KARTAVO_API double RecipFlattening(TGeoEllipsoid Ellipsoid);
KARTAVO_API double RecipFlattening(double MajAx, double MinAx);
KARTAVO_API double RecipFlattening(double EccSquared);

// Semi-minor axis from the semi-major axis and the reciprocal flattening
// (0 = sphere) or the squared eccentricity.
KARTAVO_API double EllipsoidMinAxFlat(double MajAx, double RecFlat);
KARTAVO_API double EllipsoidMinAxEcc(double MajAx, double EccSquared);

} // namespace kartavo
