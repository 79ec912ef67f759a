#include "kartavo/framework/detail/row_kernels.h"

#include "kartavo/framework/detail/pixel_value.h"

#include <array>
#include <cstring>
#include <memory>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define FW_ROW_KERNELS_SSSE3 1
#include <immintrin.h>
#endif

namespace fw {

static_assert([] {
  for (uint32_t i = 0; i < 32; ++i)
    if (Level5(i) != From5Bits(static_cast<uint8_t>(i))) return false;
  for (uint32_t i = 0; i < 256; ++i)
    if (Round5(i) != To5Bits(static_cast<uint8_t>(i))) return false;
  return true;
}());

namespace {

// The blue, green, red bytes of every 15-bit word, in the low three bytes.
const std::array<uint32_t, 32768>& Words15() {
  static const auto table = [] {
    auto t = std::make_unique<std::array<uint32_t, 32768>>();
    for (uint32_t w = 0; w < 32768; ++w)
      (*t)[w] = Level5(w & 31) | Level5((w >> 5) & 31) << 8 | Level5((w >> 10) & 31) << 16;
    return t;
  }();
  return *table;
}

void Expand15Plain(const uint8_t* in, int n, uint8_t* out) {
  if (n <= 0) return;
  const std::array<uint32_t, 32768>& table = Words15();
  auto word = [&](int i) { return (in[2 * i] | uint32_t{in[2 * i + 1]} << 8) & 0x7FFF; };
  // Four bytes a pixel, the fourth overwritten by the next pixel's first.
  for (int i = 0; i + 1 < n; ++i)
    std::memcpy(out + 3 * i, &table[word(i)], 4);
  std::memcpy(out + 3 * (n - 1), &table[word(n - 1)], 3);
}

#ifdef FW_ROW_KERNELS_SSSE3
__attribute__((target("ssse3"))) __m128i Level5x8(__m128i c5) {
  const __m128i scaled = _mm_mullo_epi16(c5, _mm_set1_epi16(527));
  return _mm_srli_epi16(_mm_add_epi16(scaled, _mm_set1_epi16(23)), 6);
}

// Eight pixels a step; returns how many pixels were done. Each step stores
// 28 bytes of which the last 4 are the next step's, so steps stop 10 pixels
// before the end.
__attribute__((target("ssse3"))) int Expand15Ssse3(const uint8_t* in, int n, uint8_t* out) {
  const __m128i five = _mm_set1_epi16(31);
  // Pixels as 32-bit blue, green, red, 0 packed to 12 bytes.
  const __m128i pack = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
  int i = 0;
  for (; i + 10 <= n; i += 8) {
    const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 2 * i));
    const __m128i b = Level5x8(_mm_and_si128(w, five));
    const __m128i g = Level5x8(_mm_and_si128(_mm_srli_epi16(w, 5), five));
    const __m128i r = Level5x8(_mm_and_si128(_mm_srli_epi16(w, 10), five));
    const __m128i bg = _mm_or_si128(b, _mm_slli_epi16(g, 8));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 3 * i),
                     _mm_shuffle_epi8(_mm_unpacklo_epi16(bg, r), pack));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 3 * i + 12),
                     _mm_shuffle_epi8(_mm_unpackhi_epi16(bg, r), pack));
  }
  return i;
}

__attribute__((target("avx2"))) __m256i Level5x16(__m256i c5) {
  const __m256i scaled = _mm256_mullo_epi16(c5, _mm256_set1_epi16(527));
  return _mm256_srli_epi16(_mm256_add_epi16(scaled, _mm256_set1_epi16(23)), 6);
}

// Sixteen 15-bit words as four pieces of 12 bytes (four triplets each,
// then 4 zero bytes).
__attribute__((target("avx2"))) inline void Expand16(__m256i w, __m256i pack, __m128i* c) {
  const __m256i five = _mm256_set1_epi16(31);
  const __m256i b = Level5x16(_mm256_and_si256(w, five));
  const __m256i g = Level5x16(_mm256_and_si256(_mm256_srli_epi16(w, 5), five));
  const __m256i r = Level5x16(_mm256_and_si256(_mm256_srli_epi16(w, 10), five));
  const __m256i bg = _mm256_or_si256(b, _mm256_slli_epi16(g, 8));
  // Lanes: lo holds pixels 0-3 and 8-11, hi pixels 4-7 and 12-15.
  const __m256i lo = _mm256_shuffle_epi8(_mm256_unpacklo_epi16(bg, r), pack);
  const __m256i hi = _mm256_shuffle_epi8(_mm256_unpackhi_epi16(bg, r), pack);
  c[0] = _mm256_castsi256_si128(lo);
  c[1] = _mm256_castsi256_si128(hi);
  c[2] = _mm256_extracti128_si256(lo, 1);
  c[3] = _mm256_extracti128_si256(hi, 1);
}

// Sixteen pixels a step, as Expand15Ssse3 with twice the width.
__attribute__((target("avx2"))) int Expand15Avx2(const uint8_t* in, int n, uint8_t* out) {
  const __m256i pack = _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1, 0,
                                        1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
  int i = 0;
  for (; i + 18 <= n; i += 16) { // 52 bytes stored, the last 4 the next step's
    __m128i c[4];
    Expand16(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + 2 * i)), pack, c);
    for (int k = 0; k < 4; ++k)
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 3 * i + 12 * k), c[k]);
  }
  return i;
}

bool HaveAvx2() {
  static const bool have = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
  }();
  return have;
}
#endif

} // namespace

bool RowKernelsVectorised() {
#ifdef FW_ROW_KERNELS_SSSE3
  static const bool have = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("ssse3") != 0;
  }();
  return have;
#else
  return false;
#endif
}

void Expand15(const uint8_t* in, int n, uint8_t* out) {
  int done = 0;
#ifdef FW_ROW_KERNELS_SSSE3
  if (HaveAvx2())
    done = Expand15Avx2(in, n, out);
  else if (RowKernelsVectorised())
    done = Expand15Ssse3(in, n, out);
#endif
  Expand15Plain(in + 2 * done, n - done, out + 3 * done);
}

} // namespace fw
