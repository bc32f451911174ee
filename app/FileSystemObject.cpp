#include "app/FileSystemObject.h"

#include <windows.h>

#include "app/Utf8.h"
#include "app/Win32Error.h"
#include "host/UserObjects.h"

namespace vorn {

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<int64_t> FileLength(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
  return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

int32_t ReadWholeFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  SetLastError(0);
  user::File file(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return LastErrorOr(ERROR_OPEN_FAILED);
  LARGE_INTEGER size{};
  SetLastError(0);
  if (!GetFileSizeEx(file.get(), &size)) return LastErrorOr(ERROR_READ_FAULT);
  // The post-process files are a few kilobytes; anything near 1 GiB is not one.
  if (size.QuadPart >= (1 << 30)) return ERROR_FILE_TOO_LARGE;
  std::string read(static_cast<size_t>(size.QuadPart), '\0');
  DWORD got = 0;
  SetLastError(0);
  if (!read.empty() &&
      (!ReadFile(file.get(), read.data(), static_cast<DWORD>(read.size()), &got, nullptr) || got != read.size())) {
    return LastErrorOr(ERROR_READ_FAULT);
  }
  bytes = std::move(read);
  return 0;
}

std::string ProgramPath() {
  // Paths may be longer than MAX_PATH: the buffer grows until the name fits.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return std::string();
    if (n < path.size()) return Utf8(std::wstring_view(path.data(), n));
    if (path.size() >= 32768) return std::string();
    path.resize(path.size() * 2);
  }
}

std::string ProgramFolder() {
  const std::string path = ProgramPath();
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace vorn
