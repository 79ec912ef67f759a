// Canvas speed: stretch copies (halftone halving of 2000 x 1500, nearest
// doubling of a 960 x 540 region to 1920 x 1080) in 15-, 24- and 32-bit
// formats, rectangle fills and line drawing. With pixman installed, its
// nearest and box-filter scaling run on the same images in the same run and
// the summary prints the ratios (output megapixels per second). pixman's own
// fast paths are 32-bit (x8r8g8b8); its 24-bit format takes the slow path.
#include "kartavo/framework/bitmap.h"

#include "bench_support.h"

#include <benchmark/benchmark.h>

#ifdef KARTAVO_HAVE_PIXMAN
#include <pixman.h>
#endif

#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>

namespace {

using namespace fw;

std::unique_ptr<TBitmap> Picture(int w, int h, TPixelFormat format) {
  auto bmp = std::make_unique<TBitmap>();
  bmp->SetPixelFormat(format);
  bmp->SetSize(w, h);
  // A smooth picture with some noise, like a scanned map.
  std::mt19937 rng(1);
  auto img = bmp->PixelImage();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      bmp->Canvas()->SetPixels(x, y,
                               RGB(uint8_t(x * 255 / w), uint8_t(y * 255 / h), uint8_t(rng())));
  return bmp;
}

const TBitmap& Source(TPixelFormat format) {
  static std::map<TPixelFormat, std::unique_ptr<TBitmap>> cache;
  auto& p = cache[format];
  if (!p) p = Picture(2000, 1500, format);
  return *p;
}

struct TCase {
  int dw, dh;
  TRect source;
  TStretchBltMode mode;
};
const TCase kHalve{1000, 750, Rect(0, 0, 2000, 1500), HALFTONE};
const TCase kDouble{1920, 1080, Rect(100, 100, 1060, 640), COLORONCOLOR};

void RunKartavo(benchmark::State& state, TPixelFormat format, const TCase& c) {
  const TBitmap& src = Source(format);
  TBitmap dst;
  dst.SetPixelFormat(format);
  dst.SetSize(c.dw, c.dh);
  dst.Canvas()->SetStretchBltMode(c.mode);
  for (auto _ : state) {
    dst.Canvas()->CopyRect(Rect(0, 0, c.dw, c.dh), src.Canvas(), c.source);
    benchmark::DoNotOptimize(dst.PixelImage().Bits.data());
  }
  state.SetItemsProcessed(state.iterations() * int64_t{c.dw} * c.dh);
}

void BM_kartavo_Halftone15(benchmark::State& s) { RunKartavo(s, pf15bit, kHalve); }
void BM_kartavo_Halftone24(benchmark::State& s) { RunKartavo(s, pf24bit, kHalve); }
void BM_kartavo_Nearest15(benchmark::State& s) { RunKartavo(s, pf15bit, kDouble); }
void BM_kartavo_Nearest24(benchmark::State& s) { RunKartavo(s, pf24bit, kDouble); }
void BM_kartavo_Halftone32(benchmark::State& s) { RunKartavo(s, pf32bit, kHalve); }
void BM_kartavo_Nearest32(benchmark::State& s) { RunKartavo(s, pf32bit, kDouble); }
BENCHMARK(BM_kartavo_Halftone15)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_kartavo_Halftone24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_kartavo_Nearest15)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_kartavo_Nearest24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_kartavo_Halftone32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_kartavo_Nearest32)->Unit(benchmark::kMillisecond);

#ifdef KARTAVO_HAVE_PIXMAN
pixman_format_code_t PixmanFormat(TPixelFormat f) {
  return f == pf15bit ? PIXMAN_x1r5g5b5 : f == pf32bit ? PIXMAN_x8r8g8b8 : PIXMAN_r8g8b8;
}

pixman_image_t* Wrap(const TPixelImage& img) {
  return pixman_image_create_bits(
      PixmanFormat(img.Format), img.Width, img.Height,
      const_cast<uint32_t*>(reinterpret_cast<const uint32_t*>(img.Bits.data())),
      static_cast<int>(img.Stride()));
}

void RunPixman(benchmark::State& state, TPixelFormat format, const TCase& c) {
  const TBitmap& src = Source(format);
  TBitmap dst;
  dst.SetPixelFormat(format);
  dst.SetSize(c.dw, c.dh);
  pixman_image_t* s = Wrap(src.PixelImage());
  pixman_image_t* d = Wrap(dst.PixelImage());
  const double sx = double(c.source.Width()) / c.dw, sy = double(c.source.Height()) / c.dh;
  pixman_transform_t t;
  pixman_transform_init_scale(&t, pixman_double_to_fixed(sx), pixman_double_to_fixed(sy));
  t.matrix[0][2] = pixman_int_to_fixed(c.source.Left);
  t.matrix[1][2] = pixman_int_to_fixed(c.source.Top);
  pixman_image_set_transform(s, &t);
  if (c.mode == HALFTONE) {
    int n = 0;
    pixman_fixed_t* params = pixman_filter_create_separable_convolution(
        &n, pixman_double_to_fixed(sx), pixman_double_to_fixed(sy), PIXMAN_KERNEL_IMPULSE,
        PIXMAN_KERNEL_IMPULSE, PIXMAN_KERNEL_BOX, PIXMAN_KERNEL_BOX, 1, 1);
    pixman_image_set_filter(s, PIXMAN_FILTER_SEPARABLE_CONVOLUTION, params, n);
    free(params);
  } else {
    pixman_image_set_filter(s, PIXMAN_FILTER_NEAREST, nullptr, 0);
  }
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_SRC, s, nullptr, d, 0, 0, 0, 0, 0, 0, c.dw, c.dh);
    benchmark::DoNotOptimize(dst.PixelImage().Bits.data());
  }
  state.SetItemsProcessed(state.iterations() * int64_t{c.dw} * c.dh);
  pixman_image_unref(s);
  pixman_image_unref(d);
}

void BM_pixman_Halftone15(benchmark::State& s) { RunPixman(s, pf15bit, kHalve); }
void BM_pixman_Halftone24(benchmark::State& s) { RunPixman(s, pf24bit, kHalve); }
void BM_pixman_Nearest15(benchmark::State& s) { RunPixman(s, pf15bit, kDouble); }
void BM_pixman_Nearest24(benchmark::State& s) { RunPixman(s, pf24bit, kDouble); }
void BM_pixman_Halftone32(benchmark::State& s) { RunPixman(s, pf32bit, kHalve); }
void BM_pixman_Nearest32(benchmark::State& s) { RunPixman(s, pf32bit, kDouble); }
BENCHMARK(BM_pixman_Halftone15)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_pixman_Halftone24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_pixman_Nearest15)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_pixman_Nearest24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_pixman_Halftone32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_pixman_Nearest32)->Unit(benchmark::kMillisecond);
#endif

void BM_FillRect(benchmark::State& state) {
  TBitmap bmp;
  bmp.SetPixelFormat(static_cast<TPixelFormat>(state.range(0)));
  bmp.SetSize(1920, 1080);
  uint32_t colour = 0;
  for (auto _ : state) {
    bmp.Canvas()->Brush()->SetColor(colour += 0x010203);
    bmp.Canvas()->FillRect(Rect(0, 0, 1920, 1080));
  }
  state.SetItemsProcessed(state.iterations() * 1920 * 1080);
}
BENCHMARK(BM_FillRect)->Arg(pf15bit)->Arg(pf24bit)->Unit(benchmark::kMicrosecond);

// Random thin and 3-pixel lines across a 1920 x 1080 bitmap, partly outside it.
void BM_Lines(benchmark::State& state) {
  TBitmap bmp;
  bmp.SetSize(1920, 1080);
  TCanvas* c = bmp.Canvas();
  c->Pen()->SetWidth(static_cast<int>(state.range(0)));
  c->Pen()->SetMode(state.range(1) ? pmXor : pmCopy);
  std::mt19937 rng(2);
  std::vector<TPoint> pts(1001);
  for (TPoint& p : pts)
    p = Point(int(rng() % 2400) - 240, int(rng() % 1400) - 160);
  for (auto _ : state) {
    c->MoveTo(pts[0].X, pts[0].Y);
    for (size_t i = 1; i < pts.size(); ++i)
      c->LineTo(pts[i].X, pts[i].Y);
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_Lines)->Args({1, 0})->Args({1, 1})->Args({3, 0})->Unit(benchmark::kMillisecond);

// ---- summary -------------------------------------------------------------------

void PrintSummary(const kartavo::bench::TCollectingReporter& reporter) {
  std::map<std::string, double> megapixels;
  for (const auto& [name, ips] : reporter.ItemsPerSecond)
    megapixels[name] = ips / 1e6;
  const kartavo::bench::TPeerTable table{
      .Heading = "Output megapixels per second (ratio = kartavo / pixman; above 1: kartavo faster)",
      .FirstColumn = "stretch",
      .Peers = {"pixman"},
      .FiguresAreRates = true,
      .ExtraColumn = "target",
      .Extra = [](const std::string& op) {
        return std::to_string(op.rfind("Halftone", 0) == 0 ? 100 : 400);
      }};
  kartavo::bench::PrintPeerTable(
      table, {"Halftone15", "Halftone24", "Halftone32", "Nearest15", "Nearest24", "Nearest32"},
      megapixels);
}

} // namespace

int main(int argc, char** argv) { return kartavo::bench::RunBenchmarks(argc, argv, PrintSummary); }
