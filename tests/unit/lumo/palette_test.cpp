#include <array>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "lumo/lumo.hpp"
#include "lumo/palette_state.hpp"
#include "platform/paths_state.hpp"

namespace {

using namespace lumo;
using Palette = std::array<Color, paletteSize>;

const std::string fixtureFolder = LUMO_SOURCE_DIR "/tests/fixtures/gpl/";

Palette pico8() {
  loadPalettePico8();
  return paletteState.palette;
}

TEST(PaletteColors, RgbKeepsTheLowEightBitsOfEachComponent) {
  struct Case {
    int32_t r, g, b;
    Color expected;
  };
  const Case cases[] = {
      {0, 128, 255, {0, 128, 255}},
      {256, -1, 300, {0, 255, 44}},
      {-256, 511, INT32_MIN, {0, 255, 0}},
  };
  for (const Case& c : cases) EXPECT_EQ(RGB(c.r, c.g, c.b), c.expected) << c.r << " " << c.g << " " << c.b;
}

TEST(PaletteColors, BuiltInSetsRewriteEveryEntry) {
  paletteState = PaletteState{};
  const Palette black{};
  EXPECT_EQ(paletteState.palette, black);

  const Palette expectedPico8{{
      {0, 0, 0}, {29, 43, 83}, {126, 37, 83}, {0, 135, 81},
      {171, 82, 54}, {95, 87, 79}, {194, 195, 199}, {255, 241, 232},
      {255, 0, 77}, {255, 163, 0}, {255, 240, 36}, {0, 231, 86},
      {41, 173, 255}, {131, 118, 156}, {255, 119, 168}, {255, 204, 170},
  }};
  loadPalettePico8();
  EXPECT_EQ(paletteState.palette, expectedPico8);

  // No trace of the first set survives: entries 4 to 15 become black.
  Palette expectedCGA{};
  expectedCGA[1] = {85, 255, 255};
  expectedCGA[2] = {255, 85, 255};
  expectedCGA[3] = {255, 255, 255};
  loadPaletteCGA();
  EXPECT_EQ(paletteState.palette, expectedCGA);
  EXPECT_EQ(paletteState.paletteCount, 16);
}

class PaletteFile : public testing::Test {
 protected:
  void SetUp() override {
    savedPaths = pathState;
    setAssetPath(fixtureFolder);
    before = pico8();
  }
  void TearDown() override {
    pathState = savedPaths;
    paletteState = PaletteState{};
  }

  // Loads the fixture and returns what it wrote to standard output.
  static std::string load(const std::string& name) {
    testing::internal::CaptureStdout();
    try {
      loadPaletteFromGPL(name);
    } catch (...) {
      testing::internal::GetCapturedStdout();
      throw;
    }
    return testing::internal::GetCapturedStdout();
  }

  PathState savedPaths;
  Palette before;
};

TEST_F(PaletteFile, FillsEntriesInFileOrderAndReportsEveryOtherLine) {
  struct Case {
    std::string file;
    std::string output;
    std::map<int, Color> written;  // every other entry keeps its colour
  };
  const std::string endingsOutput = "matched 0:1,2,3\r\nnot matched: GIMP Palette\r\nmatched 1:4,5,6\r\n";
  const std::map<int, Color> endingsColors{{0, {1, 2, 3}}, {1, {4, 5, 6}}};
  const Case cases[] = {
      {"six_lines.gpl",
       "not matched: Name: x\r\nnot matched: Columns: 16\r\nmatched 0:0,0,0\r\nmatched 1:255,0,77\r\n",
       {{0, {0, 0, 0}}, {1, {255, 0, 77}}}},
      // A tab alone after a number does not separate; a space then a tab does.
      {"separators.gpl", "not matched: 255\t0\t77 tabs\r\nmatched 0:255,0,77\r\n", {{0, {255, 0, 77}}}},
      // A second header line after the first is an ordinary unmatched line.
      {"endings_lf.gpl", endingsOutput, endingsColors},
      {"endings_crlf.gpl", endingsOutput, endingsColors},
      {"endings_cr.gpl", endingsOutput, endingsColors},
      {"wrapping.gpl",
       "matched 0:300,-1,256\r\nmatched 1:7,10,0\r\nmatched 2:-2147483648,2147483647,0\r\n",
       {{0, {44, 255, 0}}, {1, {7, 10, 0}}, {2, {0, 255, 0}}}},
      // Nothing after the NUL is read, not even the rest of its line.
      {"nul_byte.gpl", "matched 0:1,2,3\r\nmatched 1:4,5,6\r\n", {{0, {1, 2, 3}}, {1, {4, 5, 6}}}},
      // A colour line before the header has no slot: reported, not stored.
      {"before_header.gpl", "not matched: 9 9 9 before\r\nmatched 0:1,2,3\r\n", {{0, {1, 2, 3}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    paletteState.palette = before;
    EXPECT_EQ(load(c.file), c.output);
    Palette expected = before;
    for (const auto& [index, color] : c.written) expected[index] = color;
    EXPECT_EQ(paletteState.palette, expected);
  }
}

TEST_F(PaletteFile, StopsAfterTheSixteenthColourLine) {
  std::string expectedOutput;
  Palette expected;
  for (int i = 1; i <= 16; ++i) {
    expectedOutput += "matched " + std::to_string(i - 1) + ":" + std::to_string(i) + "," +
                      std::to_string(i + 100) + "," + std::to_string(i + 200) + "\r\n";
    expected[i - 1] = RGB(i, i + 100, i + 200);
  }
  EXPECT_EQ(load("twenty_colours.gpl"), expectedOutput);
  EXPECT_EQ(paletteState.palette, expected);
}

TEST_F(PaletteFile, FailuresLeaveThePaletteAsItWas) {
  struct Case {
    std::string file;
    ErrorKind kind;
    std::string message;
  };
  const Case cases[] = {
      {"missing.gpl", ErrorKind::IO, "cannot open: " + fixtureFolder + "missing.gpl"},
      // The first line matched before the bad number; it is not kept either.
      {"huge_number.gpl", ErrorKind::Parse, "number too large for 32 bits in palette line: 4 5 99999999999"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    try {
      load(c.file);
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), c.kind);
      EXPECT_EQ(std::string(e.what()), c.message);
    }
    EXPECT_EQ(paletteState.palette, before);
  }
}

TEST_F(PaletteFile, NameIsJoinedToTheAssetFolderWithoutSeparator) {
  pathState.assetPath = fixtureFolder + "six_";
  load("lines.gpl");
  EXPECT_EQ(paletteState.palette[1], (Color{255, 0, 77}));
}

}  // namespace
