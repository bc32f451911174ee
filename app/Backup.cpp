#include "app/Backup.h"

#include <windows.h>

#include <algorithm>

#include "app/FileSystemObject.h"
#include "app/Utf8.h"
#include "app/Win32Error.h"

namespace vorn {
namespace {

// Backups are numbered without a limit in principle; this many is far
// beyond any player's edits and keeps a broken folder from looping.
constexpr int kMostBackups = 9999;

}  // namespace

std::string BackupName(const std::string& name, int number) {
  if (number <= 1) return name;
  const size_t dot = name.find_last_of('.');
  const std::string stem = dot == std::string::npos ? name : name.substr(0, dot);
  const std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
  return stem + " (" + std::to_string(number) + ")" + extension;
}

int32_t BackUpOriginal(const std::string& folder, const std::string& name,
                       const std::vector<std::string_view>& carried) {
  const std::string path = folder + name;
  const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return 0;

  std::string bytes;
  if (const int32_t error = ReadWholeFile(path, bytes)) return error;
  if (std::find(carried.begin(), carried.end(), bytes) != carried.end()) return 0;

  const std::string backupFolder = folder + kBackupFolder + "\\";
  const DWORD folderAttributes = GetFileAttributesW(Widen(backupFolder).c_str());
  if (folderAttributes == INVALID_FILE_ATTRIBUTES || !(folderAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    SetLastError(0);
    if (!CreateDirectoryW(Widen(backupFolder).c_str(), nullptr)) return LastErrorOr(ERROR_CANNOT_MAKE);
  }
  // Every backup already kept is compared; the new one takes the first free
  // number, so a backup a player removed leaves its number for the next.
  // The numbers go on past a single gap only.
  const auto exists = [&](int number) {
    return GetFileAttributesW(Widen(backupFolder + BackupName(name, number)).c_str()) != INVALID_FILE_ATTRIBUTES;
  };
  int freeNumber = 0;
  for (int number = 1; number <= kMostBackups; ++number) {
    if (!exists(number)) {
      if (freeNumber == 0) freeNumber = number;
      if (!exists(number + 1)) break;
      continue;
    }
    const std::string backup = backupFolder + BackupName(name, number);
    const std::optional<int64_t> length = FileLength(backup);  // nothing for a folder of that name
    if (!length || static_cast<size_t>(*length) != bytes.size()) continue;
    std::string kept;
    if (ReadWholeFile(backup, kept) == 0 && kept == bytes) return 0;
  }
  if (freeNumber == 0) return ERROR_CANNOT_MAKE;
  // Copied by the system, so attributes and streams come along; never over
  // an existing file.
  SetLastError(0);
  if (!CopyFileW(Widen(path).c_str(), Widen(backupFolder + BackupName(name, freeNumber)).c_str(), TRUE)) {
    return LastErrorOr(ERROR_CANNOT_MAKE);
  }
  return 0;
}

}  // namespace vorn
