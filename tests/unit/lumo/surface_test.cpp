#include <climits>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "lumo/draw_state.hpp"
#include "lumo/lumo.hpp"
#include "lumo/palette_state.hpp"

namespace {

using namespace lumo;
using Bytes = std::vector<uint8_t>;

class SurfaceTest : public testing::Test {
 protected:
  void SetUp() override {
    drawState = DrawState{};
    paletteState = PaletteState{};
    loadPaletteCGA();
  }
  void TearDown() override {
    drawState = DrawState{};
    paletteState = PaletteState{};
  }

  static Surface indexed(int32_t w, int32_t h, Bytes data) {
    Surface s = newSurface(w, h);
    s.data = std::move(data);
    return s;
  }

  static Surface rgba(int32_t w, int32_t h, Bytes data) {
    Surface s{std::move(data), 4, w, h};
    return s;
  }

  static void expectError(const std::function<void()>& call, ErrorKind kind, const std::string& message) {
    try {
      call();
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), kind);
      EXPECT_EQ(std::string(e.what()), message);
    }
  }
};

TEST_F(SurfaceTest, NewSurfaceHoldsZeroBytesAndCopiesNeverSharePixels) {
  Surface s = newSurface(3, 2);
  EXPECT_EQ(s.data, Bytes(6, 0));
  EXPECT_EQ(s.channels, 0);
  EXPECT_EQ(s.w, 3);
  EXPECT_EQ(s.h, 2);
  EXPECT_TRUE(newSurface(0, 5).data.empty());

  Surface copy = s;
  copy.data[0] = 9;
  Surface assigned;
  assigned = s;
  assigned.data[1] = 8;
  EXPECT_EQ(s.data, Bytes(6, 0));
  EXPECT_EQ(copy.data, (Bytes{9, 0, 0, 0, 0, 0}));
}

TEST_F(SurfaceTest, NewSurfaceRefusesNegativeOrOversizedAreas) {
  expectError([] { newSurface(-1, 4); }, ErrorKind::Range, "value out of range: -4");
  expectError([] { newSurface(65536, 65536); }, ErrorKind::Overflow, "over- or underflow");
}

TEST_F(SurfaceTest, ConversionsWriteTheDisplayedColourInTheirByteOrder) {
  struct Case {
    uint8_t index;
    Bytes rgba;
    Bytes abgr;
  };
  const Case cases[] = {
      {3, {255, 255, 255, 255}, {255, 255, 255, 255}},
      {1, {85, 255, 255, 255}, {255, 255, 255, 85}},
      {2, {255, 85, 255, 255}, {255, 255, 85, 255}},
      {0, {0, 0, 0, 255}, {255, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.index));
    Surface s = indexed(1, 1, {c.index});
    Bytes out(4, 7);
    convertToRGBA(s, out.data(), 4, 1, 1);
    EXPECT_EQ(out, c.rgba);
    convertToABGR(s, out.data(), 4, 1, 1);
    EXPECT_EQ(out, c.abgr);
  }
}

TEST_F(SurfaceTest, ConversionRespectsThePitchAndLooksUpThroughTheDisplayMap) {
  paletteState.palette[0] = {1, 2, 3};
  // Nothing in the framework changes the display map, but presentation
  // must still go through it.
  drawState.displayMap[2] = 3;
  // Bytes above 15 show palette entry 0.
  Surface s = indexed(2, 2, {1, 16, 2, 255});
  Bytes out(2 * 12, 0xEE);  // rows of 12 bytes for 8 bytes of pixels
  convertToRGBA(s, out.data(), 12, 2, 2);
  EXPECT_EQ(out, (Bytes{85, 255, 255, 255, 1,   2,   3,   255, 0xEE, 0xEE, 0xEE, 0xEE,
                        255, 255, 255, 255, 1, 2, 3, 255, 0xEE, 0xEE, 0xEE, 0xEE}));
}

TEST_F(SurfaceTest, ConversionOfTheWrongSizeIsAnAssertionAndWritesNothing) {
  struct Case {
    int32_t w, h;
  };
  Surface s = indexed(2, 2, {1, 1, 1, 1});
  for (Case c : {Case{1, 2}, Case{2, 3}, Case{0, 0}}) {
    SCOPED_TRACE(testing::Message() << c.w << "x" << c.h);
    Bytes out(64, 7);
    expectError([&] { convertToRGBA(s, out.data(), 8, c.w, c.h); }, ErrorKind::Assertion,
                "\n  src.w == w and src.h == h ");
    expectError([&] { convertToABGR(s, out.data(), 8, c.w, c.h); }, ErrorKind::Assertion,
                "\n  src.w == w and src.h == h ");
    EXPECT_EQ(out, Bytes(64, 7));
  }
  // A surface whose bytes fall short of its size is refused, not over-read.
  Surface shortSurface = indexed(2, 2, {1});
  Bytes out(16, 7);
  expectError([&] { convertToRGBA(shortSurface, out.data(), 8, 2, 2); }, ErrorKind::Assertion,
              "\n  src.data.len >= src.w * src.h ");
  EXPECT_EQ(out, Bytes(16, 7));
}

TEST_F(SurfaceTest, MapRgbFindsTheLowestExactMatchOrZero) {
  struct Case {
    uint8_t r, g, b;
    int32_t expected;
  };
  // CGA: black sits in 0 and 4 to 15.
  const Case cga[] = {
      {0, 0, 0, 0}, {85, 255, 255, 1}, {255, 85, 255, 2}, {255, 255, 255, 3}, {255, 255, 254, 0}, {85, 255, 0, 0},
  };
  for (const Case& c : cga) EXPECT_EQ(mapRGB(c.r, c.g, c.b), c.expected) << int(c.r) << "," << int(c.g) << "," << int(c.b);

  // The last entry is searched too.
  paletteState.palette[15] = {10, 20, 30};
  paletteState.palette[0] = {9, 9, 9};
  EXPECT_EQ(mapRGB(10, 20, 30), 15);
  EXPECT_EQ(mapRGB(0, 0, 0), 4);
}

TEST_F(SurfaceTest, ConvertToIndexedMatchesColoursAndIgnoresAlpha) {
  loadPalettePico8();
  // Every palette colour, opaque and fully transparent, and two foreign ones.
  Bytes pixels;
  Bytes expected;
  for (int i = 0; i < 16; ++i) {
    const Color& c = paletteState.palette[i];
    pixels.insert(pixels.end(), {c.r, c.g, c.b, static_cast<uint8_t>(i % 2 ? 0 : 255)});
    expected.push_back(static_cast<uint8_t>(i));
  }
  pixels.insert(pixels.end(), {1, 2, 3, 255, 255, 255, 255, 0});
  expected.insert(expected.end(), {0, 0});
  Surface result = convertToIndexed(rgba(6, 3, pixels));
  EXPECT_EQ(result.data, expected);
  EXPECT_EQ(result.channels, 1);
  EXPECT_EQ(result.w, 6);
  EXPECT_EQ(result.h, 3);
}

TEST_F(SurfaceTest, ConvertToIndexedRefusesAnythingButFourChannels) {
  for (int32_t channels : {0, 1, 2, 3, 5}) {
    SCOPED_TRACE(channels);
    Surface s{Bytes(16, 0), channels, 2, 2};
    expectError([&] { convertToIndexed(s); }, ErrorKind::Value, "Converting non RGBA surface to indexed");
  }
  expectError([] { convertToIndexed(rgba(2, 2, Bytes(15, 0))); }, ErrorKind::Assertion,
              "\n  src.data.len >= src.w * src.h * 4 ");
}

}  // namespace
