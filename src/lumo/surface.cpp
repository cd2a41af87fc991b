// Surfaces, the indexed-to-colour conversions used every frame and the
// colour matching that turns decoded images into palette indices.
#include <array>
#include <cstring>

#include "lumo/draw_state.hpp"
#include "lumo/palette_state.hpp"
#include "support/checked.hpp"

// Byte shuffles speed up the per-frame conversion on x86 processors that
// have them; the choice is made at run time, so the build stays generic.
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>
#define LUMO_SHUFFLE_CONVERSION 1
#else
#define LUMO_SHUFFLE_CONVERSION 0
#endif

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

using ColorTable = std::array<uint32_t, 256>;

// One 32-bit word per possible screen byte, built once per conversion from
// the display map and the palette, so the pixel loop is a single lookup.
// The sixteen colours are packed first: packing is the costly part.
template <typename Pack>
ColorTable colorTable(Pack pack) {
  std::array<uint32_t, paletteSize> packed;
  for (int32_t i = 0; i < paletteSize; ++i) {
    std::array<uint8_t, 4> bytes = pack(paletteState.palette[i]);
    std::memcpy(&packed[i], bytes.data(), 4);
  }
  ColorTable table;
  for (int32_t v = 0; v < 256; ++v) table[v] = packed[static_cast<size_t>(drawState.displayMap[v]) & (paletteSize - 1)];
  return table;
}

void convertRun(const uint8_t* from, uint8_t* to, int32_t count, const ColorTable& table) {
  for (int32_t x = 0; x < count; ++x) std::memcpy(to + 4 * x, &table[from[x]], 4);
}

void convertRows(const uint8_t* in, uint8_t* dest, int32_t pitch, int32_t w, int32_t h, const ColorTable& table) {
  for (int32_t y = 0; y < h; ++y) {
    convertRun(in + static_cast<size_t>(y) * w, dest + static_cast<ptrdiff_t>(y) * pitch, w, table);
  }
}

#if LUMO_SHUFFLE_CONVERSION
// The screen almost only holds palette indices 0 to 15, and sixteen such
// indices select from a sixteen-byte table in one byte shuffle: four
// shuffles give the four colour bytes of sixteen pixels, which are then
// interleaved into pixel order. A block with any byte above 15 goes
// through the table instead, as do the pixels at the end of a row.
__attribute__((target("ssse3"))) void convertRowsShuffled(const uint8_t* in, uint8_t* dest, int32_t pitch, int32_t w,
                                                          int32_t h, const ColorTable& table) {
  alignas(16) uint8_t planes[4][paletteSize];
  for (int32_t i = 0; i < paletteSize; ++i) {
    for (int32_t k = 0; k < 4; ++k) planes[k][i] = reinterpret_cast<const uint8_t*>(&table[i])[k];
  }
  const __m128i plane0 = _mm_load_si128(reinterpret_cast<const __m128i*>(planes[0]));
  const __m128i plane1 = _mm_load_si128(reinterpret_cast<const __m128i*>(planes[1]));
  const __m128i plane2 = _mm_load_si128(reinterpret_cast<const __m128i*>(planes[2]));
  const __m128i plane3 = _mm_load_si128(reinterpret_cast<const __m128i*>(planes[3]));
  const __m128i highBits = _mm_set1_epi8(static_cast<char>(0xF0));
  for (int32_t y = 0; y < h; ++y) {
    const uint8_t* from = in + static_cast<size_t>(y) * w;
    uint8_t* to = dest + static_cast<ptrdiff_t>(y) * pitch;
    int32_t x = 0;
    for (; x + 16 <= w; x += 16) {
      const __m128i indices = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + x));
      const __m128i high = _mm_cmpeq_epi8(_mm_and_si128(indices, highBits), _mm_setzero_si128());
      if (_mm_movemask_epi8(high) != 0xFFFF) {
        convertRun(from + x, to + 4 * x, 16, table);
        continue;
      }
      const __m128i byte0 = _mm_shuffle_epi8(plane0, indices);
      const __m128i byte1 = _mm_shuffle_epi8(plane1, indices);
      const __m128i byte2 = _mm_shuffle_epi8(plane2, indices);
      const __m128i byte3 = _mm_shuffle_epi8(plane3, indices);
      const __m128i low01 = _mm_unpacklo_epi8(byte0, byte1);
      const __m128i high01 = _mm_unpackhi_epi8(byte0, byte1);
      const __m128i low23 = _mm_unpacklo_epi8(byte2, byte3);
      const __m128i high23 = _mm_unpackhi_epi8(byte2, byte3);
      __m128i* out = reinterpret_cast<__m128i*>(to + 4 * x);
      _mm_storeu_si128(out, _mm_unpacklo_epi16(low01, low23));
      _mm_storeu_si128(out + 1, _mm_unpackhi_epi16(low01, low23));
      _mm_storeu_si128(out + 2, _mm_unpacklo_epi16(high01, high23));
      _mm_storeu_si128(out + 3, _mm_unpackhi_epi16(high01, high23));
    }
    convertRun(from + x, to + 4 * x, w - x, table);
  }
}

bool canShuffle() {
  static const bool supported = __builtin_cpu_supports("ssse3");
  return supported;
}
#endif

template <typename Pack>
void convertIndexed(const Surface& src, uint8_t* dest, int32_t pitch, int32_t w, int32_t h, Pack pack) {
  if (src.w != w || src.h != h) throwAssertion("src.w == w and src.h == h");
  // A hand-made surface whose bytes fall short would be read past its end.
  if (src.data.size() < pixelCount(src)) throwAssertion("src.data.len >= src.w * src.h");
  const ColorTable table = colorTable(pack);
#if LUMO_SHUFFLE_CONVERSION
  if (canShuffle()) {
    convertRowsShuffled(src.data.data(), dest, pitch, w, h, table);
    return;
  }
#endif
  convertRows(src.data.data(), dest, pitch, w, h, table);
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
