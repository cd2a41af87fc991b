// Scoring a five-card cribbage hand: fifteens, pairs, runs, flush, knobs.
// The hand is sorted by rank as dealt; its last card is the starter.
#pragma once

#include <cstdint>
#include <vector>

#include "game/card.hpp"

namespace pegwick {

// The result lists the searches fill. Shared by the module, so the searches
// are not reentrant; the game uses them from its one thread.
struct ScoreState {
  std::vector<std::vector<int32_t>> fifteenResults{};  // counting values adding up to 15
  std::vector<std::vector<Card>> pairResults{};        // two cards of equal rank each
};

extern ScoreState scoreState;

// Appends to fifteenResults every extension of partial by a subsequence of
// numbers that sums to target, depth first in the order of numbers.
void subsetSum(const std::vector<int32_t>& numbers, int32_t target, const std::vector<int32_t>& partial);

// Every combination of the hand's counting values that adds up to 15.
std::vector<std::vector<int32_t>> findFifteens(const std::vector<Card>& hand);

// Appends to pairResults every two-card extension of partial from cards whose
// two cards have equal rank.
void subsetPairs(const std::vector<Card>& cards, const std::vector<Card>& partial);

// Every pair of cards of equal rank in the hand.
std::vector<std::vector<Card>> findPairs(const std::vector<Card>& hand);

// Points for runs in the sorted hand; writes its ranks as '@[3, 3, 4, 4, 5]'.
int32_t findRuns(const std::vector<Card>& hand);

// Only a five-card flush counts.
bool isFlush(const std::vector<Card>& hand);

// A jack of the starter's suit among the other cards, the starter not a jack.
bool isKnobs(const std::vector<Card>& hand);

}  // namespace pegwick
