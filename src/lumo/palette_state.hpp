// The 16-entry palette that turns screen indices into colours.
#pragma once

#include <array>
#include <cstdint>

#include "lumo/lumo.hpp"

namespace lumo {

struct PaletteState {
  std::array<Color, paletteSize> palette{};  // all black before the first loader
  int32_t paletteCount = paletteSize;
};

extern PaletteState paletteState;

}  // namespace lumo
