#include "support/error.hpp"

namespace lumo {

const char* errorKindName(ErrorKind kind) {
  switch (kind) {
    case ErrorKind::Range: return "RangeError";
    case ErrorKind::Index: return "IndexError";
    case ErrorKind::Overflow: return "OverflowError";
    case ErrorKind::IO: return "IOError";
    case ErrorKind::Assertion: return "AssertionError";
    case ErrorKind::Key: return "KeyError";
    case ErrorKind::Parse: return "ParseError";
    case ErrorKind::Value: return "ValueError";
  }
  return "Error";
}

void throwRange(int64_t value) {
  throw Error(ErrorKind::Range, "value out of range: " + std::to_string(value));
}
void throwIndex() { throw Error(ErrorKind::Index, "index out of bounds"); }
void throwOverflow() { throw Error(ErrorKind::Overflow, "over- or underflow"); }
void throwIO(const std::string& message) { throw Error(ErrorKind::IO, message); }
void throwValue(const std::string& message) { throw Error(ErrorKind::Value, message); }
void throwParse(const std::string& message) { throw Error(ErrorKind::Parse, message); }
void throwKey(const std::string& key) { throw Error(ErrorKind::Key, "key not found: " + key); }

void throwAssertion(const std::string& condition) {
  throw Error(ErrorKind::Assertion, "\n  " + condition + " ");
}

std::string unhandledReport(const std::exception& e) {
  std::string message = e.what();
  std::string kind = "Exception";
  if (auto* error = dynamic_cast<const Error*>(&e)) {
    kind = errorKindName(error->kind());
    // Keep the report on one line: assertion messages carry a leading break.
    size_t start = message.find_first_not_of("\n ");
    message = start == std::string::npos ? std::string() : message.substr(start);
    while (!message.empty() && message.back() == ' ') message.pop_back();
  }
  return "Error: unhandled exception: " + message + " [" + kind + "]";
}

}  // namespace lumo
