// Screen helpers for shape tests: a fresh screen, and whole-screen outcomes
// as sets of pixels or as pictures of a region.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "lumo/draw_state.hpp"
#include "lumo/lumo.hpp"

namespace shapes_test {

// (x, y, stored byte) in screen coordinates.
using Pixels = std::set<std::tuple<int32_t, int32_t, int32_t>>;

// A blank 128 × 128 screen, full clip, identity maps, drawing in colour 1.
inline void freshScreen() {
  lumo::drawState = lumo::DrawState{};
  lumo::setColor(1);
}

// Every pixel whose byte differs from background.
inline Pixels drawn(uint8_t background = 0) {
  const lumo::Surface& s = lumo::drawState.screen;
  Pixels out;
  for (int32_t y = 0; y < s.h; ++y) {
    for (int32_t x = 0; x < s.w; ++x) {
      uint8_t v = s.data[static_cast<size_t>(y) * s.w + x];
      if (v != background) out.insert({x, y, v});
    }
  }
  return out;
}

// The pixels for which value(x, y) is not 0.
inline Pixels pixelsWhere(const std::function<int32_t(int32_t, int32_t)>& value) {
  Pixels out;
  for (int32_t y = 0; y < 128; ++y) {
    for (int32_t x = 0; x < 128; ++x) {
      if (int32_t v = value(x, y)) out.insert({x, y, v});
    }
  }
  return out;
}

// Rows of a picture: '.' is byte 0, '#' byte 1, a hex digit any other.
inline std::vector<std::string> picture(int32_t x0, int32_t y0, int32_t w, int32_t h) {
  std::vector<std::string> rows;
  for (int32_t y = y0; y < y0 + h; ++y) {
    std::string row;
    for (int32_t x = x0; x < x0 + w; ++x) {
      int32_t v = lumo::pget(x, y);
      row += v == 0 ? '.' : (v == 1 ? '#' : "0123456789abcdef"[v]);
    }
    rows.push_back(row);
  }
  return rows;
}

// The whole screen is the picture `rows` with its top-left corner at
// (x0, y0) and 0 everywhere else.
inline void expectScreen(int32_t x0, int32_t y0, const std::vector<std::string>& rows) {
  auto w = static_cast<int32_t>(rows.at(0).size());
  auto h = static_cast<int32_t>(rows.size());
  EXPECT_EQ(picture(x0, y0, w, h), rows);
  std::vector<std::tuple<int32_t, int32_t, int32_t>> outside;
  for (const auto& p : drawn()) {
    auto [x, y, v] = p;
    if (x < x0 || y < y0 || x >= x0 + w || y >= y0 + h) outside.push_back(p);
  }
  EXPECT_EQ(outside, decltype(outside){}) << "pixels outside the picture";
}

// Fixed-seed numbers for randomized comparisons.
class Picker {
 public:
  explicit Picker(uint64_t seed) : gen_(seed) {}
  // Uniform enough in lo .. hi, both included.
  int64_t in(int64_t lo, int64_t hi) { return lo + static_cast<int64_t>(gen_() % static_cast<uint64_t>(hi - lo + 1)); }

 private:
  std::mt19937_64 gen_;
};

inline int32_t clampTo32(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// Sets a random small clip area and camera — small, about 2^30 or near the
// ends of the range, where camera arithmetic wraps — and returns a world
// point at the clip area's top-left corner plus (5, 5).
inline std::pair<int32_t, int32_t> randomView(Picker& pick) {
  auto camera = [&pick]() -> int32_t {
    switch (pick.in(0, 3)) {
      case 0: return static_cast<int32_t>(pick.in(-1000, 1000));
      case 1: return static_cast<int32_t>(pick.in(-(1 << 30), 1 << 30));
      case 2: return static_cast<int32_t>(INT32_MAX - pick.in(0, 200));
      default: return static_cast<int32_t>(INT32_MIN + pick.in(0, 200));
    }
  };
  lumo::setCamera(camera(), camera());
  auto left = static_cast<int32_t>(pick.in(0, 100));
  auto top = static_cast<int32_t>(pick.in(0, 100));
  lumo::clip(left, top, static_cast<int32_t>(pick.in(1, 27)), static_cast<int32_t>(pick.in(1, 27)));
  auto wrapAdd = [](int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
  };
  return {wrapAdd(lumo::drawState.cameraX, left + 5), wrapAdd(lumo::drawState.cameraY, top + 5)};
}

// Whether the world point (x, y) passes the camera and clip test, and
// where it lands on the screen.
inline bool onScreen(int32_t x, int32_t y, int32_t& sx, int32_t& sy) {
  const lumo::DrawState& s = lumo::drawState;
  sx = static_cast<int32_t>(static_cast<uint32_t>(x) - static_cast<uint32_t>(s.cameraX));
  sy = static_cast<int32_t>(static_cast<uint32_t>(y) - static_cast<uint32_t>(s.cameraY));
  return sx >= s.clipLeft && sx <= s.clipRight && sy >= s.clipTop && sy <= s.clipBottom;
}

// Fixture base: each test starts on a fresh screen and leaves the draw
// state as the process began.
class ScreenTest : public ::testing::Test {
 protected:
  void SetUp() override { freshScreen(); }
  void TearDown() override { lumo::drawState = lumo::DrawState{}; }
};

}  // namespace shapes_test
