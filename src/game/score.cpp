#include "game/score.hpp"

#include <algorithm>
#include <string>

#include "lumo/lumo.hpp"
#include "support/checked.hpp"

namespace pegwick {

ScoreState scoreState;

namespace {

constexpr size_t handSize = 5;
constexpr size_t starterIndex = 4;
constexpr int32_t jack = 11;
constexpr int32_t fifteen = 15;

// The runs scan and the starter tests read up to the fifth card.
void requireFullHand(const std::vector<Card>& hand) {
  if (hand.size() < handSize) lumo::throwAssertion("hand.len >= 5");
}

// The subset-sum search over numbers[start..], extending partial in place
// rather than copying it and the remaining numbers at every step.
void collectSums(const std::vector<int32_t>& numbers, size_t start, int32_t target,
                 std::vector<int32_t>& partial, int32_t sum) {
  if (sum == target) {
    scoreState.fifteenResults.push_back(partial);
    return;
  }
  if (sum > target) return;
  for (size_t i = start; i < numbers.size(); ++i) {
    partial.push_back(numbers[i]);
    collectSums(numbers, i + 1, target, partial, lumo::checkedAdd(sum, numbers[i]));
    partial.pop_back();
  }
}

void collectPairs(const std::vector<Card>& cards, size_t start, std::vector<Card>& partial) {
  if (partial.size() == 2 && partial[0].heirarchy == partial[1].heirarchy) {
    scoreState.pairResults.push_back(partial);
    return;
  }
  // Two unequal cards, or more than two, can never become a pair.
  if (partial.size() >= 2) return;
  for (size_t i = start; i < cards.size(); ++i) {
    partial.push_back(cards[i]);
    collectPairs(cards, i + 1, partial);
    partial.pop_back();
  }
}

}  // namespace

void subsetSum(const std::vector<int32_t>& numbers, int32_t target, const std::vector<int32_t>& partial) {
  int32_t sum = 0;
  for (int32_t n : partial) sum = lumo::checkedAdd(sum, n);
  std::vector<int32_t> extended;
  extended.reserve(partial.size() + numbers.size());
  extended.assign(partial.begin(), partial.end());
  collectSums(numbers, 0, target, extended, sum);
}

std::vector<std::vector<int32_t>> findFifteens(const std::vector<Card>& hand) {
  std::vector<int32_t> values;
  values.reserve(hand.size());
  for (const Card& card : hand) values.push_back(card.value);
  scoreState.fifteenResults.clear();
  subsetSum(values, fifteen, {});
  return scoreState.fifteenResults;
}

void subsetPairs(const std::vector<Card>& cards, const std::vector<Card>& partial) {
  std::vector<Card> extended;
  extended.reserve(partial.size() + 2);
  extended.assign(partial.begin(), partial.end());
  collectPairs(cards, 0, extended);
}

std::vector<std::vector<Card>> findPairs(const std::vector<Card>& hand) {
  scoreState.pairResults.clear();
  subsetPairs(hand, {});
  return scoreState.pairResults;
}

int32_t findRuns(const std::vector<Card>& hand) {
  requireFullHand(hand);
  std::string ranks = "@[";
  for (size_t i = 0; i < hand.size(); ++i) {
    if (i > 0) ranks += ", ";
    ranks += std::to_string(hand[i].heirarchy);
  }
  ranks += "]";
  lumo::output(ranks);

  // One pass over the sorted ranks: the run grows on each step of one, and
  // each repeated rank inside it multiplies the count of distinct runs.
  int32_t run = 1;
  int32_t multiplier = 1;
  int32_t lastPair = 0;
  for (size_t i = 1; i < handSize; ++i) {
    int32_t rank = hand[i].heirarchy;
    int32_t step = lumo::checkedSub(rank, hand[i - 1].heirarchy);
    if (step == 1) {
      ++run;
    } else if (step == 0) {
      // A second, different pair: two pairs in a run of three make four runs.
      if (rank != lastPair && lastPair != 0) ++multiplier;
      ++multiplier;
      lastPair = rank;
    } else {
      if (run >= 3) break;
      run = 1;
      multiplier = 1;
    }
  }
  return run >= 3 ? run * multiplier : 0;
}

bool isFlush(const std::vector<Card>& hand) {
  requireFullHand(hand);
  Suit suit = hand[0].suit;
  return std::all_of(hand.begin(), hand.end(), [suit](const Card& card) { return card.suit == suit; });
}

bool isKnobs(const std::vector<Card>& hand) {
  requireFullHand(hand);
  const Card& starter = hand[starterIndex];
  if (starter.heirarchy == jack) return false;
  return std::any_of(hand.begin(), hand.begin() + starterIndex, [&starter](const Card& card) {
    return card.heirarchy == jack && card.suit == starter.suit;
  });
}

}  // namespace pegwick
