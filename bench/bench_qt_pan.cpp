// Frame time while panning a 1920 x 1080 map window over a 3-megapixel map
// (render and present, up to the X server having the pixels), zoomed in and
// zoomed out, under a real X server (run it with xvfb-run). The peer is a
// plain Qt widget that draws the same picture scaled with QPainter, the way
// a Qt program without kartavo would pan an image. Wall time: the X
// server's share of presenting runs in another process.
#include "bench_support.h"

#include "kartavo/backend_qt/geomap_widget.h"
#include "kartavo/backend_qt/pixel_image_qt.h"
#include "kartavo/backend_qt/qt_backend.h"

#include <QApplication>
#include <QPainter>
#include <QTest>

namespace {

constexpr int kWindowW = 1920, kWindowH = 1080, kMapW = 2000, kMapH = 1500;

fw::TBitmap& MapPicture() {
  static fw::TBitmap* bmp = [] {
    auto* b = new fw::TBitmap;
    b->SetSize(kMapW, kMapH);
    for (int y = 0; y < kMapH; ++y) {
      uint8_t* row = b->ScanLine(y);
      for (int x = 0; x < kMapW; ++x) {
        row[3 * x] = static_cast<uint8_t>(x * 7 + y);
        row[3 * x + 1] = static_cast<uint8_t>(y * 3);
        row[3 * x + 2] = static_cast<uint8_t>((x ^ y) & 0xFF);
      }
    }
    return b;
  }();
  return *bmp;
}

kartavo::qt::GeoMapWidget& MapView() {
  static kartavo::qt::GeoMapWidget* view = [] {
    auto* v = new kartavo::qt::GeoMapWidget;
    kartavo::TGeoMap& map = v->Map();
    map.SetMapBitMap(&MapPicture());
    map.SetCalibModel(kartavo::cmEquiRect);
    map.AddCalibPoint(48.0, 6.0, 0, 0);
    map.AddCalibPoint(48.0, 12.0, kMapW, 0);
    map.AddCalibPoint(44.0, 6.0, 0, kMapH);
    map.SetShowGraticule(kartavo::sgLines);
    map.SetConfinePanToMapImage(false);
    v->resize(kWindowW, kWindowH);
    v->show();
    (void)QTest::qWaitForWindowExposed(v);
    return v;
  }();
  return *view;
}

// Pans one step (alternating, so the view stays over the map), renders, and
// has the window repainted and the X server done with it.
void BM_kartavo_Pan(benchmark::State& state, double magnification, bool present = true) {
  kartavo::qt::GeoMapWidget& view = MapView();
  kartavo::TGeoMap& map = view.Map();
  map.SetMagnification(magnification);
  int step = 0;
  for (auto _ : state) {
    const int dx = (step++ / 20) % 2 ? -8 : 8;
    map.SetTopLeft({map.TopLeft().X + dx, map.TopLeft().Y + dx / 2});
    if (!present) continue;
    kartavo::qt::QtBackend()->Flush();
    view.repaint();
    QGuiApplication::sync();
  }
}

class TImagePanner : public QWidget {
public:
  QImage Picture = kartavo::qt::ImageView(MapPicture().PixelImage());
  QPointF TopLeft;
  double Magnification = 1;

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::gray);
    const QRectF source(TopLeft, QSizeF(width() / Magnification, height() / Magnification));
    p.drawImage(QRectF(rect()), Picture, source);
  }
};

void BM_Qt_Pan(benchmark::State& state, double magnification) {
  static TImagePanner* panner = [] {
    auto* p = new TImagePanner;
    p->resize(kWindowW, kWindowH);
    p->show();
    (void)QTest::qWaitForWindowExposed(p);
    return p;
  }();
  panner->Magnification = magnification;
  int step = 0;
  for (auto _ : state) {
    const int dx = (step++ / 20) % 2 ? -8 : 8;
    panner->TopLeft += QPointF(dx, dx / 2);
    panner->repaint();
    QGuiApplication::sync();
  }
}

void BM_kartavo_PanZoomedIn(benchmark::State& s) { BM_kartavo_Pan(s, 2.0); }
void BM_kartavo_PanOneToOne(benchmark::State& s) { BM_kartavo_Pan(s, 1.0); }
void BM_kartavo_PanZoomedOut(benchmark::State& s) { BM_kartavo_Pan(s, 0.5); }
// The rendering alone, to tell its share from presenting's.
void BM_kartavo_RenderZoomedIn(benchmark::State& s) { BM_kartavo_Pan(s, 2.0, false); }
void BM_kartavo_RenderZoomedOut(benchmark::State& s) { BM_kartavo_Pan(s, 0.5, false); }
void BM_Qt_PanZoomedIn(benchmark::State& s) { BM_Qt_Pan(s, 2.0); }
void BM_Qt_PanOneToOne(benchmark::State& s) { BM_Qt_Pan(s, 1.0); }
void BM_Qt_PanZoomedOut(benchmark::State& s) { BM_Qt_Pan(s, 0.5); }

BENCHMARK(BM_kartavo_PanZoomedIn)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_kartavo_PanOneToOne)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_kartavo_PanZoomedOut)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_kartavo_RenderZoomedIn)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_kartavo_RenderZoomedOut)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Qt_PanZoomedIn)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Qt_PanOneToOne)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Qt_PanZoomedOut)->Unit(benchmark::kMillisecond)->UseRealTime();

// Keeps the wall milliseconds of a frame for the table.
class TWallReporter : public benchmark::ConsoleReporter {
public:
  std::map<std::string, double> Ms;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (!r.error_occurred && r.run_type == Run::RT_Iteration)
        Ms[r.run_name.function_name] = r.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
};

} // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  kartavo::qt::InstallBackend();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TWallReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  kartavo::bench::PrintPeerTable(
      {.Heading = "wall ms a frame, 1920x1080 window, 2000x1500 map, target < 16 ms "
                  "(ratio = Qt time / kartavo time; above 1: kartavo is faster)",
       .FirstColumn = "panning",
       .Peers = {"Qt"},
       .FiguresAreRates = false,
       .ExtraColumn = nullptr,
       .Extra = {}},
      {"PanZoomedIn", "PanOneToOne", "PanZoomedOut"}, reporter.Ms);
  benchmark::Shutdown();
  return 0;
}
