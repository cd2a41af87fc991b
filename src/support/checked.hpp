// Overflow-checked 32-bit arithmetic for sizes and bounds; the per-pixel
// paths do not use these.
#pragma once

#include <cstdint>

#include "support/error.hpp"

namespace lumo {

inline int32_t checkedAdd(int32_t a, int32_t b) {
  int32_t r;
  if (__builtin_add_overflow(a, b, &r)) throwOverflow();
  return r;
}

inline int32_t checkedSub(int32_t a, int32_t b) {
  int32_t r;
  if (__builtin_sub_overflow(a, b, &r)) throwOverflow();
  return r;
}

inline int32_t checkedMul(int32_t a, int32_t b) {
  int32_t r;
  if (__builtin_mul_overflow(a, b, &r)) throwOverflow();
  return r;
}

// w × h for a pixel or cell buffer: overflow is the overflow error, a
// negative product the range error.
inline int32_t checkedArea(int32_t w, int32_t h) {
  int32_t area = checkedMul(w, h);
  if (area < 0) throwRange(area);
  return area;
}

}  // namespace lumo
