// Whole-file reading, folder creation and the date and time used in file names.
#pragma once

#include <string>

namespace lumo {

// The whole content of the file at exactly `name`; the IO error
// "cannot open: " + name when it cannot be opened.
std::string readWholeFile(const std::string& name);

// Creates `path` and every missing parent; an existing folder is fine.
// Returns false when the operating system refuses.
bool createFolders(const std::string& path);

// The local date and time as "YYYY-MM-DDTHH-MM-SS" for file names.
std::string localTimestamp();

}  // namespace lumo
