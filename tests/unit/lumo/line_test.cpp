// Lines, dashed lines and the line walker.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "lumo/draw_state.hpp"
#include "lumo/lumo.hpp"
#include "unit/lumo/shapes_screen.hpp"

namespace {

using namespace lumo;
using namespace shapes_test;

class Line : public ScreenTest {};

struct LineCase {
  int32_t x0, y0, x1, y1;
  std::vector<std::string> rows;  // picture from screen (0, 0)
};

TEST_F(Line, SetsTheWalksPixelsWhichDependOnDirection) {
  const std::vector<LineCase> cases = {
      {0, 0, 2, 1, {"##.", "..#", "..."}},
      {2, 1, 0, 0, {"#..", ".##", "..."}},
      {0, 0, 3, 1, {"##..", "..##", "...."}},
      {3, 1, 0, 0, {"##..", "..##", "...."}},
      {0, 0, 1, 3, {"#.", "#.", ".#", ".#", ".."}},
      {3, 0, 0, 3, {"...#", "..#.", ".#..", "#...", "...."}},
      {3, 3, 3, 3, {"....", "....", "....", "...#", "...."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "line " << c.x0 << "," << c.y0 << " -> " << c.x1 << "," << c.y1);
    freshScreen();
    line(c.x0, c.y0, c.x1, c.y1);
    expectScreen(0, 0, c.rows);
  }
}

// The same walk with an integer error term: start at v / 2 truncated,
// tests e2 > -dx and e2 < dy. The floating-point walk must agree with it.
Pixels integerWalk(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  int32_t dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  int32_t dy = std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int32_t err = (dx > dy ? dx : -dy) / 2;
  Pixels out;
  for (int32_t x = x0, y = y0;;) {
    out.insert({x, y, 1});
    if (x == x1 && y == y1) return out;
    int32_t e2 = err;
    if (e2 > -dx) {
      err -= dy;
      x += sx;
    }
    if (e2 < dy) {
      err += dx;
      y += sy;
    }
  }
}

TEST_F(Line, MatchesTheIntegerWalkForEveryShortLine) {
  for (int32_t x0 = 0; x0 < 7; ++x0) {
    for (int32_t y0 = 0; y0 < 7; ++y0) {
      for (int32_t x1 = 0; x1 < 7; ++x1) {
        for (int32_t y1 = 0; y1 < 7; ++y1) {
          freshScreen();
          innerLine(x0, y0, x1, y1);
          ASSERT_EQ(drawn(), integerWalk(x0, y0, x1, y1)) << x0 << "," << y0 << " -> " << x1 << "," << y1;
        }
      }
    }
  }
}

// The plain walk: every position, each through the camera and clip test,
// as the floating-point rule reads. Returns the drawn screen pixels; with
// a pattern, only the positions it selects.
Pixels everyPosition(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int pattern = -1) {
  int64_t dx = std::abs(int64_t{x1} - x0), sx = x0 < x1 ? 1 : -1;
  int64_t dy = std::abs(int64_t{y1} - y0), sy = y0 < y1 ? 1 : -1;
  double err = (dx > dy ? static_cast<double>(dx) : -static_cast<double>(dy)) / 2.0;
  Pixels out;
  int64_t x = x0, y = y0;
  for (uint32_t i = 0;; ++i) {
    int32_t px = 0, py = 0;
    bool selected = pattern < 0 || static_cast<uint8_t>(pattern << (i % 8 + 1)) != 0;
    if (selected && onScreen(static_cast<int32_t>(x), static_cast<int32_t>(y), px, py)) out.insert({px, py, 1});
    if (x == x1 && y == y1) return out;
    auto e2 = static_cast<int64_t>(err);
    if (-dx < e2) {
      err -= static_cast<double>(dy);
      x += sx;
    }
    if (e2 < dy) {
      err += static_cast<double>(dx);
      y += sy;
    }
  }
}

TEST_F(Line, JumpsOverOffScreenPositionsWithoutChangingThePixels) {
  Picker pick(20240611);
  const int patterns[] = {255, 240, 0x2d, 0x40, 1};
  for (int n = 0; n < 3000; ++n) {
    freshScreen();
    auto [ax, ay] = randomView(pick);
    // Mostly ends within 300 of the clip area; some reach 2^21 away.
    int64_t reach = n % 50 == 0 ? 1 << 21 : 300;
    int32_t x0 = clampTo32(ax + pick.in(-300, 300)), y0 = clampTo32(ay + pick.in(-300, 300));
    int32_t x1 = clampTo32(ax + pick.in(-reach, reach)), y1 = clampTo32(ay + pick.in(-reach, reach));
    if (n % 2 == 1) {
      std::swap(x0, x1);
      std::swap(y0, y1);
    }
    SCOPED_TRACE(::testing::Message() << "case " << n << ": " << x0 << "," << y0 << " -> " << x1 << "," << y1
                                      << ", camera " << drawState.cameraX << "," << drawState.cameraY);
    innerLine(x0, y0, x1, y1);
    ASSERT_EQ(drawn(), everyPosition(x0, y0, x1, y1));
    int pattern = patterns[n % std::size(patterns)];
    std::fill(drawState.screen.data.begin(), drawState.screen.data.end(), 0);
    lineDashed(x0, y0, x1, y1, static_cast<uint8_t>(pattern));
    ASSERT_EQ(drawn(), everyPosition(x0, y0, x1, y1, pattern)) << "pattern " << pattern;
  }
}

TEST_F(Line, DashPatternsShiftOutToTheLeft) {
  struct Case {
    uint8_t pattern;
    std::string row;  // x = 0 to 15
  };
  const std::vector<Case> cases = {
      {255, "#######.#######."},
      {1, "#######.#######."},    // bit 0 alone lasts as long as all bits
      {240, "###.....###....."},  // lowest set bit 4: the first three of eight
      {8, "####....####...."},
      {0x40, "#.......#......."},
      {0, "................"},
      {128, "................"},  // bit 7 is shifted out at once
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "pattern " << int{c.pattern});
    freshScreen();
    lineDashed(0, 0, 15, 0, c.pattern);
    expectScreen(0, 0, {c.row, std::string(16, '.')});
  }
}

TEST_F(Line, DashesCountFromTheStartOfTheWalk) {
  lineDashed(15, 0, 0, 0, 240);
  expectScreen(0, 0, {".....###.....###", std::string(16, '.')});
  freshScreen();
  lineDashed(0, 0, 5, 5, 8);
  expectScreen(0, 0, {"#.....", ".#....", "..#...", "...#..", "......", "......"});
  // A single point is one position, the first of its group.
  freshScreen();
  lineDashed(2, 2, 2, 2, 1);
  expectScreen(0, 0, {"...", "...", "..#", "..."});
  freshScreen();
  lineDashed(2, 2, 2, 2, 128);
  expectScreen(0, 0, {"...", "...", "...", "..."});
}

TEST_F(Line, InitBresenhamFillsTheWalker) {
  struct Case {
    int32_t x0, y0, x1, y1;
    int32_t dx, sx, dy, sy;
    double err;
  };
  const std::vector<Case> cases = {
      {0, 0, 3, 1, 3, 1, 1, 1, 1.5},        // x-major, odd: the .5 is kept
      {3, 1, 0, 0, 3, -1, 1, -1, 1.5},      // reversed
      {0, 0, 1, 3, 1, 1, 3, 1, -1.5},       // y-major
      {5, 5, 5, 5, 0, -1, 0, -1, 0.0},      // a point: equal ends step by -1
      {-2, 7, 2, 3, 4, 1, 4, -1, -2.0},     // diagonal counts as y-major
  };
  for (const auto& c : cases) {
    Bresenham w = initBresenham(c.x0, c.y0, c.x1, c.y1);
    EXPECT_EQ(std::vector<int32_t>({w.x, w.y, w.x1, w.y1, w.dx, w.sx, w.dy, w.sy}),
              std::vector<int32_t>({c.x0, c.y0, c.x1, c.y1, c.dx, c.sx, c.dy, c.sy}));
    EXPECT_EQ(w.err, c.err);
    EXPECT_EQ(w.e2, 0.0);
    EXPECT_FALSE(w.finished);
  }
}

TEST_F(Line, StepReturnsWhereTheWalkEntersEachRow) {
  struct Case {
    int32_t x0, y0, x1, y1;
    std::vector<Point> steps;
  };
  const std::vector<Case> cases = {
      // Runs along row 0 and enters row 1 at x = 6, after that step's x move.
      {0, 0, 10, 1, {{6, 1}, {10, 1}, {10, 1}}},
      {10, 1, 0, 2, {{4, 2}, {0, 2}, {0, 2}}},
      {0, 0, 0, 2, {{0, 1}, {0, 2}, {0, 2}}},
      {0, 0, 3, 1, {{2, 1}, {3, 1}, {3, 1}}},
      {4, 4, 4, 4, {{4, 4}, {4, 4}}},
  };
  for (const auto& c : cases) {
    Bresenham w = initBresenham(c.x0, c.y0, c.x1, c.y1);
    std::vector<Point> got;
    for (size_t i = 0; i < c.steps.size(); ++i) got.push_back(step(w));
    EXPECT_EQ(got, c.steps) << c.x0 << "," << c.y0 << " -> " << c.x1 << "," << c.y1;
    EXPECT_TRUE(w.finished);
  }
}

}  // namespace
