// Framework start-up, the application's callbacks and the loop settings.
#include "lumo/input_state.hpp"
#include "lumo/loop_state.hpp"
#include "platform/platform.hpp"

namespace lumo {

LoopState loopState;

void init(const std::string& organisation, const std::string& application) {
  inputState.controllers.clear();
  platformInit(organisation, application);
  loadPalettePico8();
  setSpritesheet(0);
  randomize();
  setFont(0);
  try {
    loadFont("font.png", builtinCharset());
  } catch (const Error& e) {
    // Without the image the framework simply has no default font.
    if (e.kind() != ErrorKind::IO) throw;
  }
  loadConfig();
  clip();
}

void setInitFunc(InitFunc f) { loopState.initFunc = std::move(f); }
void setUpdateFunc(UpdateFunc f) { loopState.updateFunc = std::move(f); }
void setDrawFunc(DrawFunc f) { loopState.drawFunc = std::move(f); }
void setControllerAdded(ControllerFunc f) { loopState.controllerAddedFunc = std::move(f); }
void setControllerRemoved(ControllerFunc f) { loopState.controllerRemovedFunc = std::move(f); }

void run(InitFunc initFn, UpdateFunc updateFn, DrawFunc drawFn) {
  if (!updateFn) throwAssertion("not (update == nil)");
  if (!drawFn) throwAssertion("not (draw == nil)");
  loopState.initFunc = std::move(initFn);
  loopState.updateFunc = std::move(updateFn);
  loopState.drawFunc = std::move(drawFn);
  if (loopState.initFunc) {
    // Called through a copy: an init callback that calls `run` again
    // replaces the stored one while it is still running.
    auto initCopy = loopState.initFunc;
    initCopy();
  }
  if (loopState.loopStarted) return;
  loopState.loopStarted = true;
  runLoop();
}

void shutdown() { loopState.keepRunning = false; }

void fps(int32_t n) {
  // A rate below 1 would make the time step infinite or negative, and a
  // negative step would turn the update batch into an endless loop.
  if (n < 1) throwRange(n);
  loopState.frameRate = n;
  loopState.timeStep = 1.0 / n;
}

int32_t fps() { return loopState.frameRate; }

void speed(int32_t n) { loopState.speedMultiplier = n; }

}  // namespace lumo
