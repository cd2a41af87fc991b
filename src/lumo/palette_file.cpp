// Palette files in the GIMP palette text format.
#include <optional>
#include <string_view>

#include "lumo/palette_state.hpp"
#include "platform/paths_state.hpp"

namespace lumo {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\r' || c == '\n' || c == '\f'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads an optionally signed decimal integer at `pos`, skipping underscores
// once a digit has been seen ('1_0' is 10). A value beyond 32 bits is a
// parse error rather than a silently wrapped colour.
std::optional<int32_t> readInteger(std::string_view line, size_t& pos) {
  size_t i = pos;
  bool negative = false;
  if (i < line.size() && (line[i] == '+' || line[i] == '-')) negative = line[i++] == '-';
  if (i >= line.size() || !isDigit(line[i])) return std::nullopt;
  int64_t magnitude = 0;
  const int64_t limit = negative ? int64_t{INT32_MAX} + 1 : int64_t{INT32_MAX};
  for (; i < line.size() && (isDigit(line[i]) || line[i] == '_'); ++i) {
    if (line[i] == '_') continue;
    magnitude = magnitude * 10 + (line[i] - '0');
    if (magnitude > limit) throwParse("number too large for 32 bits in palette line: " + std::string(line));
  }
  pos = i;
  return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

struct ColorLine {
  int32_t r, g, b;
};

// "<ws>R <ws>G <ws>B…": exactly one space must follow red and green; a tab
// alone between two numbers does not match. The colour's name is ignored.
std::optional<ColorLine> readColorLine(std::string_view line) {
  int32_t values[3];
  size_t pos = 0;
  for (int k = 0; k < 3; ++k) {
    if (k > 0) {
      if (pos >= line.size() || line[pos] != ' ') return std::nullopt;
      ++pos;
    }
    while (pos < line.size() && isSpace(line[pos])) ++pos;
    std::optional<int32_t> v = readInteger(line, pos);
    if (!v) return std::nullopt;
    values[k] = *v;
  }
  return ColorLine{values[0], values[1], values[2]};
}

// Calls `visit` with each line; a line ends at LF, CR or CR LF, and a NUL
// ends the text. Stops early when `visit` returns false.
template <typename Visit>
void forEachLine(std::string_view text, Visit visit) {
  text = text.substr(0, text.find('\0'));
  size_t start = 0;
  while (true) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      visit(text.substr(start));
      return;
    }
    if (!visit(text.substr(start, end - start))) return;
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
}

}  // namespace

void loadPaletteFromGPL(const std::string& fileName) {
  std::string text = readFile(pathState.assetPath + fileName);
  // Filled in a copy so a failure part-way leaves the palette as it was.
  std::array<Color, paletteSize> colors = paletteState.palette;
  int32_t n = 0;  // 0 until the header, then one more than the next slot
  forEachLine(text, [&](std::string_view line) {
    if (n == 0 && line.starts_with("GIMP Palette")) {
      n = 1;
      return true;
    }
    if (line.starts_with('#') || line.empty()) return true;
    // Before the header a colour line has no slot, so nothing is read.
    std::optional<ColorLine> c = n == 0 ? std::nullopt : readColorLine(line);
    if (!c) {
      output("not matched: ", line);
      return true;
    }
    output("matched ", n - 1, ":", c->r, ",", c->g, ",", c->b);
    colors[n - 1] = RGB(c->r, c->g, c->b);
    if (n >= paletteSize) return false;
    ++n;
    return true;
  });
  paletteState.palette = colors;
}

}  // namespace lumo
