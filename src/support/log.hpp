// The two kinds of log line: `debug` lines on standard error (pieces joined
// by ", ", not flushed) and output lines on standard output (pieces
// concatenated, flushed). Both end in "\r\n".
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>

namespace lumo {

// A float as the log lines write it: up to 16 significant digits, always
// with a decimal point or exponent ("4.0", "4.6875").
std::string formatFloat(double value);

inline std::string logPiece(std::string_view s) { return std::string(s); }
inline std::string logPiece(const char* s) { return s ? std::string(s) : std::string("nil"); }
inline std::string logPiece(const std::string& s) { return s; }
inline std::string logPiece(char c) { return std::string(1, c); }
inline std::string logPiece(bool b) { return b ? "true" : "false"; }
inline std::string logPiece(double d) { return formatFloat(d); }
template <typename T>
  requires(std::is_integral_v<T> && !std::is_same_v<T, bool> && !std::is_same_v<T, char>)
std::string logPiece(T v) {
  return std::to_string(v);
}

void writeDebugLine(std::initializer_list<std::string> pieces);
void writeOutputLine(const std::string& line);

// debug("display", 512, 512) writes 'display, 512, 512'.
template <typename... Args>
void debug(const Args&... args) {
  writeDebugLine({logPiece(args)...});
}

// output("matched ", 3, ":", 0) writes 'matched 3:0'.
template <typename... Args>
void output(const Args&... args) {
  std::string line;
  ((line += logPiece(args)), ...);
  writeOutputLine(line);
}

}  // namespace lumo
