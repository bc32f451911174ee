// Keys, values and enumeration of clsRegistryAccess.
#include "registry/clsRegistryAccess.h"

#include "registry/RegKey.h"
#include "registry/RegistryKeyPath.h"
#include "registry/RegistryText.h"
#include "registry/StringValueData.h"

namespace {

constexpr REGSAM kKeyRead = KEY_READ;             // 0x20019
constexpr REGSAM kKeyWrite = KEY_WRITE;           // 0x20006
constexpr REGSAM kKeyAllAccess = KEY_ALL_ACCESS;  // 0xF003F
// Names and data travel through buffers of this size first.
constexpr DWORD kBufferSize = 255;
// Longest value name the registry stores, with room for its zero.
constexpr DWORD kMaxNameBuffer = 16384;

// The handle value a successful operation reports. Handles are small values,
// but a result must never read as failure, so a zero truncation becomes 1.
int32_t HandleResult(HKEY key) {
  const auto value = static_cast<int32_t>(reinterpret_cast<INT_PTR>(key));
  return value != 0 ? value : 1;
}

const BYTE* Bytes(const std::string& s) { return reinterpret_cast<const BYTE*>(s.data()); }
BYTE* Bytes(std::string& s) { return reinterpret_cast<BYTE*>(s.data()); }

// Opens the prepared key for writing and sets one value.
int32_t WriteValue(HKEY root, const std::string& subKey, const std::string& name, DWORD type, const BYTE* data,
                   DWORD size) {
  RegKey key;
  if (RegOpenKeyExA(root, subKey.c_str(), 0, kKeyWrite, key.put()) != ERROR_SUCCESS) return 0;
  if (RegSetValueExA(key.get(), name.c_str(), 0, type, data, size) != ERROR_SUCCESS) return 0;
  return HandleResult(key.get());
}

}  // namespace

void clsRegistryAccess::SplitKeyPath(const std::string& sPath) {
  std::string path = sPath;
  RootKey = registry_path::SplitKeyPath(path, SubKey);
}

int32_t clsRegistryAccess::CreateKey(const std::string& sPath) {
  SplitKeyPath(sPath);
  RegKey key;
  if (RegCreateKeyA(RootKey, SubKey.c_str(), key.put()) != ERROR_SUCCESS) return 0;
  return HandleResult(key.get());
}

int32_t clsRegistryAccess::KillKey(const std::string& sPath) {
  SplitKeyPath(sPath);
  RegKey key;
  if (RegOpenKeyExA(RootKey, SubKey.c_str(), 0, kKeyAllAccess, key.put()) != ERROR_SUCCESS) return 0;
  // Deletes the opened key itself; a refusal (subkeys left) is not reported.
  RegDeleteKeyA(key.get(), "");
  return HandleResult(key.get());
}

bool clsRegistryAccess::KeyExists(const std::string& sPath) {
  SplitKeyPath(sPath);
  RegKey key;
  return RegOpenKeyExA(RootKey, SubKey.c_str(), 0, kKeyAllAccess, key.put()) == ERROR_SUCCESS;
}

int32_t clsRegistryAccess::EnumKeys(const std::string& sPath, std::vector<std::string>& Key) {
  SplitKeyPath(sPath);
  Key.clear();
  RegKey key;
  if (RegOpenKeyA(RootKey, SubKey.c_str(), key.put()) != ERROR_SUCCESS) return -1;
  ListSubkeys(key.get(), Key);
  return static_cast<int32_t>(Key.size());
}

void clsRegistryAccess::ListSubkeys(HKEY key, std::vector<std::string>& Key, DWORD count) {
  // Key names are at most 255 characters: one retry with room for the zero.
  std::string name;
  for (DWORD index = 0; index < count; ++index) {
    LONG rc = ERROR_MORE_DATA;
    DWORD length = 0;
    for (DWORD size = kBufferSize; rc == ERROR_MORE_DATA && size <= kBufferSize + 1; ++size) {
      name.assign(size, ' ');
      length = size;
      rc = RegEnumKeyExA(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
    }
    // Stop at the end and on any error: an error repeats for every index.
    if (rc != ERROR_SUCCESS) break;
    Key.push_back(name.substr(0, length));
  }
}

bool clsRegistryAccess::HaveSubkey(const std::string& sPath) {
  SplitKeyPath(sPath);
  RegKey key;
  if (RegOpenKeyA(RootKey, SubKey.c_str(), key.put()) != ERROR_SUCCESS) return false;
  std::string name(kBufferSize, ' ');
  DWORD length = kBufferSize;
  return RegEnumKeyExA(key.get(), 0, name.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_NO_MORE_ITEMS;
}

bool clsRegistryAccess::WritePrelude(const std::string& sPath) {
  if (!KeyExists(sPath)) {
    if (!createKeyIfDoesntExists_) return false;
    CreateKey(sPath);
  }
  SplitKeyPath(sPath);
  return true;
}

int32_t clsRegistryAccess::WriteString(const std::string& sPath, const std::string& sName, const std::string& sValue) {
  if (!WritePrelude(sPath)) return 0;
  // The text without a terminating zero: the registry adds one on reading.
  return WriteValue(RootKey, SubKey, registry_value::StringValueName(sName), REG_SZ, Bytes(sValue),
                    static_cast<DWORD>(sValue.size()));
}

int32_t clsRegistryAccess::WriteDWORD(const std::string& sPath, const std::string& sName, int32_t lValue) {
  if (!WritePrelude(sPath)) return 0;
  const std::string bytes = registry_value::DwordData(lValue);
  return WriteValue(RootKey, SubKey, sName, REG_DWORD, Bytes(bytes), 4);
}

int32_t clsRegistryAccess::WriteBinary(const std::string& sPath, const std::string& sName, const std::string& sValue) {
  if (!WritePrelude(sPath)) return 0;
  std::string hex = sValue;
  const std::string bytes = StrToBin(hex);
  return WriteValue(RootKey, SubKey, sName, REG_BINARY, Bytes(bytes), static_cast<DWORD>(bytes.size()));
}

std::string clsRegistryAccess::ReadString(const std::string& sPath, const std::string& sName,
                                          const std::string& sDefault) {
  SplitKeyPath(sPath);
  RegKey key;
  if (RegOpenKeyExA(RootKey, SubKey.c_str(), 0, kKeyRead, key.put()) != ERROR_SUCCESS) return sDefault;
  std::string buffer(kBufferSize, ' ');
  DWORD size = kBufferSize;
  DWORD type = REG_SZ;
  if (RegQueryValueExA(key.get(), sName.c_str(), nullptr, &type, Bytes(buffer), &size) != ERROR_SUCCESS) {
    return sDefault;
  }
  const auto text = registry_value::TextFromStringData(std::string_view(buffer).substr(0, size), kBufferSize);
  return text ? *text : sDefault;
}

int32_t clsRegistryAccess::ReadDWORD(const std::string& sPath, const std::string& sName, int32_t lDefault) {
  SplitKeyPath(sPath);
  RegKey key;
  if (RegOpenKeyExA(RootKey, SubKey.c_str(), 0, kKeyRead, key.put()) != ERROR_SUCCESS) return lDefault;
  std::string buffer(4, '\0');
  DWORD size = 4;
  DWORD type = REG_DWORD;
  if (RegQueryValueExA(key.get(), sName.c_str(), nullptr, &type, Bytes(buffer), &size) != ERROR_SUCCESS) {
    return lDefault;
  }
  return registry_value::DwordFromData(std::string_view(buffer).substr(0, size), lDefault);
}

std::string clsRegistryAccess::ReadBinary(const std::string& sPath, const std::string& sName,
                                          const std::string& sDefault) {
  SplitKeyPath(sPath);
  RegKey key;
  if (RegOpenKeyExA(RootKey, SubKey.c_str(), 0, kKeyRead, key.put()) != ERROR_SUCCESS) return sDefault;
  // First query only learns the size.
  BYTE probe = 0;
  DWORD size = 1;
  DWORD type = REG_BINARY;
  RegQueryValueExA(key.get(), sName.c_str(), nullptr, &type, &probe, &size);
  std::string buffer(size, ' ');
  type = REG_BINARY;
  if (RegQueryValueExA(key.get(), sName.c_str(), nullptr, &type, buffer.empty() ? &probe : Bytes(buffer), &size) !=
      ERROR_SUCCESS) {
    return sDefault;
  }
  buffer.resize(size);
  return std::string(registry_text::TrimSpaces(BinToStr(buffer)));
}

int32_t clsRegistryAccess::KillValue(const std::string& sPath, const std::string& sName) {
  SplitKeyPath(sPath);
  RegKey key;
  if (RegOpenKeyExA(RootKey, SubKey.c_str(), 0, kKeyWrite, key.put()) != ERROR_SUCCESS) return 0;
  RegDeleteValueA(key.get(), sName.c_str());
  return HandleResult(key.get());
}

bool clsRegistryAccess::ValueExists(const std::string& sPath, const std::string& sName) {
  SplitKeyPath(sPath);
  RegKey key;
  if (RegOpenKeyExA(RootKey, SubKey.c_str(), 0, kKeyRead, key.put()) != ERROR_SUCCESS) return false;
  DWORD size = 1;
  return RegQueryValueExA(key.get(), sName.c_str(), nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS;
}

int32_t clsRegistryAccess::EnumValues(const std::string& sPath, std::vector<std::string>& sName,
                                      std::vector<RegistryValue>& sValue, int32_t OnlyType) {
  std::vector<ListedValue> listed;
  if (!ListValues(sPath, OnlyType, listed)) return -1;
  sName.clear();
  sValue.clear();
  for (ListedValue& entry : listed) {
    sName.push_back(std::move(entry.name));
    sValue.push_back(std::move(entry.value));
  }
  return static_cast<int32_t>(sName.size());
}

bool clsRegistryAccess::ListValues(const std::string& sPath, int32_t OnlyType, std::vector<ListedValue>& listed) {
  SplitKeyPath(sPath);
  // A handle of its own: the enumeration must survive other members' calls.
  RegKey key;
  if (RegOpenKeyA(RootKey, SubKey.c_str(), key.put()) != ERROR_SUCCESS) return false;
  ListValues(key.get(), OnlyType, listed);
  return true;
}

void clsRegistryAccess::ListValues(HKEY key, int32_t OnlyType, std::vector<ListedValue>& listed, DWORD count) {
  listed.clear();
  std::string name;
  std::string data;
  for (DWORD index = 0; index < count; ++index) {
    // Names and data beyond the first buffers: grow them and ask again, so a
    // long value is listed whole instead of cut.
    DWORD nameCapacity = kBufferSize;
    DWORD dataCapacity = kBufferSize;
    DWORD nameLength = 0;
    DWORD dataLength = 0;
    DWORD type = 0;
    LONG rc = ERROR_MORE_DATA;
    while (rc == ERROR_MORE_DATA) {
      name.assign(nameCapacity, ' ');
      data.assign(dataCapacity, ' ');
      nameLength = nameCapacity;
      dataLength = dataCapacity;
      rc = RegEnumValueA(key, index, name.data(), &nameLength, nullptr, &type, Bytes(data), &dataLength);
      if (rc != ERROR_MORE_DATA) break;
      if (dataLength > dataCapacity) {
        dataCapacity = dataLength;
      } else if (nameCapacity < kMaxNameBuffer) {
        nameCapacity = kMaxNameBuffer;
      } else {
        break;  // neither buffer can grow: give the index up
      }
    }
    // Stop at the end and on any other error, which would repeat forever.
    if (rc == ERROR_NO_MORE_ITEMS) break;
    if (rc != ERROR_SUCCESS) {
      if (rc == ERROR_MORE_DATA) continue;
      break;
    }
    if (OnlyType != -1 && static_cast<DWORD>(OnlyType) != type) continue;
    const std::string_view bytes = std::string_view(data).substr(0, dataLength);
    RegistryValue value;
    switch (type) {
      case REG_BINARY:
        value = dataLength < 1 ? std::string() : std::string(registry_text::TrimSpaces(BinToStr(std::string(bytes))));
        break;
      case REG_DWORD: value = registry_value::DwordFromData(bytes, 0); break;
      case REG_SZ:
        value = registry_value::TextFromStringData(bytes, std::string_view::npos).value_or(std::string());
        break;
      default: break;  // other types are listed by name only
    }
    listed.push_back({name.substr(0, nameLength), type, std::move(value)});
  }
}
