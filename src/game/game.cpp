#include "game/game.hpp"

namespace pegwick {

void gameInit() {}

void gameUpdate(double) {}

void gameDraw() {}

}  // namespace pegwick
