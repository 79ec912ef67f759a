// What the benchmark programs share: a loop over prepared points, a reporter that keeps every
// benchmark's figures for the summary, and the summary table of kartavo against its peers on the
// same input in the same run.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace kartavo::bench {

// Calls fn on the points in turn, one an iteration, from the first again
// after the last; their count is a power of two.
template <typename Point, typename Fn>
void Cycle(benchmark::State& state, const std::vector<Point>& pts, Fn fn) {
  const std::size_t mask = pts.size() - 1;
  std::size_t i = 0;
  for (auto _ : state)
    fn(pts[i++ & mask]);
}

// Prints the console report and keeps, per benchmark function, the CPU
// nanoseconds of one iteration and the items per second where counted. CPU
// time, because the machine is shared and wall time includes waiting.
class TCollectingReporter : public benchmark::ConsoleReporter {
public:
  std::map<std::string, double> NsPerIteration;
  std::map<std::string, double> ItemsPerSecond;

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) {
      if (r.error_occurred || r.run_type != Run::RT_Iteration) continue;
      const std::string& name = r.run_name.function_name;
      NsPerIteration[name] = r.GetAdjustedCPUTime() *
                             benchmark::GetTimeUnitMultiplier(benchmark::kNanosecond) /
                             benchmark::GetTimeUnitMultiplier(r.time_unit);
      const auto items = r.counters.find("items_per_second");
      if (items != r.counters.end()) ItemsPerSecond[name] = items->second;
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

// A table of one figure per operation for kartavo and each peer, the figure of
// benchmark "BM_<who>_<operation>". The ratio is the peer's figure over
// kartavo's for times and kartavo's over the peer's for rates, so that above 1
// always means kartavo is faster.
struct TPeerTable {
  const char* Heading; // the line above the table
  const char* FirstColumn;
  std::vector<std::string> Peers;
  bool FiguresAreRates = false;
  // An optional last column, its heading and its text per operation.
  const char* ExtraColumn = nullptr;
  std::function<std::string(const std::string&)> Extra;
};

inline void PrintPeerTable(const TPeerTable& table, const std::vector<std::string>& operations,
                           const std::map<std::string, double>& figures) {
  const auto figure = [&](const std::string& who, const std::string& op) {
    const auto it = figures.find("BM_" + who + "_" + op);
    return it == figures.end() ? 0.0 : it->second;
  };
  std::printf("\n%s\n%-18s %10s", table.Heading, table.FirstColumn, "kartavo");
  for (const auto& peer : table.Peers)
    std::printf(" %14s %8s", peer.c_str(), "ratio");
  std::printf(" %s\n", table.ExtraColumn ? table.ExtraColumn : "");
  for (const auto& op : operations) {
    const double own = figure("kartavo", op);
    if (own == 0) continue; // filtered out
    std::printf("%-18s %10.1f", op.c_str(), own);
    for (const auto& peer : table.Peers) {
      const double other = figure(peer, op);
      if (other > 0)
        std::printf(" %14.1f %7.2fx", other, table.FiguresAreRates ? own / other : other / own);
      else
        std::printf(" %14s %8s", "-", "-");
    }
    std::printf(" %s\n", table.Extra ? table.Extra(op).c_str() : "");
  }
}

// The table of the geodesy benchmarks: CPU nanoseconds a point against PROJ and
// GeographicLib.
inline TPeerTable GeodesyPeerTable() {
  return {.Heading = "CPU ns/point (ratio = peer time / kartavo time; above 1: kartavo is faster)",
          .FirstColumn = "routine",
          .Peers = {"PROJ", "GeographicLib"},
          .FiguresAreRates = false,
          .ExtraColumn = nullptr,
          .Extra = {}};
}

// The main program of a benchmark: runs the selected benchmarks, then prints
// the summary from what the reporter kept.
inline int RunBenchmarks(int argc, char** argv,
                         const std::function<void(const TCollectingReporter&)>& summary) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TCollectingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  summary(reporter);
  benchmark::Shutdown();
  return 0;
}

} // namespace kartavo::bench
