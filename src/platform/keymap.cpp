// The key map: editing it, and its one-line text form
// 'Up:Up,W;Down:Down,S;...' with key names as the keyboard layout gives them.
#include "platform/keymap_state.hpp"

#include <SDL_keyboard.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>

namespace lumo {

KeymapState keymapState;

namespace {

constexpr int32_t maxScancode = 512;

std::vector<int32_t>& keysOf(LumoButton b) {
  auto i = static_cast<int32_t>(b);
  if (i >= buttonCount) throwRange(i);
  return keymapState.keymap[i];
}

std::string keyName(int32_t scancode) {
  return SDL_GetKeyName(SDL_GetKeyFromScancode(static_cast<SDL_Scancode>(toScancode(scancode))));
}

// Unknown names give 0, SDL's unknown scancode.
int32_t scancodeOf(const std::string& name) { return SDL_GetScancodeFromKey(SDL_GetKeyFromName(name.c_str())); }

// Button names match ignoring case and underscores: 'st_ART' names Start.
std::string foldName(std::string_view name) {
  std::string folded;
  for (char ch : name) {
    if (ch != '_') folded += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  }
  return folded;
}

std::optional<LumoButton> buttonNamed(std::string_view name) {
  std::string wanted = foldName(name);
  for (int32_t i = 0; i < buttonCount; ++i) {
    auto b = static_cast<LumoButton>(i);
    if (foldName(buttonName(b)) == wanted) return b;
  }
  return std::nullopt;
}

// Every piece between separators, empty ones included.
std::vector<std::string_view> cut(std::string_view text, char separator) {
  std::vector<std::string_view> pieces;
  size_t start = 0;
  for (size_t at; (at = text.find(separator, start)) != std::string_view::npos; start = at + 1) {
    pieces.push_back(text.substr(start, at - start));
  }
  pieces.push_back(text.substr(start));
  return pieces;
}

}  // namespace

int32_t toScancode(int32_t n) {
  if (n < 0 || n > maxScancode) throwRange(n);
  return n;
}

int32_t toInt(int32_t scancode) { return scancode; }

void clearKeysForBtn(LumoButton b) { keysOf(b).clear(); }

void addKeyForBtn(LumoButton b, int32_t scancode) {
  // Refused here rather than stored, so the map never holds a key it
  // cannot name.
  toScancode(scancode);
  std::vector<int32_t>& keys = keysOf(b);
  if (std::find(keys.begin(), keys.end(), scancode) == keys.end()) keys.push_back(scancode);
}

std::vector<std::string> getKeyNamesForBtn(LumoButton b) {
  std::vector<std::string> names;
  for (int32_t scancode : keysOf(b)) names.push_back(keyName(scancode));
  return names;
}

std::string getKeyMap() {
  std::string text;
  for (int32_t i = 0; i < buttonCount; ++i) {
    auto b = static_cast<LumoButton>(i);
    if (i > 0) text += ';';
    text += buttonName(b);
    text += ':';
    std::vector<std::string> names = getKeyNamesForBtn(b);
    for (size_t n = 0; n < names.size(); ++n) {
      if (n > 0) text += ',';
      text += names[n];
    }
  }
  return text;
}

void setKeyMap(const std::string& text) {
  if (text.empty()) return;
  for (std::string_view entry : cut(text, ';')) {
    // The empty entry after a trailing ';' names nothing.
    if (entry.empty()) continue;
    // Without a ':' the whole entry is the button name, with no keys.
    size_t colon = entry.find(':');
    std::string_view name = entry.substr(0, colon);
    std::string_view keyList = colon == std::string_view::npos ? std::string_view{} : entry.substr(colon + 1);
    std::optional<LumoButton> button = buttonNamed(name);
    if (!button) {
      output("invalid button name: ", name);
      return;
    }
    std::vector<int32_t>& keys = keysOf(*button);
    keys.clear();
    if (keyList.empty()) continue;
    for (std::string_view key : cut(keyList, ',')) keys.push_back(scancodeOf(std::string(key)));
  }
}

}  // namespace lumo
