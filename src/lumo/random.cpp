// xoroshiro128+, bit for bit: the deck shuffle of the game depends on it.
#include <bit>
#include <cmath>
#include <cstring>
#include <ctime>

#include "lumo/lumo.hpp"
#include "lumo/random_state.hpp"
#include "support/checked.hpp"

namespace lumo {

RandomState randomState;

uint64_t nextRandom() {
  uint64_t s0 = randomState.s0;
  uint64_t s1 = randomState.s1;
  uint64_t result = s0 + s1;
  s1 ^= s0;
  randomState.s0 = std::rotl(s0, 55) ^ s1 ^ (s1 << 14);
  randomState.s1 = std::rotl(s1, 36);
  return result;
}

void randomize(int32_t seed) {
  uint32_t bits = static_cast<uint32_t>(seed);
  randomState.s0 = bits >> 16;
  randomState.s1 = bits & 0xFFFFu;
  nextRandom();
}

void randomize() { randomize(static_cast<int32_t>(std::time(nullptr))); }

uint64_t random(uint64_t max) {
  if (max == 0) throwRange(0);
  const uint64_t top = UINT64_MAX;
  const uint64_t limit = top - top % max;
  uint64_t x;
  do {
    x = nextRandom();
  } while (x >= limit);
  return x % max;
}

double random(double max) {
  uint64_t bits = (nextRandom() >> 12) | 0x3FF0000000000000ull;
  double u;
  std::memcpy(&u, &bits, sizeof u);
  return (u - 1.0) * max;
}

double rnd(double x) { return random(x); }

void srand(int32_t seed) { randomize(checkedAdd(seed, 1)); }

double flr(double x) { return std::floor(x); }

double ceil(double x) { return -flr(-x); }

// Truncates toward zero; values beyond the 32-bit range saturate and NaN
// gives 0, so a wild float never becomes an undefined conversion.
int32_t toPint(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return INT32_MAX;
  if (v <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(v);
}

}  // namespace lumo
