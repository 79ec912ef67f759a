// Blending a colour over a row of bytes by coverage, many bytes at a time:
// each byte u with coverage a becomes u + ((over - u) * a + 127) / 255
// (the quotient cut towards zero), a byte of coverage 255 becomes over and
// one of coverage 0 stays as it is. This is the channel blend of glyph
// painting, so a row of 24- or 32-bit pixels blended here equals the pixels
// blended one by one.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fw {

// One byte of the blend.
inline uint8_t MixCoverage(int under, int over, int coverage) {
  if (coverage == 255) return static_cast<uint8_t>(over);
  return static_cast<uint8_t>(under + ((over - under) * coverage + 127) / 255);
}

// Blends n bytes of row by the coverage and colour bytes of the same index,
// in the widest registers the processor has.
void BlendCoverageBytes(uint8_t* row, const uint8_t* coverage, const uint8_t* over, size_t n);

// The ways BlendCoverageBytes chooses from, for the tests: byte by byte, and
// on x86 16 and 32 bytes at a time (the latter only where HaveAvx2()).
void BlendCoverageBytesPortable(uint8_t* row, const uint8_t* coverage, const uint8_t* over,
                                size_t n);
#if defined(__x86_64__) || defined(__i386__)
void BlendCoverageBytesSse2(uint8_t* row, const uint8_t* coverage, const uint8_t* over, size_t n);
void BlendCoverageBytesAvx2(uint8_t* row, const uint8_t* coverage, const uint8_t* over, size_t n);
bool HaveAvx2();
#endif

} // namespace fw
