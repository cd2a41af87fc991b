// The window, its renderer and how the screen is magnified into it.
#pragma once

#include <SDL.h>

#include "lumo/lumo.hpp"

namespace lumo {

struct WindowState {
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* screenTexture = nullptr;
  SDL_Surface* screenPixels = nullptr;  // staging memory the conversion writes into
  Rect sourceRect{};
  Rect destinationRect{};
  double screenScale = 4.0;
  int32_t screenPaddingX = 0;
  int32_t screenPaddingY = 0;
  int32_t targetScreenWidth = 128;
  int32_t targetScreenHeight = 128;
  bool fixedSizeMode = true;
  bool integerScaleMode = false;
  ResizeFunc resizeFunc;
};

extern WindowState windowState;

// The scaling computation for a window of w × h pixels: scale, padding,
// screen size, texture, screen and staging surface.
void applyWindowSize(int32_t w, int32_t h);

// Closes the window and releases its SDL objects (tests reuse the process).
void destroyWindow();

}  // namespace lumo
