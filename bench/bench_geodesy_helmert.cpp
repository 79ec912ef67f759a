// Nanoseconds per point of the geocentric conversions and of a seven-parameter
// Helmert shift (ordnance survey of Great Britain to WGS 84), next to PROJ
// (+proj=cart, and a cart/helmert/cart pipeline) and GeographicLib
// (Geocentric) on the same points, with the ratios and the largest
// differences between the libraries.
#include "kartavo/geobasics/geobasics.h"

#include "bench_support.h"

#include <benchmark/benchmark.h>

#ifdef KARTAVO_HAVE_PROJ
#include <proj.h>
#endif
#ifdef KARTAVO_HAVE_GEOGRAPHICLIB
#include <GeographicLib/Geocentric.hpp>
#endif

#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

using namespace kartavo;

namespace {

constexpr std::size_t kPoints = 1 << 14; // a power of two, cycled through
constexpr int kOSGB36 = 183, kWGS84 = 269;

struct TPoint {
  double lat, lon, h;
  double x, y, z; // on WGS 84
};

const std::vector<TPoint>& Points() {
  static const std::vector<TPoint> pts = [] {
    std::mt19937_64 rng(3);
    std::uniform_real_distribution<double> lat(-90, 90), lon(-180, 180), h(-500, 9000);
    std::vector<TPoint> v(kPoints);
    for (auto& p : v) {
      p = {lat(rng), lon(rng), h(rng), 0, 0, 0};
      GeoToCartesian(p.lat, p.lon, p.h, gelWGS84, p.x, p.y, p.z);
    }
    return v;
  }();
  return pts;
}

// Points of Great Britain for the datum shift.
const std::vector<TPoint>& BritishPoints() {
  static const std::vector<TPoint> pts = [] {
    std::mt19937_64 rng(4);
    std::uniform_real_distribution<double> lat(50, 58.5), lon(-7.5, 1.7), h(0, 1300);
    std::vector<TPoint> v(kPoints);
    for (auto& p : v)
      p = {lat(rng), lon(rng), h(rng), 0, 0, 0};
    return v;
  }();
  return pts;
}

using kartavo::bench::Cycle;

void BM_kartavo_GeoToCartesian(benchmark::State& state) {
  Cycle(state, Points(), [](const TPoint& p) {
    double x, y, z;
    GeoToCartesian(p.lat, p.lon, p.h, gelWGS84, x, y, z);
    benchmark::DoNotOptimize(x + y + z);
  });
}

void BM_kartavo_CartesianToGeo(benchmark::State& state) {
  Cycle(state, Points(), [](const TPoint& p) {
    double lat, lon, h;
    CartesianToGeo(p.x, p.y, p.z, gelWGS84, lat, lon, h);
    benchmark::DoNotOptimize(lat + lon + h);
  });
}

void BM_kartavo_HelmertTransform(benchmark::State& state) {
  Cycle(state, BritishPoints(), [](const TPoint& p) {
    double lat, lon, h;
    benchmark::DoNotOptimize(HelmertTransform(kOSGB36, p.lat, p.lon, p.h, kWGS84, lat, lon, h));
    benchmark::DoNotOptimize(lat + lon + h);
  });
}

BENCHMARK(BM_kartavo_GeoToCartesian);
BENCHMARK(BM_kartavo_CartesianToGeo);
BENCHMARK(BM_kartavo_HelmertTransform);

#ifdef KARTAVO_HAVE_PROJ
// PROJ objects made once; geographic coordinates in degrees through
// unitconvert, so both libraries take and give the same units.
struct TProj {
  PJ_CONTEXT* ctx = proj_context_create();
  PJ* cart = Make("+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad "
                  "+step +proj=cart +ellps=WGS84");
  PJ* shift =
      Make("+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad "
           "+step +proj=cart +a=6377563.396 +b=6356256.91 " // kartavo's stored Airy axes
           "+step +proj=helmert +x=446.448 +y=-125.157 +z=542.06 +s=-20.49 +rx=0.15 +ry=0.247 "
           "+rz=0.8421 +convention=position_vector "
           "+step +inv +proj=cart +ellps=WGS84 +step +proj=unitconvert +xy_in=rad +xy_out=deg");
  PJ* Make(const char* def) { return proj_create(ctx, def); }
  ~TProj() {
    proj_destroy(cart);
    proj_destroy(shift);
    proj_context_destroy(ctx);
  }
};

const TProj& Proj() {
  static const TProj proj;
  return proj;
}

void BM_PROJ_GeoToCartesian(benchmark::State& state) {
  PJ* pj = Proj().cart;
  Cycle(state, Points(), [pj](const TPoint& p) {
    benchmark::DoNotOptimize(proj_trans(pj, PJ_FWD, proj_coord(p.lon, p.lat, p.h, 0)));
  });
}

void BM_PROJ_CartesianToGeo(benchmark::State& state) {
  PJ* pj = Proj().cart;
  Cycle(state, Points(), [pj](const TPoint& p) {
    benchmark::DoNotOptimize(proj_trans(pj, PJ_INV, proj_coord(p.x, p.y, p.z, 0)));
  });
}

void BM_PROJ_HelmertTransform(benchmark::State& state) {
  PJ* pj = Proj().shift;
  Cycle(state, BritishPoints(), [pj](const TPoint& p) {
    benchmark::DoNotOptimize(proj_trans(pj, PJ_FWD, proj_coord(p.lon, p.lat, p.h, 0)));
  });
}

BENCHMARK(BM_PROJ_GeoToCartesian);
BENCHMARK(BM_PROJ_CartesianToGeo);
BENCHMARK(BM_PROJ_HelmertTransform);
#endif

#ifdef KARTAVO_HAVE_GEOGRAPHICLIB
const GeographicLib::Geocentric& Earth() { return GeographicLib::Geocentric::WGS84(); }

void BM_GeographicLib_GeoToCartesian(benchmark::State& state) {
  Cycle(state, Points(), [](const TPoint& p) {
    double x, y, z;
    Earth().Forward(p.lat, p.lon, p.h, x, y, z);
    benchmark::DoNotOptimize(x + y + z);
  });
}

void BM_GeographicLib_CartesianToGeo(benchmark::State& state) {
  Cycle(state, Points(), [](const TPoint& p) {
    double lat, lon, h;
    Earth().Reverse(p.x, p.y, p.z, lat, lon, h);
    benchmark::DoNotOptimize(lat + lon + h);
  });
}

BENCHMARK(BM_GeographicLib_GeoToCartesian);
BENCHMARK(BM_GeographicLib_CartesianToGeo);
#endif

// Largest differences of the peers' results from kartavo's on the same points.
void PrintAgreement() {
#ifdef KARTAVO_HAVE_PROJ
  double worstCart = 0, worstShift = 0;
  for (const TPoint& p : Points()) {
    const PJ_COORD c = proj_trans(Proj().cart, PJ_FWD, proj_coord(p.lon, p.lat, p.h, 0));
    worstCart = std::max(worstCart, std::hypot(c.xyz.x - p.x, c.xyz.y - p.y, c.xyz.z - p.z));
  }
  for (const TPoint& p : BritishPoints()) {
    double lat, lon, h, x0, y0, z0, x1, y1, z1;
    HelmertTransform(kOSGB36, p.lat, p.lon, p.h, kWGS84, lat, lon, h);
    const PJ_COORD c = proj_trans(Proj().shift, PJ_FWD, proj_coord(p.lon, p.lat, p.h, 0));
    GeoToCartesian(lat, lon, h, gelWGS84, x0, y0, z0);
    GeoToCartesian(c.lpz.phi, c.lpz.lam, c.lpz.z, gelWGS84, x1, y1, z1);
    worstShift = std::max(worstShift, std::hypot(x1 - x0, y1 - y0, z1 - z0));
  }
  std::printf("largest distance PROJ vs kartavo: GeoToCartesian %.3g m, Helmert shift %.3g m\n",
              worstCart, worstShift);
#endif
#ifdef KARTAVO_HAVE_GEOGRAPHICLIB
  double worst = 0;
  for (const TPoint& p : Points()) {
    double lat, lon, h, x, y, z;
    CartesianToGeo(p.x, p.y, p.z, gelWGS84, lat, lon, h);
    Earth().Forward(lat, lon, h, x, y, z); // back to space: compares positions, not angles
    worst = std::max(worst, std::hypot(x - p.x, y - p.y, z - p.z));
  }
  std::printf("largest distance GeographicLib vs kartavo, CartesianToGeo: %.3g m\n", worst);
#endif
}

void PrintSummary(const kartavo::bench::TCollectingReporter& reporter) {
  kartavo::bench::PrintPeerTable(kartavo::bench::GeodesyPeerTable(),
                                 {"GeoToCartesian", "CartesianToGeo", "HelmertTransform"},
                                 reporter.NsPerIteration);
  PrintAgreement();
}

} // namespace

int main(int argc, char** argv) { return kartavo::bench::RunBenchmarks(argc, argv, PrintSummary); }
