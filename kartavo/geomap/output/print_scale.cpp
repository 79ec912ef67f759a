#include "kartavo/geomap/output/print_scale.h"

#include "kartavo/framework/font.h"

#include <algorithm>

namespace kartavo {
namespace {
constexpr double MetresPerInch = 0.0254;
}

double ScalePrintMagnification(double MetresPerPixel, int32_t Scale, int PixelsPerInch) {
  if (!(MetresPerPixel > 0) || Scale <= 0) return 0;
  return MetresPerPixel / Scale / MetresPerInch * PixelsPerInch;
}

double ScreenPrintFactor(double ScaleF, int PixelsPerInch) {
  return ScaleF * PixelsPerInch / fw::kScreenPixelsPerInch;
}

double FitPrintFactor(int Width, int Height, int RoomWidth, int RoomHeight) {
  if (Width <= 0 || Height <= 0 || RoomWidth <= 0 || RoomHeight <= 0) return 0;
  return std::min(double(RoomWidth) / Width, double(RoomHeight) / Height);
}

} // namespace kartavo
