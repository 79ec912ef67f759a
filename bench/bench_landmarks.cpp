// The landmark layer on a 1920 x 1080 canvas: 20 000 landmarks in view
// (default blue crosses with white halos), and the same with 2 000 captions;
// cairo draws the same scene (same conversions, same crosses and halos,
// aliased 1-pixel lines, captions through its text API) in the same run.
// Loading a landmark file of 100 000 landmarks.
#include "bench_support.h"

#include "kartavo/framework/bitmap.h"
#include "kartavo/framework/canvas.h"
#include "kartavo/geomap/calib_fits.h"
#include "kartavo/geomap/landmarks/landmark_layer.h"
#include "kartavo/geomap/landmarks/landmark_xml.h"

#ifdef KARTAVO_HAVE_CAIRO
#include <cairo.h>
#endif

#include <cstdio>
#include <filesystem>
#include <random>
#include <unistd.h>
#include <vector>

namespace {
using namespace kartavo;

constexpr int kW = 1920, kH = 1080;
constexpr int kLandmarks = 20000, kCaptions = 2000;

// A map of 1920 x 1080 pixels from 60N 0E to 40N 40E (equirectangular).
struct TBenchMap {
  TCalibData Calib;
  TModelParams Pars;
  tessaro::TMatrix Grat{5, 1};
  TBenchMap() {
    Calib.UTMZone = -1;
    Calib.NumCalQuads = 4;
    Calib.CalQuads[1] = {60, 0, 0, 0};
    Calib.CalQuads[2] = {60, 40, kW, 0};
    Calib.CalQuads[3] = {40, 0, 0, kH};
    Calib.CalQuads[4] = {40, 40, kW, kH};
    CalcEquiRectCalibration(Calib, Pars);
  }
  TGeoRef Ref() const { return {cmEquiRect, Calib, Pars, Grat}; }
};

const TBenchMap& Map() {
  static TBenchMap map;
  return map;
}

std::vector<TLandMark> Scene(int captions) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> lat(40.2, 59.8), lon(0.2, 39.8);
  std::vector<TLandMark> lms(kLandmarks, DefaultLandMark());
  for (int i = 0; i < kLandmarks; ++i) {
    lms[i].Latitude = lat(rng);
    lms[i].Longitude = lon(rng);
    if (captions > 0 && i % (kLandmarks / captions) == 0)
      lms[i].Caption.Text = "Place " + std::to_string(i);
  }
  return lms;
}

void LayerBench(benchmark::State& state, int captions) {
  const auto lms = Scene(captions);
  fw::TBitmap bmp;
  bmp.SetPixelFormat(fw::pf24bit);
  bmp.SetSize(kW, kH);
  TLandmarkLayerData data;
  data.LandMarks = lms;
  const TLandmarkView view{{0, 0}, 1.0, kW, kH};
  int drawn = 0;
  for (auto _ : state)
    drawn = DrawLandmarkLayer(*bmp.Canvas(), data, Map().Ref(), view, {});
  if (drawn != kLandmarks) state.SkipWithError("not every landmark was drawn");
  state.SetItemsProcessed(state.iterations() * kLandmarks);
}

void BM_kartavo_Layer20kSymbols(benchmark::State& state) { LayerBench(state, 0); }
void BM_kartavo_Layer20kSymbols2kCaptions(benchmark::State& state) { LayerBench(state, kCaptions); }
BENCHMARK(BM_kartavo_Layer20kSymbols)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_kartavo_Layer20kSymbols2kCaptions)->Unit(benchmark::kMillisecond);

#ifdef KARTAVO_HAVE_CAIRO
void CairoLine(cairo_t* cr, double x0, double y0, double x1, double y1) {
  cairo_move_to(cr, x0 + 0.5, y0 + 0.5);
  cairo_line_to(cr, x1 + 0.5, y1 + 0.5);
}

void CairoBench(benchmark::State& state, int captions) {
  const auto lms = Scene(captions);
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kW, kH);
  cairo_t* cr = cairo_create(surface);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_set_line_width(cr, 1.0);
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 11);
  const TGeoRef ref = Map().Ref();
  for (auto _ : state) {
    for (const TLandMark& lm : lms) {
      int mx = 0, my = 0;
      if (!CalcPixelCoords(ref, lm.Latitude, lm.Longitude, mx, my)) continue;
      const quillon::TPoint p = MapImageToControl({mx, my}, {0, 0}, 1.0);
      const double x = p.X, y = p.Y, s = lm.SymbolProps.Size;
      cairo_set_source_rgb(cr, 1, 1, 1);
      for (int i = -1; i <= 1; ++i)
        for (int j = -1; j <= 1; ++j) {
          CairoLine(cr, x + s + i, y - s + j, x - s + i - 1, y + s + j + 1);
          CairoLine(cr, x - s + i, y - s + j, x + s + i + 1, y + s + j + 1);
        }
      cairo_stroke(cr);
      cairo_set_source_rgb(cr, 0, 0, 1);
      CairoLine(cr, x - s, y - s, x + s + 1, y + s + 1);
      CairoLine(cr, x - s, y + s, x + s + 1, y - s - 1);
      cairo_stroke(cr);
      if (!lm.Caption.Text.Empty()) {
        const std::string text = lm.Caption.Text.ToString();
        cairo_text_extents_t e;
        cairo_text_extents(cr, text.c_str(), &e);
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_move_to(cr, x - e.x_advance / 2, y + 8 + 11);
        cairo_show_text(cr, text.c_str());
      }
    }
  }
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  state.SetItemsProcessed(state.iterations() * kLandmarks);
}

void BM_cairo_Layer20kSymbols(benchmark::State& state) { CairoBench(state, 0); }
void BM_cairo_Layer20kSymbols2kCaptions(benchmark::State& state) { CairoBench(state, kCaptions); }
BENCHMARK(BM_cairo_Layer20kSymbols)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_cairo_Layer20kSymbols2kCaptions)->Unit(benchmark::kMillisecond);
#endif

void BM_kartavo_Load100kLandmarkFile(benchmark::State& state) {
  const std::string file = (std::filesystem::temp_directory_path() /
                            ("kartavo-bench-lm-" + std::to_string(::getpid()) + ".xml"))
                               .string();
  std::vector<TLandMark> lms;
  for (int k = 0; k < 5; ++k) {
    auto part = Scene(kCaptions);
    lms.insert(lms.end(), part.begin(), part.end());
  }
  SaveLandMarkFile(file, "bench", lms);
  std::vector<TLandMark> back;
  for (auto _ : state) {
    back.clear();
    LoadLandMarkFile(file, "bench", back);
  }
  std::filesystem::remove(file);
  if (back != lms) state.SkipWithError("the file did not read back equal");
  state.SetItemsProcessed(state.iterations() * int64_t(lms.size()));
}
BENCHMARK(BM_kartavo_Load100kLandmarkFile)->Unit(benchmark::kMillisecond);

void PrintSummary(const kartavo::bench::TCollectingReporter& reporter) {
  std::map<std::string, double> ms;
  for (const auto& [name, ns] : reporter.NsPerIteration)
    ms[name] = ns / 1e6;
  kartavo::bench::PrintPeerTable(
      {.Heading = "CPU ms per layer of 20 000 landmarks on 1920 x 1080 (ratio = cairo / kartavo; "
                  "above 1: kartavo is faster)",
       .FirstColumn = "scene",
       .Peers = {"cairo"},
       .FiguresAreRates = false,
       .ExtraColumn = "target",
       .Extra =
           [](const std::string& op) {
             return op == "Layer20kSymbols"             ? "< 4 ms"
                    : op == "Layer20kSymbols2kCaptions" ? "< 6 ms"
                                                        : "< 150 ms";
           }},
      {"Layer20kSymbols", "Layer20kSymbols2kCaptions", "Load100kLandmarkFile"}, ms);
}

} // namespace

int main(int argc, char** argv) { return kartavo::bench::RunBenchmarks(argc, argv, PrintSummary); }
