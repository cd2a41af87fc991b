// Draw state, colour mapping and the single-pixel rules.
#include "lumo/draw_state.hpp"

#include <algorithm>

#include "lumo/palette_state.hpp"
#include "support/checked.hpp"

namespace lumo {

DrawState drawState;

namespace {

int32_t checkColor(int32_t c) {
  if (c < 0 || c > 15) throwRange(c);
  return c;
}

}  // namespace

void recreateScreen() {
  bool resized = drawState.screen.w != drawState.screenWidth || drawState.screen.h != drawState.screenHeight;
  drawState.screen = newSurface(drawState.screenWidth, drawState.screenHeight);
  if (resized) clip();
}

void setColor(int32_t c) { drawState.currentColor = checkColor(c); }

int32_t getColor() { return drawState.currentColor; }

void setCamera(int32_t x, int32_t y) {
  drawState.cameraX = x;
  drawState.cameraY = y;
}

Point getCamera() { return {drawState.cameraX, drawState.cameraY}; }

void clip() {
  DrawState& s = drawState;
  s.clipLeft = 0;
  s.clipRight = s.screenWidth - 1;
  s.clipTop = 0;
  s.clipBottom = s.screenHeight - 1;
  s.clipRect = {0, 0, s.screenWidth - 1, s.screenHeight - 1};
}

void clip(int32_t x, int32_t y, int32_t w, int32_t h) {
  DrawState& s = drawState;
  s.clipLeft = std::max(x, 0);
  s.clipRight = std::min(checkedSub(checkedAdd(x, w), 1), s.screenWidth - 1);
  s.clipTop = std::max(y, 0);
  s.clipBottom = std::min(checkedSub(checkedAdd(y, h), 1), s.screenHeight - 1);
  s.clipRect = {std::max(x, 0), std::max(y, 0), std::min(w, checkedSub(s.screenWidth, x)),
                std::min(h, checkedSub(s.screenHeight, y))};
}

void pal(int32_t c1, int32_t c2) {
  checkColor(c1);
  drawState.drawMap[c1] = checkColor(c2);
}

void pal() {
  for (int32_t i = 0; i < paletteState.paletteCount; ++i) drawState.drawMap[i] = i;
}

void palt(int32_t c, bool t) { drawState.transparentFlags[checkColor(c)] = t; }

void palt() {
  for (int32_t i = 0; i < paletteState.paletteCount; ++i) drawState.transparentFlags[i] = (i == 0);
}

void cls() {
  const DrawState& s = drawState;
  // Raw runs over the clip area: always index 0, no camera, no colour map.
  for (int32_t y = s.clipTop; y <= s.clipBottom; ++y) hlineFast(s.clipLeft, y, s.clipRight, 0);
}

void pset(int32_t x, int32_t y) { pset(x, y, drawState.currentColor); }

void pset(int32_t x, int32_t y, int32_t c) {
  plotMapped(x, y, static_cast<uint8_t>(drawState.drawMap[checkColor(c)]));
}

void psetRaw(int32_t x, int32_t y, uint8_t v) {
  Surface& screen = drawState.screen;
  if (x < 0 || y < 0 || x >= screen.w || y >= screen.h) return;
  screen.data[static_cast<size_t>(y) * screen.w + x] = v;
}

int32_t pget(int32_t x, int32_t y) {
  const Surface& screen = drawState.screen;
  if (x > screen.w - 1 || x < 0 || y > screen.h - 1 || y < 0) return 0;
  uint8_t v = screen.data[static_cast<size_t>(y) * screen.w + x];
  if (v > 15) throwRange(v);
  return v;
}

}  // namespace lumo
