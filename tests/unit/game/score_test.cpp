#include <algorithm>
#include <cstdint>
#include <functional>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>

#include <gtest/gtest.h>

#include "game/card.hpp"
#include "game/score.hpp"
#include "lumo/lumo.hpp"

namespace {

using namespace pegwick;

// "10H" is the ten of hearts, "AS" the ace of spades, "KC" the king of clubs.
Card card(std::string_view text) {
  const std::string_view ranks[] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
  std::string_view rank = text.substr(0, text.size() - 1);
  int32_t heirarchy = 0;
  for (int32_t i = 0; i < 13; ++i) {
    if (ranks[i] == rank) heirarchy = i + 1;
  }
  Suit suit = Suit::spade;
  switch (text.back()) {
    case 'S': suit = Suit::spade; break;
    case 'H': suit = Suit::heart; break;
    case 'D': suit = Suit::diamond; break;
    case 'C': suit = Suit::club; break;
    default: ADD_FAILURE() << "bad suit in " << text;
  }
  if (heirarchy == 0) ADD_FAILURE() << "bad rank in " << text;
  return Card{suit, heirarchy, std::min(heirarchy, 10), {}};
}

// Cards in the order given, which is the dealt (sorted) order.
std::vector<Card> hand(const std::string& text) {
  std::vector<Card> cards;
  std::istringstream words(text);
  std::string word;
  while (words >> word) cards.push_back(card(word));
  return cards;
}

struct Points {
  int32_t fifteens = 0, pairs = 0, runs = 0, flush = 0, knobs = 0, total = 0;
  bool operator==(const Points&) const = default;
};

void PrintTo(const Points& p, std::ostream* os) {
  *os << "{fifteens " << p.fifteens << ", pairs " << p.pairs << ", runs " << p.runs << ", flush " << p.flush
      << ", knobs " << p.knobs << ", total " << p.total << "}";
}

// The points of a hand as the game adds them up; the ranks line is dropped.
Points score(const std::vector<Card>& cards) {
  Points p;
  p.fifteens = 2 * static_cast<int32_t>(findFifteens(cards).size());
  p.pairs = 2 * static_cast<int32_t>(findPairs(cards).size());
  testing::internal::CaptureStdout();
  p.runs = findRuns(cards);
  testing::internal::GetCapturedStdout();
  p.flush = isFlush(cards) ? 5 : 0;
  p.knobs = isKnobs(cards) ? 1 : 0;
  p.total = p.fifteens + p.pairs + p.runs + p.flush + p.knobs;
  return p;
}

struct ExampleHand {
  const char* cards;
  Points points;
};

TEST(Score, ExampleHands) {
  const ExampleHand examples[] = {
      // cards                 fifteens pairs runs flush knobs total
      {"5S 5H 5D 5C JS", {16, 12, 0, 0, 0, 28}},  // the jack is the starter: no knobs
      {"4H 5H 6H 7H 8H", {4, 0, 5, 5, 0, 14}},
      {"3S 3H 4D 4C 5S", {4, 4, 12, 0, 0, 20}},   // two pairs in a run of three
      {"3S 4H 4C 5H 5S", {0, 4, 12, 0, 0, 16}},
      {"AS AH AC 2H 3C", {0, 6, 9, 0, 0, 15}},    // three of a kind in a run
      {"3S 4H 4C 4S 5C", {2, 6, 9, 0, 0, 17}},
      {"10S JH QC KS KC", {0, 2, 8, 0, 0, 10}},
      {"2S 2H 5C 6H 7C", {6, 2, 3, 0, 0, 11}},    // the pair lies outside the run
      {"5S 6H 7C 9H 9C", {4, 2, 3, 0, 0, 9}},     // the scan stops at the gap
      {"2C 5D 9S JH KH", {4, 0, 0, 0, 1, 5}},
      {"5S 5H 5C JD KD", {14, 6, 0, 0, 1, 21}},
      {"2H 4H 6H 8H 10S", {0, 0, 0, 0, 0, 0}},    // four hearts are no flush
      {"AS 2H 3D QC KS", {4, 0, 3, 0, 0, 7}},     // queen, king, ace do not wrap
      {"7S 7H 7C QS KH", {0, 6, 0, 0, 0, 6}},
  };
  for (const ExampleHand& example : examples) {
    EXPECT_EQ(score(hand(example.cards)), example.points) << example.cards;
  }
}

TEST(Score, RunsWriteTheRanksLine) {
  testing::internal::CaptureStdout();
  findRuns(hand("4H 5H 6H 7H 8H"));
  findRuns(hand("3S 3H 4D 4C 5S"));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "@[4, 5, 6, 7, 8]\r\n@[3, 3, 4, 4, 5]\r\n");
}

TEST(Score, FlushAndKnobs) {
  struct Case {
    const char* cards;
    bool flush;
    bool knobs;
  };
  const Case cases[] = {
      {"2H 4H 6H 8H 10H", true, false},
      {"2S 4H 6H 8H 10H", false, false},  // only the first card differs
      {"2H 5H JH QH KH", true, true},
      {"2C 5D 9S JS KH", false, false},   // the jack is not of the starter's suit
      {"2C 5D JH KH KS", false, false},   // of two kings the later one is the starter
      {"2C 5D JH KS KH", false, true},
      {"2C 5D 9S JH JS", false, false},   // a jack starter never gives knobs
  };
  for (const Case& c : cases) {
    const std::vector<Card> cards = hand(c.cards);
    EXPECT_EQ(isFlush(cards), c.flush) << c.cards;
    EXPECT_EQ(isKnobs(cards), c.knobs) << c.cards;
  }
}

TEST(Score, FifteensAreListedDepthFirstAndEachSearchStartsAfresh) {
  const std::vector<std::vector<int32_t>> expected = {{5, 5, 5}, {5, 10}, {5, 10}, {5, 10},
                                                      {5, 10},   {5, 10}, {5, 10}};
  EXPECT_EQ(findFifteens(hand("5S 5H 5D 10C KS")), expected);
  EXPECT_EQ(scoreState.fifteenResults, expected);
  EXPECT_EQ(findFifteens(hand("2H 4H 6H 8H 10S")), std::vector<std::vector<int32_t>>{});
  EXPECT_TRUE(scoreState.fifteenResults.empty());
}

TEST(Score, SubsetSumAppendsExtensionsOfThePartial) {
  scoreState.fifteenResults = {{9}};
  subsetSum({3, 4, 8}, 15, {4});
  subsetSum({1, 2}, 5, {5});  // already at the target: no extension is tried
  subsetSum({1}, 5, {6});     // beyond it: nothing
  const std::vector<std::vector<int32_t>> expected = {{9}, {4, 3, 8}, {5}};
  EXPECT_EQ(scoreState.fifteenResults, expected);

  try {
    subsetSum({INT32_MAX}, 15, {1});
    FAIL() << "expected an overflow error";
  } catch (const lumo::Error& e) {
    EXPECT_EQ(e.kind(), lumo::ErrorKind::Overflow);
  }
}

TEST(Score, PairsAreEveryTwoCardsOfEqualRank) {
  const std::vector<std::vector<Card>> triple = {
      {card("7S"), card("7H")}, {card("7S"), card("7C")}, {card("7H"), card("7C")}};
  EXPECT_EQ(findPairs(hand("7S 7H 7C QS KH")), triple);
  EXPECT_EQ(scoreState.pairResults, triple);

  // Equal counting values are not enough: a ten and a king are no pair.
  const std::vector<std::vector<Card>> kings = {{card("KH"), card("KS")}};
  EXPECT_EQ(findPairs(hand("2C 5D 10S KH KS")), kings);

  // subsetPairs extends the partial and appends to what is there.
  subsetPairs(hand("7H 8C 7C"), {card("7S")});
  const std::vector<std::vector<Card>> extended = {
      {card("KH"), card("KS")}, {card("7S"), card("7H")}, {card("7S"), card("7C")}};
  EXPECT_EQ(scoreState.pairResults, extended);
}

TEST(Score, HandOfFewerThanFiveCardsFailsTheAssertion) {
  const std::vector<Card> full = hand("3S 4H 5D 6C JC");
  for (size_t size : {0u, 1u, 4u}) {
    const std::vector<Card> cards(full.begin(), full.begin() + size);
    const std::pair<const char*, std::function<void()>> rules[] = {
        {"findRuns", [&] { findRuns(cards); }},
        {"isFlush", [&] { isFlush(cards); }},
        {"isKnobs", [&] { isKnobs(cards); }},
    };
    for (const auto& [name, rule] : rules) {
      testing::internal::CaptureStdout();
      try {
        rule();
        ADD_FAILURE() << name << " accepted " << size << " cards";
      } catch (const lumo::Error& e) {
        EXPECT_EQ(e.kind(), lumo::ErrorKind::Assertion) << name;
        EXPECT_STREQ(e.what(), "\n  hand.len >= 5 ") << name;
      }
      EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << name << " wrote a ranks line";
    }
  }
  // The searches read only what is there.
  EXPECT_EQ(findFifteens(hand("5S JH")), (std::vector<std::vector<int32_t>>{{5, 10}}));
  EXPECT_EQ(findPairs(hand("5S 5H")).size(), 1u);
}

}  // namespace
