#include "app/Backup.h"

#include <windows.h>

#include <algorithm>

#include "app/Win32Error.h"

namespace vorn {
namespace {

// Whether the file's bytes equal one of `carried`. Only a file whose length
// is one of theirs is read.
int32_t MatchesCarried(const std::string& path, const std::vector<std::string_view>& carried, bool& matches) {
  matches = false;
  SetLastError(0);
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return LastErrorOr(ERROR_OPEN_FAILED);
  int32_t error = 0;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size)) {
    error = LastErrorOr(ERROR_READ_FAULT);
  } else if (std::any_of(carried.begin(), carried.end(),
                         [&](std::string_view c) { return static_cast<LONGLONG>(c.size()) == size.QuadPart; })) {
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    SetLastError(0);
    if (!bytes.empty() &&
        (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size())) {
      error = LastErrorOr(ERROR_READ_FAULT);
    } else {
      matches = std::find(carried.begin(), carried.end(), bytes) != carried.end();
    }
  }
  CloseHandle(file);
  return error;
}

}  // namespace

int32_t BackUpOriginal(const std::string& folder, const std::string& name,
                       const std::vector<std::string_view>& carried) {
  const std::string path = folder + name;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return 0;

  bool carriedVersion = false;
  if (const int32_t error = MatchesCarried(path, carried, carriedVersion)) return error;
  if (carriedVersion) return 0;

  const std::string backupFolder = folder + kBackupFolder;
  const DWORD folderAttributes = GetFileAttributesA(backupFolder.c_str());
  if (folderAttributes == INVALID_FILE_ATTRIBUTES || !(folderAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    SetLastError(0);
    if (!CreateDirectoryA(backupFolder.c_str(), nullptr)) return LastErrorOr(ERROR_CANNOT_MAKE);
  }
  // Never over an existing backup: the first original stays.
  SetLastError(0);
  if (!CopyFileA(path.c_str(), (backupFolder + "\\" + name).c_str(), TRUE)) {
    const int32_t error = LastErrorOr(ERROR_CANNOT_MAKE);
    return error == ERROR_FILE_EXISTS ? 0 : error;
  }
  return 0;
}

}  // namespace vorn
