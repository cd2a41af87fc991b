// Window events, focus pacing, the application's event hook and text input.
#include <gtest/gtest.h>

#include "events_fixture.hpp"
#include "lumo/draw_state.hpp"

namespace {

using namespace lumo;
using namespace lumo::testing_support;

using EventsWindow = SdlInputTest;

TEST_F(EventsWindow, ResizeWithoutAWindowWritesItsLinesOnly) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = SDL_WINDOWEVENT_RESIZED;
  e.window.padding1 = 1;
  e.window.padding2 = 2;
  e.window.padding3 = 3;
  e.window.data1 = 800;
  e.window.data2 = 600;
  pushEvent(e);
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  checkInput();
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "padding, 1, 2, 3, 800, 600\r\n");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "resize event\r\n");
}

TEST_F(EventsWindow, ResizeRescalesTheScreenIntoTheNewWindowSize) {
  openWindow();
  pushWindowEvent(SDL_WINDOWEVENT_RESIZED, 800, 600);
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  checkInput();
  std::string err = testing::internal::GetCapturedStderr();
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out.rfind("resize event\r\nresize event: scale: 4.6875: 600 x 600 ( 128 x 128 )\r\n", 0), 0u) << out;
  EXPECT_EQ(err.rfind("padding, 0, 0, 0, 800, 600\r\n", 0), 0u) << err;
  EXPECT_EQ(windowState.screenScale, 4.6875);
  EXPECT_EQ(windowState.screenPaddingX, 100);
  EXPECT_EQ(windowState.screenPaddingY, 0);
}

TEST_F(EventsWindow, ResizeKeepsTheClipAreaWhileTheScreenKeepsItsSize) {
  openWindow();
  clip(10, 10, 20, 20);
  pushWindowEvent(SDL_WINDOWEVENT_RESIZED, 800, 600);
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  checkInput();
  testing::internal::GetCapturedStderr();
  testing::internal::GetCapturedStdout();
  // The fixed-size screen is re-created empty but keeps its size, so the
  // application's clip area stays.
  EXPECT_EQ(drawState.clipLeft, 10);
  EXPECT_EQ(drawState.clipTop, 10);
  EXPECT_EQ(drawState.clipRight, 29);
  EXPECT_EQ(drawState.clipBottom, 29);
  EXPECT_EQ(drawState.screen.w, 128);
}

TEST_F(EventsWindow, ResizeInAFollowingSizeWindowResetsTheClipToTheNewScreen) {
  openWindow();
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  fixedSize(false);
  clip(10, 10, 20, 20);
  pushWindowEvent(SDL_WINDOWEVENT_RESIZED, 800, 600);
  checkInput();
  testing::internal::GetCapturedStderr();
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(drawState.screen.w, 170);
  EXPECT_EQ(drawState.screen.h, 128);
  EXPECT_EQ(drawState.clipLeft, 0);
  EXPECT_EQ(drawState.clipRight, 169);
  EXPECT_EQ(drawState.clipBottom, 127);
  drawState = DrawState{};
}

TEST_F(EventsWindow, SizeChangedOnlyLogsAndOtherSubEventsAreIgnored) {
  pushWindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 800, 600);
  pushWindowEvent(SDL_WINDOWEVENT_MOVED, 10, 10);
  pushWindowEvent(SDL_WINDOWEVENT_CLOSE);
  testing::internal::CaptureStdout();
  checkInput();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "size changed event\r\n");
  EXPECT_TRUE(loopState.keepRunning);
  EXPECT_TRUE(loopState.focused);
}

TEST_F(EventsWindow, WithoutFocusTheLoopSleepsTenMillisecondsPerUpdate) {
  pushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  loopStep();
  loopStep();
  EXPECT_FALSE(loopState.focused);
  pushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
  loopStep();
  EXPECT_TRUE(loopState.focused);
  EXPECT_EQ(testDelays, (std::vector<uint32_t>{10, 10, 0}));
}

TEST_F(EventsWindow, AHookThatConsumesEverythingLeavesTheFrameworkUntouched) {
  std::vector<uint32_t> seen;
  setEventFunc([&](const SDL_Event& e) {
    seen.push_back(e.type);
    return true;
  });
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  pushEvent(quit);
  pushKey(true, SDL_SCANCODE_Z);
  pushKey(false, SDL_SCANCODE_Q, KMOD_LCTRL);
  pushMouseButton(true, SDL_BUTTON_LEFT);
  pushMotion(300, 300);
  pushWheel(4);
  pushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  testing::internal::CaptureStdout();
  loopStep();
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(seen, (std::vector<uint32_t>{SDL_QUIT, SDL_KEYDOWN, SDL_KEYUP, SDL_MOUSEBUTTONDOWN, SDL_MOUSEMOTION,
                                         SDL_MOUSEWHEEL, SDL_WINDOWEVENT}));
  EXPECT_TRUE(loopState.keepRunning);
  EXPECT_TRUE(loopState.focused);
  EXPECT_EQ(keyboard()->buttons, (std::array<int32_t, buttonCount>{}));
  EXPECT_EQ(inputState.mouseButtons, (std::array<int32_t, 3>{}));
  EXPECT_FALSE(hasMouse());
  EXPECT_EQ(mouse(), (Point{0, 0}));
}

TEST_F(EventsWindow, EventsTheHookDeclinesReachTheFramework) {
  setEventFunc([](const SDL_Event& e) { return e.type == SDL_KEYDOWN; });
  pushKey(true, SDL_SCANCODE_Z);
  pushMouseButton(true, SDL_BUTTON_LEFT);
  checkInput();
  EXPECT_EQ(keyboard()->buttons[int(LumoButton::A)], 0);
  EXPECT_EQ(inputState.mouseButtons[0], 1);
  // An empty hook removes it.
  setEventFunc(nullptr);
  pushKey(true, SDL_SCANCODE_Z);
  checkInput();
  EXPECT_EQ(keyboard()->buttons[int(LumoButton::A)], 1);
}

TEST_F(EventsWindow, TextInputIsSwitchedWithTheTextCallbackAndReachesIt) {
  std::vector<std::string> texts;
  setTextFunc([&](const std::string& t) { texts.push_back(t); });
  EXPECT_TRUE(hasTextFunc());
  EXPECT_TRUE(SDL_IsTextInputActive());
  SDL_Event e{};
  e.type = SDL_TEXTINPUT;
  SDL_strlcpy(e.text.text, "h\xC3\xA9", sizeof e.text.text);
  pushEvent(e);
  checkInput();
  EXPECT_EQ(texts, std::vector<std::string>{"h\xC3\xA9"});
  setTextFunc(nullptr);
  EXPECT_FALSE(hasTextFunc());
  EXPECT_FALSE(SDL_IsTextInputActive());
  pushEvent(e);
  checkInput();
  EXPECT_EQ(texts.size(), 1u);
}

}  // namespace
