// Both log streams of one action, as written.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace lumo::testing_support {

struct Logged {
  std::string out;  // standard output
  std::string err;  // standard error
};

inline Logged logged(const std::function<void()>& action) {
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  Logged lines;
  try {
    action();
  } catch (...) {
    testing::internal::GetCapturedStderr();
    testing::internal::GetCapturedStdout();
    throw;
  }
  lines.err = testing::internal::GetCapturedStderr();
  lines.out = testing::internal::GetCapturedStdout();
  return lines;
}

}  // namespace lumo::testing_support
