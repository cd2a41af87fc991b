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
