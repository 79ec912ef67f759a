#include "kartavo/geomap/georef/detail/point_pairs.h"

#include "kartavo/companion/tessaro.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kartavo::georef {
namespace {

constexpr double EarthRadius = 6371000; // mean radius: distances for judging only
constexpr double FarPixels = 5;
constexpr size_t MaxMessages = 10;

double Ground(const TCalQuad& a, const TCalQuad& b, bool utm) {
  if (utm) return std::hypot(a.Latitude - b.Latitude, a.Longitude - b.Longitude);
  return tessaro::SphereGreatCircleDist(EarthRadius, a.Latitude, a.Longitude, b.Latitude,
                                        b.Longitude);
}

double Pixels(const TCalQuad& a, const TCalQuad& b) {
  return std::hypot(double(a.MapX) - b.MapX, double(a.MapY) - b.MapY);
}

std::string Num(double v, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  return buf;
}

std::string Pair(int i, int j) {
  return "points " + std::to_string(i) + " and " + std::to_string(j);
}

// The message for a contradicting pair, empty when the pair agrees.
std::string Judge(const TCalibData& cd, int i, int j, bool utm, double scale) {
  const TCalQuad &a = cd.CalQuads[i], &b = cd.CalQuads[j];
  const double ground = Ground(a, b, utm), pixels = Pixels(a, b);
  const bool samePixel = pixels < 1, samePlace = ground <= scale / 2;
  if (samePixel && samePlace) return Pair(i, j) + " are the same point twice";
  if (samePlace && pixels > FarPixels)
    return Pair(i, j) + " lie at the same position (" + Num(ground, 1) +
           " m apart, less than half a pixel) but " + Num(pixels, 1) + " pixels apart on the image";
  if (samePixel && ground > FarPixels * scale)
    return Pair(i, j) + " share the pixel " + std::to_string(a.MapX) + " " +
           std::to_string(a.MapY) + " but lie " + Num(ground, 0) + " m apart (about " +
           Num(ground / scale, 1) + " pixels at the map's scale)";
  return {};
}

} // namespace

double PointsScale(const TCalibData& cd, bool Utm) {
  std::vector<double> ratios;
  const int n = CalQuadCount(cd);
  for (int i = 1; i <= n; ++i)
    for (int j = i + 1; j <= n; ++j) {
      const double pixels = Pixels(cd.CalQuads[i], cd.CalQuads[j]);
      if (pixels >= 1) ratios.push_back(Ground(cd.CalQuads[i], cd.CalQuads[j], Utm) / pixels);
    }
  if (ratios.empty()) return 0;
  const auto mid = ratios.begin() + static_cast<std::ptrdiff_t>(ratios.size() / 2);
  std::nth_element(ratios.begin(), mid, ratios.end());
  return *mid;
}

std::vector<std::string> ContradictingPairs(const TCalibData& cd, bool Utm) {
  std::vector<std::string> found;
  const double scale = PointsScale(cd, Utm);
  if (!(scale > 0) || !std::isfinite(scale)) return found;
  size_t more = 0;
  const int n = CalQuadCount(cd);
  for (int i = 1; i <= n; ++i)
    for (int j = i + 1; j <= n; ++j) {
      std::string text = Judge(cd, i, j, Utm, scale);
      if (text.empty()) continue;
      if (found.size() < MaxMessages)
        found.push_back(std::move(text));
      else
        ++more;
    }
  if (more > 0) found.push_back("and " + std::to_string(more) + " more contradicting pairs");
  return found;
}

} // namespace kartavo::georef
