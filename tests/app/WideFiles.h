// Files for the tool's tests, addressed like the tool addresses them: UTF-8
// paths through the wide calls, so folder names outside the ANSI code page
// work.
#pragma once

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
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

// A file or folder that not even an administrator may change while the mark
// is on: the Linux immutable flag, set through chattr (Wine runs Linux
// programs). Every write, rename and delete of such a file fails with access
// denied, as for a file whose access list denies this user; a marked folder
// takes no new files while the files in it stay writable. Wine keeps no
// access lists of its own. The mark goes when the owner does.
class ImmutableFile {
 public:
  explicit ImmutableFile(std::string path) : path_(std::move(path)) { set_ = Mark(true) && Settle(true); }
  ~ImmutableFile() { Clear(); }
  ImmutableFile(const ImmutableFile&) = delete;
  ImmutableFile& operator=(const ImmutableFile&) = delete;

  // Whether the mark is on: writing the file (or a new file in the folder)
  // is denied.
  bool Denied() const { return set_; }
  void Clear() {
    if (set_ && Mark(false)) Settle(false);
    set_ = false;
  }

 private:
  bool Refused() const {
    const bool folder = GetFileAttributesW(vorn::Widen(path_).c_str()) & FILE_ATTRIBUTE_DIRECTORY;
    const std::wstring probe = vorn::Widen(folder ? path_ + "\\probe.tmp" : path_);
    user::File file(
        CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, folder ? CREATE_NEW : OPEN_EXISTING, 0, nullptr));
    const DWORD error = GetLastError();
    if (file && folder) {
      file.Close();
      DeleteFileW(probe.c_str());
    }
    return !file && error == ERROR_ACCESS_DENIED;
  }

  // The handle Wine gives for a Linux program may signal before the program
  // ran: the file itself tells when the mark has changed.
  bool Settle(bool refused) const {
    for (int i = 0; i < 500; ++i) {
      if (Refused() == refused) return true;
      Sleep(10);
    }
    return false;
  }

  bool Mark(bool on) const {
    using UnixName = char*(CDECL*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName) return false;
    char* name = unixName(vorn::Widen(path_).c_str());
    if (!name) return false;
    std::wstring command = vorn::Widen(std::string("/usr/bin/chattr ") + (on ? "+i" : "-i") + " \"" + name + "\"");
    HeapFree(GetProcessHeap(), 0, name);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
      return false;
    }
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
  }

  std::string path_;
  bool set_ = false;
};

}  // namespace wide_files
