// The fixed-step loop on a test clock: batching, clamping, drawing rules.
#include <gtest/gtest.h>

#include <vector>

#include "lumo/input_state.hpp"
#include "lumo/loop_state.hpp"
#include "platform/clock.hpp"
#include "platform/platform.hpp"

namespace {

using namespace lumo;

struct TestClock {
  static inline uint32_t now = 0;
  static inline std::vector<uint32_t> delays;
  static uint32_t ticks() { return now; }
  static void delay(uint32_t ms) { delays.push_back(ms); }
};

// Records what the loop calls, in order: "u" per update, "d" per draw.
class LoopTest : public testing::Test {
 protected:
  void SetUp() override {
    TestClock::now = 1000;
    TestClock::delays.clear();
    loopClock = {&TestClock::ticks, &TestClock::delay};
    loopState = LoopState{};
    inputState = InputState{};
    loopState.updateFunc = [this](double dt) {
      calls += "u";
      steps.push_back(dt);
    };
    loopState.drawFunc = [this] { calls += "d"; };
  }
  void TearDown() override {
    loopClock = Clock{};
    loopState = LoopState{};
  }

  // One pass of the loop after `ms` milliseconds of real time.
  void stepAfter(uint32_t ms) {
    TestClock::now += ms;
    loopStep();
  }

  std::string calls;
  std::vector<double> steps;
};

TEST_F(LoopTest, LastTicksIsReadFromTheClockAtStart) { EXPECT_EQ(loopState.lastTicks, 1000u); }

TEST_F(LoopTest, FirstStepAfterALongStartClampsToOneStepAndDoesNothing) {
  stepAfter(5000);
  EXPECT_EQ(calls, "");
  EXPECT_EQ(loopState.timeAccumulator, loopState.timeStep);
  // One more millisecond makes the accumulator exceed one step: one update,
  // one draw.
  stepAfter(1);
  EXPECT_EQ(calls, "ud");
  EXPECT_EQ(loopState.frame, 1);
}

TEST_F(LoopTest, AccumulatorNotAboveOneStepUpdatesNothing) {
  stepAfter(16);  // 0.016 < 1/60
  EXPECT_EQ(calls, "");
  EXPECT_DOUBLE_EQ(loopState.timeAccumulator, 0.016);
  EXPECT_EQ(loopState.lastTicks, 1016u);
}

TEST_F(LoopTest, AccumulatorOfExactlyTwoStepsUpdatesOnceWithoutDrawing) {
  loopState.timeAccumulator = 2 * loopState.timeStep;
  stepAfter(0);
  EXPECT_EQ(calls, "u");
  EXPECT_EQ(loopState.timeAccumulator, loopState.timeStep);
}

TEST_F(LoopTest, BatchDrawsOnceAfterItsLastUpdate) {
  loopState.timeAccumulator = 0.055;  // three steps and a bit
  stepAfter(0);
  EXPECT_EQ(calls, "uuud");
  EXPECT_EQ(loopState.frame, 3);
  EXPECT_NEAR(loopState.timeAccumulator, 0.055 - 3.0 / 60, 1e-12);
}

TEST_F(LoopTest, ElapsedTimeAboveTwoStepsIsCutToOneStep) {
  loopState.timeAccumulator = 0.01;
  stepAfter(40);  // 0.04 s > 2/60 s: only 1/60 s is added
  EXPECT_EQ(calls, "ud");
  EXPECT_NEAR(loopState.timeAccumulator, 0.01, 1e-12);
}

TEST_F(LoopTest, ClampAppliesAfterTheSpeedMultiplier) {
  speed(3);
  loopState.timeAccumulator = 0.01;
  stepAfter(16);  // 0.048 s of game time, cut to one step
  EXPECT_EQ(calls, "ud");
  EXPECT_NEAR(loopState.timeAccumulator, 0.01, 1e-12);

  speed(2);
  stepAfter(16);  // 0.032 s stays 0.032 s: 0.042 s owed, two updates
  EXPECT_EQ(calls, "uduud");
  EXPECT_NEAR(loopState.timeAccumulator, 0.042 - 2.0 / 60, 1e-12);
}

TEST_F(LoopTest, SpeedZeroFreezesTheApplication) {
  speed(0);
  for (int i = 0; i < 10; ++i) stepAfter(16);
  EXPECT_EQ(calls, "");
  EXPECT_EQ(loopState.timeAccumulator, 0.0);
}

TEST_F(LoopTest, TickCounterWrapIsHarmless) {
  loopState.lastTicks = 0xFFFFFFF0u;
  TestClock::now = 0x10;
  loopStep();
  // 32 ms elapsed: one update and the draw, 32 ms − 1/60 s left over.
  EXPECT_EQ(calls, "ud");
  EXPECT_NEAR(loopState.timeAccumulator, 0.032 - 1.0 / 60, 1e-12);
}

TEST_F(LoopTest, UpdateReceivesTheNominalStep) {
  fps(30);
  EXPECT_EQ(fps(), 30);
  loopState.timeAccumulator = 0.04;
  stepAfter(3);
  ASSERT_EQ(steps.size(), 1u);
  EXPECT_EQ(steps[0], 1.0 / 30);
}

TEST_F(LoopTest, FpsBelowOneIsRefused) {
  EXPECT_THROW(fps(0), Error);
  EXPECT_THROW(fps(-5), Error);
  EXPECT_EQ(fps(), 60);
  EXPECT_EQ(loopState.timeStep, 1.0 / 60);
}

TEST_F(LoopTest, DelayIsZeroWhenFocusedAndTenMillisecondsWhenNot) {
  loopState.timeAccumulator = 0.04;  // two updates, the second draws
  stepAfter(0);
  // One delay per update plus the flip's own yield after the draw.
  EXPECT_EQ(TestClock::delays, (std::vector<uint32_t>{0, 0, 0}));
  TestClock::delays.clear();
  loopState.focused = false;
  loopState.timeAccumulator = 0.04;
  stepAfter(0);
  EXPECT_EQ(TestClock::delays, (std::vector<uint32_t>{10, 0, 10}));
}

TEST_F(LoopTest, ControllersAreUpdatedAroundEachUpdateAndTheMouseAgedAfter) {
  auto keyboard = std::make_shared<ControllerRecord>();
  keyboard->buttons[static_cast<int>(LumoButton::A)] = 1;
  keyboard->axes[0].current = 0.7;
  inputState.controllers.push_back(keyboard);
  inputState.mouseButtons[0] = 1;
  inputState.mouseButtonsDown[0] = true;
  inputState.mouseWheel = 3;
  std::vector<int> seen;
  loopState.updateFunc = [&](double) {
    seen.push_back(keyboard->buttons[static_cast<int>(LumoButton::A)]);
    seen.push_back(inputState.mouseButtons[0]);
    seen.push_back(inputState.mouseWheel);
    seen.push_back(keyboard->axes[0].previous == 0.7);
  };
  loopState.timeAccumulator = 0.04;
  stepAfter(0);
  // Button counters age before the update, the mouse after it, the axes'
  // previous values are taken after it.
  EXPECT_EQ(seen, (std::vector<int>{2, 1, 3, 0, 3, 2, 0, 1}));
  EXPECT_EQ(inputState.mouseButtons[0], 3);
  EXPECT_EQ(inputState.mouseWheel, 0);
}

TEST_F(LoopTest, ShutdownInsideAnUpdateFinishesTheBatchAndEndsTheLoop) {
  loopState.timeAccumulator = 0.055;
  loopState.updateFunc = [this](double) {
    calls += "u";
    shutdown();
  };
  loopState.loopStarted = true;
  runLoop();
  EXPECT_EQ(calls, "uuud");
  EXPECT_FALSE(loopState.keepRunning);
}

class RunTest : public LoopTest {};

TEST_F(RunTest, EmptyCallbacksFailWithTheirConditionAndStoreNothing) {
  struct Case {
    bool update, draw;
    const char* message;
  };
  for (const Case& c : {Case{false, true, "\n  not (update == nil) "}, Case{true, false, "\n  not (draw == nil) "},
                        Case{false, false, "\n  not (update == nil) "}}) {
    int stored = 0;
    setDrawFunc([&] { stored = 1; });
    try {
      run(nullptr, c.update ? UpdateFunc([](double) {}) : UpdateFunc(), c.draw ? DrawFunc([] {}) : DrawFunc());
      FAIL() << "expected an assertion error";
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::Assertion);
      EXPECT_EQ(std::string(e.what()), c.message);
    }
    ASSERT_TRUE(loopState.drawFunc);
    loopState.drawFunc();
    EXPECT_EQ(stored, 1) << "the earlier draw callback must stay";
    EXPECT_FALSE(loopState.loopStarted);
  }
}

TEST_F(RunTest, RunCallsInitOnceThenLoopsUntilShutdown) {
  // Real time advances 17 ms per pass, a little more than one step.
  loopClock.ticks = [] { return TestClock::now += 17; };
  std::string log;
  int updates = 0;
  run([&] { log += "i"; },
      [&](double) {
        log += "u";
        if (++updates == 3) shutdown();
      },
      [&] { log += "d"; });
  EXPECT_EQ(log, "iududud");
  EXPECT_TRUE(loopState.loopStarted);
  EXPECT_FALSE(loopState.keepRunning);
}

TEST_F(RunTest, RunFromTheUpdateCallbackReplacesCallbacksWithoutASecondLoop) {
  std::string log;
  loopState.loopStarted = true;
  loopState.timeAccumulator = 0.02;
  loopState.updateFunc = [&](double) {
    log += "u1";
    run([&] { log += "i2"; }, [&](double) { log += "u2"; }, [&] { log += "d2"; });
    log += "back";
  };
  loopState.drawFunc = [&] { log += "d1"; };
  loopStep();
  // The new draw callback is already the one this step draws with.
  EXPECT_EQ(log, "u1i2backd2");
}

TEST_F(RunTest, RunFromTheInitCallbackEntersTheLoopItself) {
  std::string log;
  run(
      [&] {
        log += "i1";
        run([&] { log += "i2"; shutdown(); }, [&](double) { log += "u2"; }, [&] { log += "d2"; });
        log += "back";
      },
      [&](double) { log += "u1"; }, [&] { log += "d1"; });
  EXPECT_EQ(log, "i1i2back");
  loopState.updateFunc(0);
  loopState.drawFunc();
  EXPECT_EQ(log, "i1i2backu2d2");
}

}  // namespace
