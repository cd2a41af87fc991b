// Event dispatch: the application's hooks and the framework's own handling
// of one SDL event.
#pragma once

#include <SDL.h>

#include "lumo/lumo.hpp"
#include "support/shared_callback.hpp"

namespace lumo {

struct EventState {
  SharedCallback<bool(const SDL_Event&)> eventFunc;  // sees every event first; true consumes it
  SharedCallback<void(const std::string&)> textFunc;  // receives the text of text-input events
  bool muted = false;   // toggled by Ctrl+M
};

extern EventState eventState;

// Mouse, controllers, window, quit and keys: everything an event changes in
// the framework's state.
void appHandleEvent(const SDL_Event& event);

}  // namespace lumo
