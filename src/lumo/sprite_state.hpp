// The sprite-sheet slots and the one that sprite operations use.
#pragma once

#include <array>
#include <cstdint>

#include "lumo/lumo.hpp"

namespace lumo {

constexpr int32_t sheetSlotCount = 16;

struct SpriteState {
  std::array<Surface, sheetSlotCount> sheetSlots{};  // indexed surfaces, empty until loaded
  int32_t spritesheet = 0;                            // the designated slot
};

extern SpriteState spriteState;

}  // namespace lumo
