#include "support/settings.hpp"

#include <cstddef>

namespace lumo {

// ---- Settings ------------------------------------------------------------

Settings::Section& Settings::sectionNamed(const std::string& name) {
  for (Section& section : sections_) {
    if (section.name == name) return section;
  }
  if (name.empty()) return *sections_.insert(sections_.begin(), Section{name, {}});
  return sections_.emplace_back(Section{name, {}});
}

void Settings::set(const std::string& section, const std::string& key, const std::string& value) {
  std::vector<Entry>& entries = sectionNamed(section).entries;
  for (Entry& entry : entries) {
    if (entry.first == key) {
      entry.second = value;
      return;
    }
  }
  entries.emplace_back(key, value);
}

std::optional<std::string> Settings::get(const std::string& section, const std::string& key) const {
  for (const Section& candidate : sections_) {
    if (candidate.name != section) continue;
    for (const Entry& entry : candidate.entries) {
      if (entry.first == key) return entry.second;
    }
    return std::nullopt;
  }
  return std::nullopt;
}

void Settings::addSection(const std::string& name) { sectionNamed(name); }

// ---- Characters ----------------------------------------------------------

namespace {

bool isSymbolChar(char c) {
  unsigned char byte = static_cast<unsigned char>(c);
  return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') ||
         byte == '_' || byte == '-' || byte == '.' || byte == '/' || byte == '\\' || byte >= 128;
}

bool isSymbolRun(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (!isSymbolChar(c)) return false;
  }
  return true;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

constexpr std::string_view kTripleQuote = "\"\"\"";

// ---- Reader --------------------------------------------------------------

class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}

  bool atEnd() const { return pos_ >= text_.size(); }
  // The current byte, or '\n' at the end so that the end reads as a line end.
  char peek() const { return atEnd() ? '\n' : text_[pos_]; }
  bool startsWith(std::string_view prefix) const { return text_.substr(pos_).starts_with(prefix); }
  void advance(std::size_t count = 1) { pos_ += count; }

  void skipBlanks() {
    while (!atEnd() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
  }

  // Blanks, an optional comment, then a line end (consumed) or the end.
  bool finishLine() {
    skipBlanks();
    if (!atEnd() && (text_[pos_] == '#' || text_[pos_] == ';')) {
      while (!atEnd() && text_[pos_] != '\n' && text_[pos_] != '\r') ++pos_;
    }
    if (atEnd()) return true;
    if (text_[pos_] == '\n') {
      ++pos_;
      return true;
    }
    if (text_[pos_] == '\r') {
      ++pos_;
      if (!atEnd() && text_[pos_] == '\n') ++pos_;
      return true;
    }
    return false;
  }

  // A run of symbol characters, possibly empty.
  std::string symbolRun() {
    std::size_t start = pos_;
    while (!atEnd() && isSymbolChar(text_[pos_])) ++pos_;
    return std::string(text_.substr(start, pos_ - start));
  }

  // A double-quoted string with escapes; the scanner is at the opening quote.
  bool quoted(std::string& out) {
    ++pos_;
    while (!atEnd()) {
      char c = text_[pos_++];
      if (c == '"') return true;
      if (c == '\n' || c == '\r') return false;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (atEnd()) return false;
      char escape = text_[pos_++];
      switch (escape) {
        case '\\': out += '\\'; break;
        case '"': out += '"'; break;
        case '\'': out += '\''; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case '0': out += '\0'; break;
        case 'x': {
          if (pos_ + 2 > text_.size()) return false;
          int high = hexDigit(text_[pos_]);
          int low = hexDigit(text_[pos_ + 1]);
          if (high < 0 || low < 0) return false;
          out += static_cast<char>(high * 16 + low);
          pos_ += 2;
          break;
        }
        default: return false;
      }
    }
    return false;
  }

  // A triple-quoted string, raw; the scanner is at the opening quotes.
  bool tripleQuoted(std::string& out) {
    std::size_t start = pos_ + kTripleQuote.size();
    std::size_t close = text_.find(kTripleQuote, start);
    if (close == std::string_view::npos) return false;
    out.assign(text_.substr(start, close - start));
    pos_ = close + kTripleQuote.size();
    return true;
  }

  // A key or section name: quoted, or a non-empty symbol run.
  bool name(std::string& out) {
    if (peek() == '"') return quoted(out);
    out = symbolRun();
    return !out.empty();
  }

  // A value: triple-quoted, quoted, or a symbol run (possibly empty).
  bool value(std::string& out) {
    if (startsWith(kTripleQuote)) return tripleQuoted(out);
    if (peek() == '"') return quoted(out);
    out = symbolRun();
    return true;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// ---- Writer helpers ------------------------------------------------------

std::string doubleQuoted(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out = "\"";
  for (char c : text) {
    unsigned char byte = static_cast<unsigned char>(c);
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '"': out += "\\\""; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (byte < 0x20 || byte == 0x7F) {
          out += "\\x";
          out += kHex[byte >> 4];
          out += kHex[byte & 0xF];
        } else {
          out += c;
        }
    }
  }
  out += '"';
  return out;
}

std::string nameText(std::string_view name) {
  return isSymbolRun(name) ? std::string(name) : doubleQuoted(name);
}

std::string valueText(std::string_view value) {
  if (isSymbolRun(value)) return std::string(value);
  bool tripleHolds = value.find(kTripleQuote) == std::string_view::npos && !value.ends_with('"');
  if (value.find('"') != std::string_view::npos && tripleHolds) {
    return std::string(kTripleQuote) + std::string(value) + std::string(kTripleQuote);
  }
  return doubleQuoted(value);
}

}  // namespace

Settings parseSettings(std::string_view text) {
  Settings settings;
  Scanner in(text);
  std::string section;
  while (!in.atEnd()) {
    in.skipBlanks();
    char first = in.peek();
    if (first == '\n' || first == '\r' || first == '#' || first == ';') {
      if (!in.finishLine()) break;
      continue;
    }
    if (first == '[') {
      in.advance();
      in.skipBlanks();
      std::string name;
      if (!in.name(name)) break;
      in.skipBlanks();
      if (in.peek() != ']') break;
      in.advance();
      if (!in.finishLine()) break;
      settings.addSection(name);
      section = std::move(name);
      continue;
    }
    std::string key;
    std::string value;
    if (!in.name(key)) break;
    in.skipBlanks();
    if (in.peek() == '=' || in.peek() == ':') {
      in.advance();
      in.skipBlanks();
      if (!in.value(value)) break;
    }
    if (!in.finishLine()) break;
    settings.set(section, key, value);
  }
  return settings;
}

std::string writeSettings(const Settings& settings) {
  std::string out;
  for (const Settings::Section& section : settings.sections()) {
    // The empty-name section is always first (Settings keeps it there).
    if (!section.name.empty() || section.entries.empty()) {
      if (!out.empty()) out += '\n';
      out += '[' + nameText(section.name) + "]\n";
    }
    for (const auto& [key, value] : section.entries) {
      out += nameText(key);
      if (!value.empty()) {
        out += key.starts_with("--") ? ':' : '=';
        out += valueText(value);
      }
      out += '\n';
    }
  }
  return out;
}

}  // namespace lumo
