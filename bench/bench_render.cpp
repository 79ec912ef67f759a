// Rendering speed: a full Paint of a 1920 x 1080 map control over a
// 2000 x 1500 (3-megapixel) map with graticule and 20 000 landmarks, 2 000
// of them captioned, in three views:
//   PaintZoomIn1_5DirectStretch  magnification 1.5, the visible part stretched directly;
//   PaintZoomOut0_5CacheWarm     magnification 0.5, copied from a warm cache;
//   PaintZoomOut0_5CacheRebuild  magnification 0.5, the cache resampled first.
// The same three views without landmarks ("...NoLandmarks") show what the
// image layer, graticule and frame cost on their own.
// cairo draws the same scenes (same picture, scaling filters, graticule
// polylines through the same conversions, a haloed cross per landmark and
// the same captions) into an image surface in the same run.
#include "bench_support.h"

#include "kartavo/framework/bitmap.h"
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/geomap/render/graticule_painter.h"

#include <benchmark/benchmark.h>
#ifdef KARTAVO_HAVE_CAIRO
#include <cairo.h>
#endif

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace kartavo;

constexpr int kMapW = 2000, kMapH = 1500, kCtlW = 1920, kCtlH = 1080;
constexpr int kLandmarks = 20000, kCaptionEvery = 10;

struct TScene {
  double Magnify;
  quillon::TPoint TopLeft;
  bool Rebuild;
};
const TScene kZoomIn{1.5, {300, 250}, false};
const TScene kZoomOut{0.5, {0, 0}, false};
const TScene kRebuild{0.5, {0, 0}, true};

// A picture with the look of a scanned map: soft gradients, noise, a grid.
std::unique_ptr<fw::TBitmap> MapPicture() {
  auto bmp = std::make_unique<fw::TBitmap>();
  bmp->SetPixelFormat(fw::pf24bit);
  bmp->SetSize(kMapW, kMapH);
  std::mt19937 rng(3);
  for (int y = 0; y < kMapH; ++y) {
    uint8_t* row = bmp->ScanLine(y);
    for (int x = 0; x < kMapW; ++x) {
      const bool grid = x % 125 == 0 || y % 125 == 0;
      row[3 * x] = grid ? 60 : uint8_t(140 + y / 20 + rng() % 16);
      row[3 * x + 1] = grid ? 60 : uint8_t(150 + x / 25 + rng() % 16);
      row[3 * x + 2] = grid ? 60 : uint8_t(120 + (x + y) / 40 + rng() % 16);
    }
  }
  return bmp;
}

// Landmarks spread over the map (48N 6E to 44N 12E), every tenth captioned.
std::vector<TLandMark> SceneLandmarks() {
  std::mt19937 rng(5);
  std::uniform_real_distribution<double> lat(44.0, 48.0), lon(6.0, 12.0);
  std::vector<TLandMark> lms(kLandmarks, DefaultLandMark());
  for (int i = 0; i < kLandmarks; ++i) {
    lms[i].Latitude = lat(rng);
    lms[i].Longitude = lon(rng);
    if (i % kCaptionEvery == 0) lms[i].Caption.Text = "Place " + std::to_string(i);
  }
  return lms;
}

#ifdef KARTAVO_HAVE_CAIRO
// ---- cairo -------------------------------------------------------------------

struct TCairoScene {
  cairo_surface_t* Map = nullptr;
  cairo_surface_t* Cache = nullptr;
  cairo_surface_t* Target = nullptr;
  bool CacheValid = false;

  explicit TCairoScene(const fw::TBitmap& picture) {
    Map = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kMapW, kMapH);
    cairo_surface_flush(Map);
    uint8_t* data = cairo_image_surface_get_data(Map);
    const int stride = cairo_image_surface_get_stride(Map);
    for (int y = 0; y < kMapH; ++y) {
      const uint8_t* src = picture.PixelImage().Row(y);
      auto* dst = reinterpret_cast<uint32_t*>(data + y * stride);
      for (int x = 0; x < kMapW; ++x)
        dst[x] = uint32_t(src[3 * x + 2]) << 16 | uint32_t(src[3 * x + 1]) << 8 | src[3 * x];
    }
    cairo_surface_mark_dirty(Map);
    Cache = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kMapW / 2, kMapH / 2);
    Target = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kCtlW, kCtlH);
  }
  ~TCairoScene() {
    cairo_surface_destroy(Map);
    cairo_surface_destroy(Cache);
    cairo_surface_destroy(Target);
  }

  void RebuildCache(double m) {
    cairo_t* cc = cairo_create(Cache);
    cairo_set_operator(cc, CAIRO_OPERATOR_SOURCE);
    cairo_scale(cc, m, m);
    cairo_set_source_surface(cc, Map, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cc), CAIRO_FILTER_GOOD);
    cairo_paint(cc);
    cairo_destroy(cc);
    CacheValid = true;
  }

  void Image(cairo_t* cr, const TScene& s) {
    if (s.Magnify < 2.0 / 3.0) {
      if (s.Rebuild || !CacheValid) RebuildCache(s.Magnify);
      cairo_set_source_surface(cr, Cache, -s.TopLeft.X * s.Magnify, -s.TopLeft.Y * s.Magnify);
      cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
      cairo_paint(cr);
      return;
    }
    cairo_save(cr);
    cairo_scale(cr, s.Magnify, s.Magnify);
    cairo_translate(cr, -s.TopLeft.X, -s.TopLeft.Y);
    cairo_set_source_surface(cr, Map, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
  }

  // Parallels and meridians as 100-segment polylines through the calibration.
  static void Graticule(cairo_t* cr, const TGeoRef& ref, const TRenderView& view) {
    const TGeoExtent e = ExtentOfCorners(ref.CalibData.Corners);
    auto line = [&](double lat0, double lon0, double lat1, double lon1) {
      for (int i = 0; i <= 100; ++i) {
        int x = 0, y = 0;
        CalcPixelCoords(ref, lat0 + i * (lat1 - lat0) / 100, lon0 + i * (lon1 - lon0) / 100, x, y);
        const quillon::TPoint p = view.ToControl(x, y);
        (i ? cairo_line_to : cairo_move_to)(cr, p.X + 0.5, p.Y + 0.5);
      }
    };
    TLineSeries s = LinesBelow(e.LatLow, e.LatHigh, GraticuleDensity(e.LatHigh - e.LatLow, 0));
    for (int i = 0; i < s.Count; ++i)
      line(s.First + i * s.Step, e.LongLow, s.First + i * s.Step, e.LongHigh);
    s = LinesBelow(e.LongLow, e.LongHigh, GraticuleDensity(e.LongHigh - e.LongLow, 0));
    for (int i = 0; i < s.Count; ++i)
      line(e.LatLow, s.First + i * s.Step, e.LatHigh, s.First + i * s.Step);
    cairo_set_source_rgb(cr, 0, 0, 1);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  }

  // A cross of half-size 7 with a white halo per landmark in view, captions
  // centred 8 pixels below.
  static void Landmarks(cairo_t* cr, const std::vector<TLandMark>& lms, const TGeoRef& ref,
                        const TRenderView& view) {
    std::vector<std::pair<quillon::TPoint, const TLandMark*>> shown;
    for (const TLandMark& lm : lms) {
      int x = 0, y = 0;
      if (!CalcPixelCoords(ref, lm.Latitude, lm.Longitude, x, y)) continue;
      const quillon::TPoint p = view.ToControl(x, y);
      if (p.X > 0 && p.Y > 0 && p.X < view.Width && p.Y < view.Height) shown.push_back({p, &lm});
    }
    for (const auto& [p, lm] : shown) {
      cairo_move_to(cr, p.X - 7 + 0.5, p.Y - 7 + 0.5);
      cairo_line_to(cr, p.X + 7 + 0.5, p.Y + 7 + 0.5);
      cairo_move_to(cr, p.X - 7 + 0.5, p.Y + 7 + 0.5);
      cairo_line_to(cr, p.X + 7 + 0.5, p.Y - 7 + 0.5);
    }
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_set_line_width(cr, 3);
    cairo_stroke_preserve(cr);
    cairo_set_source_rgb(cr, 0, 0, 1);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 8 * 96.0 / 72);
    cairo_set_source_rgb(cr, 0, 0, 0);
    for (const auto& [p, lm] : shown) {
      const std::string text = lm->Caption.Text.ToString();
      if (text.empty()) continue;
      cairo_text_extents_t ext;
      cairo_text_extents(cr, text.c_str(), &ext);
      cairo_move_to(cr, p.X - ext.x_advance / 2, p.Y + 8 - ext.y_bearing);
      cairo_show_text(cr, text.c_str());
    }
  }

  void Paint(const TScene& s, const TGeoRef& ref, const std::vector<TLandMark>& lms) {
    const TRenderView view{s.TopLeft, s.Magnify, kCtlW, kCtlH};
    cairo_t* cr = cairo_create(Target);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_source_rgb(cr, 0.75, 0.75, 0.75);
    cairo_paint(cr);
    Image(cr, s);
    Graticule(cr, ref, view);
    Landmarks(cr, lms, ref, view);
    cairo_rectangle(cr, 0.5, 0.5, kCtlW - 1, kCtlH - 1);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_stroke(cr);
    cairo_destroy(cr);
    cairo_surface_flush(Target);
  }
};
#endif

// ---- kartavo -----------------------------------------------------------------

// The control with the scene's map, calibration, graticule and landmarks.
struct BenchMap : TGeoMap {
  BenchMap(const fw::TBitmap& picture, const std::vector<TLandMark>& lms) : TGeoMap(nullptr) {
    SetSuppressPaint(true);
    SetBounds(0, 0, kCtlW, kCtlH);
    SetMapBitMap(&picture);
    SetCalibModel(cmEquiRect);
    AddCalibPoint(48.0, 6.0, 0, 0);
    AddCalibPoint(48.0, 12.0, kMapW, 0);
    AddCalibPoint(44.0, 6.0, 0, kMapH);
    AddCalibPoint(44.0, 12.0, kMapW, kMapH);
    SetShowGraticule(sgLines);
    for (const TLandMark& lm : lms)
      FLandmarks.Append(lm);
    SetSuppressPaint(false);
  }
  void Show(const TScene& s) {
    FView.SetMagnification(s.Magnify);
    FView.SetTopLeft(s.TopLeft);
    if (s.Rebuild) FImage.InvalidateCache();
  }
};

struct TFixture {
  std::unique_ptr<fw::TBitmap> Picture = MapPicture();
  std::vector<TLandMark> LandMarks = SceneLandmarks();
  BenchMap Map{*Picture, LandMarks};
  BenchMap Bare{*Picture, {}}; // the same scene without landmarks
#ifdef KARTAVO_HAVE_CAIRO
  TCairoScene Cairo{*Picture};
#endif
};

TFixture& Fixture() {
  static TFixture f;
  return f;
}

void RunKartavo(benchmark::State& state, const TScene& s, bool landmarks) {
  BenchMap& map = landmarks ? Fixture().Map : Fixture().Bare;
  map.Show(s);
  map.Paint(); // warms the cache where the scene keeps it
  for (auto _ : state) {
    map.Show(s);
    map.Paint();
    benchmark::DoNotOptimize(map.Surface()->PixelImage().Bits.data());
  }
}

#ifdef KARTAVO_HAVE_CAIRO
void RunCairo(benchmark::State& state, const TScene& s, bool landmarks) {
  TFixture& f = Fixture();
  static const std::vector<TLandMark> none;
  const std::vector<TLandMark>& lms = landmarks ? f.LandMarks : none;
  f.Cairo.Paint(s, f.Map.GeoRef(), lms);
  for (auto _ : state)
    f.Cairo.Paint(s, f.Map.GeoRef(), lms);
}

#endif

// The three scenes, each with and without landmarks, painted by one painter;
// registered under the names the summary and earlier figures use.
using TPaintRun = void (*)(benchmark::State&, const TScene&, bool);
void RegisterScenes(const std::string& painter, TPaintRun run) {
  struct TNamed {
    const char *With, *Without; // names with and without landmarks
    const TScene* Scene;
  };
  const TNamed scenes[] = {
      {"ZoomIn1_5DirectStretch", "ZoomIn1_5NoLandmarks", &kZoomIn},
      {"ZoomOut0_5CacheWarm", "ZoomOut0_5CacheWarmNoLandmarks", &kZoomOut},
      {"ZoomOut0_5CacheRebuild", "ZoomOut0_5CacheRebuildNoLandmarks", &kRebuild}};
  for (bool landmarks : {true, false})
    for (const TNamed& n : scenes) {
      const std::string name = "BM_" + painter + "_Paint" + (landmarks ? n.With : n.Without);
      const TScene& scene = *n.Scene;
      benchmark::RegisterBenchmark(name.c_str(), [run, &scene, landmarks](benchmark::State& st) {
        run(st, scene, landmarks);
      })->Unit(benchmark::kMillisecond);
    }
}

void PrintSummary(const kartavo::bench::TCollectingReporter& reporter) {
  std::map<std::string, double> ms;
  for (const auto& [name, ns] : reporter.NsPerIteration)
    ms[name] = ns / 1e6;
  const kartavo::bench::TPeerTable table{
      .Heading = "CPU ms per full rendering (ratio = cairo / kartavo; above 1: kartavo faster)",
      .FirstColumn = "scene",
      .Peers = {"cairo"},
      .ExtraColumn = "target ms",
      .Extra = [](const std::string& op) {
        if (op.ends_with("NoLandmarks")) return "(no landmarks)";
        return op == "PaintZoomOut0_5CacheRebuild" ? "40" : "8";
      }};
  kartavo::bench::PrintPeerTable(table,
                                 {"PaintZoomIn1_5DirectStretch", "PaintZoomOut0_5CacheWarm",
                                  "PaintZoomOut0_5CacheRebuild", "PaintZoomIn1_5NoLandmarks",
                                  "PaintZoomOut0_5CacheWarmNoLandmarks",
                                  "PaintZoomOut0_5CacheRebuildNoLandmarks"},
                                 ms);
}

} // namespace

int main(int argc, char** argv) {
#ifdef KARTAVO_HAVE_CAIRO
  RegisterScenes("cairo", RunCairo);
#endif
  RegisterScenes("kartavo", RunKartavo);
  return kartavo::bench::RunBenchmarks(argc, argv, PrintSummary);
}
