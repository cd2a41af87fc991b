#include "platform/clock.hpp"

#include <SDL.h>

#include "lumo/loop_state.hpp"

namespace lumo {

constinit Clock loopClock;

uint32_t platformTicks() { return loopClock.ticks ? loopClock.ticks() : SDL_GetTicks(); }

void clockDelay(uint32_t milliseconds) {
  if (loopClock.delay) {
    loopClock.delay(milliseconds);
  } else {
    SDL_Delay(milliseconds);
  }
}

}  // namespace lumo
