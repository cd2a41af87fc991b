// Scaled copies walk their source with a position that grows by repeated
// addition of a step; the rounding of every addition decides which source
// pixel lands where. Skipping the columns or rows that fall outside the clip
// area must still leave the position exactly where the additions would.
#pragma once

#include <cstdint>

namespace lumo {

// x after n repetitions of `x = x + step` in double arithmetic, bit for bit
// the same as doing them, but in a bounded number of operations however
// large n is. n <= 0 returns x.
double addRepeatedly(double x, double step, int64_t n);

}  // namespace lumo
