// The game's flow: the callbacks the framework runs.
#pragma once

namespace pegwick {

void gameInit();
void gameUpdate(double dt);
void gameDraw();

}  // namespace pegwick
