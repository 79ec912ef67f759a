// Nanoseconds per point of the UTM and UPS conversions over many varied
// points, next to PROJ (proj_trans with +proj=utm / +proj=ups) and
// GeographicLib (UTMUPS::Forward/Reverse) on the same points, with a summary
// of the ratios and of the largest differences between the libraries.
#include "kartavo/geobasics/geobasics.h"

#include "bench_support.h"

#include <benchmark/benchmark.h>

#ifdef KARTAVO_HAVE_PROJ
#include <proj.h>
#endif
#ifdef KARTAVO_HAVE_GEOGRAPHICLIB
#include <GeographicLib/UTMUPS.hpp>
#endif

#include <cmath>
#include <cstdio>
#include <map>
#include <numbers>
#include <random>
#include <string>
#include <vector>

using namespace kartavo;
using kartavo::bench::Cycle;

namespace {

constexpr std::size_t kPoints = 1 << 14; // a power of two, cycled through
constexpr double kDeg = std::numbers::pi / 180.0;

struct TPoint {
  double lat, lon;
  int zone;
  bool south;
  double e, n;
};

std::vector<TPoint> MakeUTMPoints() {
  std::mt19937_64 rng(1);
  std::uniform_real_distribution<double> lat(-80.0, 84.0), lon(-180.0, 180.0);
  std::vector<TPoint> pts(kPoints);
  for (auto& p : pts) {
    p.lat = lat(rng);
    p.lon = lon(rng);
    LatLongToUTM(p.lat, p.lon, gelWGS84, p.zone, p.e, p.n);
    p.south = p.lat < 0;
  }
  return pts;
}

std::vector<TPoint> MakeUPSPoints() {
  std::mt19937_64 rng(2);
  std::uniform_real_distribution<double> cap(0.0, 6.0), lon(-180.0, 180.0);
  std::vector<TPoint> pts(kPoints);
  for (std::size_t i = 0; i < pts.size(); ++i) {
    auto& p = pts[i];
    p.south = i % 2;
    p.lat = p.south ? -90.0 + cap(rng) : 90.0 - cap(rng);
    p.lon = lon(rng);
    p.zone = 0;
    LatLongToUPS(p.lat, p.lon, gelWGS84, p.e, p.n);
  }
  return pts;
}

const std::vector<TPoint>& UTMPoints() {
  static const auto pts = MakeUTMPoints();
  return pts;
}

const std::vector<TPoint>& UPSPoints() {
  static const auto pts = MakeUPSPoints();
  return pts;
}

// ---- kartavo ---------------------------------------------------------------

void BM_kartavo_LatLongToUTM(benchmark::State& state) {
  Cycle(state, UTMPoints(), [](const TPoint& p) {
    int zone;
    double e, n;
    LatLongToUTM(p.lat, p.lon, gelWGS84, zone, e, n);
    benchmark::DoNotOptimize(e);
    benchmark::DoNotOptimize(n);
  });
}

void BM_kartavo_UTMToLatLong(benchmark::State& state) {
  Cycle(state, UTMPoints(), [](const TPoint& p) {
    double lat, lon;
    UTMToLatLong(p.e, p.n, p.zone, p.south, gelWGS84, lat, lon);
    benchmark::DoNotOptimize(lat);
    benchmark::DoNotOptimize(lon);
  });
}

void BM_kartavo_LatLongToUPS(benchmark::State& state) {
  Cycle(state, UPSPoints(), [](const TPoint& p) {
    double e, n;
    LatLongToUPS(p.lat, p.lon, gelWGS84, e, n);
    benchmark::DoNotOptimize(e);
    benchmark::DoNotOptimize(n);
  });
}

void BM_kartavo_UPSToLatLong(benchmark::State& state) {
  Cycle(state, UPSPoints(), [](const TPoint& p) {
    double lat, lon;
    UPSToLatLong(p.e, p.n, p.south, gelWGS84, lat, lon);
    benchmark::DoNotOptimize(lat);
    benchmark::DoNotOptimize(lon);
  });
}

BENCHMARK(BM_kartavo_LatLongToUTM);
BENCHMARK(BM_kartavo_UTMToLatLong);
BENCHMARK(BM_kartavo_LatLongToUPS);
BENCHMARK(BM_kartavo_UPSToLatLong);

// ---- PROJ ------------------------------------------------------------------

#ifdef KARTAVO_HAVE_PROJ
// One projection object per UTM zone and hemisphere, and one per pole.
class TProjSet {
public:
  TProjSet() : FCtx(proj_context_create()) {
    for (int z = 1; z <= 60; ++z)
      for (int s = 0; s < 2; ++s) {
        const std::string def =
            "+proj=utm +zone=" + std::to_string(z) + (s ? " +south" : "") + " +ellps=WGS84";
        FUtm[z][s] = proj_create(FCtx, def.c_str());
      }
    FUps[0] = proj_create(FCtx, "+proj=ups +ellps=WGS84");
    FUps[1] = proj_create(FCtx, "+proj=ups +south +ellps=WGS84");
  }
  ~TProjSet() {
    for (int z = 1; z <= 60; ++z)
      for (int s = 0; s < 2; ++s)
        proj_destroy(FUtm[z][s]);
    proj_destroy(FUps[0]);
    proj_destroy(FUps[1]);
    proj_context_destroy(FCtx);
  }
  PJ* Utm(int zone, bool south) const { return FUtm[zone][south]; }
  PJ* Ups(bool south) const { return FUps[south]; }

private:
  PJ_CONTEXT* FCtx;
  PJ* FUtm[61][2] = {};
  PJ* FUps[2] = {};
};

const TProjSet& Proj() {
  static const TProjSet set;
  return set;
}

// PROJ's projections take radians; the zone is chosen as kartavo chooses it.
PJ_COORD ProjForward(PJ* pj, const TPoint& p) {
  return proj_trans(pj, PJ_FWD, proj_coord(p.lon * kDeg, p.lat * kDeg, 0, 0));
}

PJ_COORD ProjReverse(PJ* pj, const TPoint& p) {
  return proj_trans(pj, PJ_INV, proj_coord(p.e, p.n, 0, 0));
}

void BM_PROJ_LatLongToUTM(benchmark::State& state) {
  const auto& proj = Proj();
  Cycle(state, UTMPoints(), [&proj](const TPoint& p) {
    benchmark::DoNotOptimize(ProjForward(proj.Utm(p.zone, p.south), p));
  });
}

void BM_PROJ_UTMToLatLong(benchmark::State& state) {
  const auto& proj = Proj();
  Cycle(state, UTMPoints(), [&proj](const TPoint& p) {
    benchmark::DoNotOptimize(ProjReverse(proj.Utm(p.zone, p.south), p));
  });
}

void BM_PROJ_LatLongToUPS(benchmark::State& state) {
  const auto& proj = Proj();
  Cycle(state, UPSPoints(),
        [&proj](const TPoint& p) { benchmark::DoNotOptimize(ProjForward(proj.Ups(p.south), p)); });
}

void BM_PROJ_UPSToLatLong(benchmark::State& state) {
  const auto& proj = Proj();
  Cycle(state, UPSPoints(),
        [&proj](const TPoint& p) { benchmark::DoNotOptimize(ProjReverse(proj.Ups(p.south), p)); });
}

BENCHMARK(BM_PROJ_LatLongToUTM);
BENCHMARK(BM_PROJ_UTMToLatLong);
BENCHMARK(BM_PROJ_LatLongToUPS);
BENCHMARK(BM_PROJ_UPSToLatLong);
#endif

// ---- GeographicLib -----------------------------------------------------------

#ifdef KARTAVO_HAVE_GEOGRAPHICLIB
using GeographicLib::UTMUPS;

void BM_GeographicLib_LatLongToUTM(benchmark::State& state) {
  Cycle(state, UTMPoints(), [](const TPoint& p) {
    int zone;
    bool northp;
    double e, n;
    UTMUPS::Forward(p.lat, p.lon, zone, northp, e, n);
    benchmark::DoNotOptimize(e);
    benchmark::DoNotOptimize(n);
  });
}

void BM_GeographicLib_UTMToLatLong(benchmark::State& state) {
  Cycle(state, UTMPoints(), [](const TPoint& p) {
    double lat, lon;
    UTMUPS::Reverse(p.zone, !p.south, p.e, p.n, lat, lon);
    benchmark::DoNotOptimize(lat);
    benchmark::DoNotOptimize(lon);
  });
}

void BM_GeographicLib_LatLongToUPS(benchmark::State& state) {
  Cycle(state, UPSPoints(), [](const TPoint& p) {
    int zone;
    bool northp;
    double e, n;
    UTMUPS::Forward(p.lat, p.lon, zone, northp, e, n, UTMUPS::UPS);
    benchmark::DoNotOptimize(e);
    benchmark::DoNotOptimize(n);
  });
}

void BM_GeographicLib_UPSToLatLong(benchmark::State& state) {
  Cycle(state, UPSPoints(), [](const TPoint& p) {
    double lat, lon;
    UTMUPS::Reverse(0, !p.south, p.e, p.n, lat, lon);
    benchmark::DoNotOptimize(lat);
    benchmark::DoNotOptimize(lon);
  });
}

BENCHMARK(BM_GeographicLib_LatLongToUTM);
BENCHMARK(BM_GeographicLib_UTMToLatLong);
BENCHMARK(BM_GeographicLib_LatLongToUPS);
BENCHMARK(BM_GeographicLib_UPSToLatLong);
#endif

// ---- summary -------------------------------------------------------------------

#ifdef KARTAVO_HAVE_GEOGRAPHICLIB
// The largest distance of GeographicLib's forward results from kartavo's, in
// the zones kartavo chose.
double WorstGeographicLib(const std::vector<TPoint>& pts, bool ups) {
  double worst = 0.0;
  for (const TPoint& p : pts) {
    int zone;
    bool northp;
    double e, n;
    UTMUPS::Forward(p.lat, p.lon, zone, northp, e, n, ups ? int(UTMUPS::UPS) : p.zone);
    worst = std::max(worst, std::hypot(e - p.e, n - p.n));
  }
  return worst;
}
#endif

// Largest difference of the peers' results from kartavo's on the same points.
void PrintAgreement() {
#ifdef KARTAVO_HAVE_PROJ
  double worstProj = 0.0;
  for (const TPoint& p : UTMPoints()) {
    const PJ_COORD c = ProjForward(Proj().Utm(p.zone, p.south), p);
    worstProj = std::max(worstProj, std::hypot(c.xy.x - p.e, c.xy.y - p.n));
  }
  std::printf("largest distance PROJ vs kartavo, UTM forward: %.3g m\n", worstProj);
#endif
#ifdef KARTAVO_HAVE_GEOGRAPHICLIB
  std::printf("largest distance GeographicLib vs kartavo: UTM %.3g m, UPS %.3g m\n",
              WorstGeographicLib(UTMPoints(), false), WorstGeographicLib(UPSPoints(), true));
#endif
}

void PrintSummary(const kartavo::bench::TCollectingReporter& reporter) {
  kartavo::bench::PrintPeerTable(kartavo::bench::GeodesyPeerTable(),
                                 {"LatLongToUTM", "UTMToLatLong", "LatLongToUPS", "UPSToLatLong"},
                                 reporter.NsPerIteration);
  PrintAgreement();
}

} // namespace

int main(int argc, char** argv) { return kartavo::bench::RunBenchmarks(argc, argv, PrintSummary); }
