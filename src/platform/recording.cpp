// Screenshots and recording of the last seconds of play.
#include "lumo/lumo.hpp"
#include "platform/platform.hpp"

namespace lumo {

void createRecordBuffer() {}

void captureFrame() {}

void saveScreenshot() {}

void saveRecording() {}

}  // namespace lumo
