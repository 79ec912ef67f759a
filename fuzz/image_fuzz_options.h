// What the image targets take from the input's last byte, so that the
// readers' progress, size-check and stream paths are fuzzed too. The byte is
// compared (exclusive or) with the one a well-formed file of the format ends
// with, so that intact seeds run without options. Then bit 7 stops the
// reader from its progress callback at the percentage in bits 0-6, bit 6
// refuses pictures beyond the map's pixel limit from the size check, bit 5
// reads through a memory stream instead of from memory.
#pragma once

#include "kartavo/framework/codec_progress.h"
#include "kartavo/framework/errors.h"
#include "kartavo/framework/image_size_check.h"
#include "kartavo/framework/pixel_image.h"
#include "kartavo/framework/stream.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <type_traits>

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

// The picture a reader makes of the input under the options: read through a
// memory stream by fromStream, or from memory by fromMemory when there is
// one and the options do not ask for the stream. Nothing when the reader
// refused the input or a callback stopped it; any other exception escapes
// and is a finding.
template <class FromStream, class FromMemory = std::nullptr_t>
std::optional<fw::TPixelImage> ReadImage(const TImageFuzzOptions& options, const uint8_t* data,
                                         size_t size, const std::string& name,
                                         FromStream fromStream, FromMemory fromMemory = nullptr) {
  try {
    if constexpr (!std::is_same_v<FromMemory, std::nullptr_t>)
      if (!options.ThroughStream)
        return fromMemory(data, size, name, options.Progress, options.SizeCheck);
    fw::TMemoryStream s;
    if (size > 0) s.WriteBuffer(data, static_cast<int64_t>(size));
    s.SetPosition(0);
    return fromStream(s, name, options.Progress, options.SizeCheck);
  } catch (const fw::EInvalidGraphic&) {
  } catch (const TStoppedByCallback&) {
  } catch (const std::length_error&) {
  }
  return std::nullopt;
}

// Whether a decoded picture is small enough to be written and read again on
// every run.
inline bool WorthRewriting(const fw::TPixelImage& image) {
  return int64_t{image.Width} * image.Height <= 65536;
}

} // namespace fuzzing
