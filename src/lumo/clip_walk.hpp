// Walks of the copy routines, bounded to the clip area. Every walk runs
// only over the steps that can land inside both the source and the clip
// area, computed in 64 bits, so no position or size however large walks
// outside a buffer or runs for long, and the pixels drawn are the ones a
// walk over the whole rectangle would draw, in the same order.
#pragma once

#include <algorithm>
#include <cstdint>

#include "lumo/draw_state.hpp"
#include "lumo/repeated_add.hpp"

namespace lumo {

// The steps k of 0 .. count − 1 whose position start + dir × k lies within
// lo .. hi (dir is 1 or −1); empty when first > last.
struct Steps {
  int64_t first = 0;
  int64_t last = -1;
};

inline Steps stepsWithin(int64_t start, int64_t dir, int64_t count, int64_t lo, int64_t hi) {
  int64_t first = dir > 0 ? lo - start : start - hi;
  int64_t last = dir > 0 ? hi - start : start - lo;
  return {std::max<int64_t>(first, 0), std::min(last, count - 1)};
}

inline Steps bothSteps(Steps a, Steps b) { return {std::max(a.first, b.first), std::min(a.last, b.last)}; }

// A data buffer shorter than its surface's size says is the one way an
// index can leave it; that is reported, never read.
inline size_t checkedIndex(int64_t index, size_t size) {
  if (index < 0 || static_cast<uint64_t>(index) >= size) throwIndex();
  return static_cast<size_t>(index);
}

// An unscaled rectangle copy, already cut, as buffer indices: pixel (r, c)
// of the cut rectangle reads index from + r × fromRow + c × fromCol and
// writes index to + r × toRow + c.
struct IndexWalk {
  int64_t from = 0, fromRow = 0, fromCol = 1;
  int64_t to = 0, toRow = 0;
  int64_t rows = 0, cols = 0;
};

// The unscaled copy of the w × h rectangle at (sx, sy) of a srcW × srcH
// source to (dx, dy), the source mirrored by the flips, cut to the source
// and to the clip area with the given right and bottom bounds; the
// destination rows are toRowLength bytes long.
inline IndexWalk unscaledWalk(int32_t srcW, int32_t srcH, int64_t sx, int64_t sy, int64_t dx, int64_t dy, int64_t w,
                              int64_t h, bool hflip, bool vflip, int64_t right, int64_t bottom, int32_t toRowLength) {
  const DrawState& s = drawState;
  int64_t dirX = hflip ? -1 : 1;
  int64_t dirY = vflip ? -1 : 1;
  int64_t firstPx = hflip ? sx + w - 1 : sx;
  int64_t firstPy = vflip ? sy + h - 1 : sy;
  Steps rows =
      bothSteps(stepsWithin(firstPy, dirY, h, 0, int64_t{srcH} - 1), stepsWithin(dy, 1, h, s.clipTop, bottom));
  Steps cols =
      bothSteps(stepsWithin(firstPx, dirX, w, 0, int64_t{srcW} - 1), stepsWithin(dx, 1, w, s.clipLeft, right));
  IndexWalk walk;
  if (rows.first > rows.last || cols.first > cols.last) return walk;
  walk.from = (firstPy + dirY * rows.first) * srcW + firstPx + dirX * cols.first;
  walk.fromRow = dirY * srcW;
  walk.fromCol = dirX;
  walk.to = (dy + rows.first) * toRowLength + dx + cols.first;
  walk.toRow = toRowLength;
  walk.rows = rows.last - rows.first + 1;
  walk.cols = cols.last - cols.first + 1;
  return walk;
}

// Calls pixel(fromIndex, toIndex) row by row, left to right. Indices are
// linear in row and column, so the four corners bound them all: when they
// lie inside both buffers nothing is checked per pixel; otherwise every
// pixel is checked, and the error comes at the first one outside.
template <typename Pixel>
void forEachPixel(const IndexWalk& walk, size_t fromSize, size_t toSize, Pixel pixel) {
  if (walk.rows <= 0 || walk.cols <= 0) return;
  int64_t fromLastRow = walk.from + (walk.rows - 1) * walk.fromRow;
  int64_t fromLastCol = (walk.cols - 1) * walk.fromCol;
  int64_t toLastRow = walk.to + (walk.rows - 1) * walk.toRow;
  int64_t fromLo = std::min({walk.from, walk.from + fromLastCol, fromLastRow, fromLastRow + fromLastCol});
  int64_t fromHi = std::max({walk.from, walk.from + fromLastCol, fromLastRow, fromLastRow + fromLastCol});
  int64_t toLo = std::min(walk.to, toLastRow);
  int64_t toHi = std::max(walk.to, toLastRow) + walk.cols - 1;
  bool inside = fromLo >= 0 && fromHi < static_cast<int64_t>(fromSize) && toLo >= 0 &&
                toHi < static_cast<int64_t>(toSize);
  for (int64_t r = 0; r < walk.rows; ++r) {
    int64_t from = walk.from + r * walk.fromRow;
    int64_t to = walk.to + r * walk.toRow;
    if (inside) {
      // Unrolled: sprite rows are short and the loop's own work is half of it.
#pragma GCC unroll 8
      for (int64_t c = 0; c < walk.cols; ++c) {
        pixel(static_cast<size_t>(from + c * walk.fromCol), static_cast<size_t>(to + c));
      }
    } else {
      for (int64_t c = 0; c < walk.cols; ++c) {
        pixel(checkedIndex(from + c * walk.fromCol, fromSize), checkedIndex(to + c, toSize));
      }
    }
  }
}

// The scaled copy of the rectangle src of a srcW × srcH image onto dst:
// calls pixel(fromIndex, toIndex) for every destination pixel inside the
// clip area whose source position truncates to a pixel of the image.
// Source positions are 64-bit floats grown by adding the step once per
// destination column and row, never multiplied: the rounding of each
// addition picks the source pixel, so skipped steps are still added. A flip
// reverses the destination order only; the source is sampled alike.
template <typename Pixel>
void walkScaled(const Rect& src, const Rect& dst, bool hflip, bool vflip, int32_t srcW, int32_t srcH,
                size_t fromSize, int32_t toRowLength, size_t toSize, Pixel pixel) {
  if (dst.w <= 0 || dst.h <= 0) return;
  const DrawState& s = drawState;
  if (src.w == dst.w && src.h == dst.h && !hflip && !vflip) {
    // Equal sizes make steps of exactly 1: every position is a whole number
    // and every addition exact, so this is the unscaled copy, visited in the
    // same order.
    forEachPixel(unscaledWalk(srcW, srcH, src.x, src.y, dst.x, dst.y, dst.w, dst.h, false, false, s.clipRight,
                              s.clipBottom, toRowLength),
                 fromSize, toSize, pixel);
    return;
  }
  double stepX = static_cast<double>(src.w) / dst.w;
  double stepY = static_cast<double>(src.h) / dst.h;
  int64_t dirX = hflip ? -1 : 1;
  int64_t dirY = vflip ? -1 : 1;
  int64_t firstQx = hflip ? int64_t{dst.x} + dst.w - 1 : dst.x;
  int64_t firstQy = vflip ? int64_t{dst.y} + dst.h - 1 : dst.y;
  Steps rows = stepsWithin(firstQy, dirY, dst.h, s.clipTop, s.clipBottom);
  Steps cols = stepsWithin(firstQx, dirX, dst.w, s.clipLeft, s.clipRight);
  if (rows.first > rows.last || cols.first > cols.last) return;

  double fxFirst = addRepeatedly(src.x, stepX, cols.first);
  double fy = addRepeatedly(src.y, stepY, rows.first);
  for (int64_t k = rows.first; k <= rows.last; ++k, fy += stepY) {
    // For a position >= 0, trunc(p) <= size − 1 exactly when p < size.
    if (!(fy >= 0 && fy < srcH)) continue;
    int64_t fromRow = static_cast<int64_t>(fy) * srcW;
    int64_t toRow = (firstQy + dirY * k) * toRowLength + firstQx;
    double fx = fxFirst;
    for (int64_t j = cols.first; j <= cols.last; ++j, fx += stepX) {
      if (!(fx >= 0 && fx < srcW)) continue;
      pixel(checkedIndex(fromRow + static_cast<int64_t>(fx), fromSize), checkedIndex(toRow + dirX * j, toSize));
    }
  }
}

}  // namespace lumo
