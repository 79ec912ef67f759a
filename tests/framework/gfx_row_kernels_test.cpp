// The row loops equal the per-pixel definitions for rows of every length,
// so that both the vector steps and the plain remainder are covered.
#include "kartavo/framework/detail/pixel_value.h"
#include "kartavo/framework/detail/row_kernels.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace fw {
namespace {

TEST(RowKernels, Expand15EqualsEachWordDecoded) {
  std::mt19937 rng(12);
  for (int n = 0; n < 120; ++n) {
    std::vector<uint8_t> in(2 * static_cast<size_t>(n) + 1);
    for (uint8_t& b : in)
      b = static_cast<uint8_t>(rng()); // bit 15 set at random: it is ignored
    // A guard byte past the row must stay.
    std::vector<uint8_t> out(3 * static_cast<size_t>(n) + 1, 0xA5), want = out;
    for (int i = 0; i < n; ++i) {
      const uint16_t w = static_cast<uint16_t>(in[2 * i] | in[2 * i + 1] << 8);
      want[3 * i] = From5Bits(w & 31);
      want[3 * i + 1] = From5Bits((w >> 5) & 31);
      want[3 * i + 2] = From5Bits((w >> 10) & 31);
    }
    Expand15(in.data(), n, out.data());
    ASSERT_EQ(out, want) << n << " pixels";
  }
}

} // namespace
} // namespace fw
