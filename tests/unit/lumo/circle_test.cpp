// Circle outlines, filled circles, their rows and arcs.
#include <cmath>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "lumo/draw_state.hpp"
#include "lumo/lumo.hpp"
#include "unit/lumo/shapes_screen.hpp"

namespace {

using namespace lumo;
using namespace shapes_test;

class Circle : public ScreenTest {};

struct Case {
  std::string name;
  std::function<void()> draw;
  std::vector<std::string> rows;  // screen rows 4 to 12, columns 4 to 12
};

void expectCases(const std::vector<Case>& cases) {
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    freshScreen();
    c.draw();
    expectScreen(4, 4, c.rows);
  }
}

const std::vector<std::string> empty9(9, ".........");

const std::vector<std::string> outline4 = {
    "...###...", "..#...#..", ".#.....#.", "#.......#", "#.......#",
    "#.......#", ".#.....#.", "..#...#..", "...###...",
};

const std::vector<std::string> plus = {
    ".........", ".........", ".........", "....#....", "...#.#...",
    "....#....", ".........", ".........", ".........",
};

TEST_F(Circle, OutlineAndFillDifferAtTheSameRadius) {
  expectCases({
      {"circ r = 1 leaves the centre", [] { circ(8, 8, 1); }, plus},
      {"circfill r = 1 is a plus with its centre", [] { circfill(8, 8, 1); },
       {".........", ".........", ".........", "....#....", "...###...", "....#....", ".........",
        ".........", "........."}},
      {"circ r = 2", [] { circ(8, 8, 2); },
       {".........", ".........", "...###...", "..#...#..", "..#...#..", "..#...#..", "...###...",
        ".........", "........."}},
      {"circfill r = 2", [] { circfill(8, 8, 2); },
       {".........", ".........", "...###...", "..#####..", "..#####..", "..#####..", "...###...",
        ".........", "........."}},
      // Top and bottom rows: three pixels in the outline, five in the fill.
      {"circ r = 4", [] { circ(8, 8, 4); }, outline4},
      {"circfill r = 4", [] { circfill(8, 8, 4); },
       {"..#####..", ".#######.", "#########", "#########", "#########", "#########", "#########",
        ".#######.", "..#####.."}},
      {"circ r = 0", [] { circ(8, 8, 0); },
       {".........", ".........", ".........", ".........", "....#....", ".........", ".........",
        ".........", "........."}},
      {"circfill r = 0", [] { circfill(8, 8, 0); },
       {".........", ".........", ".........", ".........", "....#....", ".........", ".........",
        ".........", "........."}},
      {"circ r = -1", [] { circ(8, 8, -1); }, empty9},
      {"circfill r = -1", [] { circfill(8, 8, -1); }, empty9},
  });
}

TEST_F(Circle, Plot4pointsfillDrawsOneOrTwoMirroredRows) {
  expectCases({
      {"y = 0: the centre row once", [] { plot4pointsfill(8, 8, 2, 0); },
       {".........", ".........", ".........", ".........", "..#####..", ".........", ".........",
        ".........", "........."}},
      {"both rows", [] { plot4pointsfill(8, 8, 2, 1); },
       {".........", ".........", ".........", "..#####..", ".........", "..#####..", ".........",
        ".........", "........."}},
      {"x = 0: only the lower row", [] { plot4pointsfill(8, 8, 0, 3); },
       {".........", ".........", ".........", ".........", ".........", ".........", ".........",
        "....#....", "........."}},
  });
}

TEST_F(Circle, ArcDrawsTheWalkPositionsItsAnglesSelect) {
  constexpr double turn = 2 * std::numbers::pi;
  // The r = 4 walk visits (4, 0), (4, 1) and (3, 2) of the first octant;
  // each stands for its eight mirror points.
  const std::vector<std::string> axisPoints = {
      "....#....", ".........", ".........", ".........", "#.......#",
      ".........", ".........", ".........", "....#....",
  };
  const std::vector<std::string> secondPosition = {
      "...#.#...", ".........", ".........", "#.......#", ".........",
      "#.......#", ".........", ".........", "...#.#...",
  };
  expectCases({
      {"a full turn is the outline", [=] { arc(8, 8, 4, 0.0, turn); }, outline4},
      {"equal angles are the outline", [] { arc(8, 8, 4, 1.0, 1.0); }, outline4},
      {"around angle 0", [] { arc(8, 8, 4, -0.01, 0.01); }, axisPoints},
      {"around the direction of (4, 1)", [] { arc(8, 8, 4, 0.2, 0.3); }, secondPosition},
      {"angles enter through cosine and sine", [=] { arc(8, 8, 4, 0.2 + turn, 0.3 + 2 * turn); },
       secondPosition},
      {"a sweep between walk positions", [] { arc(8, 8, 4, 0.1, 0.2); }, empty9},
      {"the sweep runs from start to end", [] { arc(8, 8, 4, 0.3, 0.2); }, outline4},
      {"r = 1 is circ's shape whatever the angles", [] { arc(8, 8, 1, 0.1, 0.2); }, plus},
      {"NaN selects nothing", [] { arc(8, 8, 4, std::nan(""), 1.0); }, empty9},
      {"negative radius", [] { arc(8, 8, -1, 0.0, turn); }, empty9},
  });
}

}  // namespace

namespace {

// The plain walks, every position through the pixel rule, as the reference
// for walks that end early once nothing more can be drawn.
void referencePlot(Pixels& out, int64_t x, int64_t y) {
  int32_t sx, sy;
  if (onScreen(static_cast<int32_t>(x), static_cast<int32_t>(y), sx, sy)) out.insert({sx, sy, 1});
}

void referenceRow(Pixels& out, int64_t left, int64_t row, int64_t right) {
  const DrawState& s = drawState;
  // No wrapping camera here, so a row's pixels are the clipped span.
  int64_t sy = row - s.cameraY;
  if (sy < s.clipTop || sy > s.clipBottom) return;
  for (int64_t sx = std::max<int64_t>(left - s.cameraX, s.clipLeft);
       sx <= std::min<int64_t>(right - s.cameraX, s.clipRight); ++sx) {
    out.insert({static_cast<int32_t>(sx), static_cast<int32_t>(sy), 1});
  }
}

Pixels referenceOutline(int64_t cx, int64_t cy, int64_t r) {
  Pixels out;
  int64_t err = -r, x = r, y = 0;
  while (x >= y) {
    for (auto [px, py] : {std::pair{cx + x, cy + y}, {cx + y, cy + x}, {cx - y, cy + x}, {cx - x, cy + y},
                          {cx - x, cy - y}, {cx - y, cy - x}, {cx + y, cy - x}, {cx + x, cy - y}}) {
      referencePlot(out, px, py);
    }
    ++y;
    err += 2 * y + 1;
    if (2 * (err - x) + 1 > 0) {
      --x;
      err += 1 - 2 * x;
    }
  }
  return out;
}

Pixels referenceFill(int64_t cx, int64_t cy, int64_t r) {
  Pixels out;
  auto rows = [&](int64_t x, int64_t y) {
    referenceRow(out, cx - x, cy + y, cx + x);
    if (x != 0 && y != 0) referenceRow(out, cx - x, cy - y, cx + x);
  };
  int64_t err = -r, x = r, y = 0;
  while (x >= y) {
    int64_t ly = y;
    err += y;
    ++y;
    err += y;
    rows(x, ly);
    if (err > 0) {
      if (x != ly) rows(ly, x);
      err -= x;
      --x;
      err -= x;
    }
  }
  return out;
}

TEST_F(Circle, WalksThatEndEarlySetThePixelsOfTheWholeWalk) {
  Picker pick(20261210);
  for (int i = 0; i < 1500; ++i) {
    freshScreen();
    setCamera(static_cast<int32_t>(pick.in(-1000, 1000)), static_cast<int32_t>(pick.in(-1000, 1000)));
    clip(static_cast<int32_t>(pick.in(0, 100)), static_cast<int32_t>(pick.in(0, 100)),
         static_cast<int32_t>(pick.in(1, 27)), static_cast<int32_t>(pick.in(1, 27)));
    auto r = static_cast<int32_t>(pick.in(2, i % 10 == 0 ? 20000 : 400));
    // Centres around the clip area, out to a little more than a radius away.
    int64_t reach = r + 40;
    auto cx = static_cast<int32_t>(drawState.cameraX + 60 + pick.in(-reach, reach));
    auto cy = static_cast<int32_t>(drawState.cameraY + 60 + pick.in(-reach, reach));
    SCOPED_TRACE(testing::Message() << "case " << i << ": centre " << cx << "," << cy << " r " << r);
    bool filled = i % 2 == 0;
    if (filled) {
      circfill(cx, cy, r);
      ASSERT_EQ(drawn(), referenceFill(cx, cy, r));
    } else {
      circ(cx, cy, r);
      ASSERT_EQ(drawn(), referenceOutline(cx, cy, r));
    }
  }
}

TEST_F(Circle, HugeRadiiDrawOnlyWhatReachesTheScreen) {
  // A filled circle far larger than the screen covers all of it.
  circfill(64, 64, 1000000000);
  EXPECT_EQ(drawn(), pixelsWhere([](int32_t, int32_t) { return 1; }));
  // Its outline passes far outside.
  freshScreen();
  circ(64, 64, 1000000000);
  EXPECT_EQ(drawn(), Pixels{});
  // An outline whose top just reaches row 60 is flat across the screen there.
  freshScreen();
  circ(64, 1000000060, 1000000000);
  EXPECT_EQ(drawn(), pixelsWhere([](int32_t, int32_t y) { return y == 60 ? 1 : 0; }));
}

}  // namespace
