#include "kartavo/geomap/lsq_solver.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kartavo {
namespace {

using tessaro::TMatrix;
using tessaro::TVector;

constexpr int MaxConvergenceTests = 30;
constexpr double CutOffRatio = 1e-14;

// Dense row-major working copy addressed from 1 like the matrices.
class Dense {
public:
  Dense(int cols, int rows)
      : FCols(cols), FData(static_cast<size_t>(cols) * static_cast<size_t>(rows), 0.0) {}
  double& operator()(int row, int col) {
    return FData[static_cast<size_t>(row - 1) * static_cast<size_t>(FCols) +
                 static_cast<size_t>(col - 1)];
  }

private:
  int FCols;
  std::vector<double> FData;
};

// One outer step of a long numeric loop; false when the host asked to stop.
bool ReportStep() {
  quillon::ProcStat += 1;
  if (quillon::MathFeedBackProc) quillon::MathFeedBackProc(quillon::ProcStat);
  return !quillon::AbortMathProc;
}

double Pythag(double a, double b) {
  const double absa = std::fabs(a);
  const double absb = std::fabs(b);
  if (absa > absb) return absa * std::sqrt(1.0 + (absb / absa) * (absb / absa));
  return absb == 0.0 ? 0.0 : absb * std::sqrt(1.0 + (absa / absb) * (absa / absb));
}

double Sign(double a, double b) { return b >= 0.0 ? std::fabs(a) : -std::fabs(a); }

// Negligible: adding it to the norm of the bidiagonal form changes nothing.
bool Negligible(double value, double anorm) {
  volatile double sum = std::fabs(value) + anorm;
  return sum == anorm;
}

struct Svd {
  int m, n;
  Dense a, v;
  std::vector<double> w;
  TVector rv1; // superdiagonal
  double anorm = 0.0;

  Svd(int rows, int cols) : m(rows), n(cols), a(cols, rows), v(cols, cols), w(cols + 1, 0.0) {
    rv1.SetVecSize(cols);
  }

  bool Bidiagonalise();
  bool AccumulateRight();
  bool AccumulateLeft();
  bool Diagonalise();
  void Rotate(Dense& mat, int rows, int c1, int c2, double c, double s);
};

bool Svd::Bidiagonalise() {
  double g = 0.0, scale = 0.0;
  for (int i = 1; i <= n; ++i) {
    const int l = i + 1;
    rv1.SetVal(i, scale * g);
    g = 0.0;
    double s = 0.0;
    scale = 0.0;
    if (i <= m) {
      for (int k = i; k <= m; ++k)
        scale += std::fabs(a(k, i));
      if (scale != 0.0) {
        for (int k = i; k <= m; ++k) {
          a(k, i) /= scale;
          s += a(k, i) * a(k, i);
        }
        double f = a(i, i);
        g = -Sign(std::sqrt(s), f);
        const double h = f * g - s;
        a(i, i) = f - g;
        for (int j = l; j <= n; ++j) {
          s = 0.0;
          for (int k = i; k <= m; ++k)
            s += a(k, i) * a(k, j);
          f = s / h;
          for (int k = i; k <= m; ++k)
            a(k, j) += f * a(k, i);
        }
        for (int k = i; k <= m; ++k)
          a(k, i) *= scale;
      }
    }
    w[i] = scale * g;
    g = 0.0;
    s = 0.0;
    scale = 0.0;
    if (i <= m && i != n) {
      for (int k = l; k <= n; ++k)
        scale += std::fabs(a(i, k));
      if (scale != 0.0) {
        for (int k = l; k <= n; ++k) {
          a(i, k) /= scale;
          s += a(i, k) * a(i, k);
        }
        const double f = a(i, l);
        g = -Sign(std::sqrt(s), f);
        const double h = f * g - s;
        a(i, l) = f - g;
        for (int k = l; k <= n; ++k)
          rv1.SetVal(k, a(i, k) / h);
        for (int j = l; j <= m; ++j) {
          s = 0.0;
          for (int k = l; k <= n; ++k)
            s += a(j, k) * a(i, k);
          for (int k = l; k <= n; ++k)
            a(j, k) += s * rv1.GetVal(k);
        }
        for (int k = l; k <= n; ++k)
          a(i, k) *= scale;
      }
    }
    anorm = std::max(anorm, std::fabs(w[i]) + std::fabs(rv1.GetVal(i)));
    if (!ReportStep()) return false;
  }
  return true;
}

bool Svd::AccumulateRight() {
  double g = 0.0;
  int l = n + 1;
  for (int i = n; i >= 1; --i) {
    if (i < n) {
      if (g != 0.0) {
        for (int j = l; j <= n; ++j)
          v(j, i) = (a(i, j) / a(i, l)) / g;
        for (int j = l; j <= n; ++j) {
          double s = 0.0;
          for (int k = l; k <= n; ++k)
            s += a(i, k) * v(k, j);
          for (int k = l; k <= n; ++k)
            v(k, j) += s * v(k, i);
        }
      }
      for (int j = l; j <= n; ++j)
        v(i, j) = v(j, i) = 0.0;
    }
    v(i, i) = 1.0;
    g = rv1.GetVal(i);
    l = i;
    if (!ReportStep()) return false;
  }
  return true;
}

bool Svd::AccumulateLeft() {
  for (int i = std::min(m, n); i >= 1; --i) {
    const int l = i + 1;
    double g = w[i];
    for (int j = l; j <= n; ++j)
      a(i, j) = 0.0;
    if (g != 0.0) {
      g = 1.0 / g;
      for (int j = l; j <= n; ++j) {
        double s = 0.0;
        for (int k = l; k <= m; ++k)
          s += a(k, i) * a(k, j);
        const double f = (s / a(i, i)) * g;
        for (int k = i; k <= m; ++k)
          a(k, j) += f * a(k, i);
      }
      for (int j = i; j <= m; ++j)
        a(j, i) *= g;
    } else {
      for (int j = i; j <= m; ++j)
        a(j, i) = 0.0;
    }
    a(i, i) += 1.0;
    if (!ReportStep()) return false;
  }
  return true;
}

// Plane rotation of columns c1 and c2 of the first rows of mat.
void Svd::Rotate(Dense& mat, int rows, int c1, int c2, double c, double s) {
  for (int j = 1; j <= rows; ++j) {
    const double y = mat(j, c1);
    const double z = mat(j, c2);
    mat(j, c1) = y * c + z * s;
    mat(j, c2) = z * c - y * s;
  }
}

bool Svd::Diagonalise() {
  for (int k = n; k >= 1; --k) {
    for (int its = 1; its <= MaxConvergenceTests; ++its) {
      bool flag = true;
      int l = k;
      int nm = 0;
      for (; l >= 1; --l) {
        nm = l - 1;
        if (Negligible(rv1.GetVal(l), anorm)) {
          flag = false;
          break;
        }
        if (Negligible(w[nm], anorm)) break;
      }
      if (flag) {
        // Cancel rv1[l] when w[l - 1] is negligible.
        double c = 0.0, s = 1.0;
        for (int i = l; i <= k; ++i) {
          const double f = s * rv1.GetVal(i);
          rv1.SetVal(i, c * rv1.GetVal(i));
          if (Negligible(f, anorm)) break;
          const double g = w[i];
          double h = Pythag(f, g);
          w[i] = h;
          h = 1.0 / h;
          c = g * h;
          s = -f * h;
          Rotate(a, m, nm, i, c, s);
        }
      }
      double z = w[k];
      if (l == k) {
        if (z < 0.0) {
          w[k] = -z;
          for (int j = 1; j <= n; ++j)
            v(j, k) = -v(j, k);
        }
        break;
      }
      if (its == MaxConvergenceTests) return false;
      // Shift from the bottom 2 x 2 minor, then one implicit QR sweep.
      double x = w[l];
      nm = k - 1;
      double y = w[nm];
      double g = rv1.GetVal(nm);
      double h = rv1.GetVal(k);
      double f = ((y - z) * (y + z) + (g - h) * (g + h)) / (2.0 * h * y);
      g = Pythag(f, 1.0);
      f = ((x - z) * (x + z) + h * ((y / (f + Sign(g, f))) - h)) / x;
      double c = 1.0, s = 1.0;
      for (int j = l; j <= nm; ++j) {
        const int i = j + 1;
        g = rv1.GetVal(i);
        y = w[i];
        h = s * g;
        g = c * g;
        z = Pythag(f, h);
        rv1.SetVal(j, z);
        c = f / z;
        s = h / z;
        f = x * c + g * s;
        g = g * c - x * s;
        h = y * s;
        y *= c;
        Rotate(v, n, j, i, c, s);
        z = Pythag(f, h);
        w[j] = z;
        if (z != 0.0) {
          z = 1.0 / z;
          c = f * z;
          s = h * z;
        }
        f = c * g + s * y;
        x = c * y - s * g;
        Rotate(a, m, j, i, c, s);
      }
      rv1.SetVal(l, 0.0);
      rv1.SetVal(k, f);
      w[k] = x;
    }
    if (!ReportStep()) return false;
  }
  return true;
}

} // namespace

bool SingValDecomp(TMatrix& A, TVector& W, TMatrix& V) {
  const int n = A.NrOfColumns();
  const int m = A.NrOfRows();
  W.SetVecSize(n);
  V.Resize(n, n);
  if (n < 1 || m < 1) return n >= 0 && m >= 0;
  Svd svd(m, n);
  for (int i = 1; i <= m; ++i)
    for (int j = 1; j <= n; ++j)
      svd.a(i, j) = A.GetVal(j, i);
  const bool ok =
      svd.Bidiagonalise() && svd.AccumulateRight() && svd.AccumulateLeft() && svd.Diagonalise();
  for (int i = 1; i <= m; ++i)
    for (int j = 1; j <= n; ++j)
      A.SetVal(j, i, svd.a(i, j));
  for (int i = 1; i <= n; ++i) {
    W.SetVal(i, svd.w[static_cast<size_t>(i)]);
    for (int j = 1; j <= n; ++j)
      V.SetVal(j, i, svd.v(i, j));
  }
  return ok;
}

bool SolveLinLeastSquares(TMatrix& A, const TVector& B, TVector& C, bool& ValuesDiscarded) {
  ValuesDiscarded = false;
  const int p = A.NrOfColumns();
  const int m = A.NrOfRows();
  C.SetVecSize(p);
  if (B.NrOfElem() < m) return false;
  TVector w;
  TMatrix v;
  if (!SingValDecomp(A, w, v)) return false;
  double wmax = 0.0;
  for (int j = 1; j <= p; ++j)
    wmax = std::max(wmax, w.GetVal(j));
  const double threshold = CutOffRatio * wmax;
  std::vector<double> t(static_cast<size_t>(p) + 1, 0.0);
  for (int j = 1; j <= p; ++j) {
    double wj = w.GetVal(j);
    if (wj < threshold) {
      wj = 0.0;
      ValuesDiscarded = true;
    }
    if (wj == 0.0) continue;
    double s = 0.0;
    for (int i = 1; i <= m; ++i)
      s += A.GetVal(j, i) * B.GetVal(i);
    t[static_cast<size_t>(j)] = s / wj;
  }
  bool finite = true;
  for (int j = 1; j <= p; ++j) {
    double s = 0.0;
    for (int k = 1; k <= p; ++k)
      s += v.GetVal(k, j) * t[static_cast<size_t>(k)];
    finite = finite && std::isfinite(s);
    C.SetVal(j, s);
  }
  // A decomposition that ran into overflow must not hand out a wild result.
  if (!finite) C.SetVecSize(p);
  return finite;
}

} // namespace kartavo
