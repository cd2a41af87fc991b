// The palette table and its built-in sets.
#include "lumo/palette_state.hpp"

namespace lumo {

PaletteState paletteState;

namespace {

constexpr std::array<Color, paletteSize> pico8Colors{{
    {0, 0, 0},       {29, 43, 83},    {126, 37, 83},   {0, 135, 81},
    {171, 82, 54},   {95, 87, 79},    {194, 195, 199}, {255, 241, 232},
    {255, 0, 77},    {255, 163, 0},   {255, 240, 36},  {0, 231, 86},
    {41, 173, 255},  {131, 118, 156}, {255, 119, 168}, {255, 204, 170},
}};

constexpr std::array<Color, paletteSize> cgaColors{{
    {0, 0, 0}, {85, 255, 255}, {255, 85, 255}, {255, 255, 255},
}};

}  // namespace

Color RGB(int32_t r, int32_t g, int32_t b) {
  return {static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b)};
}

void loadPalettePico8() { paletteState.palette = pico8Colors; }

void loadPaletteCGA() { paletteState.palette = cgaColors; }

}  // namespace lumo
