// Platform start-up on SDL's dummy drivers: its lines, the folders, the
// devices present at start, the controller mappings; and the path setters.
#include <SDL.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "lumo/draw_state.hpp"
#include "lumo/font_state.hpp"
#include "lumo/input_state.hpp"
#include "lumo/palette_state.hpp"
#include "lumo/random_state.hpp"
#include "lumo/sprite_state.hpp"
#include "platform/paths_state.hpp"
#include "platform/platform.hpp"
#include "unit/support/log_capture.hpp"
#include "unit/support/temp_folder.hpp"

namespace {

using namespace lumo;
using lumo::testing_support::Logged;
using lumo::testing_support::logged;
using lumo::testing_support::TempFolder;

// ---- Path setters --------------------------------------------------------------

struct SetterCase {
  const char* name;
  void (*setter)(const std::string&);
  std::string PathState::*field;
};

void PrintTo(const SetterCase& c, std::ostream* os) { *os << c.name; }

class Paths : public testing::TestWithParam<SetterCase> {
 protected:
  void TearDown() override { pathState = PathState{}; }
};

TEST_P(Paths, AppendASlashUnlessThePathEndsInOne) {
  const SetterCase& c = GetParam();
  const std::vector<std::pair<std::string, std::string>> stored = {
      {"data", "data/"},
      {"data/", "data/"},
      {"/srv/game/data", "/srv/game/data/"},
      {"data//", "data//"},
      {"", "/"},
  };
  for (const auto& [given, expected] : stored) {
    pathState = PathState{};
    c.setter(given);
    EXPECT_EQ(pathState.*c.field, expected) << c.name << "('" << given << "')";
    // Only the one folder changes.
    int changed = (pathState.basePath != "") + (pathState.writePath != "") + (pathState.assetPath != "");
    EXPECT_EQ(changed, 1);
  }
}

INSTANTIATE_TEST_SUITE_P(Paths, Paths,
                         testing::Values(SetterCase{"setBasePath", setBasePath, &PathState::basePath},
                                         SetterCase{"setWritePath", setWritePath, &PathState::writePath},
                                         SetterCase{"setAssetPath", setAssetPath, &PathState::assetPath}),
                         [](const testing::TestParamInfo<SetterCase>& info) { return std::string(info.param.name); });

// ---- Start-up --------------------------------------------------------------------

// Start-up with HOME in a fresh folder, so the per-user folder is made there.
class Startup : public testing::Test {
 protected:
  void SetUp() override {
    savedHome = getEnv("HOME");
    savedDataHome = getEnv("XDG_DATA_HOME");
    setenv("HOME", home.path().c_str(), 1);
    unsetenv("XDG_DATA_HOME");
    resetState();
  }

  void TearDown() override {
    resetState();
    SDL_Quit();
    restoreEnv("HOME", savedHome);
    restoreEnv("XDG_DATA_HOME", savedDataHome);
  }

  static void resetState() {
    inputState = InputState{};
    pathState = PathState{};
    drawState = DrawState{};
    paletteState = PaletteState{};
    fontState = FontState{};
    spriteState = SpriteState{};
    randomState = RandomState{};
  }

  static std::optional<std::string> getEnv(const char* name) {
    const char* value = getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
  }
  static void restoreEnv(const char* name, const std::optional<std::string>& value) {
    if (value) {
      setenv(name, value->c_str(), 1);
    } else {
      unsetenv(name);
    }
  }

  // The folder of the running test program, as SDL reports it.
  static std::string programFolder() {
    return std::filesystem::canonical("/proc/self/exe").parent_path().string() + "/";
  }

  std::string perUserFolder() const { return home.path() + "/.local/share/brindle/pegwick/"; }

  std::string startLines() const {
    return "added game controller: -1: Keyboard: KEYBOARD\r\nbasePath: " + programFolder() +
           "\r\nwritePath: " + perUserFolder() + "\r\n";
  }

  // Attaches a virtual joystick before start-up; `pad` makes it a game controller.
  static void attachJoystick(const char* name, bool pad) {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = pad ? SDL_JOYSTICK_TYPE_GAMECONTROLLER : SDL_JOYSTICK_TYPE_THROTTLE;
    desc.naxes = pad ? SDL_CONTROLLER_AXIS_MAX : 1;
    desc.nbuttons = pad ? SDL_CONTROLLER_BUTTON_MAX : 0;
    desc.name = name;
    ASSERT_GE(SDL_JoystickAttachVirtualEx(&desc), 0) << SDL_GetError();
  }

  TempFolder home{"lumo_startup_home"};
  std::optional<std::string> savedHome, savedDataHome;
};

TEST_F(Startup, WritesItsLinesInOrderAndSetsTheFolders) {
  Logged lines = logged([] { platformInit("brindle", "pegwick"); });

  EXPECT_EQ(lines.out, startLines());
  EXPECT_EQ(pathState.basePath, programFolder());
  EXPECT_EQ(pathState.assetPath, programFolder() + "/assets/");
  EXPECT_EQ(pathState.writePath, perUserFolder());
  EXPECT_TRUE(std::filesystem::is_directory(perUserFolder()));
  EXPECT_FALSE(pathState.config.has_value());
  ASSERT_EQ(inputState.controllers.size(), 1u);
  const LumoController& keyboard = inputState.controllers.front();
  EXPECT_EQ(keyboard->kind, ControllerKind::Keyboard);
  EXPECT_EQ(keyboard->id, -1);
  EXPECT_EQ(keyboard->name, "KEYBOARD");
  EXPECT_EQ(SDL_WasInit(0), 0x7231u);  // timer, audio, video, joystick, haptic, controller, events
}

TEST_F(Startup, GameControllersPresentAtStartFollowTheKeyboardInIndexOrder) {
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
  attachJoystick("Pad A", true);
  attachJoystick("Throttle", false);  // a joystick SDL has no controller mapping for
  attachJoystick("Pad B", true);
  ASSERT_FALSE(SDL_IsGameController(1));

  Logged lines = logged([] { platformInit("brindle", "pegwick"); });

  EXPECT_EQ(lines.out, startLines() +
                           "added game controller: 0: Gamepad: Pad A\r\n"
                           "added game controller: 2: Gamepad: Pad B\r\n");
  std::vector<std::pair<int32_t, std::string>> records;
  for (const LumoController& c : inputState.controllers) records.emplace_back(c->id, c->name);
  EXPECT_EQ(records, (std::vector<std::pair<int32_t, std::string>>{{-1, "KEYBOARD"}, {0, "Pad A"}, {2, "Pad B"}}));
}

TEST_F(Startup, ReadsThePerUserControllerMappings) {
  const char* guid = "03000000f00d0000beef000000000000";
  // The database keeps only lines naming this platform.
  home.write(".local/share/brindle/pegwick/gamecontrollerdb.txt",
             std::string("# extra pads\n") + guid + ",Lumo Test Pad,a:b0,b:b1,x:b2,y:b3,leftx:a0,lefty:a1,platform:" +
                 SDL_GetPlatform() + ",\n");

  logged([] { platformInit("brindle", "pegwick"); });

  char* mapping = SDL_GameControllerMappingForGUID(SDL_JoystickGetGUIDFromString(guid));
  ASSERT_NE(mapping, nullptr) << "the per-user mapping file was not read";
  EXPECT_EQ(std::string(mapping).rfind(std::string(guid) + ",Lumo Test Pad,", 0), 0u) << mapping;
  SDL_free(mapping);
}

TEST_F(Startup, WithoutAPerUserFolderTheProgramsFolderTakesItsPlace) {
  // HOME names a file, so no folder can be made below it.
  setenv("HOME", home.write("not-a-folder", "").c_str(), 1);

  Logged lines = logged([] { platformInit("brindle", "pegwick"); });

  EXPECT_EQ(lines.out, "added game controller: -1: Keyboard: KEYBOARD\r\nbasePath: " + programFolder() +
                           "\r\nwritePath: " + programFolder() + "\r\n");
  EXPECT_EQ(pathState.writePath, pathState.basePath);
}

TEST_F(Startup, InitStartsThePlatformThenLoadsTheSettings) {
  // A controller record left from before does not survive init.
  logged([] { inputState.controllers.push_back(newLumoController(-1)); });
  Logged lines = logged([] { init("brindle", "pegwick"); });

  EXPECT_EQ(lines.out, startLines() + "no config file loaded\r\n");
  // The default font comes from the assets beside the program when they were copied there.
  bool fontThere = std::filesystem::exists(programFolder() + "/assets/font.png");
  EXPECT_EQ(lines.err, fontThere ? "font created from font.png\r\n" : "");
  EXPECT_EQ(inputState.controllers.size(), 1u);
  ASSERT_TRUE(pathState.config.has_value());
  EXPECT_TRUE(pathState.config->empty());
  EXPECT_EQ(getConfigValue("a", "b"), "");
}

}  // namespace
