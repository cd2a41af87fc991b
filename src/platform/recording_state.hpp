// How much of the play is kept for screenshots and recordings.
#pragma once

#include <cstdint>

namespace lumo {

struct RecordingState {
  int32_t recordSeconds = 30;  // 0 or less turns capturing off
  bool fullSpeedGif = true;    // every frame, or every other frame
};

extern RecordingState recordingState;

}  // namespace lumo
