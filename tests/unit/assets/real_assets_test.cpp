// The committed images load through the framework's own loaders as the
// game loads them.
#include <gtest/gtest.h>

#include "lumo/draw_state.hpp"
#include "lumo/font_state.hpp"
#include "lumo/palette_state.hpp"
#include "lumo/sprite_state.hpp"
#include "platform/paths_state.hpp"

namespace {

using namespace lumo;

class RealAssets : public testing::Test {
 protected:
  void SetUp() override {
    fontState = FontState{};
    spriteState = SpriteState{};
    paletteState = PaletteState{};
    drawState = DrawState{};
    setAssetPath(std::string(LUMO_SOURCE_DIR) + "/assets");
  }
  void TearDown() override { pathState = PathState{}; }
};

TEST_F(RealAssets, DefaultFontHasNinetyFiveCellsOfWidthThreeAndAdvanceFour) {
  testing::internal::CaptureStderr();
  loadFont("font.png", builtinCharset());
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "font created from font.png\r\n");
  const FontRef& font = fontState.fonts[0];
  ASSERT_TRUE(font);
  ASSERT_EQ(font->rects.size(), 127u);
  for (char c : builtinCharset()) {
    const Rect& r = font->rects[static_cast<uint8_t>(c)];
    EXPECT_EQ(r.w, 3) << "character " << c;
    EXPECT_EQ(r.h, 5) << "character " << c;
    EXPECT_EQ(glyphWidth(c, 1), 4) << "character " << c;
  }
  // The score lines' colons line up because every label is 40 pixels wide.
  EXPECT_EQ(textWidth("fifteens: ", 1), 40);
  EXPECT_EQ(textWidth("   total: ", 1), 40);
  EXPECT_EQ(textWidth("fifteens: 16", 1), 48);
}

TEST_F(RealAssets, SpriteSheetMatchesTheFourColourPaletteExactly) {
  loadPaletteCGA();
  Surface image;
  loadSurface(pathState.assetPath + "sprites.png", [&](Surface& s) { image = s; });
  ASSERT_EQ(image.w, 128);
  ASSERT_EQ(image.h, 128);
  Surface indexed = convertToIndexed(image);
  for (int32_t i = 0; i < image.w * image.h; ++i) {
    Color c{image.data[4 * i], image.data[4 * i + 1], image.data[4 * i + 2]};
    // Index 0 only where the pixel really is black: no colour fell back to 0.
    if (indexed.data[i] == 0) {
      ASSERT_EQ(c, (Color{0, 0, 0})) << "pixel " << i % 128 << "," << i / 128;
    } else {
      ASSERT_EQ(paletteState.palette[indexed.data[i]], c);
    }
  }
  loadSpriteSheet("sprites.png");
  EXPECT_EQ(spriteState.sheetSlots[0].data, indexed.data);
}

}  // namespace
