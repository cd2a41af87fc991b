#include "support/log.hpp"

#include <cmath>
#include <cstdio>

namespace lumo {

std::string formatFloat(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.16g", value);
  std::string text = buffer;
  if (std::isfinite(value) && text.find_first_of(".e") == std::string::npos) text += ".0";
  return text;
}

void writeDebugLine(std::initializer_list<std::string> pieces) {
  std::string line;
  bool first = true;
  for (const auto& piece : pieces) {
    if (!first) line += ", ";
    line += piece;
    first = false;
  }
  line += "\r\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
}

void writeOutputLine(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fwrite("\r\n", 1, 2, stdout);
  std::fflush(stdout);
}

}  // namespace lumo
