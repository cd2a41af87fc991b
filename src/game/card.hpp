// Playing cards and the deal of one cribbage hand.
#pragma once

#include <cstdint>
#include <vector>

namespace pegwick {

enum class Suit : uint8_t { spade, heart, diamond, club };

// Where a card's picture sits on the screen (its top-left corner).
struct CardLocation {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const CardLocation&) const = default;
};

struct Card {
  Suit suit = Suit::spade;
  int32_t heirarchy = 0;  // rank: 1 ace, 2 to 10, 11 jack, 12 queen, 13 king
  int32_t value = 0;      // counting value for fifteens: min(rank, 10)
  CardLocation location{};
  bool operator==(const Card&) const = default;
};

// The 52 cards in their fixed order: spades, hearts, diamonds, clubs, each
// from ace to king.
std::vector<Card> newDeck();

// Builds and shuffles a fresh deck and deals its first five cards, sorted by
// rank; equal ranks keep their shuffled order, so the last card is the
// starter.
std::vector<Card> newHand();

}  // namespace pegwick
