#include <algorithm>
#include <array>
#include <set>
#include <utility>

#include <gtest/gtest.h>

#include "game/card.hpp"
#include "lumo/lumo.hpp"

namespace {

using pegwick::Card;
using pegwick::newDeck;
using pegwick::newHand;
using pegwick::Suit;

TEST(Deck, UnshuffledOrderIsEachSuitFromAceToKing) {
  const std::vector<Card> deck = newDeck();
  ASSERT_EQ(deck.size(), 52u);
  EXPECT_EQ(deck[0], (Card{Suit::spade, 1, 1, {0, 0}}));
  EXPECT_EQ(deck[1], (Card{Suit::spade, 2, 2, {0, 0}}));
  EXPECT_EQ(deck[12], (Card{Suit::spade, 13, 10, {0, 0}}));
  EXPECT_EQ(deck[13], (Card{Suit::heart, 1, 1, {0, 0}}));
  EXPECT_EQ(deck[26], (Card{Suit::diamond, 1, 1, {0, 0}}));
  EXPECT_EQ(deck[39], (Card{Suit::club, 1, 1, {0, 0}}));
  EXPECT_EQ(deck[51], (Card{Suit::club, 13, 10, {0, 0}}));

  // Every card exactly once, suits never going back, ranks climbing by one within a suit.
  std::set<std::pair<Suit, int32_t>> seen;
  for (size_t i = 0; i < deck.size(); ++i) {
    seen.insert({deck[i].suit, deck[i].heirarchy});
    EXPECT_EQ(deck[i].location, (pegwick::CardLocation{0, 0}));
    if (i == 0) continue;
    if (deck[i].suit == deck[i - 1].suit) {
      EXPECT_EQ(deck[i].heirarchy, deck[i - 1].heirarchy + 1) << "index " << i;
    } else {
      EXPECT_GT(deck[i].suit, deck[i - 1].suit) << "index " << i;
      EXPECT_EQ(deck[i].heirarchy, 1) << "index " << i;
    }
  }
  EXPECT_EQ(seen.size(), 52u);
}

TEST(Deck, CountingValueIsTheRankWithFaceCardsAtTen) {
  const std::array<int32_t, 13> valueOfRank = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10, 10, 10};
  for (const Card& card : newDeck()) {
    ASSERT_GE(card.heirarchy, 1);
    ASSERT_LE(card.heirarchy, 13);
    EXPECT_EQ(card.value, valueOfRank[card.heirarchy - 1]) << "rank " << card.heirarchy;
  }
  lumo::srand(3);
  for (const Card& card : newHand()) EXPECT_EQ(card.value, valueOfRank[card.heirarchy - 1]);
}

TEST(Deal, SameSeedDealsTheSameHand) {
  lumo::srand(7);
  const std::vector<Card> first = newHand();
  const std::vector<Card> second = newHand();
  lumo::srand(7);
  EXPECT_EQ(newHand(), first);
  EXPECT_EQ(newHand(), second);
  EXPECT_NE(first, second);
}

// The hand must be the first five cards of the shuffled deck, ordered by
// rank, and among equal ranks by their place in the shuffled deck (not by suit).
TEST(Deal, HandIsTheTopFiveOfTheShuffledDeckByRankThenDealtOrder) {
  int32_t tiesAgainstSuitOrder = 0;
  for (int32_t seed = 0; seed < 500; ++seed) {
    lumo::srand(seed);
    std::vector<Card> deck = newDeck();
    lumo::shuffle(deck);
    std::array<size_t, 5> dealt = {0, 1, 2, 3, 4};
    std::sort(dealt.begin(), dealt.end(), [&deck](size_t a, size_t b) {
      return std::pair(deck[a].heirarchy, a) < std::pair(deck[b].heirarchy, b);
    });
    std::vector<Card> expected;
    for (size_t position : dealt) expected.push_back(deck[position]);

    lumo::srand(seed);
    const std::vector<Card> hand = newHand();
    ASSERT_EQ(hand, expected) << "seed " << seed;
    for (size_t i = 1; i < hand.size(); ++i) {
      if (hand[i].heirarchy == hand[i - 1].heirarchy && hand[i].suit < hand[i - 1].suit) ++tiesAgainstSuitOrder;
    }
  }
  // The seeds must include deals where suit order and dealt order disagree.
  EXPECT_GT(tiesAgainstSuitOrder, 0);
}

}  // namespace
