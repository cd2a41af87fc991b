// The two log-line writers and how they write floats.
#include "support/log.hpp"

#include <gtest/gtest.h>
#include <stdio_ext.h>
#include <unistd.h>

#include <cstdio>
#include <limits>
#include <string>

#include "unit/support/log_capture.hpp"

namespace {

using namespace lumo;
using lumo::testing_support::Logged;
using lumo::testing_support::logged;

TEST(LogLines, DebugJoinsItsPiecesOnStandardError) {
  Logged lines = logged([] {
    debug("display", 512, 512);
    debug("add padding", 1000, 520, 240, 0);
    debug(-14, -14);
    debug();
    debug("flag", true, 'c', 4.0625, static_cast<const char*>(nullptr), std::string("s"));
  });
  EXPECT_EQ(lines.err,
            "display, 512, 512\r\n"
            "add padding, 1000, 520, 240, 0\r\n"
            "-14, -14\r\n"
            "\r\n"
            "flag, true, c, 4.0625, nil, s\r\n");
  EXPECT_EQ(lines.out, "");
}

TEST(LogLines, OutputConcatenatesItsPiecesOnStandardOutput) {
  Logged lines = logged([] {
    output("resize event: scale: ", 4.0, ": ", 512, " x ", 512, " ( ", 128, " x ", 128, " )");
    output("added game controller: ", -1, ": ", "Keyboard", ": ", "KEYBOARD");
    output();
    output("a, b", ',', false);
  });
  EXPECT_EQ(lines.out,
            "resize event: scale: 4.0: 512 x 512 ( 128 x 128 )\r\n"
            "added game controller: -1: Keyboard: KEYBOARD\r\n"
            "\r\n"
            "a, b,false\r\n");
  EXPECT_EQ(lines.err, "");
}

TEST(LogLines, OutputLeavesNothingWaitingInTheStreamBuffer) {
  // Even on a fully buffered stdout (a pipe), each line is out once written,
  // so a program stopped by a signal has shown all its lines.
  static char buffer[BUFSIZ];
  testing::internal::CaptureStdout();
  std::fflush(stdout);
  std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
  output("basePath: ", "/x/");
  size_t pending = __fpending(stdout);
  std::setvbuf(stdout, nullptr, isatty(1) ? _IOLBF : _IOFBF, BUFSIZ);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "basePath: /x/\r\n");
  EXPECT_EQ(pending, 0u);
}

struct FloatCase {
  double value;
  const char* text;
};

TEST(LogFloat, WritesUpTo16SignificantDigitsAndAlwaysAPoint) {
  const FloatCase cases[] = {
      {4.0, "4.0"},
      {4.6875, "4.6875"},
      {4.0625, "4.0625"},
      {1.0, "1.0"},
      {0.0, "0.0"},
      {-0.0, "-0.0"},
      {-4.0, "-4.0"},
      {-2.5, "-2.5"},
      {0.1, "0.1"},
      {1.0 / 3.0, "0.3333333333333333"},
      {123456789.0, "123456789.0"},
      {1e15, "1000000000000000.0"},
      {1e20, "1e+20"},
      {1.5e-7, "1.5e-07"},
      {std::numeric_limits<double>::infinity(), "inf"},
  };
  for (const FloatCase& c : cases) EXPECT_EQ(formatFloat(c.value), c.text) << c.text;
}

}  // namespace
