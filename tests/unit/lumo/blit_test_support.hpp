// Small screens and sheets written as character grids, so a test states
// every pixel it expects: '.' is index 0, '1'..'f' the indices 1 to 15,
// '#' any byte above 15.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <stb_image_write.h>

#include "lumo/draw_state.hpp"
#include "lumo/font_state.hpp"
#include "lumo/sprite_state.hpp"

namespace blittest {

using Grid = std::vector<std::string>;

inline char pixelChar(uint8_t v) {
  if (v == 0) return '.';
  if (v > 15) return '#';
  return "0123456789abcdef"[v];
}

inline uint8_t pixelValue(char c) {
  if (c == '.') return 0;
  if (c == '#') return 16;
  return static_cast<uint8_t>(std::stoi(std::string(1, c), nullptr, 16));
}

// Fresh drawing state with a w × h screen, its clip area the whole screen.
inline void freshScreen(int32_t w, int32_t h) {
  lumo::drawState = lumo::DrawState{};
  lumo::spriteState = lumo::SpriteState{};
  lumo::fontState = lumo::FontState{};
  lumo::drawState.screenWidth = w;
  lumo::drawState.screenHeight = h;
  lumo::recreateScreen();
  lumo::clip();
}

inline void fillScreen(uint8_t v) {
  std::fill(lumo::drawState.screen.data.begin(), lumo::drawState.screen.data.end(), v);
}

inline Grid gridOf(const lumo::Surface& s) {
  Grid rows;
  for (int32_t y = 0; y < s.h; ++y) {
    std::string row;
    for (int32_t x = 0; x < s.w; ++x) row += pixelChar(s.data[static_cast<size_t>(y) * s.w + x]);
    rows.push_back(row);
  }
  return rows;
}

inline Grid screenGrid() { return gridOf(lumo::drawState.screen); }

// An indexed surface from a grid of equal-length rows.
inline lumo::Surface indexedSurface(const Grid& rows) {
  lumo::Surface s;
  s.h = static_cast<int32_t>(rows.size());
  s.w = rows.empty() ? 0 : static_cast<int32_t>(rows[0].size());
  s.channels = 1;
  for (const std::string& row : rows)
    for (char c : row) s.data.push_back(pixelValue(c));
  return s;
}

// A fresh, empty folder under the build folder for files a test writes.
inline std::string freshFolder(const std::string& name) {
  std::filesystem::path folder = std::filesystem::path(LUMO_BINARY_DIR) / "test-files" / name;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder.string();
}

// Writes `pixels` (channels bytes per pixel) as a PNG file.
inline void writePng(const std::string& path, int32_t w, int32_t h, int32_t channels,
                     const std::vector<uint8_t>& pixels) {
  if (!stbi_write_png(path.c_str(), w, h, channels, pixels.data(), w * channels)) {
    throw std::runtime_error("cannot write " + path);
  }
}

}  // namespace blittest
