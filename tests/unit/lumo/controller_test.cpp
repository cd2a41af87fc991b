// Controller records and the queries over them, driven the way the frame
// loop drives them: events set values, then update, the application's
// queries, postUpdate.
#include <cmath>
#include <functional>
#include <tuple>

#include <gtest/gtest.h>

#include "lumo/input_state.hpp"

namespace {

using namespace lumo;

LumoController gamepad() {
  auto c = std::make_shared<ControllerRecord>();
  c->kind = ControllerKind::Gamepad;
  c->id = 0;
  c->deadzone = 0.5;
  return c;
}

LumoController keyboardRecord() {
  auto c = std::make_shared<ControllerRecord>();
  c->id = -1;
  c->name = "KEYBOARD";
  return c;
}

class ControllerQueries : public testing::Test {
 protected:
  void SetUp() override { inputState = InputState{}; }
  void TearDown() override { inputState = InputState{}; }

  // One update of the loop with a query in the application's place.
  template <typename Query>
  auto inUpdate(const LumoController& c, Query query) {
    update(c);
    auto result = query();
    postUpdate(c);
    return result;
  }
};

void expectRangeError(const std::function<void()>& call, const std::string& value) {
  try {
    call();
    ADD_FAILURE() << "no error for " << value;
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Range);
    EXPECT_EQ(std::string(e.what()), "value out of range: " + value);
  }
}

TEST_F(ControllerQueries, ButtonNamesAreTheTextForms) {
  std::string names;
  for (int32_t b = 0; b < buttonCount; ++b) names += std::string(buttonName(static_cast<LumoButton>(b))) + " ";
  EXPECT_EQ(names, "Up Down Left Right A B X Y L1 L2 R1 R2 Start Back ");
  EXPECT_STREQ(controllerKindName(ControllerKind::Keyboard), "Keyboard");
  EXPECT_STREQ(controllerKindName(ControllerKind::Gamepad), "Gamepad");
}

TEST_F(ControllerQueries, WithoutInputEveryQueryIsFalseOrZero) {
  inputState.controllers = {keyboardRecord(), gamepad()};
  for (int32_t b = 0; b < buttonCount; ++b) {
    auto button = static_cast<LumoButton>(b);
    EXPECT_FALSE(btn(button) || btnp(button) || btnpr(button, 2) || btn(button, 1) || btnp(button, 0))
        << buttonName(button);
  }
  for (int32_t a = 0; a < axisCount; ++a) {
    EXPECT_EQ(jaxis(a), 0.0);
    EXPECT_EQ(jaxis(a, 1), 0.0);
  }
  for (int32_t b = 0; b < 3; ++b) EXPECT_FALSE(mousebtn(b) || mousebtnp(b) || mousebtnpr(b, 1));
  EXPECT_EQ(mousewheel(), 0);
  EXPECT_FALSE(hasMouse());
  EXPECT_EQ(mouse(), (Point{0, 0}));
}

TEST_F(ControllerQueries, ButtonCounterReadsTwoInTheUpdateOfThePress) {
  LumoController c = keyboardRecord();
  setButtonState(c, int32_t(LumoButton::A), true);
  EXPECT_EQ(c->buttons[int(LumoButton::A)], 1);
  std::vector<std::tuple<int32_t, bool, bool>> seen;
  for (int i = 0; i < 3; ++i) {
    seen.push_back(inUpdate(c, [&] {
      return std::tuple{c->buttons[int(LumoButton::A)], btn(c, LumoButton::A), btnp(c, LumoButton::A)};
    }));
  }
  setButtonState(c, int32_t(LumoButton::A), false);
  seen.push_back(inUpdate(c, [&] {
    return std::tuple{c->buttons[int(LumoButton::A)], btn(c, LumoButton::A), btnp(c, LumoButton::A)};
  }));
  std::vector<std::tuple<int32_t, bool, bool>> expected = {{2, true, true}, {3, true, false}, {4, true, false},
                                                          {0, false, false}};
  EXPECT_EQ(seen, expected);
}

TEST_F(ControllerQueries, TriggersHoldTheShoulderButtonsOnGamepadsOnly) {
  LumoController pad = gamepad();
  LumoController keys = keyboardRecord();
  setAxisValue(pad, 4, 1.0);
  setAxisValue(keys, 4, 1.0);
  std::vector<std::tuple<int32_t, bool, bool>> seen;
  for (int i = 0; i < 3; ++i) {
    update(keys);
    seen.push_back(inUpdate(pad, [&] {
      return std::tuple{pad->buttons[int(LumoButton::L2)], btn(pad, LumoButton::L2), btnp(pad, LumoButton::L2)};
    }));
  }
  std::vector<std::tuple<int32_t, bool, bool>> expected = {{2, true, true}, {4, true, false}, {6, true, false}};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(keys->buttons, (std::array<int32_t, buttonCount>{}));
  // Back to the dead zone (not beyond it) releases the trigger; R2 never moved.
  setAxisValue(pad, 4, 0.5);
  update(pad);
  EXPECT_FALSE(btn(pad, LumoButton::L2));
  setAxisValue(pad, 5, 0.6);
  update(pad);
  EXPECT_EQ(pad->buttons[int(LumoButton::R2)], 2);
}

TEST_F(ControllerQueries, LeftStickDrivesTheDirections) {
  struct Case {
    int32_t axis;
    double value;
    LumoButton direction;
  };
  const Case cases[] = {
      {0, -0.8, LumoButton::Left}, {0, 0.8, LumoButton::Right}, {1, -0.8, LumoButton::Up}, {1, 0.8, LumoButton::Down}};
  for (const Case& c : cases) {
    LumoController pad = gamepad();
    setAxisValue(pad, c.axis, c.value);
    std::vector<std::pair<bool, bool>> seen;
    auto query = [&] { return std::pair{btn(pad, c.direction), btnp(pad, c.direction)}; };
    seen.push_back(inUpdate(pad, query));
    seen.push_back(inUpdate(pad, query));
    setAxisValue(pad, c.axis, std::copysign(0.5, c.value));  // on the dead zone: released
    seen.push_back(inUpdate(pad, query));
    setAxisValue(pad, c.axis, c.value);
    seen.push_back(inUpdate(pad, query));
    std::vector<std::pair<bool, bool>> expected = {{true, true}, {true, false}, {false, false}, {true, true}};
    EXPECT_EQ(seen, expected) << buttonName(c.direction);
    EXPECT_FALSE(btnpr(pad, c.direction, 2)) << "the stick is not consulted";
  }
}

TEST_F(ControllerQueries, InvertedAxesStoreNegatedValues) {
  LumoController pad = gamepad();
  pad->invertY = true;
  setAxisValue(pad, 1, 0.9);  // stick pushed down
  setAxisValue(pad, 0, 0.9);
  setAxisValue(pad, 3, 0.9);
  EXPECT_TRUE(btn(pad, LumoButton::Up));
  EXPECT_FALSE(btn(pad, LumoButton::Down));
  EXPECT_EQ(axis(pad, 0), 0.9);
  EXPECT_EQ(axis(pad, 3), 0.9);
  pad->invertX = true;
  setAxisValue(pad, 0, 0.9);
  EXPECT_EQ(axis(pad, 0), -0.9);
  EXPECT_TRUE(btn(pad, LumoButton::Left));
}

TEST_F(ControllerQueries, AxisEntersAZoneOnlyWhenItCrossesIntoIt) {
  struct Case {
    double previous, current, direction;
    bool entered;
  };
  const Case cases[] = {
      {0.0, -0.6, -1.0, true},  {-0.5, -0.6, -1.0, true}, {-0.6, -0.7, -1.0, false}, {0.0, -0.5, -1.0, false},
      {0.0, 0.6, 1.0, true},    {0.5, 0.51, 1.0, true},   {0.6, 0.9, 1.0, false},    {0.0, 0.5, 1.0, false},
      {0.7, 0.1, 0.0, true},    {-0.5, 0.0, 0.0, true},   {0.4, 0.0, 0.0, false},    {0.7, 0.5, 0.0, false},
      {0.0, 0.9, 0.5, false},   {0.0, -0.9, -2.0, false},
  };
  for (const Case& c : cases) {
    LumoController pad = gamepad();
    pad->axes[2] = {c.current, c.previous};
    EXPECT_EQ(axisp(pad, 2, c.direction), c.entered)
        << c.previous << " -> " << c.current << " toward " << c.direction;
  }
}

TEST_F(ControllerQueries, PlayersArePositionsInTheList) {
  LumoController keys = keyboardRecord(), first = gamepad(), second = gamepad();
  inputState.controllers = {keys, first, second};
  setButtonState(second, int32_t(LumoButton::A), true);
  for (const LumoController& c : inputState.controllers) update(c);
  EXPECT_TRUE(btn(LumoButton::A));
  EXPECT_TRUE(btnp(LumoButton::A));
  EXPECT_TRUE(btnpr(LumoButton::A, 30));
  std::vector<bool> perPlayer;
  for (int32_t p = 0; p < 4; ++p) perPlayer.push_back(btn(LumoButton::A, p));
  EXPECT_EQ(perPlayer, (std::vector<bool>{false, false, true, false}));
  EXPECT_TRUE(btnp(LumoButton::A, 2));
  EXPECT_TRUE(btnpr(LumoButton::A, 2, 30));
  EXPECT_FALSE(btnp(LumoButton::A, 3) || btnpr(LumoButton::A, 3, 30));

  // jaxis without a player: the first value beyond its own record's dead zone.
  setAxisValue(keys, 3, 0.2);
  setAxisValue(first, 3, 0.4);
  setAxisValue(second, 3, -0.7);
  EXPECT_EQ(jaxis(3), 0.2);
  setAxisValue(keys, 3, 0.0);
  EXPECT_EQ(jaxis(3), -0.7);
  EXPECT_EQ(jaxis(3, 1), 0.4);  // no dead zone for a chosen player
  EXPECT_EQ(jaxis(3, 3), 0.0);

  std::vector<LumoController> copy = getControllers();
  EXPECT_EQ(copy, inputState.controllers);
  copy.pop_back();
  EXPECT_EQ(inputState.controllers.size(), 3u);
}

TEST_F(ControllerQueries, OutOfRangeNumbersSetNothing) {
  LumoController pad = gamepad();
  for (int32_t button : {-1, buttonCount, 99, INT32_MIN}) setButtonState(pad, button, true);
  for (int32_t a : {-1, axisCount, 200, INT32_MAX}) setAxisValue(pad, a, 1.0);
  EXPECT_EQ(pad->buttons, (std::array<int32_t, buttonCount>{}));
  for (const AxisValue& a : pad->axes) EXPECT_EQ(a.current, 0.0);
}

TEST_F(ControllerQueries, OutOfRangeQueriesAreRangeErrors) {
  LumoController pad = gamepad();
  inputState.controllers = {keyboardRecord(), pad};
  auto badButton = static_cast<LumoButton>(buttonCount);
  struct Case {
    std::function<void()> call;
    std::string value;
  };
  const Case cases[] = {
      {[&] { axis(pad, 6); }, "6"},
      {[&] { axis(pad, -1); }, "-1"},
      {[&] { axisp(pad, 6, 1.0); }, "6"},
      {[&] { jaxis(-1); }, "-1"},
      {[&] { jaxis(6, 0); }, "6"},
      {[&] { btn(pad, badButton); }, "14"},
      {[&] { btnp(badButton); }, "14"},
      {[&] { btnpr(badButton, 0, 4); }, "14"},
      // A repeat below 2 would divide by zero.
      {[&] { btnpr(pad, LumoButton::A, 1); }, "1"},
      {[&] { btnpr(LumoButton::A, 0); }, "0"},
      {[&] { btnpr(LumoButton::A, 1, -4); }, "-4"},
      {[&] { btn(LumoButton::A, -1); }, "-1"},
      {[&] { btnp(LumoButton::A, -2); }, "-2"},
      {[&] { jaxis(0, -1); }, "-1"},
      {[&] { mousebtn(3); }, "3"},
      {[&] { mousebtnp(-1); }, "-1"},
      {[&] { mousebtnpr(2, 0); }, "0"},
      {[&] { mousebtnpr(3, 5); }, "3"},
  };
  for (const Case& c : cases) expectRangeError(c.call, c.value);
}

TEST_F(ControllerQueries, MouseCountersAgeAfterTheUpdate) {
  InputState& s = inputState;
  s.mouseButtonsDown = {true, false, true};
  s.mouseButtons = {1, 7, 3};
  s.mouseWheel = 5;
  ageMouse();
  EXPECT_EQ(s.mouseButtons, (std::array<int32_t, 3>{2, 0, 4}));
  EXPECT_EQ(s.mouseWheel, 0);
}

}  // namespace
