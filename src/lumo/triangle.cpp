// Filled triangles: three edge walkers and whole spans cut to the clip area.
#include <algorithm>
#include <utility>

#include "lumo/draw_state.hpp"

namespace lumo {

namespace {

int32_t wrapSub(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

int32_t clampTo(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : (v > hi ? hi : v); }

// Screen coordinates; a and b in either order.
void fillSpan(int32_t a, int32_t b, int32_t y, uint8_t col) {
  const DrawState& s = drawState;
  if (b < a) std::swap(a, b);
  if (b < s.clipLeft || s.clipRight < a || y < s.clipTop || s.clipBottom < y) return;
  hlineFast(clampTo(a, s.clipLeft, s.clipRight), y, clampTo(b, s.clipLeft, s.clipRight), col);
}

}  // namespace

void trifill(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t x3, int32_t y3) {
  const DrawState& s = drawState;
  x1 = wrapSub(x1, s.cameraX);
  x2 = wrapSub(x2, s.cameraX);
  x3 = wrapSub(x3, s.cameraX);
  y1 = wrapSub(y1, s.cameraY);
  y2 = wrapSub(y2, s.cameraY);
  y3 = wrapSub(y3, s.cameraY);

  // Sort by y. These exact exchanges decide which of two vertices on the
  // same row comes first, and with it which pixels the edges produce.
  auto exchange = [](int32_t& xa, int32_t& ya, int32_t& xb, int32_t& yb) {
    std::swap(xa, xb);
    std::swap(ya, yb);
  };
  if (y2 < y1) {
    if (y3 < y2) {
      exchange(x1, y1, x3, y3);
    } else {
      exchange(x1, y1, x2, y2);
    }
  } else if (y3 < y1) {
    exchange(x1, y1, x3, y3);
  }
  if (y3 < y2) exchange(x2, y2, x3, y3);

  int32_t minX = std::min({x1, x2, x3});
  int32_t maxX = std::max({x1, x2, x3});
  if (maxX < s.clipLeft || s.clipRight < minX || y3 < s.clipTop || s.clipBottom < y1) return;

  Bresenham a = initBresenham(x1, y1, x2, y2);
  Bresenham b = initBresenham(x1, y1, x3, y3);
  Bresenham c = initBresenham(x2, y2, x3, y3);
  auto col = currentMappedColor();

  if (x1 >= s.clipLeft && x1 <= s.clipRight && y1 >= s.clipTop && y1 <= s.clipBottom) psetRaw(x1, y1, col);
  int32_t ax = x1;
  int32_t y = y1;

  // Each row runs between the points where the two edges enter it. A row
  // is filled before the test, so the clip's bottom row is still drawn.
  // Rows above the clip area draw nothing: the walkers jump to where they
  // enter the last of those rows, as stepping through them would leave them.
  if (y1 != y2) {
    int32_t skipTo = std::min(y2, s.clipTop - 1);
    if (y1 < skipTo) {
      ax = stepToRow(a, skipTo).x;
      stepToRow(b, skipTo);
      y = skipTo;
    }
    while (y != y2) {
      Point pa = step(a);
      ax = pa.x;
      y = pa.y;
      fillSpan(ax, step(b).x, y, col);
      if (y >= s.clipBottom) break;
    }
  }
  if (y != y2) return;  // stopped at the clip's bottom row
  // Edge A ends on this row: complete it up to vertex 2.
  fillSpan(ax, x2, y2, col);
  // Rows further down would all lie below the clip area.
  if (y2 == y3 || y2 >= s.clipBottom) return;

  // The rejection test leaves y3 >= clipTop.
  if (y2 < s.clipTop - 1) {
    stepToRow(b, s.clipTop - 1);
    stepToRow(c, s.clipTop - 1);
    y = s.clipTop - 1;
  }
  while (y != y3) {
    Point pb = step(b);
    y = pb.y;
    fillSpan(pb.x, step(c).x, y, col);
    if (y >= s.clipBottom) break;
  }
}

}  // namespace lumo
