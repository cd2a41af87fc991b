// Circle outlines, filled circles and arcs, by the midpoint walk over one
// octant. Outline and fill use different error terms, so their edges differ.
#include <cmath>
#include <numbers>

#include "lumo/draw_state.hpp"
#include "support/checked.hpp"

namespace lumo {

namespace {

// Every point a circle plots lies within r of its centre, so checking the
// four extremes once covers all of them, and an overflow draws nothing.
void checkReach(int32_t cx, int32_t cy, int32_t r) {
  checkedAdd(cx, r);
  checkedSub(cx, r);
  checkedAdd(cy, r);
  checkedSub(cy, r);
}

// What both circles do before walking: nothing for a negative radius, the
// reach check, and radius 1 as a plus (the walk would round it into a
// square), with its centre when filled. Returns whether to walk.
bool beginCircle(int32_t cx, int32_t cy, int32_t r, bool filled) {
  if (r < 0) return false;
  checkReach(cx, cy, r);
  if (r != 1) return true;
  uint8_t mapped = currentMappedColor();
  if (filled) plotMapped(cx, cy, mapped);
  plotMapped(cx - 1, cy, mapped);
  plotMapped(cx + 1, cy, mapped);
  plotMapped(cx, cy - 1, mapped);
  plotMapped(cx, cy + 1, mapped);
  return false;
}

// Ends a circle walk early once it can draw nothing more. While the walk
// runs, y only grows, x only shrinks and y <= x, so every row still to come
// lies in [cy + y, cy + x] or in [cy - x, cy - y]: when both miss the clip
// area, the rest of the walk would only be clipped away. (When the camera
// could wrap a row around the 32-bit range the rows are not ordered on the
// screen, and the walk runs to its end.)
class RowReach {
 public:
  RowReach(int32_t cy, int32_t r) : centre_(int64_t{cy} - drawState.cameraY) {
    enabled_ = centre_ - r >= INT32_MIN && centre_ + r <= INT32_MAX;
  }

  bool exhausted(int32_t x, int32_t y) const {
    const DrawState& s = drawState;
    bool lowerMisses = centre_ + y > s.clipBottom || centre_ + x < s.clipTop;
    bool upperMisses = centre_ - y < s.clipTop || centre_ - x > s.clipBottom;
    return enabled_ && lowerMisses && upperMisses;
  }

 private:
  int64_t centre_;
  bool enabled_;
};

// The eight mirror images of a first-octant position, in drawing order:
// row {a, b, c, d} is the point (cx + a x + b y, cy + c x + d y).
constexpr int32_t mirrors[8][4] = {
    {1, 0, 0, 1}, {0, 1, 1, 0}, {0, -1, 1, 0}, {-1, 0, 0, 1},
    {-1, 0, 0, -1}, {0, -1, -1, 0}, {0, 1, -1, 0}, {1, 0, 0, -1},
};

void plotEight(int32_t cx, int32_t cy, int32_t x, int32_t y, uint8_t mapped) {
  for (const auto& m : mirrors) plotMapped(cx + x * m[0] + y * m[1], cy + x * m[2] + y * m[3], mapped);
}

// Angular selection for arc. A walk position stands for its eight mirror
// points, which are drawn together or not at all. A position is drawn when
// at least one of its points lies in the sweep that starts at the direction
// (cos startAngle, sin startAngle) and turns toward +y (clockwise on the
// screen) until the direction of endAngle. So no pixel of the wanted arc is
// ever missing; the price is the mirrored extras. Directions that coincide
// (0 to 2π, or equal angles) sweep the whole circle. NaN or infinite angles
// select nothing.
class Sweep {
 public:
  Sweep(double startAngle, double endAngle) : sx_(std::cos(startAngle)), sy_(std::sin(startAngle)) {
    extent_ = turnTo(std::cos(endAngle), std::sin(endAngle));
    constexpr double nearlyNone = 1e-9;
    if (extent_ < nearlyNone || extent_ > 2 * std::numbers::pi - nearlyNone) extent_ = 2 * std::numbers::pi;
  }

  bool selects(int32_t x, int32_t y) const {
    for (const auto& m : mirrors) {
      if (turnTo(x * m[0] + y * m[1], x * m[2] + y * m[3]) <= extent_) return true;
    }
    return false;
  }

 private:
  // Angle in [0, 2π) turned from the start direction to (x, y).
  double turnTo(double x, double y) const {
    double t = std::atan2(sx_ * y - sy_ * x, sx_ * x + sy_ * y);
    return t < 0 ? t + 2 * std::numbers::pi : t;
  }

  double sx_;
  double sy_;
  double extent_ = 0;
};

// The outline walk: from (r, 0) while x >= y, drawing the eight mirror
// points of each position that select(x, y) accepts. The error term is
// 64-bit so that radii near the 32-bit limit stay exact.
template <typename Select>
void drawOutline(int32_t cx, int32_t cy, int32_t r, Select select) {
  if (!beginCircle(cx, cy, r, false)) return;
  uint8_t mapped = currentMappedColor();
  const RowReach reach(cy, r);
  int64_t err = -int64_t{r};
  int32_t x = r;
  int32_t y = 0;
  while (x >= y && !reach.exhausted(x, y)) {
    if (select(x, y)) plotEight(cx, cy, x, y, mapped);
    ++y;
    err += 2 * int64_t{y} + 1;
    if (2 * (err - x) + 1 > 0) {
      --x;
      err += 1 - 2 * int64_t{x};
    }
  }
}

}  // namespace

void circ(int32_t cx, int32_t cy, int32_t r) {
  drawOutline(cx, cy, r, [](int32_t, int32_t) { return true; });
}

void arc(int32_t cx, int32_t cy, int32_t r, double startAngle, double endAngle) {
  Sweep sweep(startAngle, endAngle);
  drawOutline(cx, cy, r, [&sweep](int32_t x, int32_t y) { return sweep.selects(x, y); });
}

void circfill(int32_t cx, int32_t cy, int32_t r) {
  if (!beginCircle(cx, cy, r, true)) return;
  const RowReach reach(cy, r);
  int64_t err = -int64_t{r};
  int32_t x = r;
  int32_t y = 0;
  while (x >= y && !reach.exhausted(x, y)) {
    int32_t ly = y;
    err += y;
    ++y;
    err += y;
    plot4pointsfill(cx, cy, x, ly);
    // Strictly greater: at zero the row stays as wide as it is.
    if (err > 0) {
      if (x != ly) plot4pointsfill(cx, cy, ly, x);
      err -= x;
      --x;
      err -= x;
    }
  }
}

void plot4pointsfill(int32_t cx, int32_t cy, int32_t x, int32_t y) {
  int32_t left = checkedSub(cx, x);
  int32_t right = checkedAdd(cx, x);
  int32_t below = checkedAdd(cy, y);
  int32_t above = checkedSub(cy, y);
  hline(left, below, right);
  if (x != 0 && y != 0) hline(left, above, right);
}

}  // namespace lumo
