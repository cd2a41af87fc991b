#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

#include "lumo/lumo.hpp"
#include "lumo/random_state.hpp"

namespace {

using namespace lumo;

TEST(Random, SrandSeedsWithSeedPlusOneBeforeDiscardingOneValue) {
  // srand(0) seeds with 1: s0 = 0, s1 = 1, then one value is drawn.
  srand(0);
  RandomState expected{0, 1};
  RandomState saved = randomState;
  randomState = expected;
  uint64_t discarded = nextRandom();
  EXPECT_EQ(discarded, 1u);
  EXPECT_EQ(randomState.s0, saved.s0);
  EXPECT_EQ(randomState.s1, saved.s1);
  // The step from (0, 1): s1 ^= s0 -> 1; s0 = rotl(0,55) ^ 1 ^ (1 << 14); s1 = rotl(1, 36).
  EXPECT_EQ(saved.s0, 1u ^ (1u << 14));
  EXPECT_EQ(saved.s1, 1ull << 36);
}

TEST(Random, RandomizeSplitsTheSeedIntoHighAndLowHalves) {
  randomize(0x12345678);
  RandomState after = randomState;
  randomState = {0x1234, 0x5678};
  nextRandom();
  EXPECT_EQ(after.s0, randomState.s0);
  EXPECT_EQ(after.s1, randomState.s1);
  // A negative seed is taken as unsigned 32 bits.
  randomize(-1);
  after = randomState;
  randomState = {0xFFFF, 0xFFFF};
  nextRandom();
  EXPECT_EQ(after.s0, randomState.s0);
  EXPECT_EQ(after.s1, randomState.s1);
}

TEST(Random, KnownSequenceFromAFixedState) {
  // Reference values computed by hand from the published algorithm.
  randomState = {1, 2};
  EXPECT_EQ(nextRandom(), 3u);
  // s1 = 2 ^ 1 = 3; s0 = rotl(1,55) ^ 3 ^ (3 << 14); s1 = rotl(3, 36)
  uint64_t s0 = (1ull << 55) ^ 3ull ^ (3ull << 14);
  uint64_t s1 = 3ull << 36;
  EXPECT_EQ(randomState.s0, s0);
  EXPECT_EQ(randomState.s1, s1);
  EXPECT_EQ(nextRandom(), s0 + s1);
}

TEST(Random, SrandOfTheLargestSeedOverflows) {
  try {
    srand(INT32_MAX);
    FAIL() << "expected an overflow error";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Overflow);
    EXPECT_STREQ(e.what(), "over- or underflow");
  }
}

TEST(Random, IntegerAndFloatFormsStayInRange) {
  srand(42);
  for (int i = 0; i < 1000; ++i) {
    EXPECT_LT(random(uint64_t{7}), 7u);
    double f = rnd(2.5);
    EXPECT_GE(f, 0.0);
    EXPECT_LT(f, 2.5);
  }
}

TEST(Random, FloatFormUsesTheHighBitsAsAMantissa) {
  // next() = 0 gives u = 1.0 exactly, so the result is 0.
  randomState = {0, 0};
  EXPECT_EQ(rnd(10.0), 0.0);
  // next() = all ones gives the largest double below 2.
  randomState = {UINT64_MAX, 0};
  EXPECT_EQ(rnd(1.0), 1.0 - 0x1p-52);
}

TEST(Random, ShuffleIsReproducibleAfterSrand) {
  std::vector<int> a{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  std::vector<int> b = a;
  srand(7);
  shuffle(a);
  srand(7);
  shuffle(b);
  EXPECT_EQ(a, b);
  std::vector<int> sorted = a;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(Rounding, FlrAndCeil) {
  EXPECT_EQ(lumo::ceil(1.2), 2.0);
  EXPECT_EQ(lumo::ceil(-1.2), -1.0);
  EXPECT_EQ(flr(-1.2), -2.0);
  EXPECT_EQ(flr(3.0), 3.0);
}

TEST(Rounding, ToPintTruncatesTowardZeroAndSaturates) {
  EXPECT_EQ(toPint(2.9), 2);
  EXPECT_EQ(toPint(-2.9), -2);
  EXPECT_EQ(toPint(1e30), INT32_MAX);
  EXPECT_EQ(toPint(-1e30), INT32_MIN);
  EXPECT_EQ(toPint(std::nan("")), 0);
}

}  // namespace
