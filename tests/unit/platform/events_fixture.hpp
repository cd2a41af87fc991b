// SDL on its dummy drivers with fresh framework state, and a test clock on
// which every loop pass after the fixture's first performs exactly one
// update: each pass sees a stall, which the loop cuts to one time step.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "lumo/input_state.hpp"
#include "lumo/loop_state.hpp"
#include "platform/clock.hpp"
#include "platform/events.hpp"
#include "platform/keymap_state.hpp"
#include "platform/paths_state.hpp"
#include "platform/platform.hpp"
#include "platform/window_state.hpp"

namespace lumo::testing_support {

inline uint32_t testTicks = 0;
inline std::vector<uint32_t> testDelays;

inline uint32_t stallingTicks() { return testTicks += 1000; }
inline void recordDelay(uint32_t ms) { testDelays.push_back(ms); }

class SdlInputTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_GAMECONTROLLER | SDL_INIT_JOYSTICK), 0)
        << SDL_GetError();
    loopClock = {stallingTicks, recordDelay};
    loopState = LoopState{};
    inputState = InputState{};
    keymapState = KeymapState{};
    eventState = EventState{};
    windowState = WindowState{};
    pathState = PathState{};
    testing::internal::CaptureStdout();
    inputState.controllers.push_back(newLumoController(-1));
    testing::internal::GetCapturedStdout();
    loopState.updateFunc = [this](double) {
      ++updates;
      if (onUpdate) onUpdate(updates);
    };
    loopState.drawFunc = [] {};
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    loopStep();  // fills the accumulator with one step; no update yet
    testDelays.clear();
  }

  void TearDown() override {
    destroyWindow();
    loopClock = Clock{};
    inputState = InputState{};
    eventState = EventState{};
    SDL_Quit();
  }

  // A window on the dummy driver, with the events its creation queues
  // thrown away.
  void openWindow() {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    createWindow("events", 128, 128, 4, false);
    testing::internal::GetCapturedStdout();
    testing::internal::GetCapturedStderr();
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  }

  // Runs loop passes of one update each; returns the updates (counted from
  // 1 in this call) in which the query held.
  std::vector<int> updatesWhere(int passes, const std::function<bool()>& query) {
    std::vector<int> hits;
    int first = updates;
    onUpdate = [&](int n) {
      if (query()) hits.push_back(n - first);
    };
    for (int i = 0; i < passes; ++i) loopStep();
    onUpdate = nullptr;
    return hits;
  }

  int updates = 0;
  std::function<void(int)> onUpdate;
};

inline void pushEvent(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }

inline void pushKey(bool down, SDL_Scancode scancode, uint16_t mod = KMOD_NONE, uint8_t repeat = 0) {
  SDL_Event e{};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.key.repeat = repeat;
  e.key.keysym.scancode = scancode;
  e.key.keysym.sym = SDL_GetKeyFromScancode(scancode);
  e.key.keysym.mod = mod;
  pushEvent(e);
}

// A press and its release.
inline void pushKeyStroke(SDL_Scancode scancode, uint16_t mod = KMOD_NONE) {
  pushKey(true, scancode, mod);
  pushKey(false, scancode, mod);
}

inline void pushMouseButton(bool down, uint8_t button) {
  SDL_Event e{};
  e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  e.button.button = button;
  e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  pushEvent(e);
}

inline void pushMotion(int32_t x, int32_t y) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.x = x;
  e.motion.y = y;
  pushEvent(e);
}

inline void pushWheel(int32_t y) {
  SDL_Event e{};
  e.type = SDL_MOUSEWHEEL;
  e.wheel.y = y;
  pushEvent(e);
}

inline void pushWindowEvent(uint8_t sub, int32_t data1 = 0, int32_t data2 = 0) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = sub;
  e.window.data1 = data1;
  e.window.data2 = data2;
  pushEvent(e);
}

inline const LumoController& keyboard() { return inputState.controllers.front(); }

}  // namespace lumo::testing_support
