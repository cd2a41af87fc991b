// Surfaces, the indexed-to-colour conversions used every frame and the
// colour matching that turns decoded images into palette indices.
#include <array>
#include <cstring>

#include "lumo/draw_state.hpp"
#include "lumo/palette_state.hpp"
#include "support/checked.hpp"

namespace lumo {

Surface newSurface(int32_t w, int32_t h) {
  Surface s;
  s.data.assign(static_cast<size_t>(checkedArea(w, h)), 0);
  s.w = w;
  s.h = h;
  return s;
}

namespace {

size_t pixelCount(const Surface& s) {
  return s.w > 0 && s.h > 0 ? static_cast<size_t>(s.w) * static_cast<size_t>(s.h) : 0;
}

// One 32-bit word per possible screen byte, built once per conversion from
// the display map and the palette, so the pixel loop is a single lookup.
template <typename Pack>
std::array<uint32_t, 256> colorTable(Pack pack) {
  std::array<uint32_t, 256> table;
  for (int32_t v = 0; v < 256; ++v) {
    int32_t entry = drawState.displayMap[v];
    const Color& c = paletteState.palette[static_cast<size_t>(entry) & (paletteSize - 1)];
    std::array<uint8_t, 4> bytes = pack(c);
    std::memcpy(&table[v], bytes.data(), 4);
  }
  return table;
}

template <typename Pack>
void convertIndexed(const Surface& src, uint8_t* dest, int32_t pitch, int32_t w, int32_t h, Pack pack) {
  if (src.w != w || src.h != h) throwAssertion("src.w == w and src.h == h");
  // A hand-made surface whose bytes fall short would be read past its end.
  if (src.data.size() < pixelCount(src)) throwAssertion("src.data.len >= src.w * src.h");
  const std::array<uint32_t, 256> table = colorTable(pack);
  const uint8_t* in = src.data.data();
  for (int32_t y = 0; y < h; ++y) {
    uint8_t* row = dest + static_cast<ptrdiff_t>(y) * pitch;
    const uint8_t* from = in + static_cast<size_t>(y) * w;
    for (int32_t x = 0; x < w; ++x) std::memcpy(row + 4 * x, &table[from[x]], 4);
  }
}

}  // namespace

void convertToABGR(const Surface& src, uint8_t* dest, int32_t pitch, int32_t w, int32_t h) {
  convertIndexed(src, dest, pitch, w, h, [](const Color& c) {
    return std::array<uint8_t, 4>{255, c.b, c.g, c.r};
  });
}

void convertToRGBA(const Surface& src, uint8_t* dest, int32_t pitch, int32_t w, int32_t h) {
  convertIndexed(src, dest, pitch, w, h, [](const Color& c) {
    return std::array<uint8_t, 4>{c.r, c.g, c.b, 255};
  });
}

int32_t mapRGB(uint8_t r, uint8_t g, uint8_t b) {
  const Color wanted{r, g, b};
  // Exact matches only, lowest index first; a foreign colour becomes 0.
  for (int32_t i = 0; i < paletteSize; ++i) {
    if (paletteState.palette[i] == wanted) return i;
  }
  return 0;
}

Surface convertToIndexed(const Surface& src) {
  if (src.channels != 4) throwValue("Converting non RGBA surface to indexed");
  const size_t count = pixelCount(src);
  if (src.data.size() < 4 * count) throwAssertion("src.data.len >= src.w * src.h * 4");
  Surface result;
  result.data.resize(count);
  result.channels = 1;
  result.w = src.w;
  result.h = src.h;
  // The alpha byte is ignored: a transparent pixel matches by its colour.
  const uint8_t* in = src.data.data();
  for (size_t i = 0; i < count; ++i, in += 4) result.data[i] = static_cast<uint8_t>(mapRGB(in[0], in[1], in[2]));
  return result;
}

}  // namespace lumo
