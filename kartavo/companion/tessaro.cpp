// The small numeric helpers of the math library.
#include "kartavo/companion/tessaro.h"

#include <cmath>
#include <random>
#include <utility>

namespace tessaro {

namespace {

// v·10^e with one rounding: powers of ten up to 10^22 are exact doubles; the
// extended type covers the rest of the range, subnormal values included.
double ScaleBy10(double v, int e) {
  if (e >= 0 && e <= 22) return v * std::pow(10.0, e);
  if (e < 0 && e >= -22) return v / std::pow(10.0, -e);
  return static_cast<double>(static_cast<long double>(v) * std::pow(10.0L, e));
}

} // namespace

double Round125(double Value) {
  if (std::isnan(Value) || std::isinf(Value)) return Value;
  if (Value <= 0) return 0;
  int e = static_cast<int>(std::floor(std::log10(Value)));
  double m = ScaleBy10(Value, -e);
  if (m >= 10) {
    ++e;
    m = ScaleBy10(Value, -e);
  } else if (m < 1) {
    --e;
    m = ScaleBy10(Value, -e);
  }
  // Nearest in ratio: the boundaries are the geometric means of neighbours.
  const double step = m < std::sqrt(2.0)    ? 1
                      : m < std::sqrt(10.0) ? 2
                      : m < std::sqrt(50.0) ? 5
                                            : 10;
  return ScaleBy10(step, e);
}

bool BRandom(double P) {
  // One generator per thread, seeded once; it holds no package state.
  thread_local std::mt19937_64 engine{std::random_device{}()};
  if (!(P > 0)) return false;
  if (P >= 1) return true;
  return std::uniform_real_distribution<double>(0.0, 1.0)(engine) < P;
}

void ExChange(int& A, int& B) { std::swap(A, B); }
void ExChange(double& A, double& B) { std::swap(A, B); }

// The Vincenty form of the central angle, atan2 of sine and cosine parts,
// stays accurate for coincident, nearly equal and nearly antipodal points.
double SphereGreatCircleDist(double Radius, double Lat1, double Long1, double Lat2, double Long2) {
  constexpr double kRad = M_PI / 180.0;
  const double phi1 = Lat1 * kRad, phi2 = Lat2 * kRad;
  const double dLambda = std::remainder(Long2 - Long1, 360.0) * kRad;
  const double s1 = std::sin(phi1), c1 = std::cos(phi1);
  const double s2 = std::sin(phi2), c2 = std::cos(phi2);
  const double sinPart = std::hypot(c2 * std::sin(dLambda), c1 * s2 - s1 * c2 * std::cos(dLambda));
  const double cosPart = s1 * s2 + c1 * c2 * std::cos(dLambda);
  return Radius * std::atan2(sinPart, cosPart);
}

} // namespace tessaro
