// The refit after one added calibration point, per model, with 200 points,
// the conic search also in its plain reference form, and the least-squares
// solver on a 200 x 6 design.
#include "kartavo/geomap/calib_fits.h"
#include "kartavo/geomap/detail/conic_apex.h"
#include "kartavo/geomap/geo_conversion.h"
#include "kartavo/geomap/lsq_solver.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

namespace {

using namespace kartavo;

// 200 well-spread points of a conic map of 2000 x 1500 pixels.
TCalibData Points200() {
  std::mt19937 rng(42);
  std::uniform_int_distribution<int> px(0, 1999), py(0, 1499);
  TCalibData cd;
  for (int i = 1; i <= 200; ++i) {
    const int x = px(rng), y = py(rng);
    const double r = std::hypot(x - 900.0, y + 6000.0);
    const double theta = std::atan((x - 900.0) / (y + 6000.0));
    cd.CalQuads[++cd.NumCalQuads] = {70 - 0.002 * r, 12 + 25 * theta, x, y};
  }
  return cd;
}

// Refits the 200 points with `fit` once an iteration.
template <typename Fit> void RunRefit(benchmark::State& state, Fit fit) {
  const TCalibData cd = Points200();
  TModelParams p;
  for (auto _ : state) {
    fit(cd, p);
    benchmark::DoNotOptimize(p);
  }
}

void BM_RefitBiquadratic(benchmark::State& state) { RunRefit(state, CalcBiquadraticCalibration); }
BENCHMARK(BM_RefitBiquadratic)->Unit(benchmark::kMicrosecond);

void BM_RefitEquiRect(benchmark::State& state) { RunRefit(state, CalcEquiRectCalibration); }
BENCHMARK(BM_RefitEquiRect)->Unit(benchmark::kMicrosecond);

void BM_RefitMiller(benchmark::State& state) { RunRefit(state, CalcMillerCylCalibration); }
BENCHMARK(BM_RefitMiller)->Unit(benchmark::kMicrosecond);

void BM_RefitConic(benchmark::State& state) {
  RunRefit(state,
           [](const TCalibData& cd, TModelParams& p) { CalcConicCalibration(cd, 2000, 1500, p); });
}
BENCHMARK(BM_RefitConic)->Unit(benchmark::kMicrosecond);

// The reference search: every candidate through the curve fit and std::atan.
void BM_RefitConicPlain(benchmark::State& state) {
  RunRefit(state, [](const TCalibData& cd, TModelParams& p) {
    CalcConicCalibrationPlain(cd, 2000, 1500, p);
  });
}
BENCHMARK(BM_RefitConicPlain)->Unit(benchmark::kMicrosecond);

void BM_Solver200x6(benchmark::State& state) {
  std::mt19937 rng(1);
  std::uniform_real_distribution<double> u(0, 2000);
  tessaro::TMatrix design(6, 200);
  tessaro::TVector b(200), c;
  for (int i = 1; i <= 200; ++i) {
    const double x = u(rng), y = u(rng);
    const double t[6] = {1, x, y, x * x, x * y, y * y};
    for (int k = 1; k <= 6; ++k)
      design.SetVal(k, i, t[k - 1]);
    b.SetVal(i, 45 + 1e-3 * x);
  }
  for (auto _ : state) {
    tessaro::TMatrix a;
    a.Clone(design);
    bool discarded = false;
    benchmark::DoNotOptimize(SolveLinLeastSquares(a, b, c, discarded));
  }
}
BENCHMARK(BM_Solver200x6)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
