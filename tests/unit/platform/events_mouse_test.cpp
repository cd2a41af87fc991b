// Mouse events through checkInput and the frame loop's ageing.
#include <gtest/gtest.h>

#include "events_fixture.hpp"

namespace {

using namespace lumo;
using namespace lumo::testing_support;
using Updates = std::vector<int>;

using EventsMouse = SdlInputTest;

TEST_F(EventsMouse, AClickWithinOnePollIsSeenByExactlyOneUpdate) {
  pushMouseButton(true, SDL_BUTTON_LEFT);
  pushMouseButton(false, SDL_BUTTON_LEFT);
  EXPECT_EQ(updatesWhere(3, [] { return mousebtnp(0); }), Updates{1});
  pushMouseButton(true, SDL_BUTTON_LEFT);
  pushMouseButton(false, SDL_BUTTON_LEFT);
  EXPECT_EQ(updatesWhere(3, [] { return mousebtn(0); }), Updates{1});
}

TEST_F(EventsMouse, HeldButtonCountsFromOneAndRepeatsEveryInterval) {
  pushMouseButton(true, SDL_BUTTON_LEFT);
  std::vector<int32_t> counters;
  Updates every10, every1;
  onUpdate = [&](int n) {
    counters.push_back(inputState.mouseButtons[0]);
    if (mousebtnpr(0, 10)) every10.push_back(n);
    if (mousebtnpr(0, 1)) every1.push_back(n);
  };
  for (int i = 0; i < 21; ++i) loopStep();
  EXPECT_EQ(counters.front(), 1);
  EXPECT_EQ(counters.back(), 21);
  EXPECT_EQ(every10, (Updates{1, 11, 21}));
  EXPECT_EQ(every1, Updates{});  // every counter modulo 1 is 0
  pushMouseButton(false, SDL_BUTTON_LEFT);
  EXPECT_EQ(updatesWhere(1, [] { return mousebtn(0); }), Updates{1}) << "still counted until aged";
  EXPECT_EQ(updatesWhere(1, [] { return mousebtn(0); }), Updates{});
}

TEST_F(EventsMouse, SdlButtonsOneToThreeAreLeftMiddleRightAndOthersChangeNothing) {
  struct Case {
    uint8_t sdlButton;
    std::array<bool, 3> down;
  };
  const Case cases[] = {
      {SDL_BUTTON_LEFT, {true, false, false}},  {SDL_BUTTON_MIDDLE, {false, true, false}},
      {SDL_BUTTON_RIGHT, {false, false, true}}, {SDL_BUTTON_X1, {false, false, false}},
      {SDL_BUTTON_X2, {false, false, false}},   {0, {false, false, false}},
      {255, {false, false, false}},
  };
  for (const Case& c : cases) {
    inputState.mouseButtons = {};
    inputState.mouseButtonsDown = {};
    pushMouseButton(true, c.sdlButton);
    checkInput();
    for (int b = 0; b < 3; ++b) {
      EXPECT_EQ(inputState.mouseButtonsDown[b], c.down[b]) << "SDL button " << int(c.sdlButton) << ", button " << b;
      EXPECT_EQ(mousebtnp(b), c.down[b]) << "SDL button " << int(c.sdlButton) << ", button " << b;
    }
    pushMouseButton(false, c.sdlButton);
    checkInput();
    EXPECT_EQ(inputState.mouseButtonsDown, (std::array<bool, 3>{}));
  }
}

TEST_F(EventsMouse, WheelIsReplacedNotAddedAndClearedAfterTheUpdate) {
  pushWheel(3);
  pushWheel(-2);
  std::vector<int32_t> seen;
  onUpdate = [&](int) { seen.push_back(mousewheel()); };
  loopStep();
  loopStep();
  EXPECT_EQ(seen, (std::vector<int32_t>{-2, 0}));
}

TEST_F(EventsMouse, PointerIsMappedThroughPaddingAndScaleTruncatingTowardZero) {
  windowState.screenScale = 4.0;
  windowState.screenPaddingX = 100;
  windowState.screenPaddingY = 6;
  struct Case {
    int32_t windowX, windowY;
    Point screen;
  };
  const Case cases[] = {
      {102, 6, {0, 0}}, {98, 2, {0, -1}}, {90, 10, {-2, 1}}, {104, 9, {1, 0}}, {611, 517, {127, 127}},
  };
  EXPECT_FALSE(hasMouse());
  for (const Case& c : cases) {
    pushMotion(c.windowX, c.windowY);
    checkInput();
    EXPECT_EQ(mouse(), c.screen) << "window " << c.windowX << ", " << c.windowY;
  }
  EXPECT_TRUE(hasMouse());
}

}  // namespace
