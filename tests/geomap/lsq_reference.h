// Independent least-squares solutions in long double, to check the module's
// SVD solver against: Householder QR on column-equilibrated designs for
// full-rank systems, and the minimum-norm solution of underdetermined ones.
#pragma once

#include <cmath>
#include <cstddef>
#include <vector>

namespace kartavo::testing {

using Design = std::vector<std::vector<long double>>; // rows of observations

// Least-squares solution of a full-column-rank system by Householder QR.
inline std::vector<long double> QrSolve(Design a, std::vector<long double> b) {
  const size_t m = a.size(), n = a.empty() ? 0 : a[0].size();
  std::vector<long double> scale(n, 0);
  for (size_t j = 0; j < n; ++j) {
    for (size_t i = 0; i < m; ++i)
      scale[j] += a[i][j] * a[i][j];
    scale[j] = std::sqrt(scale[j]);
    if (scale[j] == 0) scale[j] = 1;
    for (size_t i = 0; i < m; ++i)
      a[i][j] /= scale[j];
  }
  for (size_t k = 0; k < n; ++k) {
    long double norm = 0;
    for (size_t i = k; i < m; ++i)
      norm += a[i][k] * a[i][k];
    norm = std::sqrt(norm);
    const long double alpha = a[k][k] > 0 ? -norm : norm;
    std::vector<long double> v(m, 0);
    for (size_t i = k; i < m; ++i)
      v[i] = a[i][k];
    v[k] -= alpha;
    long double vv = 0;
    for (size_t i = k; i < m; ++i)
      vv += v[i] * v[i];
    if (vv == 0) continue;
    for (size_t j = k; j < n; ++j) {
      long double s = 0;
      for (size_t i = k; i < m; ++i)
        s += v[i] * a[i][j];
      for (size_t i = k; i < m; ++i)
        a[i][j] -= 2 * s / vv * v[i];
    }
    long double s = 0;
    for (size_t i = k; i < m; ++i)
      s += v[i] * b[i];
    for (size_t i = k; i < m; ++i)
      b[i] -= 2 * s / vv * v[i];
  }
  std::vector<long double> x(n, 0);
  for (size_t k = n; k-- > 0;) {
    long double s = b[k];
    for (size_t j = k + 1; j < n; ++j)
      s -= a[k][j] * x[j];
    x[k] = s / a[k][k];
  }
  for (size_t j = 0; j < n; ++j)
    x[j] /= scale[j];
  return x;
}

// Minimum-norm solution of a full-row-rank underdetermined system: the rows
// of A are orthonormalised (Gram-Schmidt, twice for stability), A = L·Q with
// L lower triangular; then c = Qᵀy with L·y = b.
inline std::vector<long double> MinNormSolve(const Design& a, const std::vector<long double>& b) {
  const size_t m = a.size(), n = a[0].size();
  Design q = a;
  Design l(m, std::vector<long double>(m, 0));
  for (size_t i = 0; i < m; ++i) {
    for (int pass = 0; pass < 2; ++pass)
      for (size_t k = 0; k < i; ++k) {
        long double s = 0;
        for (size_t j = 0; j < n; ++j)
          s += q[i][j] * q[k][j];
        l[i][k] += s;
        for (size_t j = 0; j < n; ++j)
          q[i][j] -= s * q[k][j];
      }
    long double norm = 0;
    for (size_t j = 0; j < n; ++j)
      norm += q[i][j] * q[i][j];
    norm = std::sqrt(norm);
    l[i][i] = norm;
    for (size_t j = 0; j < n; ++j)
      q[i][j] /= norm;
  }
  std::vector<long double> y(m, 0);
  for (size_t i = 0; i < m; ++i) {
    long double s = b[i];
    for (size_t k = 0; k < i; ++k)
      s -= l[i][k] * y[k];
    y[i] = s / l[i][i];
  }
  std::vector<long double> x(n, 0);
  for (size_t i = 0; i < m; ++i)
    for (size_t j = 0; j < n; ++j)
      x[j] += q[i][j] * y[i];
  return x;
}

} // namespace kartavo::testing
