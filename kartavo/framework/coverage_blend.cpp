#include "kartavo/framework/detail/coverage_blend.h"

#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace fw {
namespace {

#ifdef __SSE2__
// Eight bytes widened to 16-bit lanes. The quotient by 255 of a lane up to
// 65152 is its product with 0x8081 shifted right by 23 bits; the blend's
// quotient is cut towards zero, so a colour below the byte is taken off as
// the quotient of the product less 127 (never below zero), one above it is
// added as the quotient of the product plus 127.
__m128i Blend8(__m128i u, __m128i a, __m128i o) {
  const __m128i half = _mm_set1_epi16(127), magic = _mm_set1_epi16(static_cast<short>(0x8081));
  const __m128i up = _mm_mullo_epi16(_mm_subs_epu16(o, u), a);
  const __m128i down = _mm_mullo_epi16(_mm_subs_epu16(u, o), a);
  const __m128i add = _mm_srli_epi16(_mm_mulhi_epu16(_mm_add_epi16(up, half), magic), 7);
  const __m128i sub = _mm_srli_epi16(_mm_mulhi_epu16(_mm_subs_epu16(down, half), magic), 7);
  const __m128i mixed = _mm_sub_epi16(_mm_add_epi16(u, add), sub);
  const __m128i full = _mm_cmpeq_epi16(a, _mm_set1_epi16(255));
  return _mm_or_si128(_mm_and_si128(full, o), _mm_andnot_si128(full, mixed));
}

void Blend16(uint8_t* row, const uint8_t* coverage, const uint8_t* over) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(coverage));
  if (_mm_movemask_epi8(_mm_cmpeq_epi8(a, zero)) == 0xFFFF) return;
  const __m128i u = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row));
  const __m128i o = _mm_loadu_si128(reinterpret_cast<const __m128i*>(over));
  const __m128i lo =
      Blend8(_mm_unpacklo_epi8(u, zero), _mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(o, zero));
  const __m128i hi =
      Blend8(_mm_unpackhi_epi8(u, zero), _mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(o, zero));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(row), _mm_packus_epi16(lo, hi));
}
#endif

} // namespace

void BlendCoverageBytes(uint8_t* row, const uint8_t* coverage, const uint8_t* over, size_t n) {
  size_t i = 0;
#ifdef __SSE2__
  for (; i + 16 <= n; i += 16)
    Blend16(row + i, coverage + i, over + i);
#endif
  for (; i < n; ++i)
    if (coverage[i] != 0) row[i] = MixCoverage(row[i], over[i], coverage[i]);
}

} // namespace fw
