#include "registry/RegistryFileTarget.h"

#include <string>

namespace reg_file {

namespace {

// Deletes parent\subKey and everything below it, deepest keys first (the
// platform's tree deletion is missing before Windows Vista).
LONG DeleteTree(HKEY parent, const std::wstring& subKey) {
  {
    RegKey key;
    LONG rc = RegOpenKeyExW(parent, subKey.c_str(), 0, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE, key.put());
    if (rc != ERROR_SUCCESS) return rc;
    for (;;) {
      wchar_t name[256];  // key names have at most 255 characters
      DWORD length = 256;
      rc = RegEnumKeyExW(key.get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr);
      if (rc == ERROR_NO_MORE_ITEMS) break;
      if (rc != ERROR_SUCCESS) return rc;
      rc = DeleteTree(key.get(), std::wstring(name, length));
      if (rc != ERROR_SUCCESS) return rc;
    }
  }  // closed before it is deleted
  return RegDeleteKeyW(parent, subKey.c_str());
}

}  // namespace

LONG RegistryFileTarget::OpenKey(HKEY root, std::wstring_view subKey) {
  const std::wstring path(subKey);
  return RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, key_.put(),
                         nullptr);
}

LONG RegistryFileTarget::DeleteKey(HKEY root, std::wstring_view subKey) {
  const LONG rc = DeleteTree(root, std::wstring(subKey));
  return rc == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : rc;
}

LONG RegistryFileTarget::SetValue(const std::wstring& name, DWORD type, const std::string& data) {
  if (!key_) return ERROR_INVALID_HANDLE;
  return RegSetValueExW(key_.get(), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                        static_cast<DWORD>(data.size()));
}

LONG RegistryFileTarget::DeleteValue(const std::wstring& name) {
  if (!key_) return ERROR_INVALID_HANDLE;
  const LONG rc = RegDeleteValueW(key_.get(), name.c_str());
  return rc == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : rc;
}

}  // namespace reg_file
