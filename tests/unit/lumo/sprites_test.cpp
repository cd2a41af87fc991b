// Sprite sheets and the sprite operations, on in-memory sheets and small
// screens, asserting whole screens and sheets.
#include <climits>

#include <gtest/gtest.h>

#include "blit_test_support.hpp"
#include "lumo/lumo.hpp"
#include "platform/paths_state.hpp"

namespace {

using namespace lumo;
using blittest::Grid;

// Two cells: sprite 0 with no transparent pixel, sprite 1 with some.
const Grid sheetRows = {
    "123456781.......",
    "23456789.2......",
    "3456789a..3.....",
    "456789ab...4....",
    "56789abc....5...",
    "6789abcd.....6..",
    "789abcde......7.",
    "89abcdef.......8",
};

const Grid blankScreen(10, "............");

class Sprites : public testing::Test {
 protected:
  void SetUp() override { useScreen(12, 10); }
  void TearDown() override { pathState = PathState{}; }

  static void useScreen(int32_t w, int32_t h) {
    blittest::freshScreen(w, h);
    spriteState.sheetSlots[0] = blittest::indexedSurface(sheetRows);
  }

  static Grid sheetGrid() { return blittest::gridOf(spriteState.sheetSlots[spriteState.spritesheet]); }
};

void expectRangeError(const std::function<void()>& action, const std::string& message) {
  try {
    action();
    ADD_FAILURE() << "no error, expected " << message;
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Range);
    EXPECT_EQ(std::string(e.what()), message);
  }
}

TEST_F(Sprites, GetSprRectAddressesCellsSixteenToARow) {
  struct Case {
    int32_t n, w, h;
    Rect expected;
  };
  const Case cases[] = {
      {0, 1, 1, {0, 0, 8, 8}},      {17, 1, 1, {8, 8, 8, 8}},  {255, 1, 1, {120, 120, 8, 8}},
      {15, 2, 1, {120, 0, 16, 8}},  {0, 2, 3, {0, 0, 16, 24}}, {16, 0, -1, {0, 8, 0, -8}},
  };
  for (const Case& c : cases) EXPECT_EQ(getSprRect(c.n, c.w, c.h), c.expected) << c.n;
  expectRangeError([] { getSprRect(256, 1, 1); }, "value out of range: 256");
  expectRangeError([] { getSprRect(-1, 1, 1); }, "value out of range: -1");
  EXPECT_THROW(getSprRect(0, 1 << 28, 1), Error);  // the size in pixels overflows
}

TEST_F(Sprites, EveryUnscaledOperationDrawsTheBlockAtTheCameraOffset) {
  const Grid expected = {
      "............",
      "..12345678..",
      "..23456789..",
      "..3456789a..",
      "..456789ab..",
      "..56789abc..",
      "..6789abcd..",
      "..789abcde..",
      "..89abcdef..",
      "............",
  };
  struct Case {
    const char* name;
    void (*draw)(int32_t x, int32_t y);
  };
  const Case cases[] = {
      {"spr", [](int32_t x, int32_t y) { spr(0, x, y, 1, 1, false, false); }},
      {"sprBlit", [](int32_t x, int32_t y) { sprBlit(0, x, y, 1, 1); }},
      {"sprBlitFast", [](int32_t x, int32_t y) { sprBlitFast(0, x, y, 1, 1); }},
      {"sprBlitFastRaw", [](int32_t x, int32_t y) { sprBlitFastRaw(0, x, y, 1, 1); }},
      {"sprBlitStretch", [](int32_t x, int32_t y) { sprBlitStretch(0, x, y, 1, 1); }},
      {"sprs", [](int32_t x, int32_t y) { sprs(0, x, y, 1, 1, 1, 1, false, false); }},
      {"sprss", [](int32_t x, int32_t y) { sprss(0, x, y, 1, 1, 8, 8, false, false); }},
      {"sspr", [](int32_t x, int32_t y) { sspr(0, 0, 8, 8, x, y, -1, -1, false, false); }},
  };
  for (const Case& c : cases) {
    useScreen(12, 10);
    setCamera(10, 10);
    c.draw(12, 11);
    EXPECT_EQ(blittest::screenGrid(), expected) << c.name;
  }
}

TEST_F(Sprites, SprIsCutAtTheScreenAndTheSheetEdges) {
  struct Case {
    const char* name;
    int32_t n, x, y, w, h;
    Grid expected;
  };
  const Case cases[] = {
      {"left of the screen", 0, -3, 0, 1, 1,
       {"45678.......", "56789.......", "6789a.......", "789ab.......", "89abc.......",
        "9abcd.......", "abcde.......", "bcdef.......", "............", "............"}},
      {"right half beyond the sheet", 1, 0, 2, 2, 1,
       {"............", "............", "1...........", ".2..........", "..3.........",
        "...4........", "....5.......", ".....6......", "......7.....", ".......8...."}},
      {"below the sheet", 0, 3, 0, 1, 2,
       {"...12345678.", "...23456789.", "...3456789a.", "...456789ab.", "...56789abc.",
        "...6789abcd.", "...789abcde.", "...89abcdef.", "............", "............"}},
      {"cell 2 lies outside a two-cell sheet", 2, 0, 0, 1, 1, blankScreen},
  };
  for (const Case& c : cases) {
    useScreen(12, 10);
    spr(c.n, c.x, c.y, c.w, c.h, false, false);
    EXPECT_EQ(blittest::screenGrid(), c.expected) << c.name;
  }
}

TEST_F(Sprites, SprFlipsMirrorTheCell) {
  struct Case {
    bool hflip, vflip;
    Grid cell;
  };
  const Case cases[] = {
      {true, false, {"87654321", "98765432", "a9876543", "ba987654", "cba98765", "dcba9876", "edcba987", "fedcba98"}},
      {false, true, {"89abcdef", "789abcde", "6789abcd", "56789abc", "456789ab", "3456789a", "23456789", "12345678"}},
      {true, true, {"fedcba98", "edcba987", "dcba9876", "cba98765", "ba987654", "a9876543", "98765432", "87654321"}},
  };
  for (const Case& c : cases) {
    useScreen(8, 8);
    spr(0, 0, 0, 1, 1, c.hflip, c.vflip);
    EXPECT_EQ(blittest::screenGrid(), c.cell) << c.hflip << c.vflip;
    // The scaled path mirrors the same way.
    useScreen(8, 8);
    sprs(0, 0, 0, 1, 1, 1, 1, c.hflip, c.vflip);
    EXPECT_EQ(blittest::screenGrid(), c.cell) << "scaled " << c.hflip << c.vflip;
  }
}

TEST_F(Sprites, DoubledSpritesCoverTwoByTwoBlocks) {
  const Grid doubled = {
      "1122334455667788", "1122334455667788", "2233445566778899", "2233445566778899",
      "33445566778899aa", "33445566778899aa", "445566778899aabb", "445566778899aabb",
      "5566778899aabbcc", "5566778899aabbcc", "66778899aabbccdd", "66778899aabbccdd",
      "778899aabbccddee", "778899aabbccddee", "8899aabbccddeeff", "8899aabbccddeeff",
  };
  Grid mirrored;
  for (const std::string& row : doubled) mirrored.emplace_back(row.rbegin(), row.rend());
  struct Case {
    const char* name;
    void (*draw)();
    const Grid& expected;
  };
  const Case cases[] = {
      {"sspr 16 x 16", [] { sspr(0, 0, 8, 8, 0, 0, 16, 16, false, false); }, doubled},
      {"sprs 2 x 2 cells", [] { sprs(0, 0, 0, 1, 1, 2, 2, false, false); }, doubled},
      {"sprs mirrored", [] { sprs(0, 0, 0, 1, 1, 2, 2, true, false); }, mirrored},
  };
  for (const Case& c : cases) {
    useScreen(16, 16);
    c.draw();
    EXPECT_EQ(blittest::screenGrid(), c.expected) << c.name;
  }
}

TEST_F(Sprites, StretchedSsprSamplesByAccumulatedSteps) {
  struct Case {
    int32_t sw, dw, dx;
    Point camera;
    std::string row;  // '#': not drawn
  };
  const Case cases[] = {
      {3, 9, 0, {0, 0}, "...111122###############"},  // 1/3 added six times falls short of 2
      {16, 24, 0, {0, 0}, "..12233456678899abbcddef"},
      {10, 3, 0, {0, 0}, ".36#####################"},
      {3, 9, 5, {5, 0}, "...111122###############"},
      {3, 9, 5, {0, 0}, "#####...111122##########"},
  };
  for (const Case& c : cases) {
    blittest::freshScreen(24, 1);
    spriteState.sheetSlots[0] = blittest::indexedSurface({"0123456789abcdef"});
    palt(0, false);
    blittest::fillScreen(16);
    setCamera(c.camera.x, c.camera.y);
    sspr(0, 0, c.sw, 1, c.dx, 0, c.dw, 1, false, false);
    EXPECT_EQ(blittest::screenGrid(), Grid{c.row}) << c.sw << " to " << c.dw;
  }
}

TEST_F(Sprites, RawSpriteCopyIgnoresTransparencyAndColourMap) {
  pal(1, 9);
  pal(3, 4);
  struct Case {
    void (*draw)();
    Grid expected;
  };
  const Case cases[] = {
      {[] { spr(1, 0, 0, 1, 1, false, false); },
       {"9555", "5255", "5545", "5554"}},
      {[] { sprBlitFastRaw(1, 0, 0, 1, 1); },
       {"1...", ".2..", "..3.", "...4"}},
  };
  for (const Case& c : cases) {
    useScreen(4, 4);
    pal(1, 9);
    pal(3, 4);
    blittest::fillScreen(5);
    c.draw();
    EXPECT_EQ(blittest::screenGrid(), c.expected);
  }
}

TEST_F(Sprites, ScaledSpritesWithoutDestinationAreaDrawNothing) {
  sprss(0, 0, 0, 1, 1, 0, 8, false, false);
  sprss(0, 0, 0, 1, 1, 8, -1, false, false);
  sprs(0, 0, 0, 1, 1, -1, 1, true, true);
  sspr(0, 0, 8, 8, 0, 0, 0, 8, false, false);
  EXPECT_EQ(blittest::screenGrid(), blankScreen);
}

TEST_F(Sprites, SsetWritesMappedColourAndSgetReadsIt) {
  setColor(6);
  pal(6, 2);
  sset(3, 4, -1);
  sset(15, 7, 12);
  Grid expected = sheetRows;
  expected[4][3] = '2';
  expected[7][15] = 'c';
  EXPECT_EQ(sheetGrid(), expected);
  EXPECT_EQ(sget(3, 4), 2);
  EXPECT_EQ(sget(15, 7), 12);
  // The sheet is read in place: the next draw shows the new pixel.
  pal();
  spr(0, 0, 0, 1, 1, false, false);
  EXPECT_EQ(blittest::screenGrid()[4], "56729abc....");
}

TEST_F(Sprites, SheetPixelsOutsideTheSheet) {
  const Point outside[] = {{-1, 0}, {0, -1}, {16, 0}, {0, 8}, {INT32_MIN, INT32_MAX}};
  for (Point p : outside) {
    EXPECT_EQ(sget(p.x, p.y), 0);
    expectRangeError([p] { sset(p.x, p.y, 3); },
                     "sset (" + std::to_string(p.x) + "," + std::to_string(p.y) + ") out of bounds");
  }
  // The colour is checked before the position.
  expectRangeError([] { sset(-1, 0, 16); }, "value out of range: 16");
  expectRangeError([] { sset(0, 0, -2); }, "value out of range: -2");
  EXPECT_EQ(sheetGrid(), sheetRows);

  spriteState.sheetSlots[0].data[5] = 200;
  expectRangeError([] { sget(5, 0); }, "value out of range: 200");
}

TEST_F(Sprites, EmptySlotDrawsNothingAndHasNoPixels) {
  setSpritesheet(4);
  spr(0, 0, 0, 1, 1, false, false);
  sspr(0, 0, 8, 8, 0, 0, 16, 16, false, false);
  EXPECT_EQ(blittest::screenGrid(), blankScreen);
  EXPECT_EQ(sget(0, 0), 0);
  expectRangeError([] { sset(0, 0, 1); }, "sset (0,0) out of bounds");
}

TEST_F(Sprites, ShortSheetDataIsTheIndexError) {
  spriteState.sheetSlots[0].data.resize(10);
  EXPECT_EQ(sget(8, 0), 1);
  for (auto action : {+[] { sget(15, 7); }, +[] { sset(15, 7, 1); }, +[] { spr(0, 0, 0, 2, 1, false, false); }}) {
    try {
      action();
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::Index);
    }
  }
}

TEST_F(Sprites, OutOfRangeNumbersAndSlotsChangeNothing) {
  expectRangeError([] { spr(256, 0, 0, 1, 1, false, false); }, "value out of range: 256");
  expectRangeError([] { sprs(-1, 0, 0, 1, 1, 1, 1, false, false); }, "value out of range: -1");
  expectRangeError([] { sprBlitFastRaw(300, 0, 0, 1, 1); }, "value out of range: 300");
  expectRangeError([] { setSpritesheet(16); }, "value out of range: 16");
  expectRangeError([] { setSpritesheet(-1); }, "value out of range: -1");
  EXPECT_EQ(spriteState.spritesheet, 0);
  EXPECT_EQ(blittest::screenGrid(), blankScreen);
}

TEST_F(Sprites, SlotsAreIndependent) {
  spriteState.sheetSlots[15] = blittest::indexedSurface(Grid(8, "77777777"));
  setSpritesheet(15);
  spr(0, 0, 0, 1, 1, false, false);
  setSpritesheet(0);
  spr(0, 4, 2, 1, 1, false, false);
  EXPECT_EQ(blittest::screenGrid(),
            (Grid{"77777777....", "77777777....", "777712345678", "777723456789", "77773456789a",
                  "7777456789ab", "777756789abc", "77776789abcd", "....789abcde", "....89abcdef"}));
}

TEST_F(Sprites, LoadSpriteSheetConvertsIntoTheDesignatedSlot) {
  std::string folder = blittest::freshFolder("sprites");
  pathState.assetPath = folder + "/";
  loadPaletteCGA();
  // Black, cyan, magenta; white, a colour not in the palette, transparent white.
  blittest::writePng(folder + "/sheet.png", 3, 2, 4,
                     {0, 0, 0, 255, 85, 255, 255, 255, 255, 85, 255, 255,
                      255, 255, 255, 255, 1, 2, 3, 255, 255, 255, 255, 0});
  blittest::writePng(folder + "/grey.png", 2, 1, 1, {0, 255});

  setSpritesheet(5);
  loadSpriteSheet("sheet.png");
  EXPECT_EQ(spriteState.sheetSlots[5].w, 3);
  EXPECT_EQ(spriteState.sheetSlots[5].h, 2);
  EXPECT_EQ(spriteState.sheetSlots[5].channels, 1);
  EXPECT_EQ(sheetGrid(), (Grid{".12", "3.3"}));
  EXPECT_EQ(spriteState.sheetSlots[0].w, 16);  // other slots untouched

  // Failed loads leave the slot as it was.
  try {
    loadSpriteSheet("missing.png");
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::IO);
    EXPECT_EQ(std::string(e.what()), "Unable to load surface: " + folder + "/missing.png");
  }
  try {
    loadSpriteSheet("grey.png");
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Converting non RGBA surface to indexed");
  }
  EXPECT_EQ(sheetGrid(), (Grid{".12", "3.3"}));
}

}  // namespace
