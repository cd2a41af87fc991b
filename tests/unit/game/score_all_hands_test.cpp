// Every five-card hand, scored by the game and by a second count written
// another way: subsets as bit masks for fifteens, rank multiplicities for
// pairs and runs.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "game/card.hpp"
#include "game/score.hpp"

namespace {

using namespace pegwick;

// findRuns writes a line per hand; send stdout to /dev/null for the loop.
class QuietStdout {
 public:
  QuietStdout() {
    std::fflush(stdout);
    saved_ = dup(STDOUT_FILENO);
    int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    close(null);
  }
  ~QuietStdout() {
    std::fflush(stdout);
    dup2(saved_, STDOUT_FILENO);
    close(saved_);
  }
  QuietStdout(const QuietStdout&) = delete;
  QuietStdout& operator=(const QuietStdout&) = delete;

 private:
  int saved_ = -1;
};

// Subset sums built up mask by mask: a mask's sum is that of the mask
// without its lowest card, plus that card.
int32_t fifteensByMask(const std::vector<Card>& hand) {
  std::array<int32_t, 32> sums{};
  int32_t combos = 0;
  for (uint32_t mask = 1; mask < 32; ++mask) {
    sums[mask] = sums[mask & (mask - 1)] + hand[std::countr_zero(mask)].value;
    if (sums[mask] == 15) ++combos;
  }
  return 2 * combos;
}

// counts[r] = cards of rank r, r from 1 to 13; counts[0] and counts[14] stay 0.
using RankCounts = std::array<int32_t, 15>;

int32_t pairsByCounts(const RankCounts& counts) {
  int32_t pairs = 0;
  for (int32_t n : counts) pairs += n * (n - 1) / 2;
  return 2 * pairs;
}

// Each maximal stretch of consecutive ranks of three or more scores its
// length once per way of picking one card of each rank.
int32_t runsByCounts(const RankCounts& counts) {
  int32_t points = 0;
  int32_t length = 0;
  int32_t ways = 1;
  for (int32_t rank = 1; rank <= 14; ++rank) {
    if (counts[rank] > 0) {
      ++length;
      ways *= counts[rank];
      continue;
    }
    if (length >= 3) points += length * ways;
    length = 0;
    ways = 1;
  }
  return points;
}

std::string describe(const std::vector<Card>& hand) {
  std::ostringstream text;
  for (const Card& card : hand) text << card.heirarchy << "/" << static_cast<int>(card.suit) << " ";
  return text.str();
}

TEST(ScoreAllHands, AgreesWithAnIndependentCountAndNeverPassesTwentyEight) {
#ifdef __OPTIMIZE__
  constexpr int64_t stride = 1;
#else
  // Unoptimised (sanitizer) builds score every 13th hand to stay quick.
  constexpr int64_t stride = 13;
#endif
  const std::vector<Card> deck = newDeck();
  std::vector<Card> hand(5);
  int64_t dealt = 0;
  int64_t mismatches = 0;
  std::string firstMismatch;
  std::array<int64_t, 30> handsWithTotal{};
  int32_t highest = 0;
  {
    QuietStdout quiet;
    for (size_t a = 0; a < 52; ++a)
      for (size_t b = a + 1; b < 52; ++b)
        for (size_t c = b + 1; c < 52; ++c)
          for (size_t d = c + 1; d < 52; ++d)
            for (size_t e = d + 1; e < 52; ++e) {
              if (dealt++ % stride != 0) continue;
              hand = {deck[a], deck[b], deck[c], deck[d], deck[e]};
              std::stable_sort(hand.begin(), hand.end(),
                               [](const Card& x, const Card& y) { return x.heirarchy < y.heirarchy; });
              RankCounts counts{};
              for (const Card& card : hand) ++counts[card.heirarchy];

              const int32_t fifteens = 2 * static_cast<int32_t>(findFifteens(hand).size());
              const int32_t pairs = 2 * static_cast<int32_t>(findPairs(hand).size());
              const int32_t runs = findRuns(hand);
              if (fifteens != fifteensByMask(hand) || pairs != pairsByCounts(counts) || runs != runsByCounts(counts)) {
                if (mismatches++ == 0) {
                  firstMismatch = describe(hand) + "fifteens " + std::to_string(fifteens) + " pairs " +
                                  std::to_string(pairs) + " runs " + std::to_string(runs);
                }
              }
              const int32_t total = fifteens + pairs + runs + (isFlush(hand) ? 5 : 0) + (isKnobs(hand) ? 1 : 0);
              highest = std::max(highest, total);
              if (total < static_cast<int32_t>(handsWithTotal.size())) ++handsWithTotal[total];
            }
  }
  EXPECT_EQ(dealt, 2598960);
  EXPECT_EQ(mismatches, 0) << "first: " << firstMismatch;
  EXPECT_LE(highest, 28);
  EXPECT_EQ(handsWithTotal[29], 0);
  if (stride == 1) {
    // Only four fives with a ten-card starter reach 28: four ranks, four suits.
    EXPECT_EQ(handsWithTotal[28], 16);
  }
}

}  // namespace
