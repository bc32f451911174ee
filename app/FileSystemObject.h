// The few file queries the window makes: existence and length.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vorn {

// True when `path` names an existing file (not a folder).
bool FileExists(const std::string& path);

// The length in bytes of the file at `path`; nothing when it cannot be read
// (missing file or folder, no access).
std::optional<int64_t> FileLength(const std::string& path);

// The folder of the running executable, without a trailing backslash.
std::string ProgramFolder();

}  // namespace vorn
