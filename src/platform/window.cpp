// The window, the scaling computation and presentation.
#include "platform/window_state.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "lumo/draw_state.hpp"
#include "platform/clock.hpp"
#include "platform/platform.hpp"
#include "support/checked.hpp"

namespace lumo {

WindowState windowState;

namespace {

constexpr uint32_t fullscreenFlags = SDL_WINDOW_FULLSCREEN_DESKTOP;  // 0x1001

SDL_Surface* createStagingSurface(int32_t w, int32_t h) {
  return SDL_CreateRGBSurface(0, w, h, 32, 0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
}

// An accelerated, vsynced renderer where there is one; SDL's software
// renderer otherwise (the dummy video driver, some remote displays).
SDL_Renderer* createRenderer(SDL_Window* window) {
  SDL_Renderer* renderer = SDL_CreateRenderer(
      window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC | SDL_RENDERER_TARGETTEXTURE);
  if (renderer) return renderer;
  debug("no accelerated renderer, using software renderer", SDL_GetError());
  renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
  if (!renderer) throwIO(std::string("Unable to create renderer: ") + SDL_GetError());
  return renderer;
}

Point windowSize() {
  int w = 0, h = 0;
  SDL_GetWindowSize(windowState.window, &w, &h);
  return {w, h};
}

// Every picture pixel is opaque, so where the picture covers the whole
// output the copy overwrites all that a clear would paint: the clear only
// matters for the bands around a letterboxed picture.
bool pictureCoversOutput(const WindowState& ws) {
  int w = 0, h = 0;
  if (!ws.screenTexture || SDL_GetRendererOutputSize(ws.renderer, &w, &h) != 0) return false;
  const Rect& d = ws.destinationRect;
  return d.x <= 0 && d.y <= 0 && int64_t{d.x} + d.w >= w && int64_t{d.y} + d.h >= h;
}

void clearBackground(SDL_Renderer* renderer) {
  SDL_SetRenderDrawColor(renderer, 5, 5, 10, 255);
  SDL_RenderClear(renderer);
}

std::string rectText(const Rect& r) {
  return "(x: " + std::to_string(r.x) + ", y: " + std::to_string(r.y) + ", w: " + std::to_string(r.w) +
         ", h: " + std::to_string(r.h) + ")";
}

}  // namespace

void createWindow(const std::string& title, int32_t w, int32_t h, int32_t scale, bool fullscreen) {
  WindowState& ws = windowState;
  if (ws.window) throwAssertion("window == nil");
  // A screen or scale of no pixels would divide by zero in the scaling.
  for (int32_t v : {w, h, scale}) {
    if (v < 1) throwRange(v);
  }
  uint32_t flags = SDL_WINDOW_RESIZABLE | (fullscreen ? fullscreenFlags : 0);
  ws.window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                               checkedMul(w, scale), checkedMul(h, scale), flags);
  if (!ws.window) throwIO(std::string("Unable to create window: ") + SDL_GetError());
  ws.renderer = createRenderer(ws.window);
  ws.targetScreenWidth = drawState.screenWidth = w;
  ws.targetScreenHeight = drawState.screenHeight = h;
  recreateScreen();
  ws.screenPixels = createStagingSurface(w, h);
  Point size = windowSize();
  applyWindowSize(size.x, size.y);
  SDL_SetHint("SDL_HINT_RENDER_VSYNC", "1");
  SDL_SetHint("SDL_RENDER_SCALE_QUALITY", "0");
  SDL_ShowCursor(0);
}

void applyWindowSize(int32_t w, int32_t h) {
  // No window has a negative size; taken as one, it would end the process
  // when the staging surface for it cannot be made.
  if (w < 0) throwRange(w);
  if (h < 0) throwRange(h);
  WindowState& ws = windowState;
  DrawState& ds = drawState;
  double tw = ws.targetScreenWidth;
  double th = ws.targetScreenHeight;
  double m = ws.integerScaleMode ? std::min(std::floor(w / tw), std::floor(h / th)) : std::min(w / tw, h / th);
  ws.screenScale = m > 1.0 ? m : 1.0;

  int32_t displayWidth, displayHeight;
  if (ws.fixedSizeMode) {
    displayWidth = toPint(tw * ws.screenScale);
    displayHeight = toPint(th * ws.screenScale);
    debug("display", displayWidth, displayHeight);
    ws.screenPaddingX = (w - displayWidth) / 2;
    ws.screenPaddingY = (h - displayHeight) / 2;
    debug("add padding", w, h, ws.screenPaddingX, ws.screenPaddingY);
  } else {
    ws.screenPaddingX = ws.screenPaddingY = 0;
    displayWidth = w;
    displayHeight = h;
    if (ws.integerScaleMode) {
      int32_t whole = toPint(ws.screenScale);
      ds.screenWidth = w / whole;
      ds.screenHeight = h / whole;
    } else {
      ds.screenWidth = toPint(w / ws.screenScale);
      ds.screenHeight = toPint(h / ws.screenScale);
    }
  }
  output("resize event: scale: ", ws.screenScale, ": ", displayWidth, " x ", displayHeight, " ( ", ds.screenWidth,
         " x ", ds.screenHeight, " )");
  debug(ws.screenPaddingX, ws.screenPaddingY);
  ws.sourceRect = {0, 0, ds.screenWidth, ds.screenHeight};
  ws.destinationRect = {ws.screenPaddingX, ws.screenPaddingY, displayWidth, displayHeight};
  debug(rectText(ws.destinationRect));

  // The screen and its staging memory follow the new size before anything
  // can fail, so a failed texture never leaves them out of step with the
  // screen size the clip bounds are computed from. Earlier textures and
  // staging surfaces are released.
  recreateScreen();
  if (ws.screenPixels) SDL_FreeSurface(ws.screenPixels);
  ws.screenPixels = createStagingSurface(ds.screenWidth, ds.screenHeight);
  if (!ws.screenPixels) {
    output("error creating RGB surface");
    std::exit(1);
  }
  if (ws.screenTexture) SDL_DestroyTexture(ws.screenTexture);
  ws.screenTexture = nullptr;
  if (ds.screenWidth > 0 && ds.screenHeight > 0) {
    ws.screenTexture = SDL_CreateTexture(ws.renderer, SDL_PIXELFORMAT_RGBA8888, SDL_TEXTUREACCESS_STREAMING,
                                         ds.screenWidth, ds.screenHeight);
    if (!ws.screenTexture) throwIO(std::string("Unable to create texture: ") + SDL_GetError());
    // Every pixel is opaque: a plain copy shows the same and skips blending.
    SDL_SetTextureBlendMode(ws.screenTexture, SDL_BLENDMODE_NONE);
  }
  createRecordBuffer();
  if (ws.resizeFunc) ws.resizeFunc(ds.screenWidth, ds.screenHeight);
}

void resize(int32_t w, int32_t h) {
  if (!windowState.window) return;
  applyWindowSize(w, h);
  clip();
  if (!drawState.screen.data.empty()) {
    cls();
    present();
  }
}

void resize() {
  if (!windowState.window) return;
  Point size = windowSize();
  resize(size.x, size.y);
}

void setResizeFunc(ResizeFunc f) { windowState.resizeFunc = std::move(f); }

void setTargetSize(int32_t w, int32_t h) {
  if (w < 1) throwRange(w);
  if (h < 1) throwRange(h);
  windowState.targetScreenWidth = w;
  windowState.targetScreenHeight = h;
  resize();
}

bool fixedSize() { return windowState.fixedSizeMode; }

void fixedSize(bool on) {
  windowState.fixedSizeMode = on;
  resize();
}

bool integerScale() { return windowState.integerScaleMode; }

void integerScale(bool on) {
  windowState.integerScaleMode = on;
  resize();
}

void setScreenSize(int32_t w, int32_t h) {
  if (!windowState.window) return;
  SDL_SetWindowSize(windowState.window, w, h);
  Point size = windowSize();
  applyWindowSize(size.x, size.y);
}

void setFullscreen(bool on) {
  if (on) {
    output("setting fullscreen");
    SDL_SetWindowFullscreen(windowState.window, fullscreenFlags);
  } else {
    output("setting windowed");
    SDL_SetWindowFullscreen(windowState.window, 0);
  }
}

bool getFullscreen() {
  return windowState.window && (SDL_GetWindowFlags(windowState.window) & fullscreenFlags) != 0;
}

void setWindowTitle(const std::string& title) {
  if (windowState.window) SDL_SetWindowTitle(windowState.window, title.c_str());
}

void present() {
  WindowState& ws = windowState;
  if (!ws.renderer) return;
  SDL_SetRenderTarget(ws.renderer, nullptr);
  if (ws.screenTexture) {
    convertToABGR(drawState.screen, static_cast<uint8_t*>(ws.screenPixels->pixels), ws.screenPixels->pitch,
                  drawState.screenWidth, drawState.screenHeight);
    if (SDL_UpdateTexture(ws.screenTexture, nullptr, ws.screenPixels->pixels, ws.screenPixels->pitch) != 0) {
      debug(SDL_GetError());
    }
  }
  const bool covered = pictureCoversOutput(ws);
  if (!covered) clearBackground(ws.renderer);
  SDL_Rect src{ws.sourceRect.x, ws.sourceRect.y, ws.sourceRect.w, ws.sourceRect.h};
  SDL_Rect dst{ws.destinationRect.x, ws.destinationRect.y, ws.destinationRect.w, ws.destinationRect.h};
  if (ws.screenTexture && SDL_RenderCopy(ws.renderer, ws.screenTexture, &src, &dst) != 0) {
    debug(SDL_GetError());
    if (covered) clearBackground(ws.renderer);  // the picture did not cover the window after all
  }
  SDL_RenderPresent(ws.renderer);
}

void flip() {
  present();
  captureFrame();
  clockDelay(0);
}

void destroyWindow() {
  WindowState& ws = windowState;
  if (ws.screenTexture) SDL_DestroyTexture(ws.screenTexture);
  if (ws.screenPixels) SDL_FreeSurface(ws.screenPixels);
  if (ws.renderer) SDL_DestroyRenderer(ws.renderer);
  if (ws.window) SDL_DestroyWindow(ws.window);
  ws = WindowState{};
}

}  // namespace lumo
