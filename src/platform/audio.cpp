// Audio entry points: applications written for the framework compile and
// run, but this system plays no sound and keeps no value.
#include "lumo/lumo.hpp"

namespace lumo {

void initMixer(int32_t) {}
void loadSfx(int32_t, const std::string&) {}
void loadMusic(int32_t, const std::string&) {}
void sfx(int32_t, int32_t, int32_t) {}
void music(int32_t) {}
void musicVol(int32_t) {}
int32_t musicVol() { return 0; }
void sfxVol(int32_t) {}
int32_t sfxVol() { return 0; }
void mute() {}

}  // namespace lumo
