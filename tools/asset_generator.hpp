// Turns the text sources of the game's images into PNG files: the default font
// strip and the sprite sheet. Header-only so the unit tests build the very same
// code the make_assets tool runs.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <stb_image_write.h>

#include "lumo/lumo.hpp"

namespace assetgen {

struct Image {
  int w = 0;
  int h = 0;
  std::vector<uint8_t> rgba;  // four bytes a pixel, row-major
};

using Rgba = std::array<uint8_t, 4>;

// The font strip: separators carry a class of their own (red > 0), ink has
// red 0, background is fully transparent.
inline constexpr Rgba kSeparator{255, 0, 0, 255};
inline constexpr Rgba kInk{0, 0, 0, 255};
inline constexpr Rgba kBackground{0, 0, 0, 0};

// The font loader reads a cell's height off its closing separator column as
// (lowest separator row) - 2, so full-height separators need three spare rows.
inline constexpr int kFontSpareRows = 3;

// The four-colour palette the game runs with, and the letters that name its
// entries in the sprite source.
inline constexpr int kSheetSize = 128;
inline constexpr int kCellSize = 8;
inline constexpr int kCellsPerRow = kSheetSize / kCellSize;
inline constexpr std::array<char, 4> kColourLetters{'.', 'c', 'm', 'w'};
inline constexpr std::array<Rgba, 4> kColours{{
    {0, 0, 0, 255},
    {85, 255, 255, 255},
    {255, 85, 255, 255},
    {255, 255, 255, 255},
}};

// The cell order of the default font: the framework's built-in charset.
inline std::string fontCharset() { return lumo::builtinCharset(); }

struct Glyph {
  int code = 0;
  std::vector<std::string> rows;  // '#' ink, '.' background
};

[[noreturn]] inline void sourceError(const std::string& name, int line, const std::string& what) {
  throw std::runtime_error(name + ":" + std::to_string(line) + ": " + what);
}

// Lines of a source with comment lines ("//" at the start) and trailing
// blanks dropped; blank lines are kept since they end blocks.
struct SourceLine {
  int number;
  std::string text;
};

inline std::vector<SourceLine> sourceLines(std::istream& in) {
  std::vector<SourceLine> lines;
  std::string text;
  for (int number = 1; std::getline(in, text); ++number) {
    while (!text.empty() && (text.back() == '\r' || text.back() == ' ' || text.back() == '\t'))
      text.pop_back();
    if (text.rfind("//", 0) == 0) continue;
    lines.push_back({number, text});
  }
  return lines;
}

// A block is a header line followed by its grid rows up to a blank line.
struct Block {
  SourceLine header;
  std::vector<SourceLine> rows;
};

inline std::vector<Block> sourceBlocks(std::istream& in) {
  std::vector<Block> blocks;
  bool open = false;
  for (const SourceLine& line : sourceLines(in)) {
    if (line.text.empty()) {
      open = false;
    } else if (!open) {
      blocks.push_back({line, {}});
      open = true;
    } else {
      blocks.back().rows.push_back(line);
    }
  }
  return blocks;
}

// Font source: blocks headed "char <code> <name>", one per cell in charset
// order, every grid the same size.
inline std::vector<Glyph> parseFont(std::istream& in, const std::string& name) {
  const std::string charset = fontCharset();
  std::vector<Glyph> glyphs;
  for (const Block& block : sourceBlocks(in)) {
    std::istringstream header(block.header.text);
    std::string keyword;
    Glyph glyph;
    if (!(header >> keyword >> glyph.code) || keyword != "char")
      sourceError(name, block.header.number, "expected \"char <code> <name>\"");
    size_t index = glyphs.size();
    if (index >= charset.size())
      sourceError(name, block.header.number, "more glyphs than the charset has characters");
    int expected = static_cast<unsigned char>(charset[index]);
    if (glyph.code != expected)
      sourceError(name, block.header.number,
                  "cell " + std::to_string(index) + " holds code " + std::to_string(expected) +
                      ", not " + std::to_string(glyph.code));
    for (const SourceLine& row : block.rows) {
      if (row.text.find_first_not_of(".#") != std::string::npos)
        sourceError(name, row.number, "glyph rows use only '.' and '#'");
      glyph.rows.push_back(row.text);
    }
    const Glyph& first = glyphs.empty() ? glyph : glyphs.front();
    if (glyph.rows.empty() || glyph.rows.size() != first.rows.size())
      sourceError(name, block.header.number, "every glyph needs the same number of rows");
    for (size_t r = 0; r < glyph.rows.size(); ++r)
      if (glyph.rows[r].size() != first.rows[0].size())
        sourceError(name, block.rows[r].number, "every glyph row needs the same width");
    glyphs.push_back(std::move(glyph));
  }
  if (glyphs.size() != charset.size())
    throw std::runtime_error(name + ": " + std::to_string(glyphs.size()) + " glyphs for " +
                             std::to_string(charset.size()) + " characters");
  return glyphs;
}

inline void setPixel(Image& image, int x, int y, const Rgba& colour) {
  size_t at = (static_cast<size_t>(y) * image.w + x) * 4;
  for (int i = 0; i < 4; ++i) image.rgba[at + i] = colour[i];
}

// One strip: a separator column, then each glyph followed by another one.
inline Image buildFontImage(const std::vector<Glyph>& glyphs) {
  int glyphW = static_cast<int>(glyphs.front().rows.front().size());
  int glyphH = static_cast<int>(glyphs.front().rows.size());
  Image image;
  image.w = 1 + static_cast<int>(glyphs.size()) * (glyphW + 1);
  image.h = glyphH + kFontSpareRows;
  image.rgba.resize(static_cast<size_t>(image.w) * image.h * 4);
  for (int y = 0; y < image.h; ++y)
    for (int x = 0; x < image.w; ++x)
      setPixel(image, x, y, x % (glyphW + 1) == 0 ? kSeparator : kBackground);
  for (size_t i = 0; i < glyphs.size(); ++i) {
    int left = 1 + static_cast<int>(i) * (glyphW + 1);
    for (int y = 0; y < glyphH; ++y)
      for (int x = 0; x < glyphW; ++x)
        if (glyphs[i].rows[y][x] == '#') setPixel(image, left + x, y, kInk);
  }
  return image;
}

// Sprite source: blocks headed "sprite <name> cell <n> <w>x<h>" (size in
// pixels), rows of colour letters; what no sprite covers stays black.
inline Image parseSpriteSheet(std::istream& in, const std::string& name) {
  Image image;
  image.w = kSheetSize;
  image.h = kSheetSize;
  image.rgba.resize(static_cast<size_t>(kSheetSize) * kSheetSize * 4);
  std::vector<bool> covered(static_cast<size_t>(kSheetSize) * kSheetSize, false);
  for (int y = 0; y < kSheetSize; ++y)
    for (int x = 0; x < kSheetSize; ++x) setPixel(image, x, y, kColours[0]);

  for (const Block& block : sourceBlocks(in)) {
    std::istringstream header(block.header.text);
    std::string keyword, spriteName, cellWord, size;
    int cell = -1;
    int w = 0, h = 0;
    char by = 0;
    if (!(header >> keyword >> spriteName >> cellWord >> cell >> size) || keyword != "sprite" ||
        cellWord != "cell" || !(std::istringstream(size) >> w >> by >> h) || by != 'x')
      sourceError(name, block.header.number, "expected \"sprite <name> cell <n> <w>x<h>\"");
    int left = (cell % kCellsPerRow) * kCellSize;
    int top = (cell / kCellsPerRow) * kCellSize;
    if (cell < 0 || w <= 0 || h <= 0 || left + w > kSheetSize || top + h > kSheetSize)
      sourceError(name, block.header.number, "sprite does not fit the sheet");
    if (static_cast<int>(block.rows.size()) != h)
      sourceError(name, block.header.number,
                  "sprite has " + std::to_string(block.rows.size()) + " rows, not " +
                      std::to_string(h));
    for (int y = 0; y < h; ++y) {
      const SourceLine& row = block.rows[y];
      if (static_cast<int>(row.text.size()) != w)
        sourceError(name, row.number, "row is not " + std::to_string(w) + " wide");
      for (int x = 0; x < w; ++x) {
        int colour = 0;
        while (colour < 4 && kColourLetters[colour] != row.text[x]) ++colour;
        if (colour == 4)
          sourceError(name, row.number, std::string("unknown colour letter '") + row.text[x] + "'");
        size_t at = static_cast<size_t>(top + y) * kSheetSize + left + x;
        if (covered[at]) sourceError(name, row.number, "sprite overlaps another one");
        covered[at] = true;
        setPixel(image, left + x, top + y, kColours[colour]);
      }
    }
  }
  return image;
}

inline std::ifstream openSource(const std::filesystem::path& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot open: " + path.string());
  return in;
}

inline void writePng(const Image& image, const std::filesystem::path& path) {
  if (!stbi_write_png(path.string().c_str(), image.w, image.h, 4, image.rgba.data(), image.w * 4))
    throw std::runtime_error("cannot write: " + path.string());
}

// Reads font.txt and sprites.txt from `sourceDir`, writes font.png and
// sprites.png into `outputDir`.
inline void generateAssets(const std::filesystem::path& sourceDir,
                           const std::filesystem::path& outputDir) {
  std::ifstream fontIn = openSource(sourceDir / "font.txt");
  Image font = buildFontImage(parseFont(fontIn, "font.txt"));
  std::ifstream spritesIn = openSource(sourceDir / "sprites.txt");
  Image sprites = parseSpriteSheet(spritesIn, "sprites.txt");
  writePng(font, outputDir / "font.png");
  writePng(sprites, outputDir / "sprites.png");
}

}  // namespace assetgen
