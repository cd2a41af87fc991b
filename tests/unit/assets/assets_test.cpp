#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <stb_image.h>

#include "../../../tools/asset_generator.hpp"

namespace {

namespace fs = std::filesystem;
using assetgen::Rgba;

const fs::path kRepo = LUMO_SOURCE_DIR;

std::string fileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Decoded {
  int w = 0;
  int h = 0;
  std::vector<Rgba> pixels;
  Rgba at(int x, int y) const { return pixels[static_cast<size_t>(y) * w + x]; }
};

Decoded decode(const fs::path& path) {
  Decoded d;
  int channels = 0;
  unsigned char* data = stbi_load(path.string().c_str(), &d.w, &d.h, &channels, 4);
  if (!data) return d;
  for (int i = 0; i < d.w * d.h; ++i)
    d.pixels.push_back({data[4 * i], data[4 * i + 1], data[4 * i + 2], data[4 * i + 3]});
  stbi_image_free(data);
  return d;
}

struct Cell {
  int x, w, h;
  bool operator==(const Cell&) const = default;
};

// The font loader's reading of a strip: pixel classes, the separator class
// taken from the top-left pixel, a cell closed by each separator column, its
// height two less than the lowest separator row of that column.
std::vector<Cell> fontCells(const Decoded& font) {
  auto pixelClass = [&](int x, int y) {
    Rgba p = font.at(x, y);
    return p[3] == 0 ? 0 : (p[0] > 0 ? 2 : 1);
  };
  int separator = pixelClass(0, 0);
  std::vector<Cell> cells;
  int start = 0;
  for (int x = 0; x < font.w; ++x) {
    if (pixelClass(x, 0) != separator) continue;
    if (x > start) {
      int height = font.h - 1;
      for (int y = 0; y < font.h; ++y)
        if (pixelClass(x, y) == separator) height = y - 2;
      cells.push_back({start, x - start, height});
    }
    start = x + 1;
  }
  return cells;
}

class Assets : public testing::Test {
 protected:
  Decoded font = decode(kRepo / "assets" / "font.png");
  Decoded sprites = decode(kRepo / "assets" / "sprites.png");
};

TEST_F(Assets, CommittedPngsAreExactlyWhatTheGeneratorWrites) {
  std::string pattern = (fs::temp_directory_path() / "assets_test_XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  fs::path out = pattern;
  assetgen::generateAssets(kRepo / "assets-src", out);
  for (const char* name : {"font.png", "sprites.png"}) {
    std::string generated = fileBytes(out / name);
    EXPECT_FALSE(generated.empty()) << name;
    EXPECT_TRUE(generated == fileBytes(kRepo / "assets" / name))
        << name << " is stale: run make_assets assets-src assets";
  }
  fs::remove_all(out);
}

TEST_F(Assets, FontStripIsRedSeparatorsBlackInkAndTransparency) {
  ASSERT_EQ(font.h, 8);
  ASSERT_EQ(font.w, 1 + 95 * 4);
  const std::set<Rgba> allowed{assetgen::kSeparator, assetgen::kInk, assetgen::kBackground};
  for (int y = 0; y < font.h; ++y)
    for (int x = 0; x < font.w; ++x) {
      Rgba p = font.at(x, y);
      EXPECT_TRUE(allowed.count(p)) << "pixel " << x << "," << y;
      // Separator columns run the full height; nothing else is red.
      EXPECT_EQ(p == assetgen::kSeparator, x % 4 == 0) << "pixel " << x << "," << y;
    }
}

TEST_F(Assets, FontLoaderFindsNinetyFiveCellsOfThreeByFive) {
  ASSERT_EQ(font.h, 8);
  std::vector<Cell> expected;
  for (int i = 0; i < 95; ++i) expected.push_back({1 + 4 * i, 3, 5});
  EXPECT_EQ(fontCells(font), expected);
}

TEST_F(Assets, SpriteSheetIsOpaqueCgaColoursOnly) {
  ASSERT_EQ(sprites.w, 128);
  ASSERT_EQ(sprites.h, 128);
  const std::set<Rgba> cga(assetgen::kColours.begin(), assetgen::kColours.end());
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) EXPECT_TRUE(cga.count(sprites.at(x, y))) << x << "," << y;
}

TEST_F(Assets, OnlyTheCardAndSuitCellsAreDrawn) {
  ASSERT_EQ(sprites.w, 128);
  const Rgba black = assetgen::kColours[0];
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) {
      bool card = x < 16 && y < 24;
      bool suits = x >= 16 && x < 48 && y < 8;
      if (!card && !suits) {
        EXPECT_EQ(sprites.at(x, y), black) << x << "," << y;
      }
    }
}

// The table draws a card, its suit at (4, 9) with black transparent, and the
// rank label in white at (offset, 4), offset from the width of the decimal rank.
TEST_F(Assets, RankLabelsAndSuitsStandOutOnTheCardFace) {
  ASSERT_EQ(sprites.w, 128);
  ASSERT_EQ(font.h, 8);
  const Rgba black = assetgen::kColours[0];
  const Rgba white = assetgen::kColours[3];
  std::vector<Cell> cells = fontCells(font);
  const std::string charset = assetgen::fontCharset();
  auto cellOf = [&](char c) { return cells[charset.rfind(c)]; };

  const char* labels[] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
  for (int rank = 1; rank <= 13; ++rank) {
    std::string label = labels[rank - 1];
    int decimalWidth = 0;
    for (char c : std::to_string(rank)) decimalWidth += cellOf(c).w + 1;
    double offset = 9.0 - decimalWidth / 2.0 + (rank > 10 ? 2.0 : 0.0);
    int x = static_cast<int>(offset);
    int ink = 0;
    for (char c : label) {
      Cell cell = cellOf(c);
      for (int gy = 0; gy < cell.h; ++gy)
        for (int gx = 0; gx < cell.w; ++gx) {
          if (font.at(cell.x + gx, gy) != assetgen::kInk) continue;
          ++ink;
          Rgba face = sprites.at(x + gx, 4 + gy);
          EXPECT_NE(face, black) << label << " at " << x + gx << "," << 4 + gy;
          EXPECT_NE(face, white) << label << " at " << x + gx << "," << 4 + gy;
        }
      x += cell.w + 1;
    }
    EXPECT_GT(ink, 0) << label;
  }

  for (int suit = 2; suit <= 5; ++suit) {
    int differing = 0;
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        Rgba face = sprites.at(4 + x, 9 + y);
        Rgba symbol = sprites.at(suit * 8 + x, y);
        EXPECT_NE(face, black) << "suit " << suit << " at " << x << "," << y;
        if (symbol != black) {
          EXPECT_NE(symbol, face) << "suit " << suit << " at " << x << "," << y;
          ++differing;
        }
      }
    EXPECT_GT(differing, 10) << "suit " << suit;
  }
}

struct BadSource {
  const char* what;
  bool font;  // else a sprite sheet source
  std::string text;
  const char* message;
};

// A font source with every glyph blank, in charset order, to break one by one.
std::string blankFont(int glyphs) {
  std::string text;
  std::string charset = assetgen::fontCharset();
  for (int i = 0; i < glyphs; ++i)
    text += "char " + std::to_string(static_cast<unsigned char>(charset[i])) + " x\n" +
            "...\n...\n...\n...\n...\n\n";
  return text;
}

TEST(AssetSources, MistakesInTheSourcesAreReportedWithTheirLine) {
  const std::string full = blankFont(95);
  const BadSource cases[] = {
      {"glyph out of order", true, "char 33 !\n...\n", "f:1: cell 0 holds code 32, not 33"},
      {"too few glyphs", true, blankFont(94), "f: 94 glyphs for 95 characters"},
      {"too many glyphs", true, full + "char 32 x\n...\n", "f:666: more glyphs than the charset"},
      {"ragged row", true, "char 32 x\n...\n....\n", "f:3: every glyph row needs the same width"},
      {"short glyph", true, "char 32 x\n...\n...\n\nchar 33 !\n...\n", "f:5: every glyph needs the same number of rows"},
      {"foreign pixel", true, "char 32 x\nx..\n", "f:2: glyph rows use only"},
      {"bad header", true, "glyph 32\n...\n", "f:1: expected \"char <code> <name>\""},
      {"unknown colour", false, "sprite a cell 0 2x1\n.r\n", "f:2: unknown colour letter 'r'"},
      {"wrong row count", false, "sprite a cell 0 2x2\n..\n", "f:1: sprite has 1 rows, not 2"},
      {"wrong row width", false, "sprite a cell 0 2x1\n...\n", "f:2: row is not 2 wide"},
      {"off the sheet", false, "sprite a cell 15 9x1\n.........\n", "f:1: sprite does not fit the sheet"},
      {"overlap", false, "sprite a cell 0 9x1\n.........\n\nsprite b cell 1 1x1\nw\n", "f:5: sprite overlaps another one"},
      {"bad header", false, "sprite a at 0 1x1\n.\n", "f:1: expected \"sprite <name> cell <n> <w>x<h>\""},
  };
  for (const BadSource& c : cases) {
    std::istringstream in(c.text);
    try {
      if (c.font)
        assetgen::parseFont(in, "f");
      else
        assetgen::parseSpriteSheet(in, "f");
      ADD_FAILURE() << c.what << ": accepted";
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << c.what << ": " << e.what();
    }
  }
}

TEST(AssetSources, CommentsAndBlankLinesAroundBlocksAreIgnored) {
  std::istringstream in("// sheet\n\n\nsprite a cell 17 2x1\n// a comment row\ncm\r\n\n");
  assetgen::Image image = assetgen::parseSpriteSheet(in, "f");
  auto pixel = [&](int x, int y) {
    size_t at = (static_cast<size_t>(y) * 128 + x) * 4;
    return Rgba{image.rgba[at], image.rgba[at + 1], image.rgba[at + 2], image.rgba[at + 3]};
  };
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) {
      Rgba expected = assetgen::kColours[0];
      if (y == 8 && x == 8) expected = assetgen::kColours[1];
      if (y == 8 && x == 9) expected = assetgen::kColours[2];
      EXPECT_EQ(pixel(x, y), expected) << x << "," << y;
    }
}

}  // namespace
