#include "app/InstallFolder.h"

#include <windows.h>

#include "app/Utf8.h"
#include "registry/RegKey.h"
#include "registry/RegistryText.h"

namespace vorn {

std::string ReadInstallFolder() {
  RegKey key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Olverant\\VORN", 0, KEY_READ, key.put()) != ERROR_SUCCESS) {
    return std::string();
  }
  // The size is asked first; a value that grows in between is asked again.
  std::wstring text;
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key.get(), L"PATH_APPLICATION", nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
    if (type != REG_SZ && type != REG_EXPAND_SZ) break;
    text.assign(size / sizeof(wchar_t) + 1, L'\0');
    DWORD got = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    const LONG result =
        RegQueryValueExW(key.get(), L"PATH_APPLICATION", nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &got);
    if (result == ERROR_MORE_DATA) continue;
    if (result != ERROR_SUCCESS) break;
    text.resize(got / sizeof(wchar_t));
    // The stored text ends at its first terminator, if it has one.
    text.resize(wcsnlen(text.c_str(), text.size()));
    return std::string(registry_text::TrimLeadingSpaces(Utf8(text)));
  }
  return std::string();
}

}  // namespace vorn
