// Bitmap fonts built from an image strip, and text drawn with them.
#include <algorithm>

#include "lumo/clip_walk.hpp"
#include "lumo/font_state.hpp"
#include "platform/paths_state.hpp"
#include "support/checked.hpp"

namespace lumo {

FontState fontState;

namespace {

// Pixel classes of a font image.
constexpr uint8_t clearPixel = 0;  // alpha 0
constexpr uint8_t inkPixel = 1;    // opaque, red 0: the only class drawn
constexpr uint8_t markPixel = 2;   // opaque, red above 0

const Font* currentFontOrNull() { return fontState.fonts[fontState.currentFont].get(); }

// The advance of a glyph cell: its scaled width and one scaled pixel of space.
int32_t advance(const Rect& cell, int32_t scale) { return checkedAdd(checkedMul(cell.w, scale), scale); }

// The cell for a byte, or nothing when the byte is past the font's codes.
const Rect* cellFor(const Font& font, char c) {
  size_t code = static_cast<uint8_t>(c);
  return code < font.rects.size() ? &font.rects[code] : nullptr;
}

}  // namespace

const std::string& builtinCharset() {
  static const std::string charset = [] {
    std::string s;
    for (int c = 32; c <= 64; ++c) s += static_cast<char>(c);
    for (int c = 97; c <= 122; ++c) s += static_cast<char>(c);
    for (int c = 91; c <= 96; ++c) s += static_cast<char>(c);
    for (int c = 65; c <= 90; ++c) s += static_cast<char>(c);
    s += "{:}~";
    return s;
  }();
  return charset;
}

FontRef createFontFromSurface(const Surface& surface, const std::string& charset) {
  auto font = std::make_shared<Font>();
  font->w = surface.w;
  font->h = surface.h;
  int32_t area = checkedArea(surface.w, surface.h);
  // The image is read as four bytes per pixel; anything shorter is refused
  // rather than read past its end.
  if (surface.data.size() / 4 < static_cast<size_t>(area)) throwIndex();
  font->data.resize(static_cast<size_t>(area));
  for (size_t i = 0; i < font->data.size(); ++i) {
    uint8_t red = surface.data[4 * i];
    uint8_t alpha = surface.data[4 * i + 3];
    font->data[i] = alpha == 0 ? clearPixel : red > 0 ? markPixel : inkPixel;
  }

  uint8_t highest = 0;
  for (char c : charset) highest = std::max(highest, static_cast<uint8_t>(c));
  font->rects.assign(static_cast<size_t>(highest) + 1, Rect{});
  if (area == 0) return font;

  const int32_t w = font->w;
  const int32_t h = font->h;
  const uint8_t separator = font->data[0];
  int32_t cellStart = 0;
  size_t cellCount = 0;
  for (int32_t x = 0; x < w; ++x) {
    if (font->data[x] != separator) continue;
    int32_t width = x - cellStart;
    if (width != 0) {
      // Two less than the lowest row where the closing column is a separator.
      int32_t lowest = 0;
      for (int32_t y = h - 1; y > 0; --y) {
        if (font->data[static_cast<size_t>(y) * w + x] == separator) {
          lowest = y;
          break;
        }
      }
      // Past the charset's end the first further cell reads as code 0;
      // any cell after that has no character at all.
      if (cellCount > charset.size()) throwIndex();
      uint8_t code = cellCount < charset.size() ? static_cast<uint8_t>(charset[cellCount]) : 0;
      font->rects[code] = {cellStart, 0, width, lowest - 2};
      ++cellCount;
    }
    cellStart = x + 1;
  }
  return font;
}

void loadFont(const std::string& fileName, const std::string& charset) {
  loadSurface(pathState.assetPath + fileName, [&charset](Surface& image) {
    fontState.fonts[fontState.currentFont] = createFontFromSurface(image, charset);
  });
  debug("font created from " + fileName);
}

void setFont(int32_t slot) {
  if (slot < 0 || slot >= fontSlotCount) return;
  fontState.currentFont = slot;
}

int32_t getFont() { return fontState.currentFont; }

void fontBlit(const Font& font, int32_t color, const Rect& src, const Rect& dst) {
  std::vector<uint8_t>& screen = drawState.screen.data;
  walkScaled(src, dst, false, false, font.w, font.h, font.data.size(), drawState.screenWidth, screen.size(),
             [&](size_t from, size_t to) {
               // Ink only, in the colour as given: text is not colour-mapped.
               if (font.data[from] == inkPixel) screen[to] = static_cast<uint8_t>(color);
             });
}

int32_t glyph(char c, int32_t x, int32_t y, int32_t scale) {
  const Font* font = currentFontOrNull();
  if (!font) return 0;
  const Rect* cell = cellFor(*font, c);
  if (!cell) return 0;
  Rect dst{x, y, checkedMul(cell->w, scale), checkedMul(cell->h, scale)};
  try {
    fontBlit(*font, drawState.currentColor, *cell, dst);
  } catch (const Error& e) {
    if (e.kind() == ErrorKind::Index) output("index error glyph: ", c, " @ ", x, ",", y);
    throw;
  }
  return advance(*cell, scale);
}

void print(const std::string& text, int32_t x, int32_t y, int32_t scale) {
  int32_t at = checkedSub(x, drawState.cameraX);
  int32_t top = checkedSub(y, drawState.cameraY);
  for (char c : text) at = checkedAdd(at, glyph(c, at, top, scale));
}

int32_t glyphWidth(char c, int32_t scale) {
  const Font* font = currentFontOrNull();
  if (!font) return 0;
  const Rect* cell = cellFor(*font, c);
  return cell ? advance(*cell, scale) : 0;
}

int32_t textWidth(const std::string& text, int32_t scale) {
  int32_t width = 0;
  for (char c : text) width = checkedAdd(width, glyphWidth(c, scale));
  return width;
}

void printr(const std::string& text, int32_t x, int32_t y, int32_t scale) {
  print(text, checkedSub(x, textWidth(text, scale)), y, scale);
}

void printc(const std::string& text, int32_t x, int32_t y, int32_t scale) {
  print(text, checkedSub(x, textWidth(text, scale) / 2), y, scale);
}

}  // namespace lumo
