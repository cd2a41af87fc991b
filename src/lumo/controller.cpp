// Controller records and the input queries: button counters aged once per
// update, axes with their previous values, and the mouse.
#include <cmath>
#include <optional>

#include "lumo/input_state.hpp"

namespace lumo {

InputState inputState;

namespace {

constexpr const char* buttonNames[buttonCount] = {"Up", "Down", "Left", "Right", "A",  "B",     "X",
                                                  "Y",  "L1",   "L2",   "R1",    "R2", "Start", "Back"};

constexpr int32_t leftTriggerAxis = 4;
constexpr int32_t rightTriggerAxis = 5;

// Queries index fixed tables with these: refuse anything outside them.
int32_t buttonIndex(LumoButton b) {
  auto i = static_cast<int32_t>(b);
  if (i >= buttonCount) throwRange(i);
  return i;
}

int32_t axisIndex(int32_t a) {
  if (a < 0 || a >= axisCount) throwRange(a);
  return a;
}

int32_t mouseIndex(int32_t b) {
  if (b < 0 || b >= mouseButtonCount) throwRange(b);
  return b;
}

// The record of a player, or null when the list is shorter.
const ControllerRecord* playerRecord(int32_t player) {
  if (player < 0) throwRange(player);
  const auto& list = inputState.controllers;
  return static_cast<size_t>(player) < list.size() ? list[player].get() : nullptr;
}

// The left stick also drives the four directions: which axis, which way.
struct StickDirection {
  int32_t axis;
  double sign;
};

std::optional<StickDirection> stickDirection(LumoButton b) {
  switch (b) {
    case LumoButton::Up: return StickDirection{1, -1.0};
    case LumoButton::Down: return StickDirection{1, 1.0};
    case LumoButton::Left: return StickDirection{0, -1.0};
    case LumoButton::Right: return StickDirection{0, 1.0};
    default: return std::nullopt;
  }
}

bool held(const ControllerRecord& c, LumoButton b) {
  int32_t i = buttonIndex(b);
  if (c.buttons[i] >= 1) return true;
  auto stick = stickDirection(b);
  return stick && c.axes[stick->axis].current * stick->sign > c.deadzone;
}

bool entered(const ControllerRecord& c, int32_t a, double direction) {
  double cur = c.axes[axisIndex(a)].current;
  double prev = c.axes[a].previous;
  double dz = c.deadzone;
  if (direction == -1.0) return cur < -dz && prev >= -dz;
  if (direction == 1.0) return cur > dz && prev <= dz;
  if (direction == 0.0) return std::fabs(cur) < dz && std::fabs(prev) >= dz;
  return false;
}

bool pressed(const ControllerRecord& c, LumoButton b) {
  if (c.buttons[buttonIndex(b)] == 2) return true;
  auto stick = stickDirection(b);
  return stick && entered(c, stick->axis, stick->sign);
}

bool repeating(const ControllerRecord& c, LumoButton b, int32_t repeat) {
  // Below 2 the interval would be zero (a division by zero below).
  if (repeat < 2) throwRange(repeat);
  int64_t v = c.buttons[buttonIndex(b)];
  int64_t r = repeat;
  int64_t k = r / 2;
  return v == 2 || v == r + 2 || (v > r + 2 && v % k == 2);
}

// A trigger beyond the dead zone holds L2 or R2; the general ageing below
// then advances it once more, so a pulled trigger counts 2, 4, 6, ...
void ageTrigger(ControllerRecord& c, LumoButton b, int32_t a) {
  int32_t& counter = c.buttons[static_cast<int32_t>(b)];
  counter = c.axes[a].current > c.deadzone ? counter + 1 : 0;
}

template <typename Query>
bool anyController(Query query) {
  for (const LumoController& c : inputState.controllers) {
    if (query(*c)) return true;
  }
  return false;
}

}  // namespace

const char* buttonName(LumoButton b) { return buttonNames[buttonIndex(b)]; }

const char* controllerKindName(ControllerKind k) { return k == ControllerKind::Keyboard ? "Keyboard" : "Gamepad"; }

void ageMouse() {
  InputState& s = inputState;
  for (int32_t b = 0; b < mouseButtonCount; ++b) {
    s.mouseButtons[b] = s.mouseButtonsDown[b] ? s.mouseButtons[b] + 1 : 0;
  }
  s.mouseWheel = 0;
}

void update(const LumoController& c) {
  if (c->kind == ControllerKind::Gamepad) {
    ageTrigger(*c, LumoButton::L2, leftTriggerAxis);
    ageTrigger(*c, LumoButton::R2, rightTriggerAxis);
  }
  for (int32_t& counter : c->buttons) {
    if (counter >= 1) ++counter;
  }
}

void postUpdate(const LumoController& c) {
  for (AxisValue& a : c->axes) a.previous = a.current;
}

void setButtonState(const LumoController& c, int32_t button, bool down) {
  if (button < 0 || button >= buttonCount) return;
  c->buttons[button] = down ? 1 : 0;
}

void setAxisValue(const LumoController& c, int32_t axisNumber, double value) {
  if (axisNumber < 0 || axisNumber >= axisCount) return;
  bool inverted = (axisNumber == 0 && c->invertX) || (axisNumber == 1 && c->invertY);
  c->axes[axisNumber].current = inverted ? -value : value;
}

double axis(const LumoController& c, int32_t a) { return c->axes[axisIndex(a)].current; }

bool axisp(const LumoController& c, int32_t a, double direction) { return entered(*c, a, direction); }

bool btn(const LumoController& c, LumoButton b) { return held(*c, b); }

bool btnp(const LumoController& c, LumoButton b) { return pressed(*c, b); }

bool btnpr(const LumoController& c, LumoButton b, int32_t repeat) { return repeating(*c, b, repeat); }

bool btn(LumoButton b) {
  buttonIndex(b);
  return anyController([b](const ControllerRecord& c) { return held(c, b); });
}

bool btn(LumoButton b, int32_t player) {
  const ControllerRecord* c = playerRecord(player);
  return c && held(*c, b);
}

bool btnp(LumoButton b) {
  buttonIndex(b);
  return anyController([b](const ControllerRecord& c) { return pressed(c, b); });
}

bool btnp(LumoButton b, int32_t player) {
  const ControllerRecord* c = playerRecord(player);
  return c && pressed(*c, b);
}

bool btnpr(LumoButton b, int32_t repeat) {
  buttonIndex(b);
  if (repeat < 2) throwRange(repeat);
  return anyController([b, repeat](const ControllerRecord& c) { return repeating(c, b, repeat); });
}

bool btnpr(LumoButton b, int32_t player, int32_t repeat) {
  const ControllerRecord* c = playerRecord(player);
  return c && repeating(*c, b, repeat);
}

double jaxis(int32_t a) {
  axisIndex(a);
  for (const LumoController& c : inputState.controllers) {
    double v = c->axes[a].current;
    if (std::fabs(v) > c->deadzone) return v;
  }
  return 0.0;
}

double jaxis(int32_t a, int32_t player) {
  axisIndex(a);
  const ControllerRecord* c = playerRecord(player);
  return c ? c->axes[a].current : 0.0;
}

std::vector<LumoController> getControllers() { return inputState.controllers; }

bool hasMouse() { return inputState.mouseDetected; }

Point mouse() { return {inputState.mouseX, inputState.mouseY}; }

bool mousebtn(int32_t b) { return inputState.mouseButtons[mouseIndex(b)] > 0; }

bool mousebtnp(int32_t b) { return inputState.mouseButtons[mouseIndex(b)] == 1; }

bool mousebtnpr(int32_t b, int32_t repeat) {
  // Zero would divide by zero; a negative interval has no meaning.
  if (repeat < 1) throwRange(repeat);
  return inputState.mouseButtons[mouseIndex(b)] % repeat == 1;
}

int32_t mousewheel() { return inputState.mouseWheel; }

}  // namespace lumo
