#include "kartavo/companion/tessaro.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace tessaro {
namespace {

double Mean(const std::vector<double>& v) {
  return v.empty() ? 0.0 : std::accumulate(v.begin(), v.end(), 0.0) / static_cast<double>(v.size());
}

// True when v holds at least n (at most 3) different values. One pass
// without a copy: the fits call this for every fit, some thousands of
// times per calibration.
bool HasDistinct(const std::vector<double>& v, size_t n) {
  std::array<double, 3> seen{};
  if (n > seen.size()) {
    std::vector<double> sorted = v;
    std::sort(sorted.begin(), sorted.end());
    return static_cast<size_t>(std::unique(sorted.begin(), sorted.end()) - sorted.begin()) >= n;
  }
  size_t count = 0;
  if (count >= n) return true;
  for (double a : v) {
    bool known = false;
    for (size_t i = 0; i < count; ++i)
      known = known || seen[i] == a;
    if (known) continue;
    if (++count >= n) return true;
    seen[count - 1] = a;
  }
  return false;
}

double SumSquaredDeviation(const std::vector<double>& v, double mean) {
  double s = 0;
  for (double a : v)
    s += (a - mean) * (a - mean);
  return s;
}

// r² from the residual and total sums of squares; a constant y is fitted exactly.
double Determination(double ssRes, double ssTot) {
  if (ssTot <= 0) return 1.0;
  return std::clamp(1.0 - ssRes / ssTot, 0.0, 1.0);
}

// Least squares of y ≈ c0 + c1·t + c2·t² by modified Gram-Schmidt QR of the
// design matrix, which keeps the accuracy the normal equations would lose.
std::array<double, 3> QuadraticLeastSquares(const std::vector<double>& t,
                                            const std::vector<double>& y) {
  const size_t n = t.size();
  std::array<std::vector<double>, 3> q;
  for (size_t k = 0; k < 3; ++k) {
    q[k].resize(n);
    for (size_t i = 0; i < n; ++i)
      q[k][i] = k == 0 ? 1.0 : k == 1 ? t[i] : t[i] * t[i];
  }
  std::array<std::array<double, 3>, 3> r{};
  std::vector<double> rhs = y;
  std::array<double, 3> qty{};
  for (size_t k = 0; k < 3; ++k) {
    for (size_t j = 0; j < k; ++j) {
      double dot = 0;
      for (size_t i = 0; i < n; ++i)
        dot += q[j][i] * q[k][i];
      r[j][k] = dot;
      for (size_t i = 0; i < n; ++i)
        q[k][i] -= dot * q[j][i];
    }
    double norm = 0;
    for (double a : q[k])
      norm += a * a;
    r[k][k] = std::sqrt(norm);
    for (double& a : q[k])
      a /= r[k][k];
    double dot = 0;
    for (size_t i = 0; i < n; ++i)
      dot += q[k][i] * rhs[i];
    qty[k] = dot;
    for (size_t i = 0; i < n; ++i)
      rhs[i] -= dot * q[k][i];
  }
  std::array<double, 3> c{};
  for (int k = 2; k >= 0; --k) {
    double s = qty[static_cast<size_t>(k)];
    for (size_t j = static_cast<size_t>(k) + 1; j < 3; ++j)
      s -= r[static_cast<size_t>(k)][j] * c[j];
    c[static_cast<size_t>(k)] = s / r[static_cast<size_t>(k)][static_cast<size_t>(k)];
  }
  return c;
}

} // namespace

void TCurveFit::Init() {
  FX.clear();
  FY.clear();
}

void TCurveFit::EnterStatValue(double X, double Y) {
  FX.push_back(X);
  FY.push_back(Y);
}

bool TCurveFit::CalcLinFit(double& K, double& D, double& Quality) const {
  K = D = Quality = 0;
  if (!HasDistinct(FX, 2)) return false;
  const double mx = Mean(FX), my = Mean(FY);
  double sxx = 0, sxy = 0;
  for (size_t i = 0; i < FX.size(); ++i) {
    sxx += (FX[i] - mx) * (FX[i] - mx);
    sxy += (FX[i] - mx) * (FY[i] - my);
  }
  K = sxy / sxx;
  D = my - K * mx;
  double ssRes = 0;
  for (size_t i = 0; i < FX.size(); ++i) {
    const double r = FY[i] - (K * FX[i] + D);
    ssRes += r * r;
  }
  Quality = Determination(ssRes, SumSquaredDeviation(FY, my));
  return true;
}

bool TCurveFit::CalcParabolFit(double& K0, double& K1, double& K2, double& Quality) const {
  K0 = K1 = K2 = Quality = 0;
  if (!HasDistinct(FX, 3)) return false;
  // Fit in t = (x − m) / s, with t within −1..1, then expand back to x.
  const double m = Mean(FX);
  double s = 0;
  for (double x : FX)
    s = std::max(s, std::fabs(x - m));
  std::vector<double> t(FX.size());
  for (size_t i = 0; i < FX.size(); ++i)
    t[i] = (FX[i] - m) / s;
  const auto [a, b, c] = QuadraticLeastSquares(t, FY);
  K2 = c / (s * s);
  K1 = b / s - 2 * c * m / (s * s);
  K0 = a - b * m / s + c * m * m / (s * s);
  double ssRes = 0;
  for (size_t i = 0; i < FX.size(); ++i) {
    const double r = FY[i] - (a + b * t[i] + c * t[i] * t[i]);
    ssRes += r * r;
  }
  Quality = Determination(ssRes, SumSquaredDeviation(FY, Mean(FY)));
  return true;
}

void TCurveFit::CalcStatistics(int& NumData, double& MeanX, double& MeanY, double& StdDevX,
                               double& StdDevY, double& MeanDiff, double& RmsDiff,
                               double& MaxAbsDiff) const {
  NumData = this->NumData();
  MeanX = Mean(FX);
  MeanY = Mean(FY);
  StdDevX = StdDevY = MeanDiff = RmsDiff = MaxAbsDiff = 0;
  if (NumData == 0) return;
  if (NumData > 1) {
    StdDevX = std::sqrt(SumSquaredDeviation(FX, MeanX) / (NumData - 1));
    StdDevY = std::sqrt(SumSquaredDeviation(FY, MeanY) / (NumData - 1));
  }
  double sum = 0, sumSq = 0;
  for (size_t i = 0; i < FX.size(); ++i) {
    const double d = FY[i] - FX[i];
    sum += d;
    sumSq += d * d;
    MaxAbsDiff = std::max(MaxAbsDiff, std::fabs(d));
  }
  MeanDiff = sum / NumData;
  RmsDiff = std::sqrt(sumSq / NumData);
}

double TCurveFit::Correlation() const {
  if (FX.size() < 2) return 0;
  const double mx = Mean(FX), my = Mean(FY);
  double sxy = 0;
  for (size_t i = 0; i < FX.size(); ++i)
    sxy += (FX[i] - mx) * (FY[i] - my);
  const double den = std::sqrt(SumSquaredDeviation(FX, mx) * SumSquaredDeviation(FY, my));
  return den > 0 ? std::clamp(sxy / den, -1.0, 1.0) : 0.0;
}

} // namespace tessaro
