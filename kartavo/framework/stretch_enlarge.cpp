#include "kartavo/framework/detail/stretch_enlarge.h"

#include "kartavo/framework/detail/row_kernels.h"
#include "kartavo/framework/detail/triplet_sink.h"

#include <algorithm>
#include <cstring>
#include <type_traits>
#include <vector>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define FW_ENLARGE_VECTOR 1
#include <immintrin.h>
#endif

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC optimize("O3")
#endif

namespace fw {

namespace {

// Destination pixels one shuffle step makes, and the source bytes it reads.
constexpr int kBlock = 4;
constexpr int kWindow = 16;

// The source pixels under a destination pixel along one axis, with their
// weights (of 256); Second is First with weight 0 when there is only one.
struct TTaps {
  int First, Second;
  uint16_t WFirst, WSecond;
  friend bool operator==(const TTaps&, const TTaps&) = default;
};

TTaps TapsOf(const TStretchAxis& a, int i) {
  const uint16_t* w = a.Weights.data() + a.TapOffset[i];
  if (a.TapCount(i) == 1) return {a.TapFirst[i], a.TapFirst[i], w[0], 0};
  return {a.TapFirst[i], a.TapFirst[i] + 1, w[0], w[1]};
}

int MostTaps(const TStretchAxis& a) {
  int most = 0;
  for (int i = 0; i < a.Count; ++i)
    most = std::max(most, a.TapCount(i));
  return most;
}

// Four destination pixels' shuffles and weights, in lanes of 16 bits: blue
// of pixels 0-3 then green of pixels 0-3 (by first and by second source
// pixel), and red of pixels 0-3 by their first then by their second.
struct alignas(16) TColumnBlock {
  uint8_t BgFirst[16], BgSecond[16], Red[16];
  uint16_t WFirst[8], WSecond[8], WRed[8];
};

// Where averaged rows go: 15-bit words, blue, green, red triplets, or
// 32-bit values.
struct TWordSink {
  uint8_t* Out;
  static constexpr int Bytes = 2;
  void operator()(int i, uint32_t b, uint32_t g, uint32_t r) const {
    const auto w = static_cast<uint16_t>(Round5(r) << 10 | Round5(g) << 5 | Round5(b));
    std::memcpy(Out + 2 * i, &w, 2);
  }
};
struct TQuadSink {
  uint8_t* Out;
  static constexpr int Bytes = 4;
  void operator()(int i, uint32_t b, uint32_t g, uint32_t r) const {
    const uint32_t v = b | g << 8 | r << 16;
    std::memcpy(Out + 4 * i, &v, 4);
  }
};

// Blends along the column one or two rows averaged along the row (planes of
// blue, green, red sums) into n destination pixels.
template <int Taps, class Sink>
inline __attribute__((always_inline)) void BlendBody(const uint16_t* s0, const uint16_t* s1,
                                                     size_t plane, int n, uint32_t w0, uint32_t w1,
                                                     uint8_t* out) {
  const Sink sink{out};
  const uint16_t *b0 = s0, *g0 = s0 + plane, *r0 = s0 + 2 * plane;
  const uint16_t *b1 = s1, *g1 = s1 + plane, *r1 = s1 + 2 * plane;
  for (int i = 0; i < n; ++i) {
    if constexpr (Taps == 1) // weight 256: (256 s + 32768) >> 16
      sink(i, (b0[i] + 128u) >> 8, (g0[i] + 128u) >> 8, (r0[i] + 128u) >> 8);
    else
      sink(i, (w0 * b0[i] + w1 * b1[i] + 32768) >> 16, (w0 * g0[i] + w1 * g1[i] + 32768) >> 16,
           (w0 * r0[i] + w1 * r1[i] + 32768) >> 16);
  }
}

using TBlend = void (*)(const uint16_t*, const uint16_t*, size_t, int, uint32_t, uint32_t,
                        uint8_t*);

template <int Taps, class Sink>
void BlendPlain(const uint16_t* s0, const uint16_t* s1, size_t plane, int n, uint32_t w0,
                uint32_t w1, uint8_t* out) {
  BlendBody<Taps, Sink>(s0, s1, plane, n, w0, w1, out);
}

#ifdef FW_ENLARGE_VECTOR
template <int Taps, class Sink>
__attribute__((target("avx2"))) void BlendAvx2(const uint16_t* s0, const uint16_t* s1, size_t plane,
                                               int n, uint32_t w0, uint32_t w1, uint8_t* out) {
  BlendBody<Taps, Sink>(s0, s1, plane, n, w0, w1, out);
}

#define FW_AVX2 __attribute__((target("avx2"), always_inline)) inline

FW_AVX2 __m256i Load16(const uint16_t* p) {
  return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

// Sixteen channel values of rows blended with weights w0 and w1 (of 256):
// by multiply-add on signed 16-bit lanes, the sums less 32768 times the
// weights.
FW_AVX2 __m256i Blend2x16(const uint16_t* s0, const uint16_t* s1, __m256i weights) {
  const __m256i flip = _mm256_set1_epi16(static_cast<short>(0x8000));
  const __m256i bias = _mm256_set1_epi32(32768 * 256 + 32768);
  const __m256i a = _mm256_xor_si256(Load16(s0), flip), b = _mm256_xor_si256(Load16(s1), flip);
  const __m256i lo = _mm256_madd_epi16(_mm256_unpacklo_epi16(a, b), weights);
  const __m256i hi = _mm256_madd_epi16(_mm256_unpackhi_epi16(a, b), weights);
  return _mm256_packus_epi32(_mm256_srli_epi32(_mm256_add_epi32(lo, bias), 16),
                             _mm256_srli_epi32(_mm256_add_epi32(hi, bias), 16));
}

// Sixteen channel values of one row with weight 256.
FW_AVX2 __m256i Blend1x16(const uint16_t* s0) {
  return _mm256_srli_epi16(_mm256_add_epi16(Load16(s0), _mm256_set1_epi16(128)), 8);
}

// Round5 on 16-bit lanes.
FW_AVX2 __m256i Round5x16(__m256i c) {
  const __m256i x =
      _mm256_add_epi16(_mm256_mullo_epi16(c, _mm256_set1_epi16(31)), _mm256_set1_epi16(128));
  return _mm256_mulhi_epu16(x, _mm256_set1_epi16(257));
}

// The 15-bit words of sixteen destination pixels a step; returns how many
// pixels were done.
template <int Taps>
__attribute__((target("avx2"))) int BlendWords16(const uint16_t* s0, const uint16_t* s1,
                                                 size_t plane, int n, uint32_t w0, uint32_t w1,
                                                 uint8_t* out) {
  const __m256i weights = _mm256_set1_epi32(static_cast<int>(w0 | w1 << 16));
  int i = 0;
  for (; i + 16 <= n; i += 16) {
    __m256i c[3];
    for (size_t k = 0; k < 3; ++k) {
      const size_t at = static_cast<size_t>(i) + k * plane;
      c[k] = Round5x16(Taps == 1 ? Blend1x16(s0 + at) : Blend2x16(s0 + at, s1 + at, weights));
    }
    const __m256i rg = _mm256_or_si256(_mm256_slli_epi16(c[2], 10), _mm256_slli_epi16(c[1], 5));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 2 * static_cast<size_t>(i)),
                        _mm256_or_si256(rg, c[0]));
  }
  return i;
}

template <int Taps>
__attribute__((target("avx2"))) void BlendWordsAvx2(const uint16_t* s0, const uint16_t* s1,
                                                    size_t plane, int n, uint32_t w0, uint32_t w1,
                                                    uint8_t* out) {
  const int done = BlendWords16<Taps>(s0, s1, plane, n, w0, w1, out);
  BlendBody<Taps, TWordSink>(s0 + done, s1 + done, plane, n - done, w0, w1, out + 2 * done);
}

bool HaveAvx2() {
  static const bool have = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
  }();
  return have;
}

// Averages the blocks marked in use of a source row into the planes.
__attribute__((target("ssse3"))) void AverageBlocks(const uint8_t* row, const TColumnBlock* blocks,
                                                    const int32_t* offsets, const uint8_t* use,
                                                    int count, uint16_t* sums, size_t plane) {
  auto load = [](const void* p) { return _mm_load_si128(static_cast<const __m128i*>(p)); };
  for (int k = 0; k < count; ++k) {
    if (!use[k]) continue;
    const TColumnBlock& c = blocks[k];
    // The row comes from memory: ask for the bytes a few steps ahead.
    _mm_prefetch(reinterpret_cast<const char*>(row + offsets[k]) + 256, _MM_HINT_T0);
    const __m128i src = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + offsets[k]));
    const __m128i first = _mm_mullo_epi16(_mm_shuffle_epi8(src, load(c.BgFirst)), load(c.WFirst));
    const __m128i second =
        _mm_mullo_epi16(_mm_shuffle_epi8(src, load(c.BgSecond)), load(c.WSecond));
    const __m128i bg = _mm_add_epi16(first, second);
    const __m128i red2 = _mm_mullo_epi16(_mm_shuffle_epi8(src, load(c.Red)), load(c.WRed));
    const __m128i red = _mm_add_epi16(red2, _mm_srli_si128(red2, 8));
    uint16_t* at = sums + kBlock * static_cast<size_t>(k);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(at), bg);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(at + plane), _mm_srli_si128(bg, 8));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(at + 2 * plane), red);
  }
}
#endif

template <int Taps, class Sink> TBlend PickBlend() {
#ifdef FW_ENLARGE_VECTOR
  if constexpr (std::is_same_v<Sink, TWordSink>)
    if (HaveAvx2()) return BlendWordsAvx2<Taps>;
  if (HaveAvx2()) return BlendAvx2<Taps, Sink>;
#endif
  return BlendPlain<Taps, Sink>;
}

template <class Sink> std::pair<TBlend, TBlend> BlendsFor() {
  return {PickBlend<1, Sink>(), PickBlend<2, Sink>()};
}

} // namespace

struct TEnlargeStretch::TPlan {
  const TStretchAxis& Cols;
  const TStretchAxis& Rows;
  int SrcWidth;
  bool Fits = true; // every whole block's source bytes lie within its window
  std::vector<TColumnBlock> Blocks;
  std::vector<int32_t> Offsets;  // of each block's window from the row's first triplet
  std::vector<uint8_t> Shuffled; // the block is averaged by the shuffles
  size_t Plane = 0;              // sums per plane
  std::vector<uint16_t> Sums[2]; // two source rows averaged along the row
  int Key[2] = {-1, -1};         // their source rows

  TPlan(const TStretchAxis& cols, const TStretchAxis& rows, int srcWidth)
      : Cols(cols), Rows(rows), SrcWidth(srcWidth) {
    const int blocks = cols.Count / kBlock;
    Blocks.resize(static_cast<size_t>(blocks));
    Offsets.resize(static_cast<size_t>(blocks));
    Shuffled.resize(static_cast<size_t>(blocks));
    for (int k = 0; k < blocks; ++k)
      PlanBlock(k);
    Plane = static_cast<size_t>(blocks + 1) * kBlock;
    for (auto& s : Sums)
      s.resize(3 * Plane);
  }

  void PlanBlock(int k) {
    TTaps t[kBlock];
    int base = INT32_MAX, top = 0;
    for (int j = 0; j < kBlock; ++j) {
      t[j] = TapsOf(Cols, kBlock * k + j);
      base = std::min(base, t[j].First);
      top = std::max(top, t[j].Second);
    }
    if (3 * (top - base + 1) > kWindow) {
      Fits = false;
      return;
    }
    TColumnBlock& c = Blocks[static_cast<size_t>(k)];
    auto lane = [](uint8_t* mask, int i, int byte) {
      mask[2 * i] = static_cast<uint8_t>(byte);
      mask[2 * i + 1] = 0x80; // zero: the lane's high byte
    };
    for (int j = 0; j < kBlock; ++j) {
      const int first = 3 * (t[j].First - base), second = 3 * (t[j].Second - base);
      lane(c.BgFirst, j, first);
      lane(c.BgFirst, j + 4, first + 1);
      lane(c.BgSecond, j, second);
      lane(c.BgSecond, j + 4, second + 1);
      lane(c.Red, j, first + 2);
      lane(c.Red, j + 4, second + 2);
      c.WFirst[j] = c.WFirst[j + 4] = c.WRed[j] = t[j].WFirst;
      c.WSecond[j] = c.WSecond[j + 4] = c.WRed[j + 4] = t[j].WSecond;
    }
    const int offset = 3 * (base - Cols.SourceLo);
    Offsets[static_cast<size_t>(k)] = offset;
    Shuffled[static_cast<size_t>(k)] = offset + kWindow <= 3 * (SrcWidth - Cols.SourceLo);
  }

  // Source row y averaged along the row, kept unless it is keep's slot.
  const uint16_t* Averaged(int y, int keep, const TSourceRow& source) {
    for (int s = 0; s < 2; ++s)
      if (Key[s] == y) return Sums[s].data();
    const int s = Key[0] == keep ? 1 : 0;
    Key[s] = y;
    Average(source(y), Sums[s].data());
    return Sums[s].data();
  }

  void Average(const uint8_t* row, uint16_t* sums) {
    const int blocks = static_cast<int>(Blocks.size());
#ifdef FW_ENLARGE_VECTOR
    AverageBlocks(row, Blocks.data(), Offsets.data(), Shuffled.data(), blocks, sums, Plane);
#endif
    for (int k = 0; k < blocks; ++k)
      if (!Shuffled[static_cast<size_t>(k)])
        for (int i = kBlock * k; i < kBlock * (k + 1); ++i)
          AveragePixel(row, i, sums);
    for (int i = kBlock * blocks; i < Cols.Count; ++i)
      AveragePixel(row, i, sums);
  }

  void AveragePixel(const uint8_t* row, int i, uint16_t* sums) const {
    const TTaps t = TapsOf(Cols, i);
    const uint8_t* a = row + 3 * (t.First - Cols.SourceLo);
    const uint8_t* b = row + 3 * (t.Second - Cols.SourceLo);
    for (int c = 0; c < 3; ++c)
      sums[c * Plane + static_cast<size_t>(i)] =
          static_cast<uint16_t>(t.WFirst * a[c] + t.WSecond * b[c]);
  }

  template <class Sink> void Run(TPixelImage& dst, const TSourceRow& source) {
    const auto [one, two] = BlendsFor<Sink>();
    const size_t bytes = static_cast<size_t>(Sink::Bytes) * static_cast<size_t>(Cols.Count);
    auto rowAt = [&](int j) {
      return dst.Row(Rows.First + j) + static_cast<size_t>(Sink::Bytes) * Cols.First;
    };
    TTaps last{};
    for (int j = 0; j < Rows.Count; ++j) {
      TTaps t = TapsOf(Rows, j);
      if (t.WFirst == 0) t = {t.Second, t.Second, t.WSecond, 0};
      uint8_t* out = rowAt(j);
      if (j > 0 && t == last) { // the same source rows and weights as the row above
        std::memcpy(out, rowAt(j - 1), bytes);
        continue;
      }
      last = t;
      const uint16_t* s0 = Averaged(t.First, t.Second, source);
      if (t.WSecond == 0) {
        one(s0, s0, Plane, Cols.Count, 256, 0, out);
        continue;
      }
      const uint16_t* s1 = Averaged(t.Second, t.First, source);
      two(s0, s1, Plane, Cols.Count, t.WFirst, t.WSecond, out);
    }
  }
};

TEnlargeStretch::TEnlargeStretch(const TStretchAxis& cols, const TStretchAxis& rows, int srcWidth)
    : F(std::make_unique<TPlan>(cols, rows, srcWidth)) {}

TEnlargeStretch::~TEnlargeStretch() = default;

bool TEnlargeStretch::Applies(TPixelFormat dstFormat) const {
#ifdef FW_ENLARGE_VECTOR
  return RowKernelsVectorised() && F->Fits && F->Cols.Count > 0 && F->Rows.Count > 0 &&
         MostTaps(F->Cols) <= 2 && MostTaps(F->Rows) <= 2 &&
         (dstFormat == pf15bit || dstFormat == pf24bit || dstFormat == pf32bit);
#else
  (void)dstFormat;
  return false;
#endif
}

void TEnlargeStretch::Run(TPixelImage& dst, const TSourceRow& source) {
  switch (dst.Format) {
  case pf15bit:
    return F->Run<TWordSink>(dst, source);
  case pf24bit:
    return F->Run<TTripletSink>(dst, source);
  default:
    return F->Run<TQuadSink>(dst, source);
  }
}

} // namespace fw
