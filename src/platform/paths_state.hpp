// The program's folders and its loaded settings.
#pragma once

#include <optional>
#include <string>

#include "support/settings.hpp"

namespace lumo {

struct PathState {
  std::string basePath;   // the executable's folder
  std::string assetPath;  // basePath + "/assets/"
  std::string writePath;  // the per-user folder for everything written
  std::optional<Settings> config;
};

extern PathState pathState;

}  // namespace lumo
