// The font slots and the one text calls use.
#pragma once

#include <array>
#include <cstdint>

#include "lumo/lumo.hpp"

namespace lumo {

constexpr int32_t fontSlotCount = 4;

struct FontState {
  std::array<FontRef, fontSlotCount> fonts{};  // empty until a font is loaded
  int32_t currentFont = 0;
};

extern FontState fontState;

}  // namespace lumo
