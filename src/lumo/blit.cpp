// The copy routines: rectangles of a surface into the screen, unscaled,
// mirrored or scaled, and raw copies of the screen's own bytes.
#include "lumo/clip_walk.hpp"

namespace lumo {

namespace {

// The pixel step of every copy from a surface: Raw stores the source byte;
// otherwise transparency is decided on the source index, then it is mapped.
template <bool Raw>
inline void copyPixel(uint8_t v, uint8_t& to, const DrawState& s) {
  if constexpr (Raw) {
    to = v;
  } else if (!s.transparentFlags[v]) {
    to = static_cast<uint8_t>(s.drawMap[v]);
  }
}

// The unscaled copy. Raw stores source bytes as they are and also keeps to
// the screen's own size; otherwise transparency is decided on the source
// index and the draw colour map applies. The source is read in place and
// pixel by pixel, so a copy of the screen onto itself repeats what it has
// just written.
template <bool Raw>
void copyUnscaled(const Surface& src, int32_t sx, int32_t sy, int32_t dx, int32_t dy, int32_t w, int32_t h,
                  bool hflip, bool vflip) {
  DrawState& s = drawState;
  Surface& screen = s.screen;
  int64_t right = s.clipRight;
  int64_t bottom = s.clipBottom;
  if constexpr (Raw) {
    right = std::min<int64_t>(right, screen.w - 1);
    bottom = std::min<int64_t>(bottom, screen.h - 1);
  }
  const uint8_t* in = src.data.data();
  uint8_t* out = screen.data.data();
  forEachPixel(unscaledWalk(src.w, src.h, sx, sy, dx, dy, w, h, hflip, vflip, right, bottom, screen.w),
               src.data.size(), screen.data.size(),
               [&](size_t from, size_t to) { copyPixel<Raw>(in[from], out[to], s); });
}

// The bytes i of a run of `length` bytes that land inside the screen's data
// when byte 0 goes to offset `origin`: those before the screen's start are
// skipped, the run stops at its end.
Steps runOnScreen(int64_t origin, size_t length) {
  return stepsWithin(origin, 1, static_cast<int64_t>(length), 0,
                     static_cast<int64_t>(drawState.screen.data.size()) - 1);
}

int64_t screenOffset(int32_t x, int32_t y) { return int64_t{y} * drawState.screen.w + x; }

}  // namespace

bool overlap(const Rect& a, const Rect& b) {
  // Far edges count as inclusive, so merely adjacent rectangles overlap.
  return !(int64_t{b.x} + b.w < a.x || int64_t{b.y} + b.h < a.y || int64_t{a.x} + a.w < b.x ||
           int64_t{a.y} + a.h < b.y);
}

void blitFast(const Surface& src, int32_t sx, int32_t sy, int32_t dx, int32_t dy, int32_t w, int32_t h) {
  copyUnscaled<false>(src, sx, sy, dx, dy, w, h, false, false);
}

void blitFastFlip(const Surface& src, int32_t sx, int32_t sy, int32_t dx, int32_t dy, int32_t w, int32_t h,
                  bool hflip, bool vflip) {
  copyUnscaled<false>(src, sx, sy, dx, dy, w, h, hflip, vflip);
}

void blitFastRaw(const Surface& src, int32_t sx, int32_t sy, int32_t dx, int32_t dy, int32_t w, int32_t h) {
  copyUnscaled<true>(src, sx, sy, dx, dy, w, h, false, false);
}

void blit(const Surface& src, const Rect& srcRect, const Rect& dstRect, bool hflip, bool vflip) {
  DrawState& s = drawState;
  if (!overlap(dstRect, s.clipRect)) return;  // saves work only: clipRect covers the clip area
  const uint8_t* in = src.data.data();
  uint8_t* out = s.screen.data.data();
  walkScaled(srcRect, dstRect, hflip, vflip, src.w, src.h, src.data.size(), s.screen.w, s.screen.data.size(),
             [&](size_t from, size_t to) { copyPixel<false>(in[from], out[to], s); });
}

void blitStretch(const Surface& src, const Rect& srcRect, const Rect& dstRect, bool hflip, bool vflip) {
  blit(src, srcRect, dstRect, hflip, vflip);
}

void copy(int32_t sx, int32_t sy, int32_t dx, int32_t dy, int32_t w, int32_t h) {
  blitFastRaw(drawState.screen, sx, sy, dx, dy, w, h);
}

void copyPixelsToMem(int32_t x, int32_t y, std::vector<uint8_t>& dest) {
  int64_t origin = screenOffset(x, y);
  Steps run = runOnScreen(origin, dest.size());
  for (int64_t i = run.first; i <= run.last; ++i) dest[i] = drawState.screen.data[origin + i];
}

void copyMemToScreen(int32_t x, int32_t y, const std::vector<uint8_t>& src) {
  int64_t origin = screenOffset(x, y);
  Steps run = runOnScreen(origin, src.size());
  for (int64_t i = run.first; i <= run.last; ++i) drawState.screen.data[origin + i] = src[i];
}

}  // namespace lumo
