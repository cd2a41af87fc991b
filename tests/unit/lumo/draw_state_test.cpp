#include <climits>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "lumo/draw_state.hpp"
#include "lumo/lumo.hpp"
#include "lumo/palette_state.hpp"

namespace {

using namespace lumo;
using Pixels = std::set<std::pair<int, int>>;

class DrawStateTest : public testing::Test {
 protected:
  void SetUp() override {
    drawState = DrawState{};
    paletteState = PaletteState{};
  }
  void TearDown() override { drawState = DrawState{}; }

  // Positions of the screen that hold the byte v.
  static Pixels pixelsHolding(uint8_t v) {
    Pixels found;
    const Surface& s = drawState.screen;
    for (int y = 0; y < s.h; ++y) {
      for (int x = 0; x < s.w; ++x) {
        if (s.data[static_cast<size_t>(y) * s.w + x] == v) found.insert({x, y});
      }
    }
    return found;
  }

  static Pixels square(int left, int top, int right, int bottom) {
    Pixels p;
    for (int y = top; y <= bottom; ++y) {
      for (int x = left; x <= right; ++x) p.insert({x, y});
    }
    return p;
  }

  static void fillScreen(uint8_t v) { drawState.screen.data.assign(drawState.screen.data.size(), v); }
};

TEST_F(DrawStateTest, StartValues) {
  const DrawState& s = drawState;
  EXPECT_EQ(s.screen.w, 128);
  EXPECT_EQ(s.screen.h, 128);
  EXPECT_EQ(s.screen.data, std::vector<uint8_t>(128 * 128, 0));
  EXPECT_EQ(getColor(), 0);
  EXPECT_EQ(getCamera(), (Point{0, 0}));
  EXPECT_EQ((std::vector<int>{s.clipLeft, s.clipTop, s.clipRight, s.clipBottom}), (std::vector<int>{0, 0, 127, 127}));
  EXPECT_EQ(s.clipRect, (Rect{0, 0, 0, 0}));
  for (int i = 0; i < 256; ++i) {
    int expected = i < 16 ? i : 0;
    EXPECT_EQ(s.drawMap[i], expected) << i;
    EXPECT_EQ(s.displayMap[i], expected) << i;
    EXPECT_EQ(s.transparentFlags[i], i == 0) << i;
  }
}

TEST_F(DrawStateTest, PsetSubtractsTheCameraAndSkipsWhatFallsOutsideTheScreen) {
  struct Case {
    Point camera;
    Point world;
    Pixels expected;
  };
  const Case cases[] = {
      {{0, 0}, {5, 7}, {{5, 7}}},
      {{10, 0}, {10, 0}, {{0, 0}}},
      {{-4, 0}, {0, 0}, {{4, 0}}},
      {{5, 5}, {132, 132}, {{127, 127}}},
      {{5, 5}, {133, 5}, {}},
      {{0, 0}, {-1, 0}, {}},
      {{0, 0}, {0, 128}, {}},
      // The camera arithmetic wraps instead of failing.
      {{INT32_MIN, 0}, {INT32_MAX, 0}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "camera " << c.camera.x << "," << c.camera.y << " at " << c.world.x << ","
                                    << c.world.y);
    fillScreen(0);
    setCamera(c.camera.x, c.camera.y);
    pset(c.world.x, c.world.y, 3);
    EXPECT_EQ(pixelsHolding(3), c.expected);
  }
}

TEST_F(DrawStateTest, PgetReadsScreenCoordinatesWithoutTheCamera) {
  psetRaw(10, 0, 9);
  setCamera(10, 0);
  pset(10, 0, 3);
  EXPECT_EQ(pget(0, 0), 3);
  EXPECT_EQ(pget(10, 0), 9);
}

TEST_F(DrawStateTest, ClipSetsInclusiveBoundsAndTheCoarseRectangle) {
  struct Case {
    std::function<void()> setClip;
    std::string label;
    int left, top, right, bottom;
    Rect clipRect;
  };
  const Case cases[] = {
      {[] { clip(10, 10, 20, 20); }, "10,10,20,20", 10, 10, 29, 29, {10, 10, 20, 20}},
      {[] { clip(120, 120, 20, 20); }, "120,120,20,20", 120, 120, 127, 127, {120, 120, 8, 8}},
      // Cut on the left and top, but the rectangle keeps its width.
      {[] { clip(-5, -5, 10, 10); }, "-5,-5,10,10", 0, 0, 4, 4, {0, 0, 10, 10}},
      {[] { clip(0, 0, 0, 0); }, "0,0,0,0", 0, 0, -1, -1, {0, 0, 0, 0}},
      {[] { clip(200, 3, 10, 10); }, "200,3,10,10", 200, 3, 127, 12, {200, 3, -72, 10}},
      {[] { clip(-50, 0, 10, 128); }, "-50,0,10,128", 0, 0, -41, 127, {0, 0, 10, 128}},
      {[] { clip(); }, "reset", 0, 0, 127, 127, {0, 0, 127, 127}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    drawState = DrawState{};
    clip(1, 2, 3, 4);  // something to replace
    c.setClip();
    const DrawState& s = drawState;
    EXPECT_EQ((std::vector<int>{s.clipLeft, s.clipTop, s.clipRight, s.clipBottom}),
              (std::vector<int>{c.left, c.top, c.right, c.bottom}));
    EXPECT_EQ(s.clipRect, c.clipRect);

    // pset reaches exactly the clip area, whatever the camera...
    Pixels area = c.left <= c.right && c.top <= c.bottom ? square(c.left, c.top, c.right, c.bottom) : Pixels{};
    setCamera(-3, 7);
    for (int y = -10; y < 140; ++y) {
      for (int x = -10; x < 140; ++x) pset(x - 3, y + 7, 1);
    }
    EXPECT_EQ(pixelsHolding(1), area);

    // ...and cls clears exactly that area, leaving the rest alone.
    fillScreen(6);
    cls();
    EXPECT_EQ(pixelsHolding(0), area);
  }
}

TEST_F(DrawStateTest, ClipOverflowKeepsTheBoundsAssignedBeforeIt) {
  clip(10, 10, 20, 20);
  try {
    clip(5, 6, INT32_MAX, 3);
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Overflow);
    EXPECT_EQ(std::string(e.what()), "over- or underflow");
  }
  const DrawState& s = drawState;
  EXPECT_EQ((std::vector<int>{s.clipLeft, s.clipTop, s.clipRight, s.clipBottom}), (std::vector<int>{5, 10, 29, 29}));
}

TEST_F(DrawStateTest, PalMapsDrawnColoursAndItsResetRestoresThem) {
  pal(7, 8);
  pset(0, 0, 7);
  EXPECT_EQ(pget(0, 0), 8);
  setColor(7);
  pset(1, 0);
  EXPECT_EQ(pget(1, 0), 8);
  EXPECT_EQ(getColor(), 7);

  pal();
  pset(0, 0, 7);
  EXPECT_EQ(pget(0, 0), 7);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(drawState.drawMap[i], i);
  // Transparency was never touched by either.
  EXPECT_EQ(drawState.transparentFlags, DrawState{}.transparentFlags);
}

TEST_F(DrawStateTest, PaltChangesOnlyTransparencyAndItsResetMakesOnlyZeroTransparent) {
  palt(0, false);
  palt(3, true);
  EXPECT_FALSE(drawState.transparentFlags[0]);
  EXPECT_TRUE(drawState.transparentFlags[3]);
  // pset writes index 0 like any other, whatever the flags say.
  fillScreen(5);
  pset(2, 2, 0);
  EXPECT_EQ(pixelsHolding(0), (Pixels{{2, 2}}));
  EXPECT_EQ(drawState.drawMap, DrawState{}.drawMap);

  palt();
  EXPECT_EQ(drawState.transparentFlags, DrawState{}.transparentFlags);
}

TEST_F(DrawStateTest, ClsStoresZeroWhateverTheColourAndMap) {
  fillScreen(9);
  setColor(5);
  pal(0, 5);
  setCamera(30, 30);
  cls();
  EXPECT_EQ(drawState.screen.data, std::vector<uint8_t>(128 * 128, 0));
}

TEST_F(DrawStateTest, PsetRawStoresBytesUnmappedAndIgnoresPositionsOffTheScreen) {
  clip(0, 0, 1, 1);
  setCamera(5, 5);
  pal(9, 2);
  psetRaw(10, 10, 9);
  psetRaw(127, 127, 200);
  for (Point p : {Point{-1, 0}, Point{128, 0}, Point{0, 128}, Point{0, -1}}) psetRaw(p.x, p.y, 4);
  EXPECT_EQ(pixelsHolding(9), (Pixels{{10, 10}}));
  EXPECT_EQ(pixelsHolding(200), (Pixels{{127, 127}}));
  EXPECT_TRUE(pixelsHolding(4).empty());
}

TEST_F(DrawStateTest, PgetOutsideTheScreenIsZero) {
  fillScreen(7);
  for (Point p : {Point{-1, 0}, Point{128, 0}, Point{0, 128}, Point{0, -1}, Point{INT32_MIN, INT32_MAX}}) {
    EXPECT_EQ(pget(p.x, p.y), 0) << p.x << "," << p.y;
  }
  EXPECT_EQ(pget(127, 127), 7);
}

TEST_F(DrawStateTest, PgetOfARawByteAboveFifteenIsARangeError) {
  psetRaw(0, 0, 200);
  psetRaw(1, 0, 16);
  psetRaw(2, 0, 15);
  for (auto [x, message] : {std::pair{0, "value out of range: 200"}, std::pair{1, "value out of range: 16"}}) {
    try {
      pget(x, 0);
      ADD_FAILURE() << "no error at " << x;
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::Range);
      EXPECT_EQ(std::string(e.what()), message);
    }
  }
  EXPECT_EQ(pget(2, 0), 15);
  EXPECT_EQ(pixelsHolding(200), (Pixels{{0, 0}}));
}

TEST_F(DrawStateTest, ColourArgumentsOutsideZeroToFifteenAreRefusedWithoutChange) {
  struct Case {
    std::function<void()> call;
    std::string message;
  };
  const Case cases[] = {
      {[] { setColor(16); }, "value out of range: 16"},
      {[] { setColor(-1); }, "value out of range: -1"},
      {[] { pal(16, 0); }, "value out of range: 16"},
      {[] { pal(3, -2); }, "value out of range: -2"},
      {[] { pal(-1, 99); }, "value out of range: -1"},
      {[] { palt(16, true); }, "value out of range: 16"},
      {[] { palt(-1, false); }, "value out of range: -1"},
      {[] { pset(0, 0, 16); }, "value out of range: 16"},
      {[] { pset(5, 5, INT32_MIN); }, "value out of range: -2147483648"},
  };
  setColor(4);
  pal(2, 3);
  palt(5, true);
  const DrawState before = drawState;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    try {
      c.call();
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::Range);
      EXPECT_EQ(std::string(e.what()), c.message);
    }
    EXPECT_EQ(drawState.currentColor, before.currentColor);
    EXPECT_EQ(drawState.drawMap, before.drawMap);
    EXPECT_EQ(drawState.transparentFlags, before.transparentFlags);
    EXPECT_EQ(drawState.screen.data, before.screen.data);
  }
}

TEST_F(DrawStateTest, RecreatingTheScreenAtAnotherSizeResetsTheClip) {
  clip(100, 100, 20, 20);
  fillScreen(3);
  // Same size: a fresh, all-zero screen, the clip area kept.
  recreateScreen();
  EXPECT_EQ(drawState.screen.data, std::vector<uint8_t>(128 * 128, 0));
  EXPECT_EQ(drawState.clipLeft, 100);
  EXPECT_EQ(drawState.clipRight, 119);

  drawState.screenWidth = 64;
  drawState.screenHeight = 32;
  recreateScreen();
  const DrawState& s = drawState;
  EXPECT_EQ((std::vector<int>{s.screen.w, s.screen.h}), (std::vector<int>{64, 32}));
  EXPECT_EQ(s.screen.data.size(), 64u * 32u);
  EXPECT_EQ((std::vector<int>{s.clipLeft, s.clipTop, s.clipRight, s.clipBottom}), (std::vector<int>{0, 0, 63, 31}));
  EXPECT_EQ(s.clipRect, (Rect{0, 0, 63, 31}));
  // Drawing at the old clip area's corner now lands nowhere.
  pset(110, 110, 2);
  pset(63, 31, 2);
  EXPECT_EQ(pixelsHolding(2), (Pixels{{63, 31}}));
}

}  // namespace
