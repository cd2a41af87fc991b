// The fast-forwarded repeated addition against doing every addition.
#include <cmath>
#include <cstring>
#include <random>

#include <gtest/gtest.h>

#include "lumo/repeated_add.hpp"

namespace {

using lumo::addRepeatedly;

double addOneByOne(double x, double step, int64_t n) {
  for (int64_t i = 0; i < n; ++i) x += step;
  return x;
}

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(RepeatedAdd, MatchesOneAdditionAtATime) {
  const double two52 = std::ldexp(1.0, 52);
  const double two53 = std::ldexp(1.0, 53);
  struct Case {
    double x, step;
    int64_t n;
  };
  const Case cases[] = {
      {0, 1.0 / 3, 100000},             // the sampling step of a threefold stretch
      {0, 16.0 / 24, 300000},
      {0, 10.0 / 3, 300000},
      {-1, 1.0 / 3, 100000},             // crosses zero through tiny rounding residues
      {5, -1.0 / 3, 100000},             // downward through shrinking binades
      {-2000000, 7.0 / 1000003, 1000000},
      {1 - two52, 0.1, 200000},          // large x, fractional step
      {two52 + 1, 0.5, 1000},            // a tie from an odd count moves to even, then stays
      {two52, 1.5, 1000},                // a tie with an odd lower neighbour
      {two52, 2.5, 1000},                // a tie with an even lower neighbour
      {two53 - 10, 1, 100},              // reaching 2^53 the step of 1 stops adding
      {two53 - 10, -0.75, 1000},
      {std::ldexp(1.0, 31), std::ldexp(1.0, -31), 1000000},  // too small to move x at all
      {std::ldexp(1.0, 30) - 3, std::ldexp(1.0, -22), 1000000},  // below one ulp: stuck at the top of a binade
      {-0.0, 0.0, 5},
      {3, 0, 7},
      {1, 2, 0},
      {1, 2, -5},
  };
  for (const Case& c : cases) {
    double expected = addOneByOne(c.x, c.step, c.n);
    double got = addRepeatedly(c.x, c.step, c.n);
    EXPECT_TRUE(sameBits(got, expected)) << c.x << " + " << c.step << " x " << c.n << ": " << got << " vs "
                                         << expected;
  }
}

TEST(RepeatedAdd, MatchesOneAdditionAtATimeForBlitSteps) {
  // Steps as scaled copies make them: a source size over a destination size.
  std::mt19937 generator(12345);
  std::uniform_int_distribution<int32_t> size(1, 5000);
  std::uniform_int_distribution<int32_t> start(-3000, 3000);
  std::uniform_int_distribution<int64_t> count(0, 200000);
  std::bernoulli_distribution negative(0.2);
  for (int i = 0; i < 300; ++i) {
    double x = start(generator);
    double step = static_cast<double>(size(generator)) / size(generator);
    if (negative(generator)) step = -step;
    int64_t n = count(generator);
    double expected = addOneByOne(x, step, n);
    double got = addRepeatedly(x, step, n);
    ASSERT_TRUE(sameBits(got, expected)) << x << " + " << step << " x " << n;
  }
}

TEST(RepeatedAdd, SplittingTheCountGivesTheSameResult) {
  // Beyond what one-by-one addition can check in a test: a run of 2^31
  // additions equals its two halves done in turn.
  const double steps[] = {1.0 / 3, 16.0 / 24, 3.0 / 2147483647.0, -1.0 / 7};
  for (double step : steps) {
    int64_t whole = int64_t{1} << 31;
    double direct = addRepeatedly(-1000, step, whole);
    double halves = addRepeatedly(addRepeatedly(-1000, step, whole / 2 + 17), step, whole / 2 - 17);
    EXPECT_TRUE(sameBits(direct, halves)) << step;
    double viaPlain = addOneByOne(addRepeatedly(-1000, step, whole - 1000), step, 1000);
    EXPECT_TRUE(sameBits(direct, viaPlain)) << step;
  }
}

}  // namespace
