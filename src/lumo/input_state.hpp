// Input devices and the mouse, as event dispatch leaves them for the queries.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "lumo/lumo.hpp"

namespace lumo {

constexpr int32_t mouseButtonCount = 3;

struct InputState {
  std::vector<LumoController> controllers;  // the keyboard record is always first
  int32_t mouseX = 0;
  int32_t mouseY = 0;
  std::array<bool, mouseButtonCount> mouseButtonsDown{};
  std::array<int32_t, mouseButtonCount> mouseButtons{};
  int32_t mouseWheel = 0;
  bool mouseDetected = false;
};

extern InputState inputState;

// Run by the frame loop after each application update: held mouse buttons
// count up, released ones reset, the wheel clears.
void ageMouse();

}  // namespace lumo
