// The module's linear least-squares solver: a singular value decomposition
// (Golub-Reinsch) and the back-substitution that discards negligible
// singular values, which yields the solution of smallest norm for
// rank-deficient and underdetermined designs.
#pragma once

#include "kartavo/companion/tessaro.h"
#include "kartavo/framework/export.h"

namespace kartavo {

// Decomposes the m x n matrix A (n columns, m rows) into U · diag(W) · Vᵀ.
// U replaces A; W receives n values (not sorted, all >= 0); V is resized to
// n x n. Each outer step of the four main loops reports to the progress
// protocol of the base library; the decomposition fails when AbortMathProc
// is set or when a singular value does not converge within 30 tests.
KARTAVO_API bool SingValDecomp(tessaro::TMatrix& A, tessaro::TVector& W, tessaro::TMatrix& V);

// Least-squares solution C (one entry per column of A) of A · C = B (one
// entry of B per row). A is overwritten. Singular values below 1e-14 times
// the largest are discarded, which sets ValuesDiscarded. False when the
// decomposition fails or the solution is not finite; C is then all zero.
KARTAVO_API bool SolveLinLeastSquares(tessaro::TMatrix& A, const tessaro::TVector& B,
                                      tessaro::TVector& C, bool& ValuesDiscarded);

} // namespace kartavo
