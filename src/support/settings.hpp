// The settings file's INI dialect: an ordered settings object, a reader and a
// writer. Loading and saving the file itself is the platform layer's.
//
// Dialect, as read:
//   - Lines end with "\n", "\r\n" or "\r". Spaces and tabs around tokens are
//     ignored. "#" and ";" begin a comment, on a line of its own or after a
//     header or value. Blank lines are ignored.
//   - "[name]" or "[\"name\"]" starts (or continues) the section of that name;
//     `[""]` names the section with the empty name. Key lines before any
//     header belong to the section with the empty name.
//   - A key line: key, "=" or ":", value. A key alone has the empty value.
//     Option lines "--key=value" / "--key:value" need no rule of their own:
//     "-" is a symbol character, so the key is read with its "--".
//   - Symbol characters: ASCII letters and digits, "_", "-", ".", "/", "\",
//     and bytes 128 and above. Unquoted keys, section names and values are
//     runs of them.
//   - Quoted keys, section names and values: double quotes with the escapes
//     \\ \" \' \n \r \t \0 and \xHH (exactly two hex digits); a raw line end
//     or any other escape is a syntax error. Values may also be in triple
//     double quotes, holding any bytes (line ends included, no escapes) but
//     three double quotes in a row.
//   - Reading stops at the first syntax error; everything before that line
//     is kept, nothing from it or after it.
//
// As written: see writeSettings.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lumo {

// Named sections in first-seen order, each an ordered map key -> value in
// first-seen order. Keys outside any section belong to the section with the
// empty name, which is always kept FIRST (a file can only hold it first), so
// that parseSettings(writeSettings(s)) == s holds for every s.
class Settings {
 public:
  using Entry = std::pair<std::string, std::string>;
  struct Section {
    std::string name;
    std::vector<Entry> entries;  // keys unique, in first-seen order
    bool operator==(const Section&) const = default;
  };

  // Creates the section and key as needed; a repeated key keeps its first
  // position and takes the new value.
  void set(const std::string& section, const std::string& key, const std::string& value);
  // The value, or nothing when the section or the key is missing.
  std::optional<std::string> get(const std::string& section, const std::string& key) const;
  // Creates the section, without keys, if it is missing.
  void addSection(const std::string& name);

  const std::vector<Section>& sections() const { return sections_; }
  bool empty() const { return sections_.empty(); }

  bool operator==(const Settings&) const = default;

 private:
  Section& sectionNamed(const std::string& name);
  std::vector<Section> sections_;
};

// Reads settings text; reading stops at the first syntax error, keeping what
// came before it.
Settings parseSettings(std::string_view text);

// Writes settings text, lines ending in "\n":
//   - the section with the empty name first, without a header (as `[""]` only
//     when it holds no keys, so that it is not lost); every other section under
//     "[name]", or `["name"]` with escapes when the name is empty or holds
//     other than symbol characters; a blank line before each header;
//   - one line per key: key "=" value, or key ":" value for option keys (those
//     beginning with "--"); a key that is empty or holds other than symbol
//     characters is written in double quotes with escapes;
//   - the empty value: the key alone; a value of symbol characters only: as it
//     is; a value holding a double quote: in triple double quotes (raw) when
//     they can hold it, i.e. it has no three double quotes in a row and does not
//     end with one; any other value: in double quotes, escaping \\ \" \n \r \t
//     and other bytes below 0x20 and 0x7F as \xHH (lowercase hex).
std::string writeSettings(const Settings& settings);

}  // namespace lumo
