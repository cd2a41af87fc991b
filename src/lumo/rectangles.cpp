// Filled and outlined rectangles and the horizontal and vertical runs.
#include <algorithm>
#include <cstring>

#include "lumo/draw_state.hpp"
#include "support/checked.hpp"

namespace lumo {

namespace {

// Calls fn(first, last) for each range of screen positions in [clipLo,
// clipHi] whose world position lies in [lo, hi]. World = screen + camera
// with the 32-bit wrap of the pixel rule, so the wrap can split the
// visible part in two (offset 0 and offset 2^32). Working on these ranges
// instead of every world position keeps a run from INT32_MIN to INT32_MAX
// as cheap as a screen-wide one while setting exactly the same pixels.
template <typename Fn>
void forVisibleRanges(int32_t lo, int32_t hi, int32_t camera, int32_t clipLo, int32_t clipHi, Fn fn) {
  for (int64_t wrap : {int64_t{0}, int64_t{1} << 32}) {
    int64_t first = std::max<int64_t>(clipLo, int64_t{lo} - camera + wrap);
    int64_t last = std::min<int64_t>(clipHi, int64_t{hi} - camera + wrap);
    if (first <= last) fn(static_cast<int32_t>(first), static_cast<int32_t>(last));
  }
}

// Every world position from (left, top) to (right, bottom) through the
// pixel rule in the current colour; left <= right and top <= bottom.
void fillWorldRect(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  DrawState& s = drawState;
  auto mapped = currentMappedColor();
  forVisibleRanges(top, bottom, s.cameraY, s.clipTop, s.clipBottom, [&](int32_t y0, int32_t y1) {
    forVisibleRanges(left, right, s.cameraX, s.clipLeft, s.clipRight, [&](int32_t x0, int32_t x1) {
      for (int32_t y = y0; y <= y1; ++y) {
        std::memset(&s.screen.data[static_cast<size_t>(y) * s.screen.w + x0], mapped,
                    static_cast<size_t>(x1 - x0) + 1);
      }
    });
  });
}

}  // namespace

void rectfill(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  fillWorldRect(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
}

void rect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  // Both ends first, so an overflow draws nothing rather than half a frame.
  int32_t sideTop = checkedAdd(y1, 1);
  int32_t sideBottom = checkedSub(y2, 1);
  hline(x1, y1, x2);
  hline(x1, y2, x2);
  vline(x2, sideTop, sideBottom);
  vline(x1, sideTop, sideBottom);
}

void hline(int32_t x0, int32_t y, int32_t x1) { fillWorldRect(std::min(x0, x1), y, std::max(x0, x1), y); }

void vline(int32_t x, int32_t y0, int32_t y1) { fillWorldRect(x, std::min(y0, y1), x, std::max(y0, y1)); }

void hlineFast(int32_t x0, int32_t y, int32_t x1, uint8_t v) {
  // Callers pass spans already cut to the clip area; cutting again to the
  // screen keeps a careless caller from writing past it.
  Surface& screen = drawState.screen;
  if (y < 0 || y >= screen.h) return;
  x0 = std::max(x0, 0);
  x1 = std::min(x1, screen.w - 1);
  if (x1 < x0) return;
  std::memset(&screen.data[static_cast<size_t>(y) * screen.w + x0], v, static_cast<size_t>(x1 - x0) + 1);
}

}  // namespace lumo
