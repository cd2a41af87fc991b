// The game's frame drawn without a window, beside a plain memset of the
// screen in the same run: cls, the pointer, five cards with suit and rank,
// the deck's edges and six score lines.
#include <cstring>
#include <string>

#include <benchmark/benchmark.h>

#include "lumo/draw_state.hpp"
#include "lumo/font_state.hpp"
#include "lumo/lumo.hpp"
#include "lumo/sprite_state.hpp"

namespace {

using namespace lumo;

// A 128 × 128 sheet: a card face of 16 × 24 pixels from cell 0 with a
// border, and four 8 × 8 suit symbols in cells 2 to 5.
Surface makeSheet() {
  Surface sheet = newSurface(128, 128);
  sheet.channels = 1;
  for (int32_t y = 0; y < 24; ++y) {
    for (int32_t x = 0; x < 16; ++x) {
      bool border = x == 0 || y == 0 || x == 15 || y == 23;
      sheet.data[static_cast<size_t>(y) * 128 + x] = border ? 1 : 2;
    }
  }
  for (int32_t cell = 2; cell <= 5; ++cell) {
    for (int32_t y = 1; y < 7; ++y) {
      for (int32_t x = 1; x < 7; ++x) {
        if ((x + y + cell) % 3 != 0) sheet.data[static_cast<size_t>(y) * 128 + cell * 8 + x] = 3;
      }
    }
  }
  return sheet;
}

// A font strip of the 95 built-in characters, glyphs 3 × 5 in an image
// 8 rows tall, with full-height red separator columns.
FontRef makeFont() {
  const int32_t cells = 95;
  const int32_t w = cells * 4 + 1;
  const int32_t h = 8;
  Surface image;
  image.w = w;
  image.h = h;
  image.channels = 4;
  image.data.assign(static_cast<size_t>(w) * h * 4, 0);
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      uint8_t* p = &image.data[(static_cast<size_t>(y) * w + x) * 4];
      bool separator = x % 4 == 0;
      bool ink = !separator && y < 5 && (x + y) % 2 == 0;
      if (separator) {
        p[0] = 255;
        p[3] = 255;
      } else if (ink) {
        p[3] = 255;
      } else if (y == 0) {
        p[0] = 255;  // opaque white paper keeps the top row apart from the separators
        p[1] = 255;
        p[2] = 255;
        p[3] = 255;
      }
    }
  }
  return createFontFromSurface(image, builtinCharset());
}

void setUpFrame() {
  drawState = DrawState{};
  clip();
  spriteState = SpriteState{};
  spriteState.sheetSlots[0] = makeSheet();
  fontState = FontState{};
  fontState.fonts[0] = makeFont();
}

const char* const rankLabels[] = {"A", "5", "10", "J", "K"};
const char* const rankNumbers[] = {"1", "5", "10", "11", "13"};
const int32_t ranks[] = {1, 5, 10, 11, 13};
const int32_t suits[] = {2, 3, 4, 5, 2};

void drawFrame() {
  cls();
  setColor(1);
  circfill(64, 64, 1);
  for (int32_t i = 0; i < 5; ++i) {
    int32_t x = 18 * (i + 1);
    int32_t y = 100;
    spr(0, x, y, 2, 3, false, false);
    spr(suits[i], x + 4, y + 9, 1, 1, false, false);
    double offset = 9.0 - textWidth(rankNumbers[i], 1) / 2.0;
    if (ranks[i] > 10) offset += 2.0;
    setColor(3);
    print(rankLabels[i], x + static_cast<int32_t>(offset), y + 4, 1);
  }
  setColor(3);
  rectfill(94, 119, 104, 119);
  rectfill(95, 120, 105, 120);
  rectfill(106, 104, 106, 119);
  rectfill(105, 103, 105, 118);
  const char* const labels[] = {"fifteens: ", "   pairs: ", "    runs: ", "   flush: ", "   knobs: ", "   total: "};
  const int32_t values[] = {4, 2, 3, 0, 1, 10};
  for (int32_t line = 0; line < 6; ++line) {
    if (line == 5) setColor(2);
    // The score text is built outside the timed drawing in the game too: a
    // short string fits the small-string buffer, so no allocation here.
    std::string text = labels[line] + std::to_string(values[line]);
    print(text, 79, 2 + 6 * line, 1);
  }
}

void ScreenMemset(benchmark::State& state) {
  setUpFrame();
  Surface& screen = drawState.screen;
  for (auto _ : state) {
    std::memset(screen.data.data(), 0, screen.data.size());
    benchmark::DoNotOptimize(screen.data.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(ScreenMemset);

void GameFrame(benchmark::State& state) {
  setUpFrame();
  for (auto _ : state) {
    drawFrame();
    benchmark::DoNotOptimize(drawState.screen.data.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(GameFrame);

}  // namespace
