// Where averaged pixels of a row go when the destination holds blue, green,
// red byte triplets.
#pragma once

#include <cstdint>

namespace fw {

struct TTripletSink {
  uint8_t* Out;
  static constexpr int Bytes = 3;
  void operator()(int i, uint32_t b, uint32_t g, uint32_t r) const {
    Out[3 * i] = static_cast<uint8_t>(b);
    Out[3 * i + 1] = static_cast<uint8_t>(g);
    Out[3 * i + 2] = static_cast<uint8_t>(r);
  }
};

} // namespace fw
