// Rectangles and runs, and what every shape shares: camera, clip, colour
// mapping, no transparency, and safety with extreme arguments.
#include <climits>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "lumo/draw_state.hpp"
#include "lumo/lumo.hpp"
#include "unit/lumo/shapes_screen.hpp"

namespace {

using namespace lumo;
using namespace shapes_test;

class Shapes : public ScreenTest {};

struct PictureCase {
  std::string name;
  std::function<void()> draw;
  int32_t x0, y0;  // screen position of the picture's top-left corner
  std::vector<std::string> rows;
};

TEST_F(Shapes, RectanglesAndRunsSetExactlyTheirPixels) {
  // The camera at (-2, -2) puts world (0, 0) at screen (2, 2), so runs
  // that reach row -1 stay visible.
  auto shifted = [](std::function<void()> f) {
    return [f] {
      setCamera(-2, -2);
      f();
    };
  };
  const std::vector<PictureCase> cases = {
      {"rectfill, corners reversed", [] { rectfill(5, 5, 2, 3); }, 0, 0,
       {"......", "......", "......", "..####", "..####", "..####"}},
      {"rectfill, one pixel", [] { rectfill(4, 4, 4, 4); }, 3, 3, {"...", ".#.", "..."}},
      {"hline, ends reversed", [] { hline(5, 0, 2); }, 0, 0, {"..####", "......"}},
      {"vline, ends reversed", [] { vline(1, 3, 0); }, 0, 0, {".#.", ".#.", ".#.", ".#.", "..."}},
      {"rect", shifted([] { rect(0, 0, 3, 2); }), 2, 1,
       {"......", "####..", "#..#..", "####..", "......"}},
      // The sides run from row 1 up to row -1.
      {"rect, both corners on one row", shifted([] { rect(0, 0, 3, 0); }), 2, 1,
       {"#..#", "####", "#..#", "...."}},
      // The second corner above the first: the sides overshoot both edges.
      {"rect, second corner above", shifted([] { rect(0, 2, 3, 0); }), 2, 1,
       {"#..#", "####", "#..#", "####", "#..#", "...."}},
      {"rect, one point", [] { rect(3, 3, 3, 3); }, 2, 2, {".#.", ".#.", ".#."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    freshScreen();
    c.draw();
    expectScreen(c.x0, c.y0, c.rows);
  }
}

TEST_F(Shapes, RectfillIsTheSameForAllFourCornerOrders) {
  rectfill(2, 3, 5, 5);
  Pixels expected = drawn();
  for (auto draw : {+[] { rectfill(5, 5, 2, 3); }, +[] { rectfill(2, 5, 5, 3); }, +[] { rectfill(5, 3, 2, 5); }}) {
    freshScreen();
    draw();
    EXPECT_EQ(drawn(), expected);
  }
  EXPECT_EQ(expected.size(), 12u);
}

TEST_F(Shapes, HlineFastWritesRawBytesWithoutCameraClipOrMap) {
  setCamera(5, 5);
  clip(50, 50, 10, 10);
  pal(9, 3);
  hlineFast(2, 1, 4, 9);
  hlineFast(6, 1, 5, 9);  // reversed ends: nothing
  expectScreen(0, 0, {".......", "..999..", "......."});
}

// Every shape once, in world coordinates near the top-left corner.
const std::vector<std::pair<std::string, std::function<void()>>>& everyShape() {
  static const std::vector<std::pair<std::string, std::function<void()>>> shapes = {
      {"rectfill", [] { rectfill(3, 4, 12, 9); }},
      {"rect", [] { rect(12, 9, 3, 4); }},
      {"line", [] { line(2, 3, 13, 8); }},
      {"lineDashed", [] { lineDashed(2, 3, 13, 8, 0x2d); }},
      {"hline", [] { hline(14, 5, 1); }},
      {"vline", [] { vline(6, 12, 1); }},
      {"trifill", [] { trifill(2, 2, 14, 6, 5, 13); }},
      {"circ", [] { circ(8, 8, 6); }},
      {"circfill", [] { circfill(8, 8, 6); }},
      {"arc", [] { arc(8, 8, 6, 0.3, 2.0); }},
      {"plot4pointsfill", [] { plot4pointsfill(8, 8, 5, 3); }},
  };
  return shapes;
}

TEST_F(Shapes, EveryShapeGoesThroughCameraClipAndColourMapWithoutTransparency) {
  struct Setting {
    std::string name;
    int32_t cameraX, cameraY;
    Rect clipArea;  // w = 0 leaves the full screen
    uint8_t background;
    int32_t mappedTo;  // pal(1, mappedTo); 0 is transparent for blits, not here
  };
  const std::vector<Setting> settings = {
      {"negative camera, small clip", -20, -30, {24, 33, 8, 7}, 0, 12},
      {"positive camera, colour mapped to index 0", 3, 2, {0, 0, 0, 0}, 5, 0},
      {"empty clip", 0, 0, {10, 10, 0, 5}, 0, 1},
  };
  for (const auto& [shapeName, draw] : everyShape()) {
    freshScreen();
    draw();
    Pixels reference = drawn();
    ASSERT_FALSE(reference.empty()) << shapeName;
    for (const auto& s : settings) {
      SCOPED_TRACE(shapeName + ", " + s.name);
      freshScreen();
      for (auto& b : drawState.screen.data) b = s.background;
      setCamera(s.cameraX, s.cameraY);
      if (s.clipArea.w != 0 || s.clipArea.h != 0) clip(s.clipArea.x, s.clipArea.y, s.clipArea.w, s.clipArea.h);
      pal(1, s.mappedTo);
      draw();
      Pixels expected;
      for (auto [x, y, v] : reference) {
        int32_t sx = x - s.cameraX;
        int32_t sy = y - s.cameraY;
        if (sx >= drawState.clipLeft && sx <= drawState.clipRight && sy >= drawState.clipTop &&
            sy <= drawState.clipBottom) {
          expected.insert({sx, sy, s.mappedTo});
        }
      }
      EXPECT_EQ(drawn(s.background), expected);
    }
  }
}

TEST_F(Shapes, ExtremeArgumentsSetExactlyTheVisiblePixels) {
  struct Case {
    std::string name;
    std::function<void()> draw;
    std::function<int32_t(int32_t, int32_t)> expected;  // byte at (x, y)
  };
  const std::vector<Case> cases = {
      {"rectfill across the whole range on one row", [] { rectfill(INT32_MIN, 0, INT32_MAX, 0); },
       [](int32_t, int32_t y) { return y == 0; }},
      {"rectfill over everything, corners reversed",
       [] { rectfill(INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN); }, [](int32_t, int32_t) { return 1; }},
      {"rectfill from far off screen", [] { rectfill(-1000000, -1000000, 2, 1); },
       [](int32_t x, int32_t y) { return x <= 2 && y <= 1; }},
      {"hline across the whole range", [] { hline(INT32_MAX, 5, INT32_MIN); },
       [](int32_t, int32_t y) { return y == 5; }},
      {"vline across the whole range", [] { vline(3, INT32_MAX, INT32_MIN); },
       [](int32_t x, int32_t) { return x == 3; }},
      {"rect with far corners keeps its on-screen edges", [] { rect(INT32_MIN, 0, INT32_MAX, 127); },
       [](int32_t, int32_t y) { return y == 0 || y == 127; }},
      // Camera subtraction wraps: screen columns 0-4 show world
      // INT32_MAX-4..INT32_MAX, column 5 onward INT32_MIN onward.
      {"rectfill where the camera wraps",
       [] {
         setCamera(INT32_MAX - 4, 0);
         rectfill(INT32_MIN + 3, 0, INT32_MAX, 0);
       },
       [](int32_t x, int32_t y) { return y == 0 && (x <= 4 || x >= 8); }},
      {"line far beyond both sides", [] { line(-1000000, 5, 1000000, 5); },
       [](int32_t, int32_t y) { return y == 5; }},
      // Rows change halfway, at world x = 1 going right and x = -1 going left.
      {"line across the range, two rows", [] { line(-1000000000, 5, 1000000000, 6); },
       [](int32_t x, int32_t y) { return y == (x == 0 ? 5 : 6); }},
      {"the same line reversed", [] { line(1000000000, 6, -1000000000, 5); },
       [](int32_t, int32_t y) { return y == 6; }},
      {"steep line across the range", [] { line(5, -1000000000, 6, 1000000000); },
       [](int32_t x, int32_t y) { return x == (y == 0 ? 5 : 6); }},
      // Position i is world x + 10^9, a multiple of 8 at x = 0: columns 0-2
      // of every eight.
      {"dashed line across the range", [] { lineDashed(-1000000000, 5, 1000000000, 6, 240); },
       [](int32_t x, int32_t y) { return x % 8 < 3 && y == (x == 0 ? 5 : 6); }},
      {"long line where the camera wraps",
       [] {
         setCamera(INT32_MAX - 4, 0);
         line(-1, 3, INT32_MIN, 3);
       },
       [](int32_t x, int32_t y) { return y == 3 && x >= 5; }},
      {"circfill far larger than the screen", [] { circfill(64, 64, 1 << 20); },
       [](int32_t, int32_t) { return 1; }},
      {"negative radius draws nothing even at the edge of the range", [] { circfill(INT32_MAX, 0, -1); },
       [](int32_t, int32_t) { return 0; }},
      {"trifill far larger than the screen",
       [] { trifill(-1000000, 0, 1000000, 0, 0, 1000000); }, [](int32_t, int32_t) { return 1; }},
      // A billion rows above the screen; the edge from the top vertex is
      // diagonal, so it enters row y at x = y.
      {"trifill from far above, diagonal edge", [] {
         trifill(-1000000000, -1000000000, 1000000000, 1000000000, -1000000000, 1000000000);
       },
       [](int32_t x, int32_t y) { return x <= y; }},
      {"trifill from far above over the whole screen",
       [] { trifill(0, -1000000000, 0, 1000000000, 1000000000, 1000000000); }, [](int32_t, int32_t) { return 1; }},
      {"hlineFast past both screen edges", [] { hlineFast(-5, 2, 200, 9); },
       [](int32_t, int32_t y) { return y == 2 ? 9 : 0; }},
      {"hlineFast above and below the screen",
       [] {
         hlineFast(0, -1, 10, 9);
         hlineFast(0, 128, 10, 9);
       },
       [](int32_t, int32_t) { return 0; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    freshScreen();
    c.draw();
    EXPECT_EQ(drawn(), pixelsWhere(c.expected));
  }
}

TEST_F(Shapes, CoordinateOverflowIsAnErrorAndDrawsNothing) {
  const std::vector<std::pair<std::string, std::function<void()>>> cases = {
      {"rect, first corner's row + 1", [] { rect(0, INT32_MAX, 5, 0); }},
      {"rect, second corner's row - 1", [] { rect(0, 0, 5, INT32_MIN); }},
      {"line wider than the range", [] { line(INT32_MIN, 0, 1, 0); }},
      {"line exactly 2^31 wide", [] { line(-1, 0, INT32_MAX, 0); }},
      {"lineDashed taller than the range", [] { lineDashed(0, INT32_MIN, 0, 1, 255); }},
      {"circ, r = 1 at the right edge of the range", [] { circ(INT32_MAX, 0, 1); }},
      {"circ, top beyond the range", [] { circ(0, INT32_MIN, 2); }},
      {"circfill, right side beyond the range", [] { circfill(INT32_MAX - 2, 0, 3); }},
      {"arc, bottom beyond the range", [] { arc(0, INT32_MAX, 2, 0.0, 1.0); }},
      {"plot4pointsfill, left end beyond the range", [] { plot4pointsfill(INT32_MIN, 0, 1, 0); }},
      {"trifill with an edge wider than the range", [] { trifill(INT32_MIN, 0, INT32_MAX, 0, 0, 5); }},
  };
  for (const auto& [name, draw] : cases) {
    SCOPED_TRACE(name);
    freshScreen();
    try {
      draw();
      ADD_FAILURE() << "expected an overflow error";
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::Overflow);
      EXPECT_STREQ(e.what(), "over- or underflow");
    }
    EXPECT_EQ(drawn(), Pixels{});
  }
}

}  // namespace
