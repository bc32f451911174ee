#include "registry/RegistryImportSink.h"

#include "registry/HexText.h"
#include "registry/RegistryKeyPath.h"
#include "registry/StringValueData.h"
#include "registry/clsRegistryAccess.h"

namespace reg_file {

namespace {
const BYTE* Bytes(const std::string& s) { return reinterpret_cast<const BYTE*>(s.data()); }
}  // namespace

HKEY RegistryImportSink::Key(const std::string& keyPath, bool create) {
  if (held_ && heldPath_ == keyPath) return held_.get();
  Release();
  std::string path = keyPath;
  std::string subKey;
  const HKEY root = registry_path::SplitKeyPath(path, subKey);
  HKEY key = nullptr;
  // Creating opens a key that exists; either way the key is then writable,
  // as the members' own open for writing requires.
  const LONG rc = create ? RegCreateKeyExA(root, subKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr)
                         : RegOpenKeyExA(root, subKey.c_str(), 0, KEY_WRITE, &key);
  if (rc != ERROR_SUCCESS) return nullptr;
  *held_.put() = key;
  heldPath_ = keyPath;
  return key;
}

void RegistryImportSink::Release() {
  held_.reset();
  heldPath_.clear();
}

bool RegistryImportSink::SetValue(const std::string& keyPath, const std::string& name, DWORD type,
                                  const std::string& data) {
  const HKEY key = Key(keyPath, true);
  if (key &&
      RegSetValueExA(key, name.c_str(), 0, type, Bytes(data), static_cast<DWORD>(data.size())) == ERROR_SUCCESS) {
    return true;
  }
  Release();
  return false;
}

void RegistryImportSink::KillKey(const std::string& keyPath) {
  // The held key may be the one deleted or lie below it.
  Release();
  registry_.KillKey(keyPath);
}

void RegistryImportSink::KillValue(const std::string& keyPath, const std::string& name) {
  // A missing key is not created for a deletion.
  if (const HKEY key = Key(keyPath, false)) {
    const LONG rc = RegDeleteValueA(key, name.c_str());
    if (rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND) return;
    Release();
  }
  registry_.KillValue(keyPath, name);
}

void RegistryImportSink::WriteBinary(const std::string& keyPath, const std::string& name, const std::string& hexText) {
  // The key comes before the conversion, which may throw.
  Key(keyPath, true);
  std::string hex = hexText;
  const std::string bytes = hex_text::StrToBin(hex);
  if (!SetValue(keyPath, name, REG_BINARY, bytes)) registry_.WriteBinary(keyPath, name, hexText);
}

void RegistryImportSink::WriteDWORD(const std::string& keyPath, const std::string& name, int32_t value) {
  if (!SetValue(keyPath, name, REG_DWORD, registry_value::DwordData(value))) {
    registry_.WriteDWORD(keyPath, name, value);
  }
}

void RegistryImportSink::WriteString(const std::string& keyPath, const std::string& name, const std::string& text) {
  // The text without a terminating zero, as WriteString stores it.
  if (!SetValue(keyPath, registry_value::StringValueName(name), REG_SZ, text)) {
    registry_.WriteString(keyPath, name, text);
  }
}

}  // namespace reg_file
