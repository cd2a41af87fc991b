// Lines, dashed lines and the line walker the triangle fill uses.
#include "lumo/draw_state.hpp"
#include "support/checked.hpp"

namespace lumo {

namespace {

int32_t checkedDistance(int32_t from, int32_t to) {
  int32_t d = checkedSub(to, from);
  if (d == INT32_MIN) throwOverflow();
  return d < 0 ? -d : d;
}

// One move of the walk. Both tests read the error term as it was before
// this move, truncated toward zero; returns whether the row changed.
inline bool advance(Bresenham& w) {
  w.e2 = w.err;
  int32_t e2 = toPint(w.e2);
  if (-w.dx < e2) {
    w.err -= w.dy;
    w.x += w.sx;
  }
  if (e2 < w.dy) {
    w.err += w.dx;
    w.y += w.sy;
    return true;
  }
  return false;
}

inline bool atEnd(const Bresenham& w) { return w.x == w.x1 && w.y == w.y1; }

// Calls visit(x, y) for every position of the walk, both ends included.
template <typename Visit>
void walkLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Visit visit) {
  Bresenham w = initBresenham(x0, y0, x1, y1);
  for (;;) {
    visit(w.x, w.y);
    if (atEnd(w)) return;
    advance(w);
  }
}

}  // namespace

Bresenham initBresenham(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  // Checked even for the triangle fill: an edge longer than the 32-bit
  // range would give a walker that never reaches its end.
  Bresenham w;
  w.x = x0;
  w.y = y0;
  w.x1 = x1;
  w.y1 = y1;
  w.dx = checkedDistance(x0, x1);
  w.sx = x0 < x1 ? 1 : -1;
  w.dy = checkedDistance(y0, y1);
  w.sy = y0 < y1 ? 1 : -1;
  // Halving in floating point keeps the .5 of an odd length.
  w.err = (w.dx > w.dy ? w.dx : -static_cast<double>(w.dy)) / 2.0;
  return w;
}

Point step(Bresenham& w) {
  while (!w.finished) {
    if (atEnd(w)) {
      w.finished = true;
      break;
    }
    if (advance(w)) break;
  }
  return {w.x, w.y};
}

void line(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  if (x0 == x1 && y0 == y1) {
    plotMapped(x0, y0, currentMappedColor());
    return;
  }
  innerLine(x0, y0, x1, y1);
}

void innerLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  uint8_t mapped = currentMappedColor();
  walkLine(x0, y0, x1, y1, [mapped](int32_t x, int32_t y) { plotMapped(x, y, mapped); });
}

void lineDashed(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint8_t pattern) {
  uint8_t mapped = currentMappedColor();
  uint32_t i = 0;  // only i mod 8 matters, so wrapping is harmless
  walkLine(x0, y0, x1, y1, [&](int32_t x, int32_t y) {
    // The pattern is shifted out to the left rather than tested bit by bit:
    // position k of each group of eight is drawn while any of bits 0..6-k
    // remain, so the eighth position is always a gap.
    if (static_cast<uint8_t>(pattern << (i % 8 + 1)) != 0) plotMapped(x, y, mapped);
    ++i;
  });
}

}  // namespace lumo
