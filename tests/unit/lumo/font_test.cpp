// Fonts built from small in-memory images, and text drawn with them.
#include <climits>

#include <gtest/gtest.h>

#include "blit_test_support.hpp"
#include "lumo/lumo.hpp"
#include "platform/paths_state.hpp"

namespace {

using namespace lumo;
using blittest::Grid;

// An RGBA surface from a character grid: 'R' opaque red and 'w' opaque
// white (class 2), '#' opaque black and 'c' opaque cyan (ink, class 1),
// '.' transparent black and 'o' transparent red (class 0).
Surface rgbaImage(const Grid& rows) {
  Surface s;
  s.channels = 4;
  s.h = static_cast<int32_t>(rows.size());
  s.w = static_cast<int32_t>(rows[0].size());
  for (const std::string& row : rows) {
    for (char c : row) {
      std::array<uint8_t, 4> rgba{};
      switch (c) {
        case 'R': rgba = {255, 0, 0, 255}; break;
        case 'w': rgba = {255, 255, 255, 255}; break;
        case '#': rgba = {0, 0, 0, 255}; break;
        case 'c': rgba = {0, 255, 255, 255}; break;
        case 'o': rgba = {255, 0, 0, 0}; break;
        default: rgba = {0, 0, 0, 0}; break;
      }
      s.data.insert(s.data.end(), rgba.begin(), rgba.end());
    }
  }
  return s;
}

// Two glyphs for "ab", three rows tall, in an image three rows taller;
// their holes hold the two classes that are never drawn.
const Grid twoGlyphs = {
    "R###R#.R",
    "R#w#R##R",
    "R###Ro#R",
    "R...R..R",
    "R...R..R",
    "R...R..R",
};

class Fonts : public testing::Test {
 protected:
  void SetUp() override {
    blittest::freshScreen(12, 6);
    fontState.fonts[0] = createFontFromSurface(rgbaImage(twoGlyphs), "ab");
    setColor(7);
  }
  void TearDown() override { pathState = PathState{}; }
};

Rect cellOf(const FontRef& font, char c) { return font->rects.at(static_cast<uint8_t>(c)); }

TEST_F(Fonts, PixelsAreClassedByAlphaThenRed) {
  FontRef font = createFontFromSurface(rgbaImage({"Rw#c.o"}), "");
  EXPECT_EQ(font->data, (std::vector<uint8_t>{2, 2, 1, 1, 0, 0}));
  EXPECT_EQ(font->w, 6);
  EXPECT_EQ(font->h, 1);
}

TEST_F(Fonts, CellsAreFoundBetweenSeparatorColumns) {
  struct Case {
    const char* name;
    Grid image;
    Rect a, b, c;
  };
  const Rect none{};
  const Case cases[] = {
      {"opaque red separators", twoGlyphs, {1, 0, 3, 3}, {5, 0, 2, 3}, none},
      {"transparent top-left pixel: transparent separators",
       {".#R.##.", ".R#.#R.", ".##.R#.", ".......", ".......", "......."},
       {1, 0, 2, 3}, {4, 0, 2, 3}, none},
      {"adjacent separators make no cell, trailing columns none",
       {"R#RR#R##", "R#RR#R##", "R.RR.R..", "RRRRRRRR"},
       {1, 0, 1, 1}, {4, 0, 1, 1}, none},
      {"each closing column sets its own cell's height",
       {"R#R#R#R#R", "R#R#R#R#R", "R#R#R###R", "R#R###R#R", "R#####R#R", "R#######R"},
       {1, 0, 1, 1}, {3, 0, 1, 0}, {5, 0, 1, 2}},
  };
  for (const Case& c : cases) {
    FontRef font = createFontFromSurface(rgbaImage(c.image), "abc");
    EXPECT_EQ(font->rects.size(), 100u) << c.name;
    EXPECT_EQ(cellOf(font, 'a'), c.a) << c.name;
    EXPECT_EQ(cellOf(font, 'b'), c.b) << c.name;
    EXPECT_EQ(cellOf(font, 'c'), c.c) << c.name;
  }
}

TEST_F(Fonts, CellHeightIsTwoAboveTheLowestSeparatorRowOfTheClosingColumn) {
  struct Case {
    std::string closingColumn;  // rows 0 to 5 of the column after the cell
    int32_t height;
  };
  const Case cases[] = {
      {"RRRRRR", 3}, {"R####R", 3}, {"R##R##", 1}, {"RRR###", 0}, {"RR####", -1}, {"R#####", -2},
  };
  for (const Case& c : cases) {
    Grid image;
    for (char pixel : c.closingColumn) image.push_back(std::string("R#") + pixel);
    FontRef font = createFontFromSurface(rgbaImage(image), "a");
    EXPECT_EQ(cellOf(font, 'a'), (Rect{1, 0, 1, c.height})) << c.closingColumn;
  }
}

TEST_F(Fonts, CellWithoutHeightDrawsNothingButAdvances) {
  fontState.fonts[0] = createFontFromSurface(rgbaImage({"R##R", "R##R", "R##R", "R###", "R###"}), "a");
  EXPECT_EQ(glyph('a', 0, 0, 1), 3);
  EXPECT_EQ(glyph('a', 0, 0, 2), 6);
  EXPECT_EQ(blittest::screenGrid(), Grid(6, "............"));
}

TEST_F(Fonts, ShortCharsetFilesOneCellUnderCodeZeroThenFails) {
  const Grid threeCells = {"R#R#R#R", "R#R#R#R", "R#R#R#R", "RRRRRRR"};
  const Grid twoCells = {"R#R#R", "R#R#R", "R#R#R", "RRRRR"};
  FontRef font = createFontFromSurface(rgbaImage(twoCells), "a");
  EXPECT_EQ(font->rects.size(), 98u);
  EXPECT_EQ(cellOf(font, 'a'), (Rect{1, 0, 1, 1}));
  EXPECT_EQ(font->rects[0], (Rect{3, 0, 1, 1}));

  FontRef empty = createFontFromSurface(rgbaImage({"R#R", "R#R", "R#R", "RRR"}), "");
  EXPECT_EQ(empty->rects, (std::vector<Rect>{{1, 0, 1, 1}}));

  for (const auto& [image, charset] : {std::pair{threeCells, std::string("a")}, std::pair{twoCells, std::string()}}) {
    try {
      createFontFromSurface(rgbaImage(image), charset);
      ADD_FAILURE() << "no error for charset '" << charset << "'";
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::Index);
      EXPECT_STREQ(e.what(), "index out of bounds");
    }
  }
}

TEST_F(Fonts, ImagesThatAreNotFourBytesPerPixelAreRefused) {
  Surface threeChannels = rgbaImage(twoGlyphs);
  threeChannels.data.resize(threeChannels.data.size() * 3 / 4);
  threeChannels.channels = 3;
  try {
    createFontFromSurface(threeChannels, "ab");
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Index);
  }
  Surface negative = rgbaImage(twoGlyphs);
  negative.w = -8;
  EXPECT_THROW(createFontFromSurface(negative, "ab"), Error);

  FontRef blank = createFontFromSurface(Surface{}, "ab");
  EXPECT_EQ(blank->rects, std::vector<Rect>(99));
}

TEST_F(Fonts, PrintDrawsInkInTheCurrentColourAtEveryScale) {
  struct Case {
    std::string text;
    int32_t x, y, scale;
    Grid expected;
    int32_t width;
  };
  const Grid blank(6, "............");
  const Case cases[] = {
      {"ab", 1, 1, 1,
       {"............", ".777.7......", ".7.7.77.....", ".777..7.....", "............", "............"}, 7},
      {"a", 0, 0, 2,
       {"777777......", "777777......", "77..77......", "77..77......", "777777......", "777777......"}, 8},
      {"ab", 0, 0, 0, blank, 0},
      {"ab", 6, 0, -1, blank, -7},
      {"", 0, 0, 1, blank, 0},
  };
  for (const Case& c : cases) {
    blittest::fillScreen(0);
    print(c.text, c.x, c.y, c.scale);
    EXPECT_EQ(blittest::screenGrid(), c.expected) << c.text << " at scale " << c.scale;
    EXPECT_EQ(textWidth(c.text, c.scale), c.width) << c.text << " at scale " << c.scale;
  }
  EXPECT_EQ(glyph('a', 0, 0, -1), -4);
  EXPECT_EQ(glyph('b', 0, 0, 0), 0);
  EXPECT_EQ(blittest::screenGrid(), blank);
}

TEST_F(Fonts, TextColourIsStoredUnmapped) {
  setColor(5);
  pal(5, 9);
  palt(5, true);
  print("a", 0, 0, 1);
  EXPECT_EQ(blittest::screenGrid(),
            (Grid{"555.........", "5.5.........", "555.........", "............", "............", "............"}));
}

TEST_F(Fonts, GlyphsAreCutAtTheClipArea) {
  struct Case {
    Rect area;
    Grid expected;
  };
  const Case cases[] = {
      {{2, 0, 10, 6}, {"..77........", "...7........", "..77........", "............", "............", "............"}},
      {{0, 2, 12, 4}, {"............", "............", ".777........", "............", "............", "............"}},
      {{4, 0, 8, 6}, Grid(6, "............")},
  };
  for (const Case& c : cases) {
    blittest::fillScreen(0);
    clip(c.area.x, c.area.y, c.area.w, c.area.h);
    EXPECT_EQ(glyph('a', 1, 0, 1), 4);
    EXPECT_EQ(blittest::screenGrid(), c.expected) << c.area.x << "," << c.area.y;
  }
}

TEST_F(Fonts, HugeScalesDrawOnlyTheClipAreaAtTheRightSourcePixel) {
  // A scale of 2^28 makes the step 2^-28, added exactly: the screen shows
  // one source pixel, the one the skipped steps lead to.
  const int32_t big = 1 << 28;
  struct Case {
    int32_t x, y;
    const char* fill;
  };
  const Case cases[] = {
      {0, 0, "777777777777"},       // source (0, 0) of the cell: ink
      {-big, 0, "777777777777"},    // source (1, 0): ink
      {-big, -big, "............"}, // source (1, 1): the hole in the middle
  };
  for (const Case& c : cases) {
    blittest::fillScreen(0);
    EXPECT_EQ(glyph('a', c.x, c.y, big), 4 * big);
    EXPECT_EQ(blittest::screenGrid(), Grid(6, c.fill)) << c.x << "," << c.y;
  }
  EXPECT_THROW(glyph('a', 0, 0, INT32_MAX), Error);  // width times scale overflows
}

TEST_F(Fonts, PrintAppliesTheCameraOnceAndAlignsByWidth) {
  struct Case {
    const char* name;
    void (*draw)();
    Grid top;  // rows 0 to 2; the rest stays blank
  };
  const Case cases[] = {
      {"print with camera", [] { setCamera(10, 0); print("b", 10, 0, 1); },
       {"7...........", "77..........", ".7.........."}},
      {"printr", [] { printr("b", 10, 0, 1); }, {".......7....", ".......77...", "........7..."}},
      {"printc, odd width", [] { printc("b", 10, 0, 1); }, {".........7..", ".........77.", "..........7."}},
      {"printc, even width", [] { printc("ba", 10, 0, 1); }, {".......7..77", ".......77.7.", "........7.77"}},
  };
  for (const Case& c : cases) {
    blittest::fillScreen(0);
    setCamera(0, 0);
    c.draw();
    Grid expected = c.top;
    expected.resize(6, "............");
    EXPECT_EQ(blittest::screenGrid(), expected) << c.name;
  }
}

TEST_F(Fonts, BuiltinCharsetExchangesCasesAndRepeatsTheColon) {
  // 95 cells one pixel wide; cell 92 has its ink in row 0, all others in row 1.
  Grid image(6, "R");
  for (int cell = 0; cell < 95; ++cell) {
    image[0] += cell == 92 ? "#R" : ".R";
    image[1] += cell == 92 ? ".R" : "#R";
    for (int row = 2; row < 6; ++row) image[row] += ".R";
  }
  fontState.fonts[0] = createFontFromSurface(rgbaImage(image), builtinCharset());
  EXPECT_EQ(builtinCharset().size(), 95u);
  EXPECT_EQ(fontState.fonts[0]->rects.size(), 127u);
  struct Case {
    char c;
    int cell;  // -1: no glyph
  };
  const Case cases[] = {
      {' ', 0}, {'0', 16}, {'@', 32}, {'a', 33}, {'z', 58}, {'[', 59}, {'`', 64},
      {'A', 65}, {'Z', 90}, {'{', 91}, {':', 92}, {'}', 93}, {'~', 94}, {'|', -1}, {'\n', -1},
  };
  for (const Case& c : cases) {
    Rect expected = c.cell < 0 ? Rect{} : Rect{2 * c.cell + 1, 0, 1, 3};
    EXPECT_EQ(cellOf(fontState.fonts[0], c.c), expected) << c.c;
  }

  print(":|a\x7f\x80", 0, 0, 1);
  EXPECT_EQ(blittest::screenGrid(),
            (Grid{"7...........", "...7........", "............", "............", "............", "............"}));
  EXPECT_EQ(textWidth(":|a\x7f\x80\xff", 1), 5);
  EXPECT_EQ(glyphWidth('|', 3), 3);
  EXPECT_EQ(glyphWidth('\x7f', 3), 0);
  EXPECT_EQ(glyph('\x80', 0, 0, 1), 0);
}

TEST_F(Fonts, SlotsSelectAndEmptySlotsDrawNothing) {
  for (int32_t ignored : {4, -1, INT32_MAX}) {
    setFont(ignored);
    EXPECT_EQ(getFont(), 0);
  }
  setFont(3);
  EXPECT_EQ(getFont(), 3);
  print("ab", 0, 0, 1);
  printr("ab", 10, 0, 1);
  printc("ab", 10, 0, 1);
  EXPECT_EQ(glyph('a', 0, 0, 1), 0);
  EXPECT_EQ(glyphWidth('a', 1), 0);
  EXPECT_EQ(textWidth("ab", 1), 0);
  EXPECT_EQ(blittest::screenGrid(), Grid(6, "............"));
}

TEST_F(Fonts, IndexErrorInAGlyphIsReportedAndRaisedAgain) {
  auto broken = std::make_shared<Font>(*fontState.fonts[0]);
  broken->data.resize(9);  // the image's first row and one more pixel
  fontState.fonts[0] = broken;
  testing::internal::CaptureStdout();
  try {
    glyph('a', 3, 4, 1);
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Index);
  }
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "index error glyph: a @ 3,4\r\n");
}

TEST_F(Fonts, LoadFontFillsTheCurrentSlotAndLogsOneLine) {
  std::string folder = blittest::freshFolder("fonts");
  pathState.assetPath = folder + "/";
  Surface image = rgbaImage(twoGlyphs);
  blittest::writePng(folder + "/tiny.png", image.w, image.h, 4, image.data);

  setFont(2);
  testing::internal::CaptureStderr();
  loadFont("tiny.png", "ab");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "font created from tiny.png\r\n");
  ASSERT_TRUE(fontState.fonts[2]);
  EXPECT_EQ(cellOf(fontState.fonts[2], 'b'), (Rect{5, 0, 2, 3}));
  EXPECT_EQ(fontState.fonts[2]->data, fontState.fonts[0]->data);

  FontRef before = fontState.fonts[2];
  testing::internal::CaptureStderr();
  try {
    loadFont("missing.png", "ab");
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::IO);
    EXPECT_EQ(std::string(e.what()), "Unable to load surface: " + folder + "/missing.png");
  }
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(fontState.fonts[2], before);
}

}  // namespace
