// Frame-loop settings, the application's callbacks and the stop request.
#pragma once

#include <cstdint>

#include "lumo/lumo.hpp"

namespace lumo {

// The platform's millisecond tick counter (replaceable in tests).
uint32_t platformTicks();

struct LoopState {
  int32_t frameRate = 60;
  double timeStep = 1.0 / 60;
  int32_t speedMultiplier = 1;
  double timeAccumulator = 0.0;
  uint32_t lastTicks = platformTicks();
  bool keepRunning = true;
  int32_t frame = 0;
  bool focused = true;
  bool loopStarted = false;
  InitFunc initFunc;
  UpdateFunc updateFunc;
  DrawFunc drawFunc;
  ControllerFunc controllerAddedFunc;
  ControllerFunc controllerRemovedFunc;
};

extern LoopState loopState;

}  // namespace lumo
