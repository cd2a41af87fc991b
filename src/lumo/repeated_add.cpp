// Repeated addition of one step, fast-forwarded binade by binade.
//
// While x and every sum x + step stay inside one binade [2^(e-1), 2^e) of
// the same sign, all values lie on one grid of spacing ulp, and rounding to
// nearest adds the same whole number of ulps every time: round(step / ulp),
// or, when step / ulp ends in exactly one half, the even one of its two
// neighbours once x sits on an even count of ulps (a tie rounds to even and
// keeps it even). Such a run of additions is one multiplication. Near the
// ends of a binade, and whenever the step is large against the binade, the
// additions are done one at a time.
#include "lumo/repeated_add.hpp"

#include <cmath>

namespace lumo {

namespace {

// Additions done one by one: short runs, and the last few before a binade ends.
constexpr int64_t plainRun = 8;
// Steps kept back from a run so rounding in its length estimate never lets
// it cross the binade's end.
constexpr double runMargin = 2.0;

// One plain addition; false when it left x unchanged, which then holds for
// every further addition as well.
bool addOnce(double& x, double step, int64_t& n) {
  double next = x + step;
  if (next == x) return false;
  x = next;
  --n;
  return true;
}

}  // namespace

double addRepeatedly(double x, double step, int64_t n) {
  if (n <= 0) return x;
  // One addition settles these for good: inf and NaN stay, +0 and -0 settle.
  if (step == 0 || !std::isfinite(step) || !std::isfinite(x)) return x + step;
  while (n > 0) {
    if (n <= plainRun || x == 0) {
      if (!addOnce(x, step, n)) return x;
      continue;
    }
    // Rounding to nearest is symmetric, so work on a positive x.
    bool negative = x < 0;
    double ax = negative ? -x : x;
    double as = negative ? -step : step;
    int e = 0;
    std::frexp(ax, &e);
    double lo = std::ldexp(1.0, e - 1);
    double top = std::ldexp(1.0, e) - std::ldexp(1.0, e - 53);  // largest value of the binade
    double ulp = std::ldexp(1.0, e - 53);

    double q = as / ulp;  // exact: a power-of-two scaling
    double whole = std::floor(q);
    double fraction = q - whole;
    double ulps;
    if (fraction == 0.5) {
      if (std::fmod(ax / ulp, 2.0) != 0) {  // odd count: this tie moves to even
        if (!addOnce(x, step, n)) return x;
        continue;
      }
      ulps = std::fmod(whole, 2.0) == 0 ? whole : whole + 1;
    } else {
      ulps = fraction < 0.5 ? whole : whole + 1;
    }
    double d = ulps * ulp;

    // How many additions keep the exact sum inside [lo, top]: then each one
    // rounds on this binade's grid and lands inside it.
    int64_t run = 0;
    if (d == 0) {
      bool stays = as > 0 ? as <= top - ax : as >= lo - ax;
      if (stays) return x;  // every further addition rounds back to x
    } else {
      double room = as > 0 ? ((top - ax) - as) / d : ((ax - lo) + as) / -d;
      double estimate = std::floor(room) + 1 - runMargin;
      if (estimate >= 1) run = estimate >= static_cast<double>(n) ? n : static_cast<int64_t>(estimate);
    }
    if (run < 1) {
      if (!addOnce(x, step, n)) return x;
      continue;
    }
    double moved = ax + static_cast<double>(run) * d;  // exact: on the grid, inside the binade
    x = negative ? -moved : moved;
    n -= run;
  }
  return x;
}

}  // namespace lumo
