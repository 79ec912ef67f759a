// Inner loops over one row of pixels. Where the processor has the vector
// instructions (checked once at run time), whole groups of pixels are done
// at a time; the results are the same as those of the plain loops.
#pragma once

#include <cstdint>

namespace fw {

// True when the vector versions run on this processor.
bool RowKernelsVectorised();

// From5Bits by multiply and shift (exact for 0..31), for loops the compiler vectorises.
constexpr uint32_t Level5(uint32_t c5) { return (c5 * 527 + 23) >> 6; }
// To5Bits by multiply and shift (exact for 0..255).
constexpr uint32_t Round5(uint32_t c8) { return ((c8 * 31 + 127) * 257 + 257) >> 16; }

// n 15-bit words (bit 15 ignored) as blue, green, red triplets.
void Expand15(const uint8_t* in, int n, uint8_t* out);

} // namespace fw
