// The key map: default bindings, editing, and its text form read and written
// through the US layout of SDL's dummy video driver.
#include <gtest/gtest.h>

#include "events_fixture.hpp"

namespace {

using namespace lumo;
using namespace lumo::testing_support;

const std::string defaultText =
    "Up:Up,W;Down:Down,S;Left:Left,A;Right:Right,D;A:Z;B:X;X:Left Shift,Right Shift;Y:C;L1:F;L2:G;R1:V;R2:B;"
    "Start:Return;Back:Escape,Backspace";

// The default text with one button's part replaced.
std::string defaultWith(const std::string& from, const std::string& to) {
  std::string text = defaultText;
  size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return text.replace(at, from.size(), to);
}

using Keymap = SdlInputTest;

TEST_F(Keymap, DefaultTextFormAndItsRoundTrip) {
  EXPECT_EQ(getKeyMap(), defaultText);
  KeymapState before = keymapState;
  setKeyMap(getKeyMap());
  EXPECT_EQ(keymapState.keymap, before.keymap);
  EXPECT_EQ(getKeyNamesForBtn(LumoButton::X), (std::vector<std::string>{"Left Shift", "Right Shift"}));
}

TEST_F(Keymap, SetKeyMapReplacesOnlyTheNamedButtons) {
  struct Case {
    std::string text;
    std::string expectedMap;
    std::string expectedOutput;
  };
  const Case cases[] = {
      {"", defaultText, ""},
      {"a:Space", defaultWith(";A:Z;", ";A:Space;"), ""},
      {"A:", defaultWith(";A:Z;", ";A:;"), ""},
      {"Jump:Space;A:Z", defaultText, "invalid button name: Jump\r\n"},
      {"A:Space;Jump:Z;B:C", defaultWith(";A:Z;", ";A:Space;"), "invalid button name: Jump\r\n"},
      {"A: Z", defaultWith(";A:Z;", ";A:;"), ""},  // ' Z' is unknown: scancode 0, which has no name
      {"A:Z,Z", defaultWith(";A:Z;", ";A:Z,Z;"), ""},
      {"START:Space;St_art:Tab;back:", defaultWith("Start:Return;Back:Escape,Backspace", "Start:Tab;Back:"), ""},
      {"_l_1_:Q;r2:Left Shift,w", defaultWith("L1:F;L2:G;R1:V;R2:B", "L1:Q;L2:G;R1:V;R2:Left Shift,W"), ""},
      {"A:X:Y", defaultWith(";A:Z;", ";A:;"), ""},  // later ':' stay in the key name
      {"A:Space;", defaultWith(";A:Z;", ";A:Space;"), ""},
      {"A", defaultWith(";A:Z;", ";A:;"), ""},
      {";;B:Z", defaultWith(";B:X;", ";B:Z;"), ""},
      {"Up :W", defaultText, "invalid button name: Up \r\n"},
  };
  for (const Case& c : cases) {
    keymapState = KeymapState{};
    testing::internal::CaptureStdout();
    setKeyMap(c.text);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), c.expectedOutput) << c.text;
    EXPECT_EQ(getKeyMap(), c.expectedMap) << c.text;
  }
}

TEST_F(Keymap, UnknownKeyNamesAndDuplicatesAreStoredAsScancodes) {
  setKeyMap("A: Z;B:Z,Z,,");
  EXPECT_EQ(keymapState.keymap[int(LumoButton::A)], std::vector<int32_t>{0});
  EXPECT_EQ(keymapState.keymap[int(LumoButton::B)], (std::vector<int32_t>{29, 29, 0, 0}));
}

TEST_F(Keymap, AddKeyAppendsOnlyNewValidScancodes) {
  addKeyForBtn(LumoButton::A, SDL_SCANCODE_Z);
  addKeyForBtn(LumoButton::A, SDL_SCANCODE_SPACE);
  addKeyForBtn(LumoButton::A, 0);
  addKeyForBtn(LumoButton::A, 512);
  EXPECT_EQ(keymapState.keymap[int(LumoButton::A)], (std::vector<int32_t>{29, 44, 0, 512}));
  for (int32_t bad : {-1, 513, INT32_MIN, INT32_MAX}) {
    try {
      addKeyForBtn(LumoButton::B, bad);
      ADD_FAILURE() << "accepted " << bad;
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::Range);
      EXPECT_EQ(std::string(e.what()), "value out of range: " + std::to_string(bad));
    }
  }
  EXPECT_EQ(keymapState.keymap[int(LumoButton::B)], std::vector<int32_t>{27});
}

TEST_F(Keymap, ScancodeConversionRefusesNumbersOutsideTheTable) {
  EXPECT_EQ(toScancode(0), 0);
  EXPECT_EQ(toScancode(512), 512);
  EXPECT_EQ(toInt(toScancode(29)), 29);
  for (int32_t bad : {-1, 513}) EXPECT_THROW(toScancode(bad), Error) << bad;
  // A number put into the map directly cannot be named.
  keymapState.keymap[int(LumoButton::Y)].push_back(600);
  EXPECT_THROW(getKeyMap(), Error);
  EXPECT_THROW(getKeyNamesForBtn(LumoButton::Y), Error);
}

TEST_F(Keymap, ButtonsOutsideTheEnumerationAreRefused) {
  auto bad = static_cast<LumoButton>(buttonCount);
  EXPECT_THROW(clearKeysForBtn(bad), Error);
  EXPECT_THROW(addKeyForBtn(bad, 4), Error);
  EXPECT_THROW(getKeyNamesForBtn(bad), Error);
  EXPECT_EQ(getKeyMap(), defaultText);
}

TEST_F(Keymap, ClearedButtonIsNoLongerPressedByItsKey) {
  clearKeysForBtn(LumoButton::Start);
  EXPECT_EQ(getKeyMap(), defaultWith("Start:Return", "Start:"));
  EXPECT_EQ(getKeyNamesForBtn(LumoButton::Start), std::vector<std::string>{});
  pushKey(true, SDL_SCANCODE_RETURN);
  checkInput();
  EXPECT_EQ(keyboard()->buttons, (std::array<int32_t, buttonCount>{}));
}

TEST_F(Keymap, SeparatorKeysDoNotSurviveTheTextForm) {
  clearKeysForBtn(LumoButton::A);
  addKeyForBtn(LumoButton::A, SDL_SCANCODE_COMMA);
  std::string text = getKeyMap();
  EXPECT_EQ(text, defaultWith(";A:Z;", ";A:,;"));
  setKeyMap(text);
  // The ',' name is cut into two empty names.
  EXPECT_EQ(keymapState.keymap[int(LumoButton::A)], (std::vector<int32_t>{0, 0}));
}

}  // namespace
