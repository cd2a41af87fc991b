// Filled triangles.
#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
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

// The walker moved one move at a time, as the floating-point rule reads.
Point plainStep(Bresenham& w) {
  while (!w.finished) {
    if (w.x == w.x1 && w.y == w.y1) {
      w.finished = true;
      break;
    }
    w.e2 = w.err;
    int32_t e2 = toPint(w.e2);
    bool rowChanges = e2 < w.dy;
    if (-w.dx < e2) {
      w.err -= w.dy;
      w.x += w.sx;
    }
    if (rowChanges) {
      w.err += w.dx;
      w.y += w.sy;
      break;
    }
  }
  return {w.x, w.y};
}

std::vector<double> state(const Bresenham& w) {
  return {double(w.x), double(w.y), double(w.x1), double(w.y1), double(w.dx), double(w.sx), double(w.dy),
          double(w.sy), w.err, w.e2, double(w.finished)};
}

TEST_F(Triangle, WalkerStepsMatchMoveByMoveStepping) {
  Picker pick(77);
  for (int n = 0; n < 3000; ++n) {
    // Far from the origin, mostly short, some long.
    int64_t reach = n % 50 == 0 ? 1 << 18 : (n % 2 == 0 ? 1000 : 20);
    int64_t baseX = pick.in(-(1 << 30), 1 << 30), baseY = pick.in(-(1 << 30), 1 << 30);
    int32_t x0 = clampTo32(baseX + pick.in(-reach, reach)), y0 = clampTo32(baseY + pick.in(-reach, reach));
    int32_t x1 = clampTo32(baseX + pick.in(-reach, reach)), y1 = clampTo32(baseY + pick.in(-reach, reach));
    SCOPED_TRACE(::testing::Message() << x0 << "," << y0 << " -> " << x1 << "," << y1);
    Bresenham fast = initBresenham(x0, y0, x1, y1);
    Bresenham plain = fast;
    // Single steps mixed with jumps over several rows, past the end.
    for (int calls = 0; !plain.finished || calls < 2; ++calls) {
      int64_t rowsLeft = (int64_t{y1} - plain.y) * plain.sy;
      if (rowsLeft > 0 && pick.in(0, 2) == 0) {
        auto row = static_cast<int32_t>(plain.y + plain.sy * pick.in(1, rowsLeft));
        Point got = stepToRow(fast, row);
        while (plain.y != row) plainStep(plain);
        ASSERT_EQ(got, (Point{plain.x, plain.y})) << "jump to row " << row;
      } else {
        ASSERT_EQ(step(fast), plainStep(plain)) << "step " << calls;
      }
      ASSERT_EQ(state(fast), state(plain)) << "call " << calls;
    }
  }
}

// The fill stepping its walkers through every row, move by move: the
// pixels it leaves on the screen.
Pixels everyRow(Vertices v) {
  const DrawState& s = drawState;
  for (int i = 0; i < 6; ++i) {
    int32_t camera = i % 2 == 0 ? s.cameraX : s.cameraY;
    v[i] = static_cast<int32_t>(static_cast<uint32_t>(v[i]) - static_cast<uint32_t>(camera));
  }
  auto exchange = [&v](int a, int b) {
    std::swap(v[2 * a], v[2 * b]);
    std::swap(v[2 * a + 1], v[2 * b + 1]);
  };
  if (v[3] < v[1]) {
    exchange(0, v[5] < v[3] ? 2 : 1);
  } else if (v[5] < v[1]) {
    exchange(0, 2);
  }
  if (v[5] < v[3]) exchange(1, 2);
  auto [x1, y1, x2, y2, x3, y3] = v;
  Pixels out;
  auto span = [&](int32_t a, int32_t b, int32_t y) {
    for (int64_t x = std::min(a, b); x <= std::max(a, b); ++x) {
      if (x >= s.clipLeft && x <= s.clipRight && y >= s.clipTop && y <= s.clipBottom) {
        out.insert({static_cast<int32_t>(x), y, 1});
      }
    }
  };
  if (std::max({x1, x2, x3}) < s.clipLeft || s.clipRight < std::min({x1, x2, x3}) || y3 < s.clipTop ||
      s.clipBottom < y1) {
    return out;
  }
  Bresenham a = initBresenham(x1, y1, x2, y2), b = initBresenham(x1, y1, x3, y3), c = initBresenham(x2, y2, x3, y3);
  span(x1, x1, y1);
  int32_t ax = x1, y = y1;
  if (y1 != y2) {
    do {
      Point pa = plainStep(a);
      ax = pa.x;
      y = pa.y;
      span(ax, plainStep(b).x, y);
    } while (y != y2 && y < s.clipBottom);
  }
  if (y != y2) return out;
  span(ax, x2, y2);
  if (y2 == y3 || y2 >= s.clipBottom) return out;
  do {
    Point pb = plainStep(b);
    y = pb.y;
    span(pb.x, plainStep(c).x, y);
  } while (y != y3 && y < s.clipBottom);
  return out;
}

TEST_F(Triangle, JumpsOverRowsAboveTheClipAreaWithoutChangingThePixels) {
  Picker pick(4242);
  for (int n = 0; n < 2000; ++n) {
    freshScreen();
    auto [ax, ay] = randomView(pick);
    // Mostly within 300 of the clip area, some vertices up to 2^17 above.
    int64_t above = n % 20 == 0 ? 1 << 17 : 300;
    Vertices v;
    for (int i = 0; i < 3; ++i) {
      v[2 * i] = clampTo32(ax + pick.in(-300, 300));
      v[2 * i + 1] = clampTo32(ay + pick.in(-above, 300));
    }
    SCOPED_TRACE(::testing::Message() << "case " << n << ": " << v[0] << "," << v[1] << " " << v[2] << ","
                                      << v[3] << " " << v[4] << "," << v[5] << ", camera " << drawState.cameraX
                                      << "," << drawState.cameraY);
    fill(v);
    ASSERT_EQ(drawn(), everyRow(v));
  }
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
