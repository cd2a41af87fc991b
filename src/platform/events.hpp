// Event dispatch: the application's hooks and the framework's own handling
// of one SDL event.
#pragma once

#include <SDL.h>

#include "lumo/lumo.hpp"

namespace lumo {

struct EventState {
  EventFunc eventFunc;  // sees every event first; true consumes it
  TextFunc textFunc;    // receives the text of text-input events
  bool muted = false;   // toggled by Ctrl+M
};

extern EventState eventState;

// Mouse, controllers, window, quit and keys: everything an event changes in
// the framework's state.
void appHandleEvent(const SDL_Event& event);

}  // namespace lumo
