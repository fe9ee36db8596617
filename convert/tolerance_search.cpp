#include "convert/tolerance_search.h"

namespace convert {

int64_t DescendingToleranceSearch(int64_t highest, const CountingPass& pass) {
  int64_t chosen = -1;
  int bestCount = -1;
  for (int64_t t = highest; t >= 1; --t) {
    int count = pass(t);
    if (count < 0) break;
    if (count > bestCount) {
      bestCount = count;
      chosen = t;
    }
  }
  return chosen;
}

int64_t BisectTolerance(int64_t failing, int64_t fitting, int64_t first,
                        const std::function<bool(int64_t tolerance)>& fits) {
  int64_t lo = failing;
  int64_t hi = fitting;
  int64_t t = first;
  while (lo + 1 < hi) {
    if (t <= lo) t = lo + 1;
    if (t >= hi && t != fitting) t = hi - 1;
    if (fits(t))
      hi = t;
    else
      lo = t;
    // Halving towards zero, as the integer division of the sum does.
    t = (lo + hi) / 2;
  }
  return hi;
}

}  // namespace convert
