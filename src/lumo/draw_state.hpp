// The screen and the state every drawing operation consults.
#pragma once

#include <array>
#include <cstdint>

#include "lumo/lumo.hpp"

namespace lumo {

constexpr std::array<int32_t, 256> identityColorMap() {
  std::array<int32_t, 256> map{};
  for (int32_t i = 0; i < paletteSize; ++i) map[i] = i;
  return map;
}

constexpr std::array<bool, 256> defaultTransparency() {
  std::array<bool, 256> flags{};
  flags[0] = true;
  return flags;
}

struct DrawState {
  // One palette index per byte. It exists from the start so that drawing
  // before the window opens lands in memory rather than out of bounds.
  Surface screen = newSurface(128, 128);
  int32_t screenWidth = 128;
  int32_t screenHeight = 128;

  int32_t currentColor = 0;
  int32_t cameraX = 0;
  int32_t cameraY = 0;
  // Inclusive bounds; they always lie inside the screen, which is what lets
  // the pixel writers skip every other check.
  int32_t clipLeft = 0;
  int32_t clipTop = 0;
  int32_t clipRight = 127;
  int32_t clipBottom = 127;
  Rect clipRect{};  // coarse pre-test for whole destination rectangles
  std::array<int32_t, 256> drawMap = identityColorMap();
  std::array<bool, 256> transparentFlags = defaultTransparency();
  std::array<int32_t, 256> displayMap = identityColorMap();
};

extern DrawState drawState;

// The pixel rule after the colour check: camera, inclusive clip test, store
// of an already mapped index. Shapes plot through this.
inline void plotMapped(int32_t x, int32_t y, uint8_t mapped) {
  DrawState& s = drawState;
  // Camera arithmetic wraps in two's complement; no overflow check per pixel.
  int32_t sx = static_cast<int32_t>(static_cast<uint32_t>(x) - static_cast<uint32_t>(s.cameraX));
  int32_t sy = static_cast<int32_t>(static_cast<uint32_t>(y) - static_cast<uint32_t>(s.cameraY));
  if (sx < s.clipLeft || sy < s.clipTop || sx > s.clipRight || sy > s.clipBottom) return;
  s.screen.data[static_cast<size_t>(sy) * s.screen.w + sx] = mapped;
}

// The palette index the current colour draws as, looked up once per shape.
inline uint8_t currentMappedColor() { return static_cast<uint8_t>(drawState.drawMap[drawState.currentColor]); }

// Moves a walker on as the calls of step up to the one that returns row
// `row` would, and returns that position. The row must lie between the
// walker's row and its end row; the walker must not be finished.
Point stepToRow(Bresenham& w, int32_t row);

// Replaces the screen with an all-zero one of screenWidth × screenHeight.
// A change of size resets the clip area, so the clip bounds never point
// outside the new screen.
void recreateScreen();

}  // namespace lumo
