// The framework's xoroshiro128+ generator state.
#pragma once

#include <cstdint>

namespace lumo {

struct RandomState {
  uint64_t s0 = 0;
  uint64_t s1 = 0;
};

extern RandomState randomState;

// One step of the generator: returns s0 + s1 and advances the state.
uint64_t nextRandom();

}  // namespace lumo
