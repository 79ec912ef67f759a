// Horizontal text alignment, as controls and captions use it.
#pragma once

#include <cstdint>

namespace fw {

enum TAlignment : uint8_t { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };

} // namespace fw
