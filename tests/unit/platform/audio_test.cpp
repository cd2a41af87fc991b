// The audio entry points accept every call and keep nothing; the recording
// settings keep their values.
#include <gtest/gtest.h>

#include "lumo/lumo.hpp"
#include "platform/recording_state.hpp"

namespace {

using namespace lumo;

TEST(Audio, VolumesAreNotKeptAndMissingFilesAreNoError) {
  musicVol(200);
  sfxVol(55);
  EXPECT_EQ(musicVol(), 0);
  EXPECT_EQ(sfxVol(), 0);
  EXPECT_NO_THROW(loadSfx(0, "/no/such/file.wav"));
  EXPECT_NO_THROW(loadMusic(1, "/no/such/file.ogg"));
  initMixer(8);
  sfx(0, 1, 2);
  music(1);
  mute();
  EXPECT_EQ(musicVol(), 0);
}

TEST(RecordingSettings, StartValuesAndSettersBeforeTheWindowExists) {
  recordingState = RecordingState{};
  EXPECT_EQ(getRecordSeconds(), 30);
  EXPECT_TRUE(getFullSpeedGif());
  setRecordSeconds(0);
  setFullSpeedGif(false);
  EXPECT_EQ(getRecordSeconds(), 0);
  EXPECT_FALSE(getFullSpeedGif());
  recordingState = RecordingState{};
}

}  // namespace
