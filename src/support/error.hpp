// Failures of the framework: exceptions carrying the system's message and a kind.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace lumo {

enum class ErrorKind : uint8_t {
  Range,      // a value outside its allowed range
  Index,      // an index outside a sequence
  Overflow,   // checked integer arithmetic left the 32-bit range
  IO,         // a file or device could not be read or written
  Assertion,  // a condition the caller had to keep was broken
  Key,        // a required key or member is missing
  Parse,      // text that does not follow its format
  Value,      // a value of the right type but unusable content
};

// The kind's name as the program's fatal report writes it, e.g. "IOError".
const char* errorKindName(ErrorKind kind);

class Error : public std::runtime_error {
 public:
  Error(ErrorKind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}
  ErrorKind kind() const { return kind_; }

 private:
  ErrorKind kind_;
};

// The range error for a value outside its allowed range: "value out of range: " + value.
[[noreturn]] void throwRange(int64_t value);
[[noreturn]] void throwIndex();
[[noreturn]] void throwOverflow();
[[noreturn]] void throwIO(const std::string& message);
[[noreturn]] void throwValue(const std::string& message);
[[noreturn]] void throwParse(const std::string& message);
[[noreturn]] void throwKey(const std::string& key);

// An assertion whose message is the failed condition, stored the way the
// system reports it: a line break and two spaces before, one space after.
[[noreturn]] void throwAssertion(const std::string& condition);

// The one-line report of an exception that reached the program entry, e.g.
// "Error: unhandled exception: Unable to load surface: x [IOError]".
std::string unhandledReport(const std::exception& e);

}  // namespace lumo
