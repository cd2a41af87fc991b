// The window on SDL's dummy video driver: creation, the scaling computation
// with its log lines, what every resize does to the screen, presentation
// and the window settings.
#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "lumo/draw_state.hpp"
#include "lumo/palette_state.hpp"
#include "platform/platform.hpp"
#include "platform/window_state.hpp"
#include "unit/support/log_capture.hpp"

namespace {

using namespace lumo;
using lumo::testing_support::Logged;
using lumo::testing_support::logged;

// The debug lines of a start-up window of 512 x 512 showing 128 x 128.
constexpr const char* startupDebugLines =
    "display, 512, 512\r\nadd padding, 512, 512, 0, 0\r\n0, 0\r\n(x: 0, y: 0, w: 512, h: 512)\r\n";

class WindowTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    drawState = DrawState{};
    windowState = WindowState{};
    paletteState = PaletteState{};
    startup = logged([] { createWindow("t", 128, 128, 4, false); });
  }

  void TearDown() override {
    destroyWindow();
    drawState = DrawState{};
    paletteState = PaletteState{};
    SDL_Quit();
  }

  // Runs a setting change whose own resize lines are not under test.
  static void quietly(const std::function<void()>& action) { logged(action); }

  static Point windowSize() {
    int w = 0, h = 0;
    SDL_GetWindowSize(windowState.window, &w, &h);
    return {w, h};
  }

  static std::array<int32_t, 4> clipBounds() {
    return {drawState.clipLeft, drawState.clipTop, drawState.clipRight, drawState.clipBottom};
  }

  Logged startup;
};

// ---- Creation ---------------------------------------------------------------

using WindowCreate = WindowTest;

TEST_F(WindowCreate, OpensAResizable512WindowAndLogsTheStartUpScaling) {
  EXPECT_EQ(startup.out, "resize event: scale: 4.0: 512 x 512 ( 128 x 128 )\r\n");
  // The dummy driver has no accelerated renderer; the fallback says so first.
  std::string fallback = "no accelerated renderer, using software renderer, ";
  if (startup.err.rfind(fallback, 0) == 0) startup.err.erase(0, startup.err.find("\r\n") + 2);
  EXPECT_EQ(startup.err, startupDebugLines);

  EXPECT_EQ(windowSize(), (Point{512, 512}));
  EXPECT_STREQ(SDL_GetWindowTitle(windowState.window), "t");
  uint32_t flags = SDL_GetWindowFlags(windowState.window);
  EXPECT_NE(flags & SDL_WINDOW_RESIZABLE, 0u);
  EXPECT_EQ(flags & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u);
  EXPECT_FALSE(getFullscreen());
  EXPECT_STREQ(SDL_GetHint("SDL_RENDER_SCALE_QUALITY"), "0");
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);

  EXPECT_EQ(windowState.screenScale, 4.0);
  EXPECT_EQ(windowState.sourceRect, (Rect{0, 0, 128, 128}));
  EXPECT_EQ(windowState.destinationRect, (Rect{0, 0, 512, 512}));
  EXPECT_EQ(drawState.screen.w, 128);
  EXPECT_EQ(drawState.screen.h, 128);
  EXPECT_EQ(drawState.screen.data, std::vector<uint8_t>(128 * 128, 0));

  uint32_t format = 0;
  int access = 0, w = 0, h = 0;
  ASSERT_EQ(SDL_QueryTexture(windowState.screenTexture, &format, &access, &w, &h), 0);
  EXPECT_EQ(format, uint32_t{SDL_PIXELFORMAT_RGBA8888});
  EXPECT_EQ(access, SDL_TEXTUREACCESS_STREAMING);
  EXPECT_EQ((Point{w, h}), (Point{128, 128}));
  EXPECT_EQ(windowState.screenPixels->w, 128);
  EXPECT_EQ(windowState.screenPixels->h, 128);
  EXPECT_EQ(windowState.screenPixels->format->BytesPerPixel, 4);
}

TEST_F(WindowCreate, ASecondWindowIsRefused) {
  SDL_Window* first = windowState.window;
  try {
    createWindow("again", 64, 64, 2, false);
    FAIL() << "a second window was opened";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Assertion);
    EXPECT_STREQ(e.what(), "\n  window == nil ");
  }
  EXPECT_EQ(windowState.window, first);
  EXPECT_EQ(drawState.screenWidth, 128);
}

TEST_F(WindowCreate, SizesAndScalesBelowOneAreRefusedBeforeAnyWindowOpens) {
  destroyWindow();
  struct Refused {
    int32_t w, h, scale, bad;
  };
  for (const Refused& r : {Refused{0, 128, 4, 0}, Refused{128, -2, 4, -2}, Refused{128, 128, 0, 0}}) {
    try {
      createWindow("t", r.w, r.h, r.scale, false);
      ADD_FAILURE() << r.w << " x " << r.h << " at " << r.scale << " accepted";
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::Range);
      EXPECT_EQ(std::string(e.what()), "value out of range: " + std::to_string(r.bad));
    }
    EXPECT_EQ(windowState.window, nullptr);
    EXPECT_EQ(drawState.screenWidth, 128);
  }
}

// ---- The scaling computation ------------------------------------------------

struct ScalingCase {
  const char* name;
  bool fixed;
  bool integer;
  Point target;
  Point window;
  double scale;
  Rect destination;
  Point screen;
  const char* out;
  const char* err;
};

void PrintTo(const ScalingCase& c, std::ostream* os) { *os << c.name; }

class Scaling : public WindowTest, public testing::WithParamInterface<ScalingCase> {};

TEST_P(Scaling, ComputesScalePaddingAndScreenWithTheirLogLines) {
  const ScalingCase& c = GetParam();
  quietly([&] {
    fixedSize(c.fixed);
    integerScale(c.integer);
    setTargetSize(c.target.x, c.target.y);
  });
  std::vector<Point> told;
  setResizeFunc([&](int32_t w, int32_t h) { told.push_back({w, h}); });

  Logged lines = logged([&] { resize(c.window.x, c.window.y); });

  EXPECT_EQ(lines.out, c.out);
  EXPECT_EQ(lines.err, c.err);
  EXPECT_EQ(windowState.screenScale, c.scale);
  EXPECT_EQ(windowState.screenPaddingX, c.destination.x);
  EXPECT_EQ(windowState.screenPaddingY, c.destination.y);
  EXPECT_EQ(windowState.destinationRect, c.destination);
  EXPECT_EQ(windowState.sourceRect, (Rect{0, 0, c.screen.x, c.screen.y}));
  EXPECT_EQ((Point{drawState.screenWidth, drawState.screenHeight}), c.screen);
  EXPECT_EQ((Point{drawState.screen.w, drawState.screen.h}), c.screen);
  EXPECT_EQ(told, std::vector<Point>{c.screen});
  int w = 0, h = 0;
  ASSERT_EQ(SDL_QueryTexture(windowState.screenTexture, nullptr, nullptr, &w, &h), 0);
  EXPECT_EQ((Point{w, h}), c.screen);
  EXPECT_EQ((Point{windowState.screenPixels->w, windowState.screenPixels->h}), c.screen);
}

INSTANTIATE_TEST_SUITE_P(
    Window, Scaling,
    testing::Values(
        ScalingCase{"StartUp", true, false, {128, 128}, {512, 512}, 4.0, {0, 0, 512, 512}, {128, 128},
                    "resize event: scale: 4.0: 512 x 512 ( 128 x 128 )\r\n", startupDebugLines},
        // Smaller than the target: the scale stays 1 and the picture is cropped on both sides.
        ScalingCase{"WindowSmallerThanTarget", true, false, {128, 128}, {100, 100}, 1.0, {-14, -14, 128, 128},
                    {128, 128}, "resize event: scale: 1.0: 128 x 128 ( 128 x 128 )\r\n",
                    "display, 128, 128\r\nadd padding, 100, 100, -14, -14\r\n-14, -14\r\n"
                    "(x: -14, y: -14, w: 128, h: 128)\r\n"},
        ScalingCase{"WideWindow", true, false, {128, 128}, {1000, 520}, 4.0625, {240, 0, 520, 520}, {128, 128},
                    "resize event: scale: 4.0625: 520 x 520 ( 128 x 128 )\r\n",
                    "display, 520, 520\r\nadd padding, 1000, 520, 240, 0\r\n240, 0\r\n"
                    "(x: 240, y: 0, w: 520, h: 520)\r\n"},
        ScalingCase{"FixedSize", true, false, {128, 128}, {800, 600}, 4.6875, {100, 0, 600, 600}, {128, 128},
                    "resize event: scale: 4.6875: 600 x 600 ( 128 x 128 )\r\n",
                    "display, 600, 600\r\nadd padding, 800, 600, 100, 0\r\n100, 0\r\n"
                    "(x: 100, y: 0, w: 600, h: 600)\r\n"},
        ScalingCase{"FixedSizeIntegerScale", true, true, {128, 128}, {800, 600}, 4.0, {144, 44, 512, 512},
                    {128, 128}, "resize event: scale: 4.0: 512 x 512 ( 128 x 128 )\r\n",
                    "display, 512, 512\r\nadd padding, 800, 600, 144, 44\r\n144, 44\r\n"
                    "(x: 144, y: 44, w: 512, h: 512)\r\n"},
        ScalingCase{"IntegerScaleBelowOne", true, true, {128, 128}, {100, 300}, 1.0, {-14, 86, 128, 128},
                    {128, 128}, "resize event: scale: 1.0: 128 x 128 ( 128 x 128 )\r\n",
                    "display, 128, 128\r\nadd padding, 100, 300, -14, 86\r\n-14, 86\r\n"
                    "(x: -14, y: 86, w: 128, h: 128)\r\n"},
        // The screen follows the window.
        ScalingCase{"FollowingWindow", false, false, {128, 128}, {800, 600}, 4.6875, {0, 0, 800, 600}, {170, 128},
                    "resize event: scale: 4.6875: 800 x 600 ( 170 x 128 )\r\n", "0, 0\r\n(x: 0, y: 0, w: 800, h: 600)\r\n"},
        ScalingCase{"FollowingWindowIntegerScale", false, true, {128, 128}, {800, 600}, 4.0, {0, 0, 800, 600},
                    {200, 150}, "resize event: scale: 4.0: 800 x 600 ( 200 x 150 )\r\n",
                    "0, 0\r\n(x: 0, y: 0, w: 800, h: 600)\r\n"},
        ScalingCase{"FollowingSmallWindow", false, false, {128, 128}, {100, 60}, 1.0, {0, 0, 100, 60}, {100, 60},
                    "resize event: scale: 1.0: 100 x 60 ( 100 x 60 )\r\n", "0, 0\r\n(x: 0, y: 0, w: 100, h: 60)\r\n"},
        // A smaller target magnifies more, but the screen keeps its size and is stretched.
        ScalingCase{"SmallerTarget", true, false, {64, 64}, {512, 512}, 8.0, {0, 0, 512, 512}, {128, 128},
                    "resize event: scale: 8.0: 512 x 512 ( 128 x 128 )\r\n", startupDebugLines}),
    [](const testing::TestParamInfo<ScalingCase>& info) { return std::string(info.param.name); });

TEST_F(WindowTest, SettingChangesRescaleTheWindowTheyFind) {
  EXPECT_TRUE(fixedSize());
  EXPECT_FALSE(integerScale());

  Logged target = logged([] { setTargetSize(64, 64); });
  EXPECT_EQ(target.out, "resize event: scale: 8.0: 512 x 512 ( 128 x 128 )\r\n");
  EXPECT_EQ(target.err, startupDebugLines);

  Logged following = logged([] { fixedSize(false); });
  EXPECT_FALSE(fixedSize());
  EXPECT_EQ(following.out, "resize event: scale: 8.0: 512 x 512 ( 64 x 64 )\r\n");
  EXPECT_EQ(following.err, "0, 0\r\n(x: 0, y: 0, w: 512, h: 512)\r\n");

  Logged whole = logged([] { integerScale(true); });
  EXPECT_TRUE(integerScale());
  EXPECT_EQ(whole.out, "resize event: scale: 8.0: 512 x 512 ( 64 x 64 )\r\n");
  EXPECT_EQ(windowSize(), (Point{512, 512}));
}

TEST_F(WindowTest, SetScreenSizeResizesTheWindowAndRescalesToIt) {
  Logged lines = logged([] { setScreenSize(1000, 520); });
  EXPECT_EQ(windowSize(), (Point{1000, 520}));
  EXPECT_EQ(lines.out, "resize event: scale: 4.0625: 520 x 520 ( 128 x 128 )\r\n");
  EXPECT_EQ(lines.err,
            "display, 520, 520\r\nadd padding, 1000, 520, 240, 0\r\n240, 0\r\n(x: 240, y: 0, w: 520, h: 520)\r\n");
  EXPECT_EQ(windowState.destinationRect, (Rect{240, 0, 520, 520}));

  // resize() without a size reads the window's.
  Logged again = logged([] { resize(); });
  EXPECT_EQ(again.out, lines.out);
}

TEST_F(WindowTest, TargetSizeBelowOneIsRefused) {
  for (Point size : {Point{0, 64}, Point{64, -1}}) {
    try {
      setTargetSize(size.x, size.y);
      ADD_FAILURE() << size.x << " x " << size.y << " accepted";
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::Range);
      EXPECT_EQ(std::string(e.what()), "value out of range: " + std::to_string(size.x < 1 ? size.x : size.y));
    }
  }
  EXPECT_EQ(windowState.targetScreenWidth, 128);
  EXPECT_EQ(windowState.targetScreenHeight, 128);
}

TEST_F(WindowTest, AnEmptyWindowLeavesAnEmptyScreenThatStillPresents) {
  quietly([] { fixedSize(false); });
  Logged lines = logged([] { resize(0, 0); });
  EXPECT_EQ(lines.out, "resize event: scale: 1.0: 0 x 0 ( 0 x 0 )\r\n");
  EXPECT_EQ(lines.err, "0, 0\r\n(x: 0, y: 0, w: 0, h: 0)\r\n");
  EXPECT_EQ(drawState.screen.data.size(), 0u);
  EXPECT_EQ(windowState.screenTexture, nullptr);  // SDL has no texture of no pixels
  pset(0, 0, 1);
  EXPECT_EQ(pget(0, 0), 0);
  EXPECT_EQ(logged([] { present(); }).err, "");

  quietly([] { resize(256, 256); });
  EXPECT_EQ((Point{drawState.screen.w, drawState.screen.h}), (Point{128, 128}));
  EXPECT_NE(windowState.screenTexture, nullptr);
}

TEST_F(WindowTest, NegativeWindowSizesAreRefusedAndChangeNothing) {
  quietly([] { fixedSize(false); });
  for (Point size : {Point{-100, 600}, Point{800, -1}, Point{-100, -100}}) {
    try {
      logged([&] { resize(size.x, size.y); });
      ADD_FAILURE() << size.x << " x " << size.y << " accepted";
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::Range);
      EXPECT_EQ(std::string(e.what()), "value out of range: " + std::to_string(size.x < 0 ? size.x : size.y));
    }
  }
  EXPECT_EQ(windowState.screenScale, 4.0);
  EXPECT_EQ(windowState.destinationRect, (Rect{0, 0, 512, 512}));
  EXPECT_EQ((Point{drawState.screen.w, drawState.screen.h}), (Point{128, 128}));
  EXPECT_NE(windowState.screenTexture, nullptr);
}

// ---- What a resize does to the screen ------------------------------------

struct ScreenResetCase {
  const char* name;
  bool fixed;
  bool byWindowSize;  // setScreenSize instead of resize(w, h)
  std::array<int32_t, 4> clipAfter;
};

void PrintTo(const ScreenResetCase& c, std::ostream* os) { *os << c.name; }

class WindowResize : public WindowTest, public testing::WithParamInterface<ScreenResetCase> {};

TEST_P(WindowResize, EmptiesTheScreenAndKeepsTheClipInsideIt) {
  const ScreenResetCase& c = GetParam();
  quietly([&] { fixedSize(c.fixed); });
  pset(5, 5, 3);
  pset(60, 40, 2);
  clip(10, 10, 20, 20);

  quietly([&] {
    if (c.byWindowSize) {
      setScreenSize(800, 600);
    } else {
      resize(800, 600);
    }
  });

  EXPECT_EQ(pget(5, 5), 0);
  EXPECT_EQ(pget(60, 40), 0);
  Point screen{drawState.screenWidth, drawState.screenHeight};
  EXPECT_EQ(drawState.screen.data, std::vector<uint8_t>(size_t(screen.x) * screen.y, 0));
  EXPECT_EQ(clipBounds(), c.clipAfter);
  // Drawing reaches exactly the clip area: every byte of a full-screen fill
  // outside it stays 0, so no bound points past the screen.
  setColor(7);
  rectfill(-5, -5, screen.x + 5, screen.y + 5);
  int32_t painted = 0;
  for (uint8_t v : drawState.screen.data) painted += v == 7;
  EXPECT_EQ(painted, (c.clipAfter[2] - c.clipAfter[0] + 1) * (c.clipAfter[3] - c.clipAfter[1] + 1));
}

INSTANTIATE_TEST_SUITE_P(
    Window, WindowResize,
    testing::Values(
        // The framework's resize always resets the clip area.
        ScreenResetCase{"FixedResize", true, false, {0, 0, 127, 127}},
        ScreenResetCase{"FollowingResize", false, false, {0, 0, 169, 127}},
        // The bare scaling computation keeps a clip area of an unchanged size ...
        ScreenResetCase{"FixedWindowSize", true, true, {10, 10, 29, 29}},
        // ... and resets it when the screen size changes.
        ScreenResetCase{"FollowingWindowSize", false, true, {0, 0, 169, 127}}),
    [](const testing::TestParamInfo<ScreenResetCase>& info) { return std::string(info.param.name); });

// ---- Presentation -----------------------------------------------------------

using WindowPresent = WindowTest;

// The 4 bytes of the staging surface at a screen pixel, in memory order.
std::array<uint8_t, 4> stagedBytes(int32_t x, int32_t y) {
  const SDL_Surface* s = windowState.screenPixels;
  const uint8_t* p = static_cast<const uint8_t*>(s->pixels) + y * s->pitch + 4 * x;
  return {p[0], p[1], p[2], p[3]};
}

TEST_F(WindowPresent, StagesEveryPixelThroughTheDisplayMapAndPalette) {
  loadPaletteCGA();
  pset(0, 0, 1);
  pset(1, 0, 2);
  pset(127, 127, 3);
  drawState.displayMap[2] = 3;
  present();
  using Bytes = std::array<uint8_t, 4>;
  EXPECT_EQ(stagedBytes(0, 0), (Bytes{255, 255, 255, 85}));
  EXPECT_EQ(stagedBytes(1, 0), (Bytes{255, 255, 255, 255}));  // 2 shown as 3
  EXPECT_EQ(stagedBytes(2, 0), (Bytes{255, 0, 0, 0}));
  EXPECT_EQ(stagedBytes(127, 127), (Bytes{255, 255, 255, 255}));
  EXPECT_EQ(stagedBytes(0, 1), (Bytes{255, 0, 0, 0}));
}

// The window's own pixels after presenting, as (r, g, b).
std::array<uint8_t, 3> windowPixel(int32_t x, int32_t y) {
  uint8_t rgba[4] = {};
  SDL_Rect at{x, y, 1, 1};
  EXPECT_EQ(SDL_RenderReadPixels(windowState.renderer, &at, SDL_PIXELFORMAT_ABGR8888, rgba, 4), 0) << SDL_GetError();
  return {rgba[0], rgba[1], rgba[2]};
}

TEST_F(WindowPresent, MagnifiesTheScreenIntoItsRectangleOverTheBackground) {
  quietly([] { setScreenSize(1000, 520); });
  loadPaletteCGA();
  pset(0, 0, 1);
  pset(1, 0, 2);
  pset(127, 127, 3);
  logged([] { flip(); });
  using Rgb = std::array<uint8_t, 3>;
  const Rgb background{5, 5, 10};
  EXPECT_EQ(windowPixel(0, 0), background);
  EXPECT_EQ(windowPixel(239, 519), background);
  EXPECT_EQ(windowPixel(760, 0), background);
  EXPECT_EQ(windowPixel(999, 519), background);
  // Screen pixel n covers window columns 240 + 4.0625 n onwards; sample inside.
  EXPECT_EQ(windowPixel(240, 0), (Rgb{85, 255, 255}));
  EXPECT_EQ(windowPixel(242, 2), (Rgb{85, 255, 255}));
  EXPECT_EQ(windowPixel(246, 2), (Rgb{255, 85, 255}));
  EXPECT_EQ(windowPixel(250, 2), (Rgb{0, 0, 0}));
  EXPECT_EQ(windowPixel(759, 519), (Rgb{255, 255, 255}));
  EXPECT_EQ(windowPixel(754, 515), (Rgb{0, 0, 0}));
}

// ---- Fullscreen and title ---------------------------------------------------

TEST_F(WindowTest, FullscreenIsSwitchedOnTheWindowAndLogged) {
  Logged on = logged([] { setFullscreen(true); });
  EXPECT_EQ(on.out, "setting fullscreen\r\n");
  EXPECT_TRUE(getFullscreen());
  EXPECT_EQ(SDL_GetWindowFlags(windowState.window) & SDL_WINDOW_FULLSCREEN_DESKTOP,
            uint32_t{SDL_WINDOW_FULLSCREEN_DESKTOP});

  Logged off = logged([] { setFullscreen(false); });
  EXPECT_EQ(off.out, "setting windowed\r\n");
  EXPECT_FALSE(getFullscreen());
  EXPECT_EQ(SDL_GetWindowFlags(windowState.window) & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u);
}

TEST_F(WindowTest, TitleIsTheWindows) {
  setWindowTitle("pegwick: 29 points");
  EXPECT_STREQ(SDL_GetWindowTitle(windowState.window), "pegwick: 29 points");
}

}  // namespace
