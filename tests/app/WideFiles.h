// Files for the tool's tests, addressed like the tool addresses them: UTF-8
// paths through the wide calls, so folder names outside the ANSI code page
// work.
#pragma once

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "app/Utf8.h"
#include "host/UserObjects.h"

namespace wide_files {

inline std::optional<std::string> ReadAll(const std::string& path) {
  user::File file(CreateFileW(vorn::Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr));
  if (!file) return std::nullopt;
  std::string bytes(GetFileSize(file.get(), nullptr), '\0');
  DWORD read = 0;
  if (!bytes.empty()) ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  bytes.resize(read);
  return bytes;
}

// Replaces the file's content, read-only or not; false when it could not.
inline bool WriteAll(const std::string& path, const std::string& bytes) {
  SetFileAttributesW(vorn::Widen(path).c_str(), FILE_ATTRIBUTE_NORMAL);
  user::File file(CreateFileW(vorn::Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  return file &&
         (bytes.empty() || WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
}

inline bool Exists(const std::string& path) {
  return GetFileAttributesW(vorn::Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The names in `folder` (no "." or ".."), sorted; folders only when asked.
inline std::vector<std::string> Names(const std::string& folder, bool withFolders = true) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(vorn::Widen(folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = vorn::Utf8(found.cFileName);
    if (name == "." || name == "..") continue;
    if (withFolders || !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

// Removes `path` with everything in it.
inline void RemoveTree(const std::string& path) {
  SetFileAttributesW(vorn::Widen(path).c_str(), FILE_ATTRIBUTE_NORMAL);
  if (DeleteFileW(vorn::Widen(path).c_str())) return;
  for (const std::string& name : Names(path)) RemoveTree(path + "\\" + name);
  RemoveDirectoryW(vorn::Widen(path).c_str());
}

}  // namespace wide_files
