// The copy routines on in-memory surfaces, asserting whole screens.
#include <climits>
#include <cmath>

#include <gtest/gtest.h>

#include "blit_test_support.hpp"
#include "lumo/lumo.hpp"

namespace {

using namespace lumo;
using blittest::Grid;

// Eight columns, four rows; index 0 pixels are transparent by default.
const Grid sourceRows = {
    "12345678",
    "9abcdef1",
    "2.4.6.8.",
    "87654321",
};

class Blit : public testing::Test {
 protected:
  void SetUp() override { blittest::freshScreen(10, 6); }
  Surface src = blittest::indexedSurface(sourceRows);
};

TEST_F(Blit, OverlapTreatsFarEdgesAsInclusive) {
  struct Case {
    Rect a, b;
    bool expected;
  };
  const Case cases[] = {
      {{0, 0, 8, 8}, {8, 0, 8, 8}, true},   // adjacent columns share no pixel but count
      {{0, 0, 8, 8}, {9, 0, 8, 8}, false},  // a one-column gap
      {{0, 0, 8, 8}, {0, 8, 8, 8}, true},
      {{0, 0, 8, 8}, {0, 9, 8, 8}, false},
      {{9, 0, 8, 8}, {0, 0, 8, 8}, false},
      {{2, 2, 1, 1}, {0, 0, 8, 8}, true},
      {{INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX}, {0, 0, 8, 8}, false},  // sums beyond 32 bits
      {{INT32_MIN, 0, INT32_MAX, 1}, {0, 0, 8, 8}, false},
      {{INT32_MIN, 0, INT32_MAX, 1}, {-1, 0, 8, 8}, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(overlap(c.a, c.b), c.expected) << c.a.x << "," << c.a.y << " vs " << c.b.x << "," << c.b.y;
  }
}

struct FastCase {
  const char* name;
  int32_t sx, sy, dx, dy, w, h;
  Rect clipArea;  // w = 0: the whole screen
  Grid expected;
};

TEST_F(Blit, BlitFastDrawsOnlyWhatLiesInsideSourceAndClip) {
  const FastCase cases[] = {
      {"whole source",
       0, 0, 1, 1, 8, 4, {},
       {"..........",
        ".12345678.",
        ".9abcdef1.",
        ".2.4.6.8..",
        ".87654321.",
        ".........."}},
      {"source starts before the sheet",
       -2, -1, 0, 0, 5, 3, {},
       {"..........",
        "..123.....",
        "..9ab.....",
        "..........",
        "..........",
        ".........."}},
      {"destination starts before the screen",
       0, 0, -3, -2, 8, 4, {},
       {".6.8......",
        "54321.....",
        "..........",
        "..........",
        "..........",
        ".........."}},
      {"largest size reaching the screen edge",
       0, 0, 5, 4, INT32_MAX, INT32_MAX, {},
       {"..........",
        "..........",
        "..........",
        "..........",
        ".....12345",
        ".....9abcd"}},
      {"huge size from far left lands where an uncut walk would",
       INT32_MIN + 10, 0, INT32_MIN + 10, 0, INT32_MAX, 4, {},
       {"12345678..",
        "9abcdef1..",
        "2.4.6.8...",
        "87654321..",
        "..........",
        ".........."}},
      {"clip area",
       0, 0, 0, 0, 8, 4, {2, 1, 4, 2},
       {"..........",
        "..bcde....",
        "..4.6.....",
        "..........",
        "..........",
        ".........."}},
      {"zero width", 0, 0, 0, 0, 0, 4, {}, Grid(6, "..........")},
      {"negative height", 0, 0, 0, 0, 8, -1, {}, Grid(6, "..........")},
  };
  for (const FastCase& c : cases) {
    blittest::freshScreen(10, 6);
    if (c.clipArea.w != 0) clip(c.clipArea.x, c.clipArea.y, c.clipArea.w, c.clipArea.h);
    blitFast(src, c.sx, c.sy, c.dx, c.dy, c.w, c.h);
    EXPECT_EQ(blittest::screenGrid(), c.expected) << c.name;
  }
}

TEST_F(Blit, BlitFastFlipMirrorsTheSource) {
  struct Case {
    bool hflip, vflip;
    Grid expected;
  };
  const Case cases[] = {
      {false, false, {".12345678.", ".9abcdef1.", ".2.4.6.8..", ".87654321."}},
      {true, false, {".87654321.", ".1fedcba9.", "..8.6.4.2.", ".12345678."}},
      {false, true, {".87654321.", ".2.4.6.8..", ".9abcdef1.", ".12345678."}},
      {true, true, {".12345678.", "..8.6.4.2.", ".1fedcba9.", ".87654321."}},
  };
  for (const Case& c : cases) {
    blittest::freshScreen(10, 6);
    blitFastFlip(src, 0, 0, 1, 1, 8, 4, c.hflip, c.vflip);
    Grid expected = {".........."};
    expected.insert(expected.end(), c.expected.begin(), c.expected.end());
    expected.push_back("..........");
    EXPECT_EQ(blittest::screenGrid(), expected) << c.hflip << c.vflip;
  }
}

TEST_F(Blit, FlippedCopyCutAtTheSourceKeepsItsPlace) {
  // The mirrored source runs from column 5 down to −2: the last two
  // destination columns get nothing.
  blitFastFlip(src, -2, 0, 0, 0, 8, 1, true, false);
  EXPECT_EQ(blittest::screenGrid()[0], "654321....");
}

TEST_F(Blit, RawCopyIgnoresTransparencyAndColourMap) {
  Surface raw = blittest::indexedSurface({"1.#3"});
  pal(1, 9);
  pal(3, 0);
  struct Case {
    const char* name;
    void (*copy)(const Surface&, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t);
    std::string expected;
  };
  const Case cases[] = {
      // Index 0 is transparent; a byte above 15 maps through entry 0 of the
      // draw map; index 3 is opaque, then mapped to 0.
      {"mapped", blitFast, "95..555555"},
      {"raw", blitFastRaw, "1.#3555555"},
  };
  for (const Case& c : cases) {
    blittest::fillScreen(5);
    c.copy(raw, 0, 0, 0, 0, 4, 1);
    EXPECT_EQ(blittest::screenGrid()[0], c.expected) << c.name;
  }
}

TEST_F(Blit, TransparencyIsDecidedOnTheSourceIndexBeforeMapping) {
  Surface s = blittest::indexedSurface({"0123"});
  struct Case {
    const char* name;
    void (*setUp)();
    std::string expected;
  };
  const Case cases[] = {
      {"defaults", [] {}, "5123"},
      {"0 opaque", [] { palt(0, false); }, ".123"},
      {"0 opaque and mapped", [] { palt(0, false); pal(0, 7); }, "7123"},
      {"3 mapped to transparent 0 still drawn", [] { pal(3, 0); }, "512."},
      {"3 hidden although mapped", [] { pal(3, 9); palt(3, true); }, "5125"},
  };
  for (const Case& c : cases) {
    blittest::freshScreen(4, 1);
    blittest::fillScreen(5);
    c.setUp();
    blitFast(s, 0, 0, 0, 0, 4, 1);
    Grid unscaled = blittest::screenGrid();
    blittest::fillScreen(5);
    blit(s, {0, 0, 4, 1}, {0, 0, 4, 1}, false, false);
    EXPECT_EQ(blittest::screenGrid(), Grid{c.expected}) << c.name << " (scaled)";
    EXPECT_EQ(unscaled, Grid{c.expected}) << c.name;
  }
}

// The scaled copy done the plain way: every step added, every destination
// column walked. Rows outside the clip area only add their step.
void referenceBlit(const Surface& s, Rect sr, Rect dr, bool hflip, bool vflip) {
  const DrawState& d = drawState;
  if (!overlap(dr, d.clipRect)) return;
  double stepX = static_cast<double>(sr.w) / dr.w;
  double stepY = static_cast<double>(sr.h) / dr.h;
  double fy = sr.y;
  for (int64_t r = 0; r < dr.h; ++r, fy += stepY) {
    int64_t qy = vflip ? int64_t{dr.y} + dr.h - 1 - r : dr.y + r;
    if (qy < d.clipTop || qy > d.clipBottom) continue;
    double fx = sr.x;
    for (int64_t c = 0; c < dr.w; ++c, fx += stepX) {
      int64_t qx = hflip ? int64_t{dr.x} + dr.w - 1 - c : dr.x + c;
      if (fx < 0 || fy < 0 || s.w - 1 < std::trunc(fx) || s.h - 1 < std::trunc(fy)) continue;
      if (qx < d.clipLeft || qx > d.clipRight) continue;
      uint8_t v = s.data[static_cast<size_t>(std::trunc(fy)) * s.w + static_cast<size_t>(std::trunc(fx))];
      if (!d.transparentFlags[v]) drawState.screen.data[qy * drawState.screen.w + qx] = d.drawMap[v];
    }
  }
}

TEST_F(Blit, ScaledBlitMatchesTheAccumulatingWalk) {
  struct Case {
    Rect srcRect, dstRect;
  };
  const Case cases[] = {
      {{0, 0, 8, 4}, {1, 1, 16, 8}},
      {{0, 0, 8, 4}, {-3, 2, 8, 4}},  // equal sizes
      {{-2, -1, 8, 4}, {0, 0, 8, 4}},
      {{0, 0, 3, 1}, {0, 0, 9, 1}},
      {{0, 0, 8, 4}, {2, 1, 5, 3}},
      {{0, 0, 7, 3}, {-5, -3, 13, 7}},
      {{-2, -1, 8, 4}, {0, 0, 10, 5}},
      {{1, 1, -3, 2}, {0, 0, 9, 6}},  // a negative source width walks backwards
      {{0, 0, 8, 4}, {-1000003, -2000, 1000010, 2006}},
      {{0, 0, 8, 4}, {-999999, 3, 1000003, 2}},
  };
  for (const Case& c : cases) {
    for (int flips = 0; flips < 4; ++flips) {
      bool hflip = flips & 1;
      bool vflip = flips & 2;
      blittest::freshScreen(10, 6);
      clip(1, 0, 8, 5);
      referenceBlit(src, c.srcRect, c.dstRect, hflip, vflip);
      Grid expected = blittest::screenGrid();
      blittest::fillScreen(0);
      blit(src, c.srcRect, c.dstRect, hflip, vflip);
      EXPECT_EQ(blittest::screenGrid(), expected)
          << c.dstRect.x << "," << c.dstRect.y << "," << c.dstRect.w << "," << c.dstRect.h << " flips " << flips;
    }
  }
}

TEST_F(Blit, HugeScaledBlitSkipsOffscreenStepsExactly) {
  // Steps of 1 and 1/2 add exactly, so the skipped 2^30 columns must leave
  // the source position at a known place.
  const int32_t big = 1 << 30;
  struct Case {
    const char* name;
    Rect srcRect, dstRect;
    bool hflip;
    std::string row0;
  };
  const Case cases[] = {
      {"step 1", {2 - big, 0, big + 8, 4}, {2 - big, 0, big + 8, 4}, false, "12345678.."},
      {"step 1/2", {1 - big / 2, 0, big / 2 + 4, 4}, {2 - big, 0, big + 8, 4}, false, "1122334455"},
      {"mirrored", {12 - big, 0, big, 4}, {-3, 0, big, 4}, true, ".87654321."},
  };
  for (const Case& c : cases) {
    blittest::freshScreen(10, 6);
    blit(src, c.srcRect, c.dstRect, c.hflip, false);
    EXPECT_EQ(blittest::screenGrid()[0], c.row0) << c.name;
  }
}

TEST_F(Blit, ScaledBlitWithEmptyOrMissingDestinationDrawsNothing) {
  const Rect destinations[] = {{0, 0, 0, 4}, {0, 0, 8, 0}, {0, 0, -8, 4}, {0, 0, 8, -4}, {20, 0, 8, 4}};
  for (const Rect& d : destinations) {
    blit(src, {0, 0, 8, 4}, d, false, false);
    EXPECT_EQ(blittest::screenGrid(), Grid(6, "..........")) << d.x << "," << d.w << "," << d.h;
  }
}

TEST_F(Blit, ShortSurfaceDataIsTheIndexErrorNotARead) {
  Surface shortSurface = src;
  shortSurface.data.resize(20);  // rows 0 and 1 and half of row 2
  // Copies that stay within the bytes present succeed.
  blitFast(shortSurface, 0, 0, 0, 0, 8, 2);
  blit(shortSurface, {0, 0, 8, 2}, {0, 2, 8, 2}, false, false);
  EXPECT_EQ(blittest::screenGrid(),
            (Grid{"12345678..", "9abcdef1..", "12345678..", "9abcdef1..", "..........", ".........."}));
  auto expectIndexError = [](auto draw) {
    try {
      draw();
      FAIL() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::Index);
      EXPECT_STREQ(e.what(), "index out of bounds");
    }
  };
  expectIndexError([&] { blitFast(shortSurface, 0, 0, 0, 0, 8, 4); });
  expectIndexError([&] { blitFastRaw(shortSurface, 0, 0, 0, 0, 8, 4); });
  expectIndexError([&] { blitFastFlip(shortSurface, 0, 0, 0, 0, 8, 4, true, true); });
  expectIndexError([&] { blit(shortSurface, {0, 0, 8, 4}, {0, 0, 8, 4}, false, false); });
  expectIndexError([&] { blit(shortSurface, {0, 0, 8, 4}, {0, 0, 9, 5}, true, false); });
}

TEST_F(Blit, CopyReadsEachPixelWhenItGetsThere) {
  struct Case {
    const char* name;
    int32_t sx, sy, dx, dy, w, h;
    Rect clipArea;
    Grid expected;
  };
  const Grid start = {"12345.....", "6789a.....", "bcdef....."};
  const Case cases[] = {
      {"rightward smears", 0, 0, 1, 0, 4, 1, {}, {"11111.....", "6789a.....", "bcdef....."}},
      {"leftward shifts", 1, 0, 0, 0, 4, 1, {}, {"23455.....", "6789a.....", "bcdef....."}},
      {"downward smears", 0, 0, 0, 1, 2, 2, {}, {"12345.....", "1289a.....", "12def....."}},
      {"clipped", 0, 0, 1, 0, 4, 1, {0, 0, 3, 3}, {"11145.....", "6789a.....", "bcdef....."}},
      {"beyond the screen", 0, 0, 8, 1, 5, 2, {}, {"12345.....", "6789a...12", "bcdef...67"}},
  };
  for (const Case& c : cases) {
    blittest::freshScreen(10, 3);
    drawState.screen = blittest::indexedSurface(start);
    if (c.clipArea.w != 0) clip(c.clipArea.x, c.clipArea.y, c.clipArea.w, c.clipArea.h);
    copy(c.sx, c.sy, c.dx, c.dy, c.w, c.h);
    EXPECT_EQ(blittest::screenGrid(), c.expected) << c.name;
  }
}

TEST_F(Blit, CopyPixelsToMemRunsAcrossRowsAndStopsAtTheEnd) {
  for (int32_t i = 0; i < 60; ++i) drawState.screen.data[i] = static_cast<uint8_t>(i);
  struct Case {
    int32_t x, y;
    size_t length;
    std::vector<uint8_t> expected;  // 0xEE: left as it was
  };
  const Case cases[] = {
      {7, 0, 6, {7, 8, 9, 10, 11, 12}},                    // row 0 then row 1
      {-2, 0, 4, {0xEE, 0xEE, 0, 1}},                       // before the start: skipped
      {8, 5, 4, {58, 59, 0xEE, 0xEE}},                      // past the end: stops
      {INT32_MIN, INT32_MIN, 3, {0xEE, 0xEE, 0xEE}},        // far outside both ways
      {INT32_MAX, INT32_MAX, 3, {0xEE, 0xEE, 0xEE}},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> dest(c.length, 0xEE);
    copyPixelsToMem(c.x, c.y, dest);
    EXPECT_EQ(dest, c.expected) << c.x << "," << c.y;
  }
}

TEST_F(Blit, CopyMemToScreenStoresAnyByteInsideTheScreen) {
  copyMemToScreen(-3, 0, {1, 2, 3, 4, 5});
  copyMemToScreen(8, 1, {6, 200});
  copyMemToScreen(7, 5, {7, 8, 9, 10, 11});
  copyMemToScreen(INT32_MAX, INT32_MAX, {12});
  EXPECT_EQ(blittest::screenGrid(),
            (Grid{"45........", "........6#", "..........", "..........", "..........", ".......789"}));
}

}  // namespace
