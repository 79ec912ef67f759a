#include "kartavo/geodb/detail/gdb_progress.h"

namespace kartavo {

int PercentOf(int64_t Numerator, int64_t Denominator) {
  if (Denominator <= 0) return 0;
  // Callers pass byte and point counts below 2^31, so Numerator · 100 fits.
  // Exact integer rounding: the quotient of Numerator · 100 and Denominator
  // with the remainder deciding, a tie going to the even neighbour.
  const int64_t num = Numerator * 100;
  int64_t q = num / Denominator;
  int64_t r = num % Denominator;
  if (r < 0) {
    r += Denominator;
    q -= 1;
  }
  if (2 * r > Denominator || (2 * r == Denominator && (q & 1) != 0)) ++q;
  return static_cast<int>(q);
}

} // namespace kartavo
