// The few file queries the tool makes. Paths are UTF-8 (see Utf8.h).
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

// Reads the whole file at `path` into `bytes`. Result: 0, or the Win32 error
// number of the step that failed (`bytes` is then empty).
int32_t ReadWholeFile(const std::string& path, std::string& bytes);

// The full path of the running executable; empty when it cannot be read.
std::string ProgramPath();

// The folder of the running executable, without a trailing backslash.
std::string ProgramFolder();

}  // namespace vorn
