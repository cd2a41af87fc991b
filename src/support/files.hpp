// Whole-file reading, folder creation and the date and time used in file names.
#pragma once

#include <string>

namespace lumo {

// The whole content of the file at exactly `name`; the IO error
// "cannot open: " + name when it cannot be opened.
std::string readWholeFile(const std::string& name);

// Writes `content` to `path` through a temporary file renamed over it, so
// a failed or interrupted write leaves the old file as it was. Returns false
// when the file cannot be written.
bool writeFileReplacing(const std::string& path, const std::string& content);

// Creates `path` and every missing parent; an existing folder is fine.
// Returns false when the operating system refuses.
bool createFolders(const std::string& path);

// The local date and time as "YYYY-MM-DDTHH-MM-SS" for file names.
std::string localTimestamp();

}  // namespace lumo
