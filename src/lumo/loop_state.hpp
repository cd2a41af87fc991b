// Frame-loop settings, the application's callbacks and the stop request.
#pragma once

#include <cstdint>

#include "lumo/lumo.hpp"
#include "support/shared_callback.hpp"

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
  // Shared, so the loop keeps a callback alive while it runs even when the
  // callback replaces itself through `run`, without a copy per call.
  SharedCallback<void()> initFunc;
  SharedCallback<void(double)> updateFunc;
  SharedCallback<void()> drawFunc;
  SharedCallback<void(const LumoController&)> controllerAddedFunc;
  SharedCallback<void(const LumoController&)> controllerRemovedFunc;
};

extern LoopState loopState;

}  // namespace lumo
