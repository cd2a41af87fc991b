// File reading for the framework's loaders.
#include <nlohmann/json.hpp>

#include "lumo/lumo.hpp"
#include "support/files.hpp"

namespace lumo {

std::string readFile(const std::string& name) { return readWholeFile(name); }

nlohmann::json readJsonFile(const std::string& name) {
  std::string text = readFile(name);
  try {
    return nlohmann::json::parse(text);
  } catch (const nlohmann::json::parse_error& e) {
    throwParse(name + ": " + e.what());
  }
}

}  // namespace lumo
