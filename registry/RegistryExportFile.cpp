// ExportRegFile: writes a key tree as regedit writes it, one block per key
// in depth-first pre-order, subkeys and values in the registry's order.
#include <algorithm>

#include "registry/RegFileOutput.h"
#include "registry/RegFileWriters.h"
#include "registry/RegKey.h"
#include "registry/RegistryKeyPath.h"
#include "registry/RegistryWideText.h"
#include "registry/clsRegistryAccess.h"

namespace {

// Writes the key's block and then, recursively, its subkeys'. False when a
// value or a subkey could not be read; the walk still goes on.
bool ExportTree(HKEY key, const std::wstring& path, RegFileOutput& out, bool unicode) {
  out.Write(reg_file::KeyBlockStart(path));
  DWORD subkeys = 0, values = 0, maxName = 0, maxData = 0;
  if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, &maxName, &maxData,
                       nullptr, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  bool complete = true;
  // The sizes the key reported; a value that grew since gets a second try.
  std::wstring name(maxName + 1, L'\0');
  std::string data(maxData + 1, '\0');
  for (DWORD index = 0, tries = 0; index < values;) {
    DWORD nameLength = static_cast<DWORD>(name.size());
    DWORD dataSize = static_cast<DWORD>(data.size());
    DWORD type = 0;
    const LONG rc = RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type,
                                  reinterpret_cast<BYTE*>(data.data()), &dataSize);
    if (rc == ERROR_MORE_DATA && ++tries < 4) {
      name.resize(std::max<size_t>(name.size() * 2, 16384));
      data.resize(std::max<size_t>(data.size() * 2, dataSize));
      continue;
    }
    tries = 0;
    ++index;
    if (rc == ERROR_NO_MORE_ITEMS) break;
    if (rc != ERROR_SUCCESS) {
      complete = false;
      continue;
    }
    out.Write(reg_file::ValueLine(std::wstring_view(name.data(), nameLength), type,
                                  std::string_view(data.data(), dataSize), unicode));
  }
  for (DWORD index = 0; index < subkeys; ++index) {
    wchar_t child[256];  // key names have at most 255 characters
    DWORD length = 256;
    const LONG rc = RegEnumKeyExW(key, index, child, &length, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    RegKey subkey;
    if (rc != ERROR_SUCCESS || RegOpenKeyExW(key, child, 0, KEY_READ, subkey.put()) != ERROR_SUCCESS) {
      complete = false;
      continue;
    }
    complete = ExportTree(subkey.get(), path + L"\\" + std::wstring(child, length), out, unicode) && complete;
  }
  return complete;
}

}  // namespace

int32_t clsRegistryAccess::ExportRegFile(const std::string& sPath, const std::string& sRegFile, bool unicode) {
  try {
    std::wstring path;
    std::wstring file;
    if (!registry_wide::ToWide(CP_UTF8, sPath, path, true) || !registry_wide::ToWide(CP_UTF8, sRegFile, file, true) ||
        file.empty()) {
      return 0;
    }
    std::wstring_view subKey;
    const registry_path::RootName* row = nullptr;
    const HKEY root = registry_path::SplitRegeditPath(path, true, subKey, &row);
    if (!root) return 0;
    while (!subKey.empty() && subKey.back() == L'\\') subKey.remove_suffix(1);
    RegKey key;
    if (RegOpenKeyExW(root, std::wstring(subKey).c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return 0;
    // The root in the long form regedit reads; the rest as the caller wrote it.
    std::wstring keyPath;
    registry_wide::ToWide(CP_UTF8, row->longName, keyPath);
    if (!subKey.empty()) keyPath.append(L"\\").append(subKey);

    RegFileOutput out(file, unicode);
    if (!out.Open()) return 0;
    out.Write(unicode ? L"\xFEFF" + std::wstring(reg_file::kRegedit5Header) + L"\r\n" : L"REGEDIT4\r\n");
    if (!ExportTree(key.get(), keyPath, out, unicode)) return 0;
    out.Write(L"\r\n");
    return out.Commit() ? 1 : 0;
  } catch (...) {
    return 0;
  }
}
