// Screenshots and recording of the last seconds of play.
#include "lumo/lumo.hpp"
#include "platform/platform.hpp"
#include "platform/recording_state.hpp"

namespace lumo {

RecordingState recordingState;

// The ring and its capture arrive with the recording; until then these
// keep the settings and do nothing else.
void createRecordBuffer() {}

void captureFrame() {}

void saveScreenshot() {}

void saveRecording() {}

void setRecordSeconds(int32_t seconds) {
  recordingState.recordSeconds = seconds;
  createRecordBuffer();
}

int32_t getRecordSeconds() { return recordingState.recordSeconds; }

void setFullSpeedGif(bool on) {
  recordingState.fullSpeedGif = on;
  createRecordBuffer();
}

bool getFullSpeedGif() { return recordingState.fullSpeedGif; }

}  // namespace lumo
