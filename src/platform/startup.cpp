// Platform start-up: SDL, the input devices, the folders, controller mappings.
#include <SDL.h>

#include <cstdlib>

#include "lumo/input_state.hpp"
#include "platform/paths_state.hpp"
#include "platform/platform.hpp"

namespace lumo {

PathState pathState;

namespace {

// SDL hands out strings it allocated; take a copy and release them.
std::string takeSdlString(char* text) {
  std::string result = text ? text : "";
  SDL_free(text);
  return result;
}

void addMappings(const std::string& path) {
  SDL_GameControllerAddMappingsFromRW(SDL_RWFromFile(path.c_str(), "rb"), 1);
}

}  // namespace

void platformInit(const std::string& organisation, const std::string& application) {
  SDL_SetHint("SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1");
  // Every subsystem the framework uses (0x7231); sensors are not among them.
  constexpr uint32_t subsystems = SDL_INIT_TIMER | SDL_INIT_AUDIO | SDL_INIT_VIDEO | SDL_INIT_JOYSTICK |
                                  SDL_INIT_HAPTIC | SDL_INIT_GAMECONTROLLER | SDL_INIT_EVENTS;
  if (SDL_Init(subsystems) != 0) {
    output(SDL_GetError());
    std::exit(1);
  }
  static bool quitRegistered = false;
  if (!quitRegistered) {
    std::atexit(SDL_Quit);
    quitRegistered = true;
  }
  inputState.controllers.push_back(newLumoController(-1));
  // Without a base path the working folder stands in; without a per-user
  // folder, the base folder does.
  pathState.basePath = takeSdlString(SDL_GetBasePath());
  if (pathState.basePath.empty()) pathState.basePath = "./";
  output("basePath: ", pathState.basePath);
  pathState.assetPath = pathState.basePath + "/assets/";
  pathState.writePath = takeSdlString(SDL_GetPrefPath(organisation.c_str(), application.c_str()));
  if (pathState.writePath.empty()) pathState.writePath = pathState.basePath;
  output("writePath: ", pathState.writePath);
  addMappings(pathState.assetPath + "gamecontrollerdb.txt");
  addMappings(pathState.writePath + "/gamecontrollerdb.txt");
  for (int index = 0; index < SDL_NumJoysticks(); ++index) {
    if (!SDL_IsGameController(index)) continue;
    try {
      inputState.controllers.push_back(newLumoController(index));
    } catch (const Error&) {
      // A controller that cannot be opened is left out; the others still count.
    }
  }
}

namespace {

std::string withSlash(const std::string& path) {
  return !path.empty() && path.back() == '/' ? path : path + "/";
}

}  // namespace

void setBasePath(const std::string& path) { pathState.basePath = withSlash(path); }
void setWritePath(const std::string& path) { pathState.writePath = withSlash(path); }
void setAssetPath(const std::string& path) { pathState.assetPath = withSlash(path); }

}  // namespace lumo
