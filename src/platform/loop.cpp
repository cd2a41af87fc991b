// The fixed-step frame loop.
#include "lumo/input_state.hpp"
#include "lumo/loop_state.hpp"
#include "platform/clock.hpp"
#include "platform/platform.hpp"

namespace lumo {

void runLoop() {
  while (loopState.keepRunning) loopStep();
}

void loopStep() {
  LoopState& s = loopState;
  checkInput();
  uint32_t now = platformTicks();
  uint32_t elapsed = now - s.lastTicks;  // unsigned: the counter's wrap is harmless
  double delta = elapsed / 1000.0 * s.speedMultiplier;
  // After a stall take one step's worth instead of trying to catch up.
  if (delta > 2 * s.timeStep) delta = s.timeStep;
  s.timeAccumulator += delta;
  s.lastTicks = now;
  while (s.timeAccumulator > s.timeStep) {
    for (const LumoController& c : inputState.controllers) update(c);
    // Called through copies: a callback may replace itself by calling `run`.
    auto updateFn = s.updateFunc;
    updateFn(s.timeStep);
    for (const LumoController& c : inputState.controllers) postUpdate(c);
    s.frame += 1;
    // Draw once, after the last update of the batch.
    if (s.timeAccumulator > s.timeStep && s.timeStep + s.timeStep > s.timeAccumulator) {
      auto drawFn = s.drawFunc;
      drawFn();
      flip();
    }
    ageMouse();
    s.timeAccumulator -= s.timeStep;
    clockDelay(s.focused ? 0 : 10);
  }
}

}  // namespace lumo
