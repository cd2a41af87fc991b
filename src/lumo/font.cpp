// Bitmap fonts and text.
#include "lumo/lumo.hpp"

namespace lumo {

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

void setFont(int32_t) {}

void loadFont(const std::string&, const std::string&) {}

}  // namespace lumo
