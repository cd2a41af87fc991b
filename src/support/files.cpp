#include "support/files.hpp"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/error.hpp"

namespace lumo {

std::string readWholeFile(const std::string& name) {
  std::error_code error;
  if (std::filesystem::is_directory(name, error)) throwIO("cannot open: " + name);
  std::ifstream in(name, std::ios::binary);
  if (!in) throwIO("cannot open: " + name);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

bool writeFileReplacing(const std::string& path, const std::string& content) {
  std::string temporary = path + ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out.flush()) {
      out.close();
      std::remove(temporary.c_str());
      return false;
    }
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

bool createFolders(const std::string& path) {
  std::error_code error;
  std::filesystem::create_directories(path, error);
  return !error && std::filesystem::is_directory(path, error);
}

std::string localTimestamp() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char buffer[32];
  std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H-%M-%S", &local);
  return buffer;
}

}  // namespace lumo
