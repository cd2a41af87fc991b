// Keyboard events through checkInput and the frame loop: the key map, the
// repeat rule and the built-in keys.
#include <gtest/gtest.h>

#include "events_fixture.hpp"

namespace {

using namespace lumo;
using namespace lumo::testing_support;
using Updates = std::vector<int>;

using EventsKeys = SdlInputTest;

TEST_F(EventsKeys, APressAndReleaseWithinOnePollIsNeverSeen) {
  pushKeyStroke(SDL_SCANCODE_Z);
  EXPECT_EQ(updatesWhere(2, [] { return btn(LumoButton::A) || btnp(LumoButton::A); }), Updates{});
  EXPECT_EQ(keyboard()->buttons[int(LumoButton::A)], 0);
}

TEST_F(EventsKeys, HeldKeyIsPressedOnceAndHeldUntilReleased) {
  pushKey(true, SDL_SCANCODE_Z);
  std::vector<std::pair<bool, bool>> seen;  // btn, btnp per update
  onUpdate = [&](int) { seen.emplace_back(btn(LumoButton::A), btnp(LumoButton::A)); };
  loopStep();
  // Automatic repeats change nothing: without the rule they would press A again.
  pushKey(true, SDL_SCANCODE_Z, KMOD_NONE, 1);
  loopStep();
  pushKey(true, SDL_SCANCODE_Z, KMOD_NONE, 1);
  loopStep();
  pushKey(false, SDL_SCANCODE_Z);
  loopStep();
  std::vector<std::pair<bool, bool>> expected = {{true, true}, {true, false}, {true, false}, {false, false}};
  EXPECT_EQ(seen, expected);
}

TEST_F(EventsKeys, RepeatingPressFollowsTheCounterFormula) {
  struct Case {
    int32_t repeat;
    Updates expected;
  };
  // With an odd repeat the second hit comes repeat + 1 updates after the press.
  const Case cases[] = {{30, {1, 31, 46, 61}}, {31, {1, 32, 46, 61}}, {4, {1, 5}}, {2, {1, 3}}, {60, {1, 61}}};
  pushKey(true, SDL_SCANCODE_Z);
  std::vector<Updates> hits(std::size(cases));
  onUpdate = [&](int n) {
    for (size_t i = 0; i < std::size(cases); ++i) {
      if (btnpr(LumoButton::A, cases[i].repeat)) hits[i].push_back(n);
    }
  };
  for (int i = 0; i < 61; ++i) loopStep();
  for (size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(hits[i], cases[i].expected) << "repeat " << cases[i].repeat;
  }
}

TEST_F(EventsKeys, OneKeyDrivesEveryButtonBoundToIt) {
  addKeyForBtn(LumoButton::B, SDL_SCANCODE_Z);
  pushKey(true, SDL_SCANCODE_Z);
  EXPECT_EQ(updatesWhere(1, [] { return btnp(LumoButton::A) && btnp(LumoButton::B); }), Updates{1});
}

TEST_F(EventsKeys, FullscreenTogglesOnTheReleaseAndLeavesTheButtonHeld) {
  struct Case {
    SDL_Scancode key;
    uint16_t mod;
    LumoButton bound;
  };
  for (const Case& c : {Case{SDL_SCANCODE_F, KMOD_LCTRL, LumoButton::L1},
                        Case{SDL_SCANCODE_RETURN, KMOD_RALT, LumoButton::Start}}) {
    openWindow();
    testing::internal::CaptureStdout();
    pushKey(true, c.key, c.mod);
    checkInput();
    EXPECT_FALSE(getFullscreen()) << "the press must not toggle";
    pushKey(false, c.key, c.mod);
    EXPECT_EQ(updatesWhere(2, [&] { return btn(c.bound); }), (Updates{1, 2}));
    EXPECT_TRUE(getFullscreen());
    // A plain press and release of the key lets the button go again.
    pushKeyStroke(c.key);
    EXPECT_EQ(updatesWhere(1, [&] { return btn(c.bound); }), Updates{});
    pushKey(true, c.key, c.mod);
    pushKey(false, c.key, c.mod);
    checkInput();
    EXPECT_FALSE(getFullscreen());
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("setting fullscreen\r\n"), std::string::npos) << out;
    EXPECT_NE(out.find("setting windowed\r\n"), std::string::npos) << out;
    destroyWindow();
  }
}

TEST_F(EventsKeys, FullscreenKeysWithoutAWindowOnlyLogTheRequest) {
  testing::internal::CaptureStdout();
  pushKey(false, SDL_SCANCODE_F, KMOD_LCTRL);
  checkInput();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "setting fullscreen\r\n");
  EXPECT_FALSE(getFullscreen());
}

TEST_F(EventsKeys, CtrlQQuitsAfterThePassAndStillPressesItsButton) {
  addKeyForBtn(LumoButton::A, SDL_SCANCODE_Q);
  pushKey(true, SDL_SCANCODE_Q, KMOD_RCTRL);
  std::vector<bool> seen;
  onUpdate = [&](int) { seen.push_back(btn(LumoButton::A)); };
  runLoop();  // returns after the pass in which the quit request arrived
  EXPECT_EQ(seen, std::vector<bool>{true});
  EXPECT_FALSE(loopState.keepRunning);
}

TEST_F(EventsKeys, QWithoutCtrlOrOnReleaseKeepsRunning) {
  pushKeyStroke(SDL_SCANCODE_Q);
  pushKey(false, SDL_SCANCODE_Q, KMOD_LCTRL);
  checkInput();
  EXPECT_TRUE(loopState.keepRunning);
}

TEST_F(EventsKeys, CtrlMTogglesTheMuteFlagOnThePress) {
  struct Case {
    bool down;
    uint16_t mod;
    bool mutedAfter;
  };
  const Case cases[] = {
      {true, KMOD_LCTRL, true}, {false, KMOD_LCTRL, true}, {true, KMOD_NONE, true},
      {true, KMOD_SHIFT, true}, {true, KMOD_RCTRL, false},
  };
  EXPECT_FALSE(muted());
  for (const Case& c : cases) {
    pushKey(c.down, SDL_SCANCODE_M, c.mod);
    checkInput();
    EXPECT_EQ(muted(), c.mutedAfter) << "down " << c.down << " mod " << c.mod;
  }
}

TEST_F(EventsKeys, AQuitEventStopsTheLoop) {
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  pushEvent(quit);
  checkInput();
  EXPECT_FALSE(loopState.keepRunning);
}

TEST_F(EventsKeys, AKeyEventBeforeTheKeyboardRecordExistsChangesNothing) {
  inputState.controllers.clear();
  pushKeyStroke(SDL_SCANCODE_Z);
  checkInput();
  EXPECT_TRUE(inputState.controllers.empty());
}

}  // namespace
