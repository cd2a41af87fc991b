// Presentation costs beside what SDL alone does with the same pixels:
// the screen's indexed-to-colour conversion against SDL's paletted blit and
// a memcpy of the result, and one whole flip against a bare SDL loop that
// uploads, magnifies and presents the same picture.
#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include <benchmark/benchmark.h>

#include "lumo/draw_state.hpp"
#include "lumo/lumo.hpp"
#include "lumo/palette_state.hpp"
#include "platform/clock.hpp"
#include "platform/platform.hpp"
#include "platform/window_state.hpp"

namespace {

using namespace lumo;

constexpr int32_t side = 128;
constexpr int32_t scale = 4;
constexpr int32_t pitch = side * 4;
constexpr size_t frameBytes = static_cast<size_t>(pitch) * side;

// The game's palette and a screen of varied indices, so no branch or cache
// line is favoured by runs of one colour.
void setUpScreen() {
  drawState.displayMap = identityColorMap();
  paletteState = PaletteState{};
  loadPaletteCGA();
  uint32_t bits = 0x2545F491u;
  for (uint8_t& pixel : drawState.screen.data) {
    bits ^= bits << 13;
    bits ^= bits >> 17;
    bits ^= bits << 5;
    pixel = static_cast<uint8_t>(bits & 15);
  }
}

std::vector<uint8_t> convertedScreen() {
  std::vector<uint8_t> pixels(frameBytes);
  convertToABGR(drawState.screen, pixels.data(), pitch, side, side);
  return pixels;
}

void ConversionLumo(benchmark::State& state) {
  drawState = DrawState{};
  setUpScreen();
  std::vector<uint8_t> pixels(frameBytes);
  for (auto _ : state) {
    convertToABGR(drawState.screen, pixels.data(), pitch, side, side);
    benchmark::DoNotOptimize(pixels.data());
    benchmark::ClobberMemory();
  }
}

// SDL's own 8-bit to RGBA8888 conversion: the screen's bytes in a paletted
// surface whose 256 colours are what the display map and palette give.
void ConversionSdlBlit(benchmark::State& state) {
  drawState = DrawState{};
  setUpScreen();
  SDL_Surface* indexed = SDL_CreateRGBSurfaceWithFormat(0, side, side, 8, SDL_PIXELFORMAT_INDEX8);
  SDL_Surface* rgba = SDL_CreateRGBSurfaceWithFormat(0, side, side, 32, SDL_PIXELFORMAT_RGBA8888);
  if (!indexed || !rgba) {
    state.SkipWithError(SDL_GetError());
    return;
  }
  SDL_Color colors[256];
  for (int32_t v = 0; v < 256; ++v) {
    const Color& c = paletteState.palette[static_cast<size_t>(drawState.displayMap[v]) & (paletteSize - 1)];
    colors[v] = {c.r, c.g, c.b, 255};
  }
  SDL_SetPaletteColors(indexed->format->palette, colors, 0, 256);
  for (int32_t y = 0; y < side; ++y) {
    std::memcpy(static_cast<uint8_t*>(indexed->pixels) + y * indexed->pitch, &drawState.screen.data[y * side], side);
  }
  // Both sides must produce the same bytes, or the comparison means nothing.
  SDL_BlitSurface(indexed, nullptr, rgba, nullptr);
  if (rgba->pitch != pitch || std::memcmp(rgba->pixels, convertedScreen().data(), frameBytes) != 0) {
    state.SkipWithError("SDL's blit and convertToABGR disagree");
  } else {
    for (auto _ : state) {
      SDL_BlitSurface(indexed, nullptr, rgba, nullptr);
      benchmark::DoNotOptimize(rgba->pixels);
      benchmark::ClobberMemory();
    }
  }
  SDL_FreeSurface(rgba);
  SDL_FreeSurface(indexed);
}

void ConversionMemcpy(benchmark::State& state) {
  drawState = DrawState{};
  setUpScreen();
  const std::vector<uint8_t> from = convertedScreen();
  std::vector<uint8_t> to(frameBytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), frameBytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}

// The flips run on the dummy video driver, where only SDL's software
// renderer exists; a real display would pace every present to its refresh.
bool startVideo(benchmark::State& state) {
  static bool started = false;
  if (!started) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      state.SkipWithError(SDL_GetError());
      return false;
    }
    std::atexit(SDL_Quit);
    started = true;
  }
  return true;
}

bool isSoftware(SDL_Renderer* renderer) {
  SDL_RendererInfo info;
  return SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE) != 0;
}

// The framework's window is opened once per process: createWindow refuses a
// second one, and its log lines are better printed once.
bool openLumoWindow(benchmark::State& state) {
  if (!startVideo(state)) return false;
  if (!windowState.window) {
    drawState = DrawState{};
    loopClock = Clock{};  // flip's zero-length sleep is SDL's own
    createWindow("bench", side, side, scale, false);
  }
  if (!isSoftware(windowState.renderer)) {
    state.SkipWithError("the window's renderer is not SDL's software renderer");
    return false;
  }
  return true;
}

struct BareWindow {
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* texture = nullptr;
};

// A window like the framework's, driven by SDL calls only.
BareWindow* openBareWindow(benchmark::State& state) {
  static BareWindow bare;
  if (!startVideo(state)) return nullptr;
  if (!bare.window) {
    bare.window = SDL_CreateWindow("bench", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, side * scale,
                                   side * scale, SDL_WINDOW_RESIZABLE);
    if (bare.window) bare.renderer = SDL_CreateRenderer(bare.window, -1, SDL_RENDERER_SOFTWARE);
    SDL_SetHint("SDL_RENDER_SCALE_QUALITY", "0");
    if (bare.renderer) {
      bare.texture = SDL_CreateTexture(bare.renderer, SDL_PIXELFORMAT_RGBA8888, SDL_TEXTUREACCESS_STREAMING, side,
                                       side);
    }
  }
  if (!bare.texture) {
    state.SkipWithError(SDL_GetError());
    return nullptr;
  }
  return &bare;
}

void FlipLumo(benchmark::State& state) {
  if (!openLumoWindow(state)) return;
  setUpScreen();
  for (auto _ : state) flip();
}

// Upload, magnified copy and present, optionally with the zero-length sleep
// that flip ends with, which yields the processor to whoever waits for it.
void bareLoop(benchmark::State& state, bool delay) {
  BareWindow* bare = openBareWindow(state);
  if (!bare) return;
  drawState = DrawState{};
  setUpScreen();
  const std::vector<uint8_t> pixels = convertedScreen();
  const SDL_Rect destination{0, 0, side * scale, side * scale};
  for (auto _ : state) {
    SDL_UpdateTexture(bare->texture, nullptr, pixels.data(), pitch);
    SDL_RenderCopy(bare->renderer, bare->texture, nullptr, &destination);
    SDL_RenderPresent(bare->renderer);
    if (delay) SDL_Delay(0);
  }
}

void FlipSdlBare(benchmark::State& state) { bareLoop(state, false); }
void FlipSdlBareDelay0(benchmark::State& state) { bareLoop(state, true); }

// Registered by name so each measurement sorts beside its references.
const bool registered = [] {
  benchmark::RegisterBenchmark("Conversion/lumo", ConversionLumo);
  benchmark::RegisterBenchmark("Conversion/sdl_blit", ConversionSdlBlit);
  benchmark::RegisterBenchmark("Conversion/memcpy", ConversionMemcpy);
  benchmark::RegisterBenchmark("Flip/lumo", FlipLumo);
  benchmark::RegisterBenchmark("Flip/sdl_bare", FlipSdlBare);
  benchmark::RegisterBenchmark("Flip/sdl_bare_delay0", FlipSdlBareDelay0);
  return true;
}();

}  // namespace
