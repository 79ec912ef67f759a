// Image codec speed: JPEG decoding of a 3-megapixel picture through our
// reader against libjpeg-turbo's own decode loop on the same bytes, plus
// JPEG encoding and BMP reading for reference.
#include "kartavo/framework/bmp_codec.h"
#include "kartavo/framework/jpeg_codec.h"
#include "kartavo/framework/stream.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <memory>
#include <random>
#include <vector>

#include <jpeglib.h>

namespace {

constexpr int kWidth = 2048, kHeight = 1536; // 3.1 megapixels

// Gradients, soft waves and a little noise: photo-like content for the coder.
const fw::TPixelImage& Picture() {
  static const fw::TPixelImage img = [] {
    fw::TPixelImage p;
    p.Width = kWidth;
    p.Height = kHeight;
    p.Format = fw::pf24bit;
    p.Bits.resize(static_cast<size_t>(p.Stride() * kHeight));
    std::mt19937 rng(7);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        uint8_t* q = p.Row(y) + 3 * x;
        const double w = 40 * std::sin(x * 0.013) * std::cos(y * 0.021);
        q[0] = static_cast<uint8_t>(std::clamp(x * 255.0 / kWidth + w + (rng() & 7), 0.0, 255.0));
        q[1] = static_cast<uint8_t>(std::clamp(y * 255.0 / kHeight - w + (rng() & 7), 0.0, 255.0));
        q[2] = static_cast<uint8_t>(std::clamp(128 + 1.5 * w + (rng() & 15), 0.0, 255.0));
      }
    return p;
  }();
  return img;
}

const std::vector<uint8_t>& JpegFile() {
  static const std::vector<uint8_t> bytes = [] {
    fw::TMemoryStream s;
    fw::WriteJpeg(s, Picture());
    return std::vector<uint8_t>(s.Memory(), s.Memory() + s.Size());
  }();
  return bytes;
}

// libjpeg-turbo's decode loop as its own tools run it, producing a whole
// picture in a fresh buffer as a reader must.
std::unique_ptr<uint8_t[]> LibjpegDecode(const std::vector<uint8_t>& file) {
  jpeg_decompress_struct info;
  jpeg_error_mgr err;
  info.err = jpeg_std_error(&err);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, file.data(), static_cast<unsigned long>(file.size()));
  jpeg_read_header(&info, TRUE);
  jpeg_start_decompress(&info);
  const size_t stride = size_t{info.output_width} * info.output_components;
  std::unique_ptr<uint8_t[]> pixels(new uint8_t[stride * info.output_height]);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = pixels.get() + stride * info.output_scanline;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return pixels;
}

// Processor time of this thread: the machine may be shared.
double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

void SetPixelRate(benchmark::State& state) {
  state.counters["Mpixel/s"] = benchmark::Counter(
      double(kWidth) * kHeight * state.iterations() / 1e6, benchmark::Counter::kIsRate);
}

void BM_JpegDecode_Kartavo(benchmark::State& state) {
  const auto& file = JpegFile();
  for (auto _ : state) {
    fw::TPixelImage img = fw::DecodeJpeg(file.data(), file.size(), "bench.jpg");
    benchmark::DoNotOptimize(img.Bits.data());
  }
  SetPixelRate(state);
}
BENCHMARK(BM_JpegDecode_Kartavo)->Unit(benchmark::kMillisecond);

void BM_JpegDecode_Libjpeg(benchmark::State& state) {
  const auto& file = JpegFile();
  for (auto _ : state) {
    auto pixels = LibjpegDecode(file);
    benchmark::DoNotOptimize(pixels.get());
  }
  SetPixelRate(state);
}
BENCHMARK(BM_JpegDecode_Libjpeg)->Unit(benchmark::kMillisecond);

// Both decoders in turn within each iteration, timed by this thread's
// processor time so that other work on the machine does not count; reports
// our time over libjpeg's.
void BM_JpegDecode_Ratio(benchmark::State& state) {
  const auto& file = JpegFile();
  double ours = 0, theirs = 0;
  for (auto _ : state) {
    const double t0 = ThreadSeconds();
    fw::TPixelImage img = fw::DecodeJpeg(file.data(), file.size(), "bench.jpg");
    benchmark::DoNotOptimize(img.Bits.data());
    const double t1 = ThreadSeconds();
    auto pixels = LibjpegDecode(file);
    benchmark::DoNotOptimize(pixels.get());
    const double t2 = ThreadSeconds();
    ours += t1 - t0;
    theirs += t2 - t1;
  }
  state.counters["kartavo_ms"] = 1000 * ours / static_cast<double>(state.iterations());
  state.counters["libjpeg_ms"] = 1000 * theirs / static_cast<double>(state.iterations());
  state.counters["ratio"] = ours / theirs;
}
BENCHMARK(BM_JpegDecode_Ratio)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_JpegEncode_Kartavo(benchmark::State& state) {
  for (auto _ : state) {
    fw::TMemoryStream s;
    fw::WriteJpeg(s, Picture());
    benchmark::DoNotOptimize(s.Memory());
  }
  SetPixelRate(state);
}
BENCHMARK(BM_JpegEncode_Kartavo)->Unit(benchmark::kMillisecond);

void BM_BmpRead_Kartavo(benchmark::State& state) {
  fw::TMemoryStream file;
  fw::WriteBmp(file, Picture());
  for (auto _ : state) {
    file.SetPosition(0);
    fw::TPixelImage img = fw::ReadBmp(file, "bench.bmp");
    benchmark::DoNotOptimize(img.Bits.data());
  }
  SetPixelRate(state);
}
BENCHMARK(BM_BmpRead_Kartavo)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
