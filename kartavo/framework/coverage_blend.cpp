#include "kartavo/framework/detail/coverage_blend.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define KARTAVO_BLEND_X86 1
#endif

namespace fw {
namespace {

// The bytes from i on, one by one.
void BlendTail(uint8_t* row, const uint8_t* coverage, const uint8_t* over, size_t i, size_t n) {
  for (; i < n; ++i)
    if (coverage[i] != 0) row[i] = MixCoverage(row[i], over[i], coverage[i]);
}

#ifdef KARTAVO_BLEND_X86
struct TSse2 {
  using T = __m128i;
  static constexpr size_t Size = 16;
  static T Zero() { return _mm_setzero_si128(); }
  static T Set16(short v) { return _mm_set1_epi16(v); }
  static T Load(const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const T*>(p)); }
  static void Store(uint8_t* p, T v) { _mm_storeu_si128(reinterpret_cast<T*>(p), v); }
  static bool AllZero(T v) { return _mm_movemask_epi8(_mm_cmpeq_epi8(v, Zero())) == 0xFFFF; }
  static T Lo(T v, T z) { return _mm_unpacklo_epi8(v, z); }
  static T Hi(T v, T z) { return _mm_unpackhi_epi8(v, z); }
  static T Pack(T lo, T hi) { return _mm_packus_epi16(lo, hi); }
  static T MulLo(T x, T y) { return _mm_mullo_epi16(x, y); }
  static T MulHi(T x, T y) { return _mm_mulhi_epu16(x, y); }
  static T SubSat(T x, T y) { return _mm_subs_epu16(x, y); }
  static T Add(T x, T y) { return _mm_add_epi16(x, y); }
  static T Sub(T x, T y) { return _mm_sub_epi16(x, y); }
  static T Shr7(T x) { return _mm_srli_epi16(x, 7); }
  static T Eq16(T x, T y) { return _mm_cmpeq_epi16(x, y); }
  static T And(T x, T y) { return _mm_and_si128(x, y); }
  static T AndNot(T x, T y) { return _mm_andnot_si128(x, y); }
  static T Or(T x, T y) { return _mm_or_si128(x, y); }
};

namespace sse2 {
#include "kartavo/framework/detail/coverage_lanes.inl"
} // namespace sse2

#pragma GCC push_options
#pragma GCC target("avx2")
struct TAvx2 {
  using T = __m256i;
  static constexpr size_t Size = 32;
  static T Zero() { return _mm256_setzero_si256(); }
  static T Set16(short v) { return _mm256_set1_epi16(v); }
  static T Load(const uint8_t* p) { return _mm256_loadu_si256(reinterpret_cast<const T*>(p)); }
  static void Store(uint8_t* p, T v) { _mm256_storeu_si256(reinterpret_cast<T*>(p), v); }
  static bool AllZero(T v) { return _mm256_testz_si256(v, v); }
  static T Lo(T v, T z) { return _mm256_unpacklo_epi8(v, z); }
  static T Hi(T v, T z) { return _mm256_unpackhi_epi8(v, z); }
  static T Pack(T lo, T hi) { return _mm256_packus_epi16(lo, hi); }
  static T MulLo(T x, T y) { return _mm256_mullo_epi16(x, y); }
  static T MulHi(T x, T y) { return _mm256_mulhi_epu16(x, y); }
  static T SubSat(T x, T y) { return _mm256_subs_epu16(x, y); }
  static T Add(T x, T y) { return _mm256_add_epi16(x, y); }
  static T Sub(T x, T y) { return _mm256_sub_epi16(x, y); }
  static T Shr7(T x) { return _mm256_srli_epi16(x, 7); }
  static T Eq16(T x, T y) { return _mm256_cmpeq_epi16(x, y); }
  static T And(T x, T y) { return _mm256_and_si256(x, y); }
  static T AndNot(T x, T y) { return _mm256_andnot_si256(x, y); }
  static T Or(T x, T y) { return _mm256_or_si256(x, y); }
};

namespace avx2 {
#include "kartavo/framework/detail/coverage_lanes.inl"
} // namespace avx2

void BlendAvx2(uint8_t* row, const uint8_t* c, const uint8_t* o, size_t n) {
  size_t i = avx2::BlendWhole<TAvx2>(row, c, o, n);
  if (i + 16 <= n) {
    avx2::BlendVector<TSse2>(row + i, c + i, o + i);
    i += 16;
  }
  BlendTail(row, c, o, i, n);
}
#pragma GCC pop_options
#endif

} // namespace

void BlendCoverageBytesPortable(uint8_t* row, const uint8_t* coverage, const uint8_t* over,
                                size_t n) {
  BlendTail(row, coverage, over, 0, n);
}

#ifdef KARTAVO_BLEND_X86
void BlendCoverageBytesSse2(uint8_t* row, const uint8_t* coverage, const uint8_t* over, size_t n) {
  BlendTail(row, coverage, over, sse2::BlendWhole<TSse2>(row, coverage, over, n), n);
}

void BlendCoverageBytesAvx2(uint8_t* row, const uint8_t* coverage, const uint8_t* over, size_t n) {
  BlendAvx2(row, coverage, over, n);
}

bool HaveAvx2() { return __builtin_cpu_supports("avx2"); }
#endif

void BlendCoverageBytes(uint8_t* row, const uint8_t* coverage, const uint8_t* over, size_t n) {
#ifdef KARTAVO_BLEND_X86
  static const auto blend = HaveAvx2() ? BlendCoverageBytesAvx2 : BlendCoverageBytesSse2;
  blend(row, coverage, over, n);
#else
  BlendCoverageBytesPortable(row, coverage, over, n);
#endif
}

} // namespace fw
