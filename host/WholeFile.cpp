#include "host/WholeFile.h"

#include <windows.h>

#include "host/UserObjects.h"

namespace host {

WholeFileRead ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
  bytes.clear();
  user::File file(
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD err = GetLastError();
    return err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND ? WholeFileRead::kNotFound
                                                                      : WholeFileRead::kNotOpened;
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart >= (1LL << 30)) return WholeFileRead::kReadFailed;
  bytes.resize(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  if (!bytes.empty() &&
      !(ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size())) {
    bytes.clear();
    return WholeFileRead::kReadFailed;
  }
  return WholeFileRead::kRead;
}

}  // namespace host
