// What the image targets take from the input's last byte, so that the
// readers' progress, size-check and stream paths are fuzzed too. The byte is
// compared (exclusive or) with the one a well-formed file of the format ends
// with, so that intact seeds run without options. Then bit 7 stops the
// reader from its progress callback at the percentage in bits 0-6, bit 6
// refuses pictures beyond the map's pixel limit from the size check, bit 5
// reads through a memory stream instead of from memory.
#pragma once

#include "kartavo/framework/codec_progress.h"
#include "kartavo/framework/image_size_check.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace fuzzing {

struct TStoppedByCallback {};

struct TImageFuzzOptions {
  fw::TCodecProgress Progress;
  fw::TImageSizeCheck SizeCheck;
  bool ThroughStream = false;

  TImageFuzzOptions(const uint8_t* data, size_t size, uint8_t usualLastByte) {
    const unsigned last = size ? data[size - 1] ^ usualLastByte : 0;
    if (last & 0x80) {
      const int stopAt = static_cast<int>(last & 0x7F);
      Progress = [stopAt](int percent) {
        if (percent > 100 || percent < 0) __builtin_trap(); // percentages only
        if (percent >= stopAt) throw TStoppedByCallback{};
      };
    }
    if (last & 0x40)
      SizeCheck = [](int w, int h) {
        if (int64_t{w} * h > 3000000) throw std::length_error("beyond the map's pixel limit");
      };
    ThroughStream = (last & 0x20) != 0;
  }
};

} // namespace fuzzing
