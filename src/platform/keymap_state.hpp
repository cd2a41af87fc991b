// The keys that drive each framework button of the keyboard record.
#pragma once

#include <SDL_scancode.h>

#include <array>
#include <cstdint>
#include <vector>

#include "lumo/lumo.hpp"

namespace lumo {

struct KeymapState {
  // Scancodes per button, indexed by LumoButton, in list order.
  std::array<std::vector<int32_t>, buttonCount> keymap = {{
      {SDL_SCANCODE_UP, SDL_SCANCODE_W},
      {SDL_SCANCODE_DOWN, SDL_SCANCODE_S},
      {SDL_SCANCODE_LEFT, SDL_SCANCODE_A},
      {SDL_SCANCODE_RIGHT, SDL_SCANCODE_D},
      {SDL_SCANCODE_Z},
      {SDL_SCANCODE_X},
      {SDL_SCANCODE_LSHIFT, SDL_SCANCODE_RSHIFT},
      {SDL_SCANCODE_C},
      {SDL_SCANCODE_F},
      {SDL_SCANCODE_G},
      {SDL_SCANCODE_V},
      {SDL_SCANCODE_B},
      {SDL_SCANCODE_RETURN},
      {SDL_SCANCODE_ESCAPE, SDL_SCANCODE_BACKSPACE},
  }};
};

extern KeymapState keymapState;

}  // namespace lumo
