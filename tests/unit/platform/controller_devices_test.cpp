// Game controllers attached, driven and detached for real: SDL's virtual
// joysticks, described with the standard button and axis counts, are game
// controllers with a generated mapping.
#include <gtest/gtest.h>

#include "events_fixture.hpp"

namespace {

using namespace lumo;
using namespace lumo::testing_support;

class ControllerDevices : public SdlInputTest {
 protected:
  // Attaches a game-controller-shaped virtual joystick; its device index.
  static int attachPad(const char* name) {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = name;
    int index = SDL_JoystickAttachVirtualEx(&desc);
    EXPECT_GE(index, 0) << SDL_GetError();
    EXPECT_TRUE(SDL_IsGameController(index)) << name;
    return index;
  }

  // Runs the event pass and returns what it wrote.
  static std::string dispatch() {
    testing::internal::CaptureStdout();
    checkInput();
    return testing::internal::GetCapturedStdout();
  }

  static SDL_Joystick* joystickOf(const LumoController& c) {
    return SDL_GameControllerGetJoystick(c->sdlController);
  }

  static std::vector<std::string> names() {
    std::vector<std::string> result;
    for (const LumoController& c : inputState.controllers) result.push_back(c->name);
    return result;
  }
};

TEST_F(ControllerDevices, AttachedPadBecomesARecordAndDrivesItsButtonsAndAxes) {
  int index = attachPad("Lumo Pad");
  EXPECT_EQ(dispatch(), "added game controller: " + std::to_string(index) + ": Gamepad: Lumo Pad\r\nadded controller\r\n");
  ASSERT_EQ(inputState.controllers.size(), 2u);
  LumoController pad = inputState.controllers[1];
  EXPECT_EQ(pad->kind, ControllerKind::Gamepad);
  EXPECT_EQ(pad->id, index);
  EXPECT_EQ(pad->instanceId, SDL_JoystickGetDeviceInstanceID(index));
  EXPECT_EQ(pad->deadzone, 0.5);
  ASSERT_NE(pad->sdlController, nullptr);

  SDL_Joystick* joystick = joystickOf(pad);
  SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, SDL_PRESSED);
  SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX, -26214);  // -0.8
  SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_TRIGGERLEFT, SDL_JOYSTICK_AXIS_MAX);
  struct Seen {
    bool a, aPressed, left, leftPressed;
    int32_t l2;
    bool operator==(const Seen&) const = default;
  };
  std::vector<Seen> seen;
  onUpdate = [&](int) {
    seen.push_back({btn(LumoButton::A, 1), btnp(LumoButton::A, 1), btn(LumoButton::Left, 1),
                    btnp(LumoButton::Left, 1), pad->buttons[int(LumoButton::L2)]});
  };
  loopStep();
  loopStep();
  SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, SDL_RELEASED);
  SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX, 0);
  SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_TRIGGERLEFT, SDL_JOYSTICK_AXIS_MIN);
  loopStep();
  std::vector<Seen> expected = {{true, true, true, true, 2}, {true, false, true, false, 4}, {false, false, false, false, 0}};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(jaxis(SDL_CONTROLLER_AXIS_LEFTX), 0.0);
  EXPECT_FALSE(btn(LumoButton::A)) << "the keyboard never saw it";

  std::vector<LumoController> removed;
  setControllerRemoved([&](const LumoController& c) {
    removed.push_back(c);
    EXPECT_EQ(inputState.controllers.back(), c) << "still listed while the callback runs";
  });
  SDL_JoystickDetachVirtual(index);
  EXPECT_EQ(dispatch(), "");
  EXPECT_EQ(removed, std::vector<LumoController>{pad});
  EXPECT_EQ(names(), std::vector<std::string>{"KEYBOARD"});
  EXPECT_EQ(pad->sdlController, nullptr);
}

TEST_F(ControllerDevices, ButtonsAndAxesFollowTheTables) {
  attachPad("Lumo Pad");
  dispatch();
  LumoController pad = inputState.controllers.at(1);
  SDL_Joystick* joystick = joystickOf(pad);
  const int none = -1;
  const int expected[] = {int(LumoButton::A),    int(LumoButton::B),  int(LumoButton::X),     int(LumoButton::Y),
                          int(LumoButton::Back), none,                int(LumoButton::Start), none,
                          none,                  int(LumoButton::L1), int(LumoButton::R1),    int(LumoButton::Up),
                          int(LumoButton::Down), int(LumoButton::Left), int(LumoButton::Right), none,
                          none,                  none,                none,                   none};
  for (int sdlButton = 0; sdlButton < int(std::size(expected)); ++sdlButton) {
    SDL_JoystickSetVirtualButton(joystick, sdlButton, SDL_PRESSED);
    dispatch();
    std::array<int32_t, buttonCount> buttons{};
    if (expected[sdlButton] != none) buttons[expected[sdlButton]] = 1;
    EXPECT_EQ(pad->buttons, buttons) << "SDL button " << sdlButton;
    SDL_JoystickSetVirtualButton(joystick, sdlButton, SDL_RELEASED);
    dispatch();
    EXPECT_EQ(pad->buttons, (std::array<int32_t, buttonCount>{})) << "SDL button " << sdlButton;
  }

  struct AxisCase {
    int sdlAxis;
    int16_t value;
    double stored;
  };
  const AxisCase axes[] = {
      {SDL_CONTROLLER_AXIS_LEFTX, 32767, 1.0},
      {SDL_CONTROLLER_AXIS_LEFTY, -32768, -32768 / 32767.0},
      {SDL_CONTROLLER_AXIS_RIGHTX, 16384, 16384 / 32767.0},
      {SDL_CONTROLLER_AXIS_RIGHTY, -1000, -1000 / 32767.0},
      {SDL_CONTROLLER_AXIS_TRIGGERRIGHT, SDL_JOYSTICK_AXIS_MAX, 1.0},
  };
  for (const AxisCase& c : axes) {
    SDL_JoystickSetVirtualAxis(joystick, c.sdlAxis, c.value);
    dispatch();
    EXPECT_EQ(axis(pad, c.sdlAxis), c.stored) << "SDL axis " << c.sdlAxis;
  }
}

TEST_F(ControllerDevices, EventsForUnknownControllersButtonsOrAxesChangeNothing) {
  attachPad("Lumo Pad");
  dispatch();
  LumoController pad = inputState.controllers.at(1);
  SDL_JoystickID stranger = pad->instanceId + 1000;
  auto button = [](SDL_JoystickID which, uint8_t b) {
    SDL_Event e{};
    e.type = SDL_CONTROLLERBUTTONDOWN;
    e.cbutton.which = which;
    e.cbutton.button = b;
    return e;
  };
  auto axisMotion = [](SDL_JoystickID which, uint8_t a) {
    SDL_Event e{};
    e.type = SDL_CONTROLLERAXISMOTION;
    e.caxis.which = which;
    e.caxis.axis = a;
    e.caxis.value = 32767;
    return e;
  };
  SDL_Event removed{};
  removed.type = SDL_CONTROLLERDEVICEREMOVED;
  removed.cdevice.which = stranger;
  SDL_Event keyboardId = button(-1, SDL_CONTROLLER_BUTTON_A);
  for (const SDL_Event& e : {button(stranger, SDL_CONTROLLER_BUTTON_A), button(pad->instanceId, 15),
                             button(pad->instanceId, 255), axisMotion(stranger, 0), axisMotion(pad->instanceId, 6),
                             axisMotion(pad->instanceId, 255), removed, keyboardId}) {
    pushEvent(e);
  }
  EXPECT_EQ(dispatch(), "");
  EXPECT_EQ(names(), (std::vector<std::string>{"KEYBOARD", "Lumo Pad"}));
  for (const LumoController& c : inputState.controllers) {
    EXPECT_EQ(c->buttons, (std::array<int32_t, buttonCount>{})) << c->name;
    for (const AxisValue& a : c->axes) EXPECT_EQ(a.current, 0.0) << c->name;
  }
}

TEST_F(ControllerDevices, APadOpenedAtStartUpIsNotAddedAgain) {
  int index = attachPad("Lumo Pad");
  // Start-up opens attached pads before the first event pass.
  testing::internal::CaptureStdout();
  inputState.controllers.push_back(newLumoController(index));
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(dispatch(), "controller already exists\r\n");
  EXPECT_EQ(names(), (std::vector<std::string>{"KEYBOARD", "Lumo Pad"}));
}

TEST_F(ControllerDevices, DetachingMovesTheLastRecordAndNewPadsStillArrive) {
  std::vector<std::string> added;
  setControllerAdded([&](const LumoController& c) { added.push_back(c->name); });
  attachPad("Pad A");
  attachPad("Pad B");
  attachPad("Pad C");
  EXPECT_EQ(dispatch(),
            "added game controller: 0: Gamepad: Pad A\r\nadded controller\r\n"
            "added game controller: 1: Gamepad: Pad B\r\nadded controller\r\n"
            "added game controller: 2: Gamepad: Pad C\r\nadded controller\r\n");
  EXPECT_EQ(added, (std::vector<std::string>{"Pad A", "Pad B", "Pad C"}));

  SDL_JoystickDetachVirtual(0);
  dispatch();
  EXPECT_EQ(names(), (std::vector<std::string>{"KEYBOARD", "Pad C", "Pad B"}));

  // Pad D arrives as device 2, the index Pad C was opened with.
  attachPad("Pad D");
  EXPECT_EQ(dispatch(), "added game controller: 2: Gamepad: Pad D\r\nadded controller\r\n");
  EXPECT_EQ(names(), (std::vector<std::string>{"KEYBOARD", "Pad C", "Pad B", "Pad D"}));

  // Each pad still drives its own record.
  SDL_JoystickSetVirtualButton(joystickOf(inputState.controllers[1]), SDL_CONTROLLER_BUTTON_X, SDL_PRESSED);
  dispatch();
  std::vector<bool> held;
  for (int32_t p = 0; p < 4; ++p) held.push_back(inputState.controllers[p]->buttons[int(LumoButton::X)] == 1);
  EXPECT_EQ(held, (std::vector<bool>{false, true, false, false}));
}

TEST_F(ControllerDevices, FailuresWhileAttachingAreSwallowed) {
  SDL_Event phantom{};
  phantom.type = SDL_CONTROLLERDEVICEADDED;
  phantom.cdevice.which = 7;  // no such device
  pushEvent(phantom);
  EXPECT_EQ(dispatch(), "");
  EXPECT_EQ(names(), std::vector<std::string>{"KEYBOARD"});

  setControllerAdded([](const LumoController&) { throwValue("application failed"); });
  attachPad("Lumo Pad");
  EXPECT_EQ(dispatch(), "added game controller: 0: Gamepad: Lumo Pad\r\nadded controller\r\n");
  EXPECT_EQ(names(), (std::vector<std::string>{"KEYBOARD", "Lumo Pad"}));
}

TEST_F(ControllerDevices, UnmappedJoysticksAreThoseSdlCannotPresentAsControllers) {
  attachPad("Lumo Pad");
  SDL_VirtualJoystickDesc plain{};
  plain.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  plain.type = SDL_JOYSTICK_TYPE_UNKNOWN;
  plain.naxes = 2;
  plain.nbuttons = 3;
  plain.name = "Plain Stick";
  ASSERT_GE(SDL_JoystickAttachVirtualEx(&plain), 0) << SDL_GetError();
  std::vector<_SDL_Joystick*> unmapped = getUnmappedJoysticks();
  ASSERT_EQ(unmapped.size(), 1u);
  EXPECT_STREQ(SDL_JoystickName(unmapped[0]), "Plain Stick");
  SDL_JoystickClose(unmapped[0]);
}

}  // namespace
