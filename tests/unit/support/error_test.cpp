// The failures' messages and kinds, and the one-line report of a failure
// that reaches the program entry.
#include "support/error.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

namespace {

using namespace lumo;

struct ThrowCase {
  std::function<void()> raise;
  ErrorKind kind;
  const char* message;
  const char* report;
};

TEST(ErrorReport, EachHelperCarriesItsKindMessageAndReport) {
  const ThrowCase cases[] = {
      {[] { throwIO("Unable to load surface: /x/assets/sprites.png"); }, ErrorKind::IO,
       "Unable to load surface: /x/assets/sprites.png",
       "Error: unhandled exception: Unable to load surface: /x/assets/sprites.png [IOError]"},
      {[] { throwRange(-3); }, ErrorKind::Range, "value out of range: -3",
       "Error: unhandled exception: value out of range: -3 [RangeError]"},
      {[] { throwIndex(); }, ErrorKind::Index, "index out of bounds",
       "Error: unhandled exception: index out of bounds [IndexError]"},
      {[] { throwOverflow(); }, ErrorKind::Overflow, "over- or underflow",
       "Error: unhandled exception: over- or underflow [OverflowError]"},
      // An assertion keeps the condition as the system stores it, but reports it on one line.
      {[] { throwAssertion("not (update == nil)"); }, ErrorKind::Assertion, "\n  not (update == nil) ",
       "Error: unhandled exception: not (update == nil) [AssertionError]"},
      {[] { throwKey("tiles"); }, ErrorKind::Key, "key not found: tiles",
       "Error: unhandled exception: key not found: tiles [KeyError]"},
      {[] { throwParse("bad text"); }, ErrorKind::Parse, "bad text",
       "Error: unhandled exception: bad text [ParseError]"},
      {[] { throwValue("Converting non RGBA surface to indexed"); }, ErrorKind::Value,
       "Converting non RGBA surface to indexed",
       "Error: unhandled exception: Converting non RGBA surface to indexed [ValueError]"},
  };
  for (const ThrowCase& c : cases) {
    try {
      c.raise();
      ADD_FAILURE() << c.message << ": nothing thrown";
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), c.kind) << c.report;
      EXPECT_STREQ(e.what(), c.message);
      EXPECT_EQ(unhandledReport(e), c.report);
    }
  }
}

TEST(ErrorReport, OtherExceptionsAreReportedWithTheirOwnText) {
  EXPECT_EQ(unhandledReport(std::runtime_error("boom")), "Error: unhandled exception: boom [Exception]");
  // Only the framework's own assertion layout is trimmed.
  EXPECT_EQ(unhandledReport(std::logic_error(" spaced ")), "Error: unhandled exception:  spaced  [Exception]");
}

TEST(ErrorReport, AnAssertionOfNothingStillReportsItsKind) {
  try {
    throwAssertion("");
  } catch (const Error& e) {
    EXPECT_EQ(unhandledReport(e), "Error: unhandled exception:  [AssertionError]");
  }
}

}  // namespace
