// The settings file "config.ini": loading with its fallback, saving, values.
#include "lumo/lumo.hpp"
#include "platform/paths_state.hpp"
#include "support/files.hpp"

namespace lumo {

namespace {

// Loads the file into `config`; false when it cannot be opened.
bool tryLoadConfig(const std::string& path) {
  std::string text;
  try {
    text = readWholeFile(path);
  } catch (const Error& e) {
    if (e.kind() == ErrorKind::IO) return false;
    throw;
  }
  pathState.config = parseSettings(text);
  output("loaded config from ", path);
  return true;
}

Settings& config() {
  if (!pathState.config) throwAssertion("not (config == nil)");
  return *pathState.config;
}

}  // namespace

void loadConfig() {
  if (tryLoadConfig(pathState.writePath + "/config.ini")) return;
  if (tryLoadConfig(pathState.basePath + "/config.ini")) return;
  output("no config file loaded");
  pathState.config = Settings{};
}

void saveConfig() {
  std::string path = pathState.writePath + "/config.ini";
  output("saving config to ", path);
  std::string text = writeSettings(config());
  if (writeFileReplacing(path, text)) {
    output("saved config to ", path);
  } else {
    output("error saving config");
  }
}

void updateConfigValue(const std::string& section, const std::string& key, const std::string& value) {
  config().set(section, key, value);
}

std::string getConfigValue(const std::string& section, const std::string& key) {
  return config().get(section, key).value_or("");
}

}  // namespace lumo
