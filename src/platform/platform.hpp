// What the framework core asks of the platform layer.
#pragma once

#include <string>

namespace lumo {

// Starts SDL, the keyboard record and attached controllers, the folders and
// the controller mapping databases.
void platformInit(const std::string& organisation, const std::string& application);

// Turns the loop until the stop request; one pass per `loopStep`.
void runLoop();
void loopStep();

// Drains the event queue into the input state.
void checkInput();

// Shows the screen now; `flip` also captures the frame for recording.
void present();
void flip();

// Records the frame just presented into the recording ring.
void captureFrame();

}  // namespace lumo
