// Event dispatch: drains SDL's queue into the mouse state, the controller
// records and the window, and runs the built-in keys.
#include "platform/events.hpp"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>

#include "lumo/input_state.hpp"
#include "lumo/loop_state.hpp"
#include "platform/keymap_state.hpp"
#include "platform/paths_state.hpp"
#include "platform/platform.hpp"
#include "platform/window_state.hpp"

extern char** environ;

namespace lumo {

EventState eventState;

namespace {

constexpr int8_t noButton = -1;

// Framework button per SDL controller button (A, B, X, Y, Back, Guide,
// Start, LeftStick, RightStick, LeftShoulder, RightShoulder, DPad up, down,
// left, right); L2 and R2 come from the trigger axes instead.
constexpr std::array<int8_t, 15> controllerButtons = {
    int8_t(LumoButton::A),     int8_t(LumoButton::B),    int8_t(LumoButton::X),    int8_t(LumoButton::Y),
    int8_t(LumoButton::Back),  noButton,                 int8_t(LumoButton::Start), noButton,
    noButton,                  int8_t(LumoButton::L1),   int8_t(LumoButton::R1),    int8_t(LumoButton::Up),
    int8_t(LumoButton::Down),  int8_t(LumoButton::Left), int8_t(LumoButton::Right),
};

// Controller events carry SDL's instance id; the keyboard (and any record
// without a device) never matches.
LumoController controllerWithInstance(SDL_JoystickID instance) {
  if (instance < 0) return nullptr;
  for (const LumoController& c : inputState.controllers) {
    if (c->instanceId == instance) return c;
  }
  return nullptr;
}

void mouseButtonDown(uint8_t button) {
  SDL_CaptureMouse(SDL_TRUE);
  if (button < 1 || button > mouseButtonCount) return;
  inputState.mouseButtonsDown[button - 1] = true;
  inputState.mouseButtons[button - 1] = 1;
}

void mouseButtonUp(uint8_t button) {
  if (button < 1 || button > mouseButtonCount) return;
  SDL_CaptureMouse(SDL_FALSE);
  // The counter is left for the frame loop, so a short click still counts.
  inputState.mouseButtonsDown[button - 1] = false;
}

void mouseMotion(int32_t x, int32_t y) {
  const WindowState& ws = windowState;
  inputState.mouseDetected = true;
  inputState.mouseX = toPint(static_cast<double>(int64_t{x} - ws.screenPaddingX) / ws.screenScale);
  inputState.mouseY = toPint(static_cast<double>(int64_t{y} - ws.screenPaddingY) / ws.screenScale);
}

// The device is already listed when it was opened at start-up. Compared by
// instance id: device indexes shift down when an earlier device goes, so a
// new device can arrive with the index an older record was opened with.
void attachController(int32_t deviceIndex) {
  if (controllerWithInstance(SDL_JoystickGetDeviceInstanceID(deviceIndex))) {
    output("controller already exists");
    return;
  }
  try {
    LumoController c = newLumoController(deviceIndex);
    inputState.controllers.push_back(c);
    output("added controller");
    if (auto added = loopState.controllerAddedFunc) added(c);
  } catch (const std::exception&) {
    // A device that cannot be opened, or a failing application callback,
    // must not stop the event loop.
  }
}

void detachController(SDL_JoystickID instance) {
  LumoController c = controllerWithInstance(instance);
  if (!c) return;
  if (c->sdlController) SDL_GameControllerClose(c->sdlController);
  // The application may keep the record; it must not keep a closed handle.
  c->sdlController = nullptr;
  if (auto removed = loopState.controllerRemovedFunc) removed(c);
  // The last record takes the freed position; the others stay put.
  auto& list = inputState.controllers;
  auto at = std::find(list.begin(), list.end(), c);
  if (at == list.end()) return;
  *at = list.back();
  list.pop_back();
}

void controllerButton(const SDL_ControllerButtonEvent& e, bool down) {
  LumoController c = controllerWithInstance(e.which);
  if (!c || e.button >= controllerButtons.size()) return;
  int8_t button = controllerButtons[e.button];
  if (button != noButton) setButtonState(c, button, down);
}

void controllerAxis(const SDL_ControllerAxisEvent& e) {
  LumoController c = controllerWithInstance(e.which);
  // setAxisValue ignores axis numbers beyond the six it knows.
  if (c) setAxisValue(c, e.axis, e.value / 32767.0);
}

void windowEvent(const SDL_WindowEvent& e) {
  switch (e.event) {
    case SDL_WINDOWEVENT_RESIZED:
      output("resize event");
      debug("padding", e.padding1, e.padding2, e.padding3, e.data1, e.data2);
      // The scaling computation alone: the application's clip area and
      // picture stay unless the screen itself changes size.
      if (windowState.window) applyWindowSize(e.data1, e.data2);
      if (SDL_Renderer* renderer = windowState.renderer) {
        SDL_SetRenderTarget(renderer, nullptr);
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
      }
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED: output("size changed event"); break;
    case SDL_WINDOWEVENT_FOCUS_LOST: loopState.focused = false; break;
    case SDL_WINDOWEVENT_FOCUS_GAINED: loopState.focused = true; break;
    default: break;
  }
}

// Starts the desktop's file browser in and on the write folder. The
// intermediate child spawns it and exits at once, so the browser is adopted
// by init and never waited for, and never left a zombie; the child's exit
// status tells whether the browser could be started.
void openWriteFolder() {
  const std::string& folder = pathState.writePath;
  pid_t child = fork();
  if (child == 0) {
    if (chdir(folder.c_str()) != 0) _exit(1);
    char program[] = "xdg-open";
    char* argv[] = {program, const_cast<char*>(folder.c_str()), nullptr};
    pid_t browser;
    _exit(posix_spawnp(&browser, program, nullptr, nullptr, argv, environ) == 0 ? 0 : 1);
  }
  int status = 0;
  pid_t reaped = -1;
  if (child > 0) {
    do reaped = waitpid(child, &status, 0);
    while (reaped < 0 && errno == EINTR);
  }
  bool started = reaped == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  if (!started) output("could not open the write folder: ", folder);
}

void toggleFullscreen() { setFullscreen(!getFullscreen()); }

// Every binding of the scancode applies: one key may drive several buttons.
void mapKey(int32_t scancode, bool down) {
  if (inputState.controllers.empty()) return;
  const LumoController& keyboard = inputState.controllers.front();
  for (int32_t b = 0; b < buttonCount; ++b) {
    for (int32_t bound : keymapState.keymap[b]) {
      if (bound == scancode) setButtonState(keyboard, b, down);
    }
  }
}

void keyEvent(const SDL_KeyboardEvent& e, bool down) {
  SDL_Keycode sym = e.keysym.sym;
  bool ctrl = (e.keysym.mod & KMOD_CTRL) != 0;
  bool alt = (e.keysym.mod & KMOD_ALT) != 0;
  if (sym == SDLK_q && down && ctrl) {
    loopState.keepRunning = false;
  } else if ((sym == SDLK_f && !down && ctrl) || (sym == SDLK_RETURN && !down && alt)) {
    // The release that toggles is the framework's: it does not reach the
    // buttons, so the button bound to the key stays held.
    toggleFullscreen();
    return;
  } else if (sym == SDLK_m && down && ctrl) {
    eventState.muted = !eventState.muted;
  } else if (sym == SDLK_F8 && down) {
    createRecordBuffer();
  } else if (sym == SDLK_F9 && down) {
    saveRecording();
  } else if (sym == SDLK_F10 && down) {
    saveScreenshot();
  } else if (sym == SDLK_F11 && down) {
    openWriteFolder();
  }
  // Automatic repeats would press the button again and again.
  if (e.repeat != 0) return;
  mapKey(e.keysym.scancode, down);
}

}  // namespace

void checkInput() {
  SDL_Event event;
  while (SDL_PollEvent(&event) == 1) {
    // Through a copy: the hook may replace itself.
    if (auto hook = eventState.eventFunc; hook && hook(event)) continue;
    appHandleEvent(event);
  }
}

void appHandleEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT: loopState.keepRunning = false; break;
    case SDL_MOUSEWHEEL: inputState.mouseWheel = event.wheel.y; break;
    case SDL_MOUSEBUTTONDOWN: mouseButtonDown(event.button.button); break;
    case SDL_MOUSEBUTTONUP: mouseButtonUp(event.button.button); break;
    case SDL_MOUSEMOTION: mouseMotion(event.motion.x, event.motion.y); break;
    case SDL_CONTROLLERDEVICEADDED: attachController(event.cdevice.which); break;
    case SDL_CONTROLLERDEVICEREMOVED: detachController(event.cdevice.which); break;
    case SDL_CONTROLLERBUTTONDOWN: controllerButton(event.cbutton, true); break;
    case SDL_CONTROLLERBUTTONUP: controllerButton(event.cbutton, false); break;
    case SDL_CONTROLLERAXISMOTION: controllerAxis(event.caxis); break;
    case SDL_WINDOWEVENT: windowEvent(event.window); break;
    case SDL_KEYDOWN: keyEvent(event.key, true); break;
    case SDL_KEYUP: keyEvent(event.key, false); break;
    case SDL_TEXTINPUT:
      if (auto text = eventState.textFunc) text(event.text.text);
      break;
    default: break;
  }
}

void setEventFunc(EventFunc f) { eventState.eventFunc = std::move(f); }

void setTextFunc(TextFunc f) {
  if (f) {
    SDL_StartTextInput();
  } else {
    SDL_StopTextInput();
  }
  eventState.textFunc = std::move(f);
}

bool hasTextFunc() { return static_cast<bool>(eventState.textFunc); }

bool muted() { return eventState.muted; }

}  // namespace lumo
