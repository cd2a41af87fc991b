// Walks of copy routines bounded to the clip area. Every loop runs only
// over the steps that can land inside both the source and the clip area,
// computed in 64 bits, so no position or size however large walks outside
// a buffer or runs for long, and the pixels drawn are the ones a walk over
// the whole rectangle would draw.
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

// The scaled copy of src (a rectangle of a srcW × srcH image) onto dst:
// calls pixel(px, py, qx, qy) for every destination pixel (qx, qy) inside
// the clip area whose source position truncates to a pixel (px, py) of the
// image. Source positions are 64-bit floats grown by adding the step once
// per destination column and row, never multiplied: the rounding of each
// addition picks the source pixel, so skipped steps are still added. A flip
// reverses the destination order only; the source is sampled alike.
template <typename Pixel>
void walkScaled(const Rect& src, const Rect& dst, bool hflip, bool vflip, int32_t srcW, int32_t srcH,
                Pixel pixel) {
  if (dst.w <= 0 || dst.h <= 0) return;
  const DrawState& s = drawState;
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
    auto py = static_cast<int32_t>(fy);
    auto qy = static_cast<int32_t>(firstQy + dirY * k);
    double fx = fxFirst;
    for (int64_t j = cols.first; j <= cols.last; ++j, fx += stepX) {
      if (!(fx >= 0 && fx < srcW)) continue;
      pixel(static_cast<int32_t>(fx), py, static_cast<int32_t>(firstQx + dirX * j), qy);
    }
  }
}

// A surface whose data is shorter than its size says is the one way an
// index can leave its buffer; it is reported, never read.
inline size_t checkedIndex(int64_t index, size_t size) {
  if (index < 0 || static_cast<uint64_t>(index) >= size) throwIndex();
  return static_cast<size_t>(index);
}

}  // namespace lumo
