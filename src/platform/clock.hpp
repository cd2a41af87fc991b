// The loop's time source and sleep, replaceable so tests run on a test clock.
#pragma once

#include <cstdint>

namespace lumo {

struct Clock {
  uint32_t (*ticks)() = nullptr;      // milliseconds; null: SDL's tick counter
  void (*delay)(uint32_t) = nullptr;  // null: SDL's delay
};

// Plain function pointers so the clock is usable during static start-up.
extern Clock loopClock;

void clockDelay(uint32_t milliseconds);

}  // namespace lumo
