// Filled triangles.
#include <algorithm>
#include <array>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "lumo/draw_state.hpp"
#include "lumo/lumo.hpp"
#include "unit/lumo/shapes_screen.hpp"

namespace {

using namespace lumo;
using namespace shapes_test;

class Triangle : public ScreenTest {};

using Vertices = std::array<int32_t, 6>;

void fill(const Vertices& v) { trifill(v[0], v[1], v[2], v[3], v[4], v[5]); }

const std::vector<std::string> flatTop = {
    "#######.", ".#####..", ".#####..", "..###...", "...#....", "........",
};

TEST_F(Triangle, RowsRunBetweenWhereTheEdgesEnterThem) {
  struct Case {
    std::string name;
    Vertices v;
    std::vector<std::string> rows;  // from screen (0, 0)
  };
  const std::vector<Case> cases = {
      {"flat top, right vertex first", {6, 0, 0, 0, 3, 4}, flatTop},
      {"flat top, left vertex first", {0, 0, 6, 0, 3, 4}, flatTop},
      // One row: the span from vertex 1 to vertex 2 only.
      {"all on one row", {0, 0, 5, 0, 9, 0}, {"######....", ".........."}},
      // Row 2 starts where edge (10, 1)-(0, 2) enters it, at x = 4.
      {"shallow lower edge", {0, 0, 10, 1, 0, 2}, {"#..........", "###########", "#####......", "..........."}},
      // The middle row runs from where edge A enters it to vertex 2, and
      // the shallow edge B enters it at x = 7, short of vertex 3.
      {"flat bottom", {0, 0, 4, 2, 8, 2}, {"#........", "..##.....", "....####.", "........."}},
      {"a point", {3, 2, 3, 2, 3, 2}, {"....", "....", "...#", "...."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    freshScreen();
    fill(c.v);
    expectScreen(0, 0, c.rows);
  }
}

TEST_F(Triangle, VertexOrderDoesNotMatterWhenRowsDiffer) {
  Vertices v = {2, 1, 12, 5, 5, 11};
  fill(v);
  Pixels expected = drawn();
  ASSERT_EQ(expected.count({2, 1, 1}), 1u);
  std::array<int32_t, 3> order = {0, 1, 2};
  while (std::next_permutation(order.begin(), order.end())) {
    freshScreen();
    trifill(v[2 * order[0]], v[2 * order[0] + 1], v[2 * order[1]], v[2 * order[1] + 1], v[2 * order[2]],
            v[2 * order[2] + 1]);
    EXPECT_EQ(drawn(), expected) << order[0] << order[1] << order[2];
  }
}

TEST_F(Triangle, CameraMovesTheVertices) {
  setCamera(10, 10);
  trifill(10, 10, 20, 10, 10, 20);
  EXPECT_EQ(drawn(), pixelsWhere([](int32_t x, int32_t y) { return y <= 10 && x <= 10 - y; }));
}

TEST_F(Triangle, ClippedFillIsTheUnclippedFillCutToTheClipArea) {
  const std::vector<Vertices> triangles = {
      {6, 0, 0, 0, 3, 4},
      {0, 0, 10, 1, 0, 2},
      {-20, -10, 140, 30, 40, 150},  // crosses every side of the screen
      {5, 5, 60, 100, 120, 20},
      {100, 0, 0, 60, 127, 127},
  };
  const std::vector<Rect> clips = {
      {2, 0, 126, 128},   // left edge cuts the spans
      {0, 0, 128, 3},     // bottom row inside the upper half of most
      {0, 0, 128, 40},    // bottom row in a lower half
      {30, 20, 40, 40},
      {-5, 50, 200, 10},  // wider than the screen
      {100, 100, 20, 20},
      {50, 50, 0, 0},  // empty
  };
  for (const auto& v : triangles) {
    freshScreen();
    fill(v);
    Pixels whole = drawn();
    for (const auto& c : clips) {
      SCOPED_TRACE(::testing::Message() << "triangle " << v[0] << "," << v[1] << " " << v[2] << "," << v[3]
                                        << " " << v[4] << "," << v[5] << ", clip " << c.x << "," << c.y << " "
                                        << c.w << "x" << c.h);
      freshScreen();
      clip(c.x, c.y, c.w, c.h);
      fill(v);
      Pixels expected;
      std::copy_if(whole.begin(), whole.end(), std::inserter(expected, expected.end()), [&](const auto& p) {
        auto [x, y, b] = p;
        return x >= c.x && x < c.x + c.w && y >= c.y && y < c.y + c.h;
      });
      EXPECT_EQ(drawn(), expected);
    }
  }
}

TEST_F(Triangle, ClipCutsAtTheLeftEdgeAndStopsAtTheBottomRow) {
  clip(2, 0, 126, 3);
  fill({6, 0, 0, 0, 3, 4});
  expectScreen(0, 0, {"..#####.", "..####..", "..####..", "........"});
}

TEST_F(Triangle, OutsideTheClipAreaNothingIsDrawn) {
  clip(50, 50, 20, 20);
  for (const Vertices& v : std::vector<Vertices>{
           {0, 0, 40, 10, 20, 45},      // left and above
           {80, 0, 120, 60, 100, 120},  // right
           {0, 90, 120, 75, 60, 127},   // below
           {49, 49, 49, 49, 49, 49},    // a point just outside
       }) {
    fill(v);
  }
  EXPECT_EQ(drawn(), Pixels{});
}

}  // namespace
