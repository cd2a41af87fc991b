// The per-frame conversion works on blocks of sixteen pixels when every byte
// of a block is a palette index, and pixel by pixel otherwise: whatever the
// width, the row start and the bytes, both byte orders give the colour that
// the display map and the palette name, and rows keep to their pitch.
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "lumo/draw_state.hpp"
#include "lumo/lumo.hpp"
#include "lumo/palette_state.hpp"

namespace {

using namespace lumo;
using Bytes = std::vector<uint8_t>;

class ConversionBlockTest : public testing::Test {
 protected:
  void SetUp() override {
    drawState = DrawState{};
    paletteState = PaletteState{};
    loadPalettePico8();
    // A display map that is not the identity shows whether the fast path
    // still looks colours up through it.
    drawState.displayMap[5] = 9;
    drawState.displayMap[15] = 0;
    drawState.displayMap[200] = 7;
  }
  void TearDown() override {
    drawState = DrawState{};
    paletteState = PaletteState{};
  }

  // Indices 0 to 15 everywhere, except bytes above 15 in the blocks that
  // `wild` picks (every fifth pixel of them).
  static Surface screenOf(int32_t w, int32_t h, bool wild) {
    Surface s = newSurface(w, h);
    uint32_t bits = 12345;
    for (size_t i = 0; i < s.data.size(); ++i) {
      bits = bits * 1103515245u + 12345u;
      uint8_t value = static_cast<uint8_t>(bits >> 16);
      bool inWildBlock = wild && (i / 16) % 3 == 1;
      s.data[i] = inWildBlock && i % 5 == 0 ? static_cast<uint8_t>(value | 0x10) : static_cast<uint8_t>(value & 15);
    }
    return s;
  }

  // Rows of 4 × w pixel bytes followed by 8 bytes of 0xEE the conversion
  // must leave alone.
  static Bytes expected(const Surface& s, bool rgba) {
    Bytes out;
    for (int32_t y = 0; y < s.h; ++y) {
      for (int32_t x = 0; x < s.w; ++x) {
        const Color& c = paletteState.palette[drawState.displayMap[s.data[y * s.w + x]]];
        if (rgba) {
          out.insert(out.end(), {c.r, c.g, c.b, 255});
        } else {
          out.insert(out.end(), {255, c.b, c.g, c.r});
        }
      }
      out.insert(out.end(), 8, 0xEE);
    }
    return out;
  }
};

TEST_F(ConversionBlockTest, EveryWidthAndMixOfBytesGivesThePaletteColours) {
  for (int32_t w : {1, 15, 16, 17, 33, 37, 128}) {
    for (bool wild : {false, true}) {
      SCOPED_TRACE(testing::Message() << "width " << w << (wild ? " with bytes above 15" : ""));
      const int32_t h = 3;
      const int32_t pitch = 4 * w + 8;
      Surface s = screenOf(w, h, wild);
      Bytes out(static_cast<size_t>(pitch) * h, 0xEE);
      convertToRGBA(s, out.data(), pitch, w, h);
      EXPECT_EQ(out, expected(s, true));
      out.assign(out.size(), 0xEE);
      convertToABGR(s, out.data(), pitch, w, h);
      EXPECT_EQ(out, expected(s, false));
    }
  }
}

TEST_F(ConversionBlockTest, BytesAbove15ShowEntryZeroWhateverTheirLowBits) {
  // Sixteen 5s show entry 9. The next blocks hold one 21 and one 133 among
  // the 5s: the low four bits of both are 5 as well, but they are not
  // palette indices and show entry 0.
  const int32_t w = 48;
  Surface s = newSurface(w, 1);
  s.data.assign(w, 5);
  s.data[20] = 21;
  s.data[40] = 133;
  Bytes out(w * 4 + 8, 0xEE);
  convertToRGBA(s, out.data(), w * 4 + 8, w, 1);
  EXPECT_EQ(out, expected(s, true));
  const Color nine = paletteState.palette[9];
  const Color zero = paletteState.palette[0];
  for (int32_t x : {0, 15, 16, 21, 47}) {
    EXPECT_EQ(Bytes(out.begin() + 4 * x, out.begin() + 4 * x + 4), (Bytes{nine.r, nine.g, nine.b, 255})) << x;
  }
  for (int32_t x : {20, 40}) {
    EXPECT_EQ(Bytes(out.begin() + 4 * x, out.begin() + 4 * x + 4), (Bytes{zero.r, zero.g, zero.b, 255})) << x;
  }
}

}  // namespace
