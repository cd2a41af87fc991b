// Sprite sheets: the sixteen slots, sprite numbers, the sprite drawing
// operations over the copy routines, and sheet pixels.
#include <string>

#include "lumo/draw_state.hpp"
#include "lumo/sprite_state.hpp"
#include "platform/paths_state.hpp"
#include "support/checked.hpp"

namespace lumo {

SpriteState spriteState;

namespace {

// The designated sheet, read in place by every drawing operation.
Surface& sheet() { return spriteState.sheetSlots[spriteState.spritesheet]; }

// World to screen position: the camera is applied once, by the sprite operation.
Point toScreen(int32_t x, int32_t y) {
  return {checkedSub(x, drawState.cameraX), checkedSub(y, drawState.cameraY)};
}

// The block's destination of the same size at the screen position.
Rect unscaled(const Rect& r, Point at) { return {at.x, at.y, r.w, r.h}; }

}  // namespace

void setSpritesheet(int32_t slot) {
  if (slot < 0 || slot >= sheetSlotCount) throwRange(slot);
  spriteState.spritesheet = slot;
}

void loadSpriteSheet(const std::string& fileName) {
  // The slot changes only once both decoding and conversion have succeeded.
  loadSurface(pathState.assetPath + fileName,
              [](Surface& decoded) { sheet() = convertToIndexed(decoded); });
}

Rect getSprRect(int32_t n, int32_t w, int32_t h) {
  if (n < 0 || n > 255) throwRange(n);
  return {(n % 16) * 8, (n / 16) * 8, checkedMul(w, 8), checkedMul(h, 8)};
}

void spr(int32_t n, int32_t x, int32_t y, int32_t w, int32_t h, bool hflip, bool vflip) {
  Rect r = getSprRect(n, w, h);
  Point at = toScreen(x, y);
  if (hflip || vflip) {
    blitFastFlip(sheet(), r.x, r.y, at.x, at.y, r.w, r.h, hflip, vflip);
  } else {
    blitFast(sheet(), r.x, r.y, at.x, at.y, r.w, r.h);
  }
}

void sprBlit(int32_t n, int32_t x, int32_t y, int32_t w, int32_t h) {
  Rect r = getSprRect(n, w, h);
  blit(sheet(), r, unscaled(r, toScreen(x, y)), false, false);
}

void sprBlitFast(int32_t n, int32_t x, int32_t y, int32_t w, int32_t h) {
  Rect r = getSprRect(n, w, h);
  Point at = toScreen(x, y);
  blitFast(sheet(), r.x, r.y, at.x, at.y, r.w, r.h);
}

void sprBlitFastRaw(int32_t n, int32_t x, int32_t y, int32_t w, int32_t h) {
  Rect r = getSprRect(n, w, h);
  Point at = toScreen(x, y);
  blitFastRaw(sheet(), r.x, r.y, at.x, at.y, r.w, r.h);
}

void sprBlitStretch(int32_t n, int32_t x, int32_t y, int32_t w, int32_t h) {
  Rect r = getSprRect(n, w, h);
  blitStretch(sheet(), r, unscaled(r, toScreen(x, y)), false, false);
}

void sprs(int32_t n, int32_t x, int32_t y, int32_t w, int32_t h, int32_t dw, int32_t dh, bool hflip,
          bool vflip) {
  Rect r = getSprRect(n, w, h);
  Point at = toScreen(x, y);
  blit(sheet(), r, {at.x, at.y, checkedMul(dw, 8), checkedMul(dh, 8)}, hflip, vflip);
}

void sprss(int32_t n, int32_t x, int32_t y, int32_t w, int32_t h, int32_t dw, int32_t dh, bool hflip,
           bool vflip) {
  Rect r = getSprRect(n, w, h);
  Point at = toScreen(x, y);
  blit(sheet(), r, {at.x, at.y, dw, dh}, hflip, vflip);
}

void sspr(int32_t sx, int32_t sy, int32_t sw, int32_t sh, int32_t dx, int32_t dy, int32_t dw, int32_t dh,
          bool hflip, bool vflip) {
  Point at = toScreen(dx, dy);
  // A negative destination size stands for the source size.
  blitStretch(sheet(), {sx, sy, sw, sh}, {at.x, at.y, dw >= 0 ? dw : sw, dh >= 0 ? dh : sh}, hflip, vflip);
}

int32_t sget(int32_t x, int32_t y) {
  const Surface& s = sheet();
  if (x > s.w - 1 || x < 0 || y > s.h - 1 || y < 0) return 0;
  size_t index = static_cast<size_t>(y) * s.w + x;
  if (index >= s.data.size()) throwIndex();
  uint8_t v = s.data[index];
  if (v > 15) throwRange(v);
  return v;
}

void sset(int32_t x, int32_t y, int32_t c) {
  int32_t color = c == -1 ? drawState.currentColor : c;
  if (color < 0 || color > 15) throwRange(color);
  Surface& s = sheet();
  if (x < 0 || y < 0 || x > s.w - 1 || y > s.h - 1) {
    throw Error(ErrorKind::Range, "sset (" + std::to_string(x) + "," + std::to_string(y) + ") out of bounds");
  }
  size_t index = static_cast<size_t>(y) * s.w + x;
  if (index >= s.data.size()) throwIndex();
  s.data[index] = static_cast<uint8_t>(drawState.drawMap[color]);
}

}  // namespace lumo
