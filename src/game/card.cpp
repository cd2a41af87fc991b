#include "game/card.hpp"

#include <algorithm>

#include "lumo/lumo.hpp"

namespace pegwick {

namespace {

constexpr int32_t suitCount = 4;
constexpr int32_t rankCount = 13;
constexpr size_t handSize = 5;

// The deck of the latest deal; it keeps all 52 cards, the dealt ones too.
std::vector<Card> deck;

}  // namespace

std::vector<Card> newDeck() {
  std::vector<Card> cards;
  cards.reserve(suitCount * rankCount);
  for (int32_t suit = 0; suit < suitCount; ++suit) {
    for (int32_t rank = 1; rank <= rankCount; ++rank) {
      cards.push_back(Card{static_cast<Suit>(suit), rank, std::min(rank, 10), {}});
    }
  }
  return cards;
}

std::vector<Card> newHand() {
  deck = newDeck();
  lumo::shuffle(deck);
  std::vector<Card> hand(deck.begin(), deck.begin() + handSize);
  // Stable: the scoring takes the last card as the starter, so equal ranks
  // must keep the order they were dealt in.
  std::stable_sort(hand.begin(), hand.end(),
                   [](const Card& a, const Card& b) { return a.heirarchy < b.heirarchy; });
  return hand;
}

}  // namespace pegwick
