// Lines, dashed lines and the line walker the triangle fill uses.
#include "lumo/clip_walk.hpp"
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

inline bool xMajor(const Bresenham& w) { return w.dx > w.dy; }

// Number of moves left before the walk reaches its end point.
inline int64_t movesLeft(const Bresenham& w) {
  return xMajor(w) ? int64_t{w.x1 - w.x} * w.sx : int64_t{w.y1 - w.y} * w.sy;
}

// Rounds a / b up, for b > 0.
inline int64_t ceilDiv(int64_t a, int64_t b) { return a >= 0 ? (a + b - 1) / b : -(-a / b); }

// Moves the walk on by n moves (n no more than movesLeft), leaving it
// exactly as n calls of advance would, e2 included. Why a closed form is
// exact: every move goes one along the major axis, and the error term
// stays in a fixed window. With e = trunc(err) (err differs from e only by
// the constant .5 of an odd start, which never changes the tests):
// - x-major: e stays in 0 .. dx − 1, so -dx < e always holds (x always
//   moves) and y moves exactly when e < dy. After n moves with m of them
//   in y, e' = e − n·dy + m·dx, and the window fixes m = ceil((n·dy − e)/dx).
// - y-major (dy ≥ dx, the diagonal included): e stays in −dy + 1 .. 0, so
//   e < dy always holds and x moves exactly when e > −dx; likewise
//   e' = e + n·dx − m·dy with m = ceil((e + n·dx)/dy).
// All products stay below 2^62. The last move is made by advance itself,
// so that e2 holds the error term before it, as after stepping.
void skipMoves(Bresenham& w, int64_t n) {
  if (n <= 0) return;
  int64_t jump = n - 1;
  auto e = static_cast<int64_t>(w.err);  // truncates toward zero
  double half = w.err - static_cast<double>(e);
  int64_t minor;
  if (xMajor(w)) {
    minor = ceilDiv(jump * w.dy - e, w.dx);
    e += minor * w.dx - jump * w.dy;
    w.x += static_cast<int32_t>(jump * w.sx);
    w.y += static_cast<int32_t>(minor * w.sy);
  } else {
    minor = ceilDiv(e + jump * w.dx, w.dy);
    e += jump * w.dx - minor * w.dy;
    w.y += static_cast<int32_t>(jump * w.sy);
    w.x += static_cast<int32_t>(minor * w.sx);
  }
  w.err = static_cast<double>(e) + half;
  advance(w);
}

// Calls visit(i, x, y) for the positions of the walk, both ends included,
// where i counts positions from 0 at (x0, y0), but only for those whose
// major coordinate lands inside the clip area on the screen: the walk
// jumps over the others. The major coordinate of position i is its start
// plus i steps, so these positions form runs found by arithmetic. Camera
// arithmetic wraps at 32 bits, so along the exact difference the clip span
// repeats every 2^32; a walk, shorter than 2^31, meets at most one copy.
template <typename Visit>
void walkLine(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Visit visit) {
  const DrawState& s = drawState;
  Bresenham w = initBresenham(x0, y0, x1, y1);
  bool alongX = xMajor(w);
  int64_t moves = movesLeft(w);
  int64_t start = alongX ? int64_t{x0} - s.cameraX : int64_t{y0} - s.cameraY;
  int64_t dir = alongX ? w.sx : w.sy;
  int64_t lo = alongX ? s.clipLeft : s.clipTop;
  int64_t hi = alongX ? s.clipRight : s.clipBottom;
  constexpr int64_t wrap = int64_t{1} << 32;
  int64_t at = 0;  // index of the position the walk is at
  for (int64_t copy : {-dir * wrap, int64_t{0}, dir * wrap}) {
    Steps run = stepsWithin(start, dir, moves + 1, lo + copy, hi + copy);
    for (int64_t i = run.first; i <= run.last; ++i) {
      skipMoves(w, i - at);
      at = i;
      visit(i, w.x, w.y);
    }
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

Point stepToRow(Bresenham& w, int32_t row) {
  int64_t rows = (int64_t{row} - w.y) * w.sy;
  if (rows <= 0) return {w.x, w.y};
  int64_t moves = rows;  // y-major: every move enters a new row
  if (xMajor(w)) {
    // From the window in skipMoves: n moves make ceil((n·dy − e)/dx) row
    // changes, so the first n to make `rows` of them is this one.
    auto e = static_cast<int64_t>(w.err);
    moves = ((rows - 1) * w.dx + e) / w.dy + 1;
  }
  skipMoves(w, moves);
  return {w.x, w.y};
}

Point step(Bresenham& w) {
  if (w.finished) return {w.x, w.y};
  if (w.y != w.y1) return stepToRow(w, w.y + w.sy);
  // No row left to enter: the walk runs along this one to its end.
  skipMoves(w, movesLeft(w));
  w.finished = true;
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
  walkLine(x0, y0, x1, y1, [mapped](int64_t, int32_t x, int32_t y) { plotMapped(x, y, mapped); });
}

void lineDashed(int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint8_t pattern) {
  uint8_t mapped = currentMappedColor();
  walkLine(x0, y0, x1, y1, [&](int64_t i, int32_t x, int32_t y) {
    // The pattern is shifted out to the left rather than tested bit by bit:
    // position k of each group of eight is drawn while any of bits 0..6-k
    // remain, so the eighth position is always a gap.
    if (static_cast<uint8_t>(pattern << (i % 8 + 1)) != 0) plotMapped(x, y, mapped);
  });
}

}  // namespace lumo
