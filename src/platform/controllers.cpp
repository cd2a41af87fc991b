// Opening input devices as controller records.
#include <SDL.h>

#include "lumo/input_state.hpp"

namespace lumo {

LumoController newLumoController(int32_t id) {
  auto c = std::make_shared<ControllerRecord>();
  c->id = id;
  if (id < 0) {
    c->kind = ControllerKind::Keyboard;
    c->name = "KEYBOARD";
  } else {
    SDL_GameController* handle = SDL_GameControllerOpen(id);
    if (!handle) throwValue("error opening game controller: " + std::to_string(id));
    c->sdlController = handle;
    c->instanceId = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(handle));
    const char* name = SDL_GameControllerName(handle);
    c->name = name ? name : "nil";
    c->kind = ControllerKind::Gamepad;
    c->deadzone = 0.5;
  }
  output("added game controller: ", id, ": ", controllerKindName(c->kind), ": ", c->name);
  return c;
}

const char* controllerKindName(ControllerKind k) { return k == ControllerKind::Keyboard ? "Keyboard" : "Gamepad"; }

}  // namespace lumo
