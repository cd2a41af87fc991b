// pegwick: deals and scores cribbage hands.
#include <cstdio>

#include "game/game.hpp"
#include "lumo/lumo.hpp"

int main() {
  try {
    lumo::init("brindle", "pegwick");
    lumo::loadPaletteCGA();
    lumo::createWindow("pegwick", 128, 128, 4, false);
    lumo::run(pegwick::gameInit, pegwick::gameUpdate, pegwick::gameDraw);
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", lumo::unhandledReport(e).c_str());
    return 1;
  }
}
