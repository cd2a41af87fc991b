// Opening input devices as controller records; joysticks SDL cannot map.
#include <SDL.h>

#include "lumo/input_state.hpp"

namespace lumo {

LumoController newLumoController(int32_t id) {
  auto c = std::make_shared<ControllerRecord>();
  c->id = id;
  if (id < 0) {
    c->kind = ControllerKind::Keyboard;
    c->name = "KEYBOARD";
    c->hasName = true;
  } else {
    SDL_GameController* handle = SDL_GameControllerOpen(id);
    if (!handle) throwValue("error opening game controller: " + std::to_string(id));
    c->sdlController = handle;
    // Controller events name the device by this id, not by its index.
    c->instanceId = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(handle));
    // An absent name stays empty on the record; the log line shows "nil".
    const char* name = SDL_GameControllerName(handle);
    c->name = name ? name : "";
    c->hasName = name != nullptr;
    c->kind = ControllerKind::Gamepad;
    c->deadzone = 0.5;
  }
  output("added game controller: ", id, ": ", controllerKindName(c->kind), ": ", c->hasName ? c->name : "nil");
  return c;
}

std::vector<_SDL_Joystick*> getUnmappedJoysticks() {
  std::vector<_SDL_Joystick*> joysticks;
  for (int index = 0; index < SDL_NumJoysticks(); ++index) {
    if (SDL_IsGameController(index)) continue;
    // A device that vanished since the count gives no handle; leave it out.
    if (SDL_Joystick* joystick = SDL_JoystickOpen(index)) joysticks.push_back(joystick);
  }
  return joysticks;
}

}  // namespace lumo
