// Event dispatch: the SDL event queue into framework state.
#include <SDL.h>

#include "lumo/loop_state.hpp"
#include "platform/platform.hpp"

namespace lumo {

void checkInput() {
  SDL_Event event;
  while (SDL_PollEvent(&event) == 1) {
    if (event.type == SDL_QUIT) loopState.keepRunning = false;
  }
}

}  // namespace lumo
