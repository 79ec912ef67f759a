// The enumeration of the catalogue's reference ellipsoids and the record of
// an entry's axes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kartavo {

enum TGeoEllipsoid : uint8_t {
  gelWGS84,
  gelWGS72,
  gelWGS66,
  gelWGS60,
  gelClrk80RGS,
  gelClrk66,
  gelBess41,
  gelBess41Jap,
  gelBess41Nam,
  gelNewInt67,
  gelInt24,
  gelEver69,
  gelEver56,
  gelEver48,
  gelEver30Ind,
  gelEverPak,
  gelEverest,
  gelGRS80,
  gelAiry30,
  gelModifAiry,
  gelFish68,
  gelFish60,
  gelModifFish60,
  gelAuNat65,
  gelKrass40,
  gelHough60,
  gelSphere,
  gelIndo74,
  gelHelm06,
  gelSGS85,
  gelSAm69,
  gelATS77,
  gelAuthSph,
  gelBesselMod,
  gelCGCS2000,
  gelClrk58,
  gelClrk66Mich,
  gelClrk80,
  gelClrk80Arc,
  gelClrk80Benoit,
  gelClrk80IGN,
  gelClrk80intfoot,
  gelClrk80SGA22,
  gelDan76,
  gelEver30,
  gelEver75,
  gelGEM10C,
  gelGRS67,
  gelGRS67Mod,
  gelHughes80,
  gelIAG75,
  gelInt24AuthSph,
  gelOSU86F,
  gelOSU91A,
  gelPlessis17,
  gelPopVisSphere,
  gelPZ90,
  gelStruve60,
  gelWarOffice,
  gelHongKong63,
  gelNahrwan29
};

inline constexpr std::size_t GeoEllipsoidCount = 61;

struct TEllipsoidAxes {
  double MajAx; // semi-major (equatorial) axis, metres
  double MinAx; // semi-minor (polar) axis, metres
};

} // namespace kartavo
