// What `present` leaves in the window, read back from SDL's software
// renderer on the dummy driver: the magnified screen inside the destination
// rectangle and the background colour in every pixel around it, whether the
// picture fills, misses or overhangs the window.
#include <SDL.h>
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "lumo/draw_state.hpp"
#include "lumo/palette_state.hpp"
#include "platform/platform.hpp"
#include "platform/window_state.hpp"

namespace {

using namespace lumo;

constexpr uint32_t background = 0x05050A;

class PresentTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    drawState = DrawState{};
    paletteState = PaletteState{};
    windowState = WindowState{};
    loadPalettePico8();
    quietly([] { createWindow("present", 128, 128, 4, false); });
  }

  void TearDown() override {
    destroyWindow();
    drawState = DrawState{};
    paletteState = PaletteState{};
    SDL_Quit();
  }

  static void quietly(const std::function<void()>& call) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    call();
    testing::internal::GetCapturedStdout();
    testing::internal::GetCapturedStderr();
  }

  // Sixteen colours in diagonal stripes, so a shifted or stretched picture
  // shows.
  static void drawStripes(int32_t shift) {
    Surface& s = drawState.screen;
    for (int32_t y = 0; y < s.h; ++y) {
      for (int32_t x = 0; x < s.w; ++x) s.data[y * s.w + x] = static_cast<uint8_t>((x + 2 * y + shift) & 15);
    }
  }

  static uint32_t rgbOf(uint8_t index) {
    const Color& c = paletteState.palette[index];
    return static_cast<uint32_t>(c.r) << 16 | static_cast<uint32_t>(c.g) << 8 | c.b;
  }

  // The first pixel of the window that differs from the screen magnified by
  // a whole `scale` into the destination rectangle over the background;
  // empty when all agree.
  static std::string firstWrongPixel(int32_t scale) {
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(windowState.renderer, &w, &h);
    std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
    if (SDL_RenderReadPixels(windowState.renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), w * 4) != 0) {
      return SDL_GetError();
    }
    const Rect& d = windowState.destinationRect;
    const Surface& s = drawState.screen;
    for (int32_t y = 0; y < h; ++y) {
      for (int32_t x = 0; x < w; ++x) {
        bool inside = x >= d.x && x < d.x + d.w && y >= d.y && y < d.y + d.h;
        uint32_t wanted = inside ? rgbOf(s.data[(y - d.y) / scale * s.w + (x - d.x) / scale]) : background;
        uint32_t got = pixels[static_cast<size_t>(y) * w + x] & 0xFFFFFF;
        if (got != wanted) {
          std::ostringstream text;
          text << "window " << w << "x" << h << ", pixel (" << x << ", " << y << "): " << std::hex << got
               << " instead of " << wanted;
          return text.str();
        }
      }
    }
    return "";
  }
};

TEST_F(PresentTest, TheWindowShowsThePictureAndTheBackgroundAroundIt) {
  struct Case {
    int32_t w, h;      // window size
    int32_t scale;     // the whole scale the scaling computation arrives at
    const char* what;
  };
  const Case cases[] = {
      {512, 512, 4, "the picture fills the window"},
      {600, 512, 4, "bands left and right"},
      {513, 512, 4, "a one-pixel band on the right"},
      {512, 530, 4, "bands above and below"},
      {512, 513, 4, "a one-pixel band at the bottom"},
      {100, 100, 1, "the picture overhangs the window on every side"},
      {512, 512, 4, "back to filling the window"},
  };
  int32_t shift = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    quietly([&] { setScreenSize(c.w, c.h); });
    ASSERT_EQ(windowState.screenScale, c.scale);
    // Two frames with different pictures: the second must replace all of
    // the first.
    for (int frame = 0; frame < 2; ++frame) {
      drawStripes(shift++);
      present();
      EXPECT_EQ(firstWrongPixel(c.scale), "");
    }
  }
}

TEST_F(PresentTest, AFailedCopyIsLoggedAndTheWindowShowsOnlyTheBackground) {
  drawStripes(0);
  present();
  ASSERT_EQ(firstWrongPixel(4), "");
  // A texture of another renderer cannot be copied by this one.
  SDL_Window* otherWindow = SDL_CreateWindow("other", 0, 0, 16, 16, 0);
  SDL_Renderer* otherRenderer = SDL_CreateRenderer(otherWindow, -1, SDL_RENDERER_SOFTWARE);
  SDL_Texture* foreign =
      SDL_CreateTexture(otherRenderer, SDL_PIXELFORMAT_RGBA8888, SDL_TEXTUREACCESS_STREAMING, 128, 128);
  ASSERT_NE(foreign, nullptr) << SDL_GetError();
  SDL_Texture* own = windowState.screenTexture;
  windowState.screenTexture = foreign;
  testing::internal::CaptureStderr();
  present();
  std::string log = testing::internal::GetCapturedStderr();
  windowState.screenTexture = own;
  SDL_DestroyTexture(foreign);
  SDL_DestroyRenderer(otherRenderer);
  SDL_DestroyWindow(otherWindow);

  EXPECT_EQ(log, "Texture was not created with this renderer\r\n");
  windowState.destinationRect = {0, 0, 0, 0};  // nothing of the picture is expected
  EXPECT_EQ(firstWrongPixel(4), "");
}

}  // namespace
