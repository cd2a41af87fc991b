// Controller records: button counters and axes, aged by the frame loop.
#include "lumo/input_state.hpp"

namespace lumo {

InputState inputState;

void ageMouse() {
  InputState& s = inputState;
  for (int32_t b = 0; b < mouseButtonCount; ++b) {
    s.mouseButtons[b] = s.mouseButtonsDown[b] ? s.mouseButtons[b] + 1 : 0;
  }
  s.mouseWheel = 0;
}

void update(const LumoController& c) {
  for (int32_t& counter : c->buttons) {
    if (counter >= 1) ++counter;
  }
}

void postUpdate(const LumoController& c) {
  for (AxisValue& a : c->axes) a.previous = a.current;
}

}  // namespace lumo
