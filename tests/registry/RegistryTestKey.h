// A registry key below HKEY_CURRENT_USER\Software owned by one test: created
// empty before it and removed, with everything below it, after it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "registry/RegKey.h"

namespace registry_test {

// Deletes a key and its whole subtree (test cleanup only), through the wide
// calls so that names outside the ANSI code page go too.
inline void DeleteTree(HKEY parent, const std::wstring& subKey) {
  RegKey key;
  if (RegOpenKeyExW(parent, subKey.c_str(), 0, KEY_ALL_ACCESS, key.put()) != ERROR_SUCCESS) return;
  for (int guard = 0; guard < 100000; ++guard) {
    wchar_t name[256];
    DWORD length = 256;
    if (RegEnumKeyExW(key.get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    DeleteTree(key.get(), std::wstring(name, length));
  }
  key.reset();  // closed before it is deleted
  RegDeleteKeyW(parent, subKey.c_str());
}

inline void DeleteTree(HKEY parent, const std::string& subKey) {
  DeleteTree(parent, std::wstring(subKey.begin(), subKey.end()));
}

inline bool RawKeyExists(const std::string& subKeyOfHkcu) {
  RegKey key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, subKeyOfHkcu.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return false;
  return true;
}

// A file name in the temporary folder, removed when the owner goes away.
class TempFile {
 public:
  explicit TempFile(const std::string& stem) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    path_ = std::string(dir) + "vorn_" + stem + "_" + std::to_string(GetCurrentProcessId()) + ".reg";
    DeleteFileA(path_.c_str());
  }
  ~TempFile() { DeleteFileA(path_.c_str()); }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  const std::string& path() const { return path_; }

  std::string Read() const {
    std::string bytes;
    if (FILE* f = std::fopen(path_.c_str(), "rb")) {
      char chunk[4096];
      size_t got;
      while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, got);
      std::fclose(f);
    }
    return bytes;
  }
  void Write(const std::string& bytes) const {
    FILE* f = std::fopen(path_.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }

 private:
  std::string path_;
};

// Runs "regedit.exe <arguments>" (the editor in the system folder) and waits
// for it; its exit code, or -1 when it could not be started or did not end.
inline int RunRegedit(const std::string& arguments) {
  std::string commandLine = "regedit.exe " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return -1;
  }
  DWORD code = static_cast<DWORD>(-1);
  if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

inline std::string Utf8(std::wstring_view text) {
  std::string out;
  for (wchar_t c : text) {
    char buffer[8];
    const int n = WideCharToMultiByte(CP_UTF8, 0, &c, 1, buffer, sizeof buffer, nullptr, nullptr);
    out.append(buffer, static_cast<size_t>(n > 0 ? n : 0));
  }
  return out;
}

// The tree below HKCU\subKey as text, read through the wide calls: one line
// per key (its path below subKey) and per value (name, type, bytes in hex),
// names in UTF-8, values sorted by name. Empty for a missing key.
inline std::string DumpTree(HKEY parent, const std::wstring& subKey, const std::string& relative = "") {
  RegKey key;
  if (RegOpenKeyExW(parent, subKey.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return "";
  std::string dump = "[" + relative + "]\n";
  std::vector<std::string> values;
  for (DWORD i = 0;; ++i) {
    wchar_t name[16384];
    DWORD nameLength = 16384;
    DWORD type = 0;
    DWORD size = 0;
    if (RegEnumValueW(key.get(), i, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
    std::string data(size, '\0');
    nameLength = 16384;
    RegEnumValueW(key.get(), i, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
    char line[64];
    std::snprintf(line, sizeof line, " type %lu, %lu bytes:", static_cast<unsigned long>(type),
                  static_cast<unsigned long>(size));
    std::string text = "  \"" + Utf8(std::wstring_view(name, nameLength)) + "\"" + line;
    for (size_t b = 0; b < size; ++b) {
      std::snprintf(line, sizeof line, " %02x", static_cast<unsigned char>(data[b]));
      text += line;
    }
    values.push_back(text + "\n");
  }
  std::sort(values.begin(), values.end());
  for (const std::string& value : values) dump += value;
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD length = 256;
    if (RegEnumKeyExW(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    const std::wstring child(name, length);
    dump += DumpTree(key.get(), child, relative + "\\" + Utf8(child));
  }
  return dump;
}

// Lines joined with CR LF after each.
inline std::string CrLfLines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// Fixture: `Sub` is the test key below HKCU ("Software\VornRegistryTests\<test>"),
// `Path` the same as a full key path with the short root name.
class RegistryKeyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    Sub = std::string("Software\\VornRegistryTests\\") + info->test_suite_name() + "." + info->name();
    Path = "HKCU\\" + Sub;
    DeleteTree(HKEY_CURRENT_USER, Sub);
  }
  void TearDown() override {
    DeleteTree(HKEY_CURRENT_USER, Sub);
    EXPECT_FALSE(RawKeyExists(Sub)) << "test key left behind";
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VornRegistryTests");  // only when empty
  }

  // Raw value writes, independent of the class under test.
  void RawSet(const std::string& sub, const std::string& name, DWORD type, const void* data, DWORD size) {
    RegKey key;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, sub.c_str(), key.put()), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key.get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
  }
  void RawSetString(const std::string& sub, const std::string& name, const std::string& text) {
    RawSet(sub, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
  }
  void RawSetDword(const std::string& sub, const std::string& name, DWORD value) {
    RawSet(sub, name, REG_DWORD, &value, 4);
  }
  void RawCreate(const std::string& sub) {
    RegKey key;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, sub.c_str(), key.put()), ERROR_SUCCESS);
  }
  // Type and bytes of a value, or false.
  bool RawGet(const std::string& sub, const std::string& name, DWORD& type, std::string& data) {
    RegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, sub.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return false;
    DWORD size = 0;
    LONG rc = RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size);
    if (rc == ERROR_SUCCESS) {
      data.assign(size, '\0');
      rc = RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
      data.resize(size);
    }
    return rc == ERROR_SUCCESS;
  }

  std::string Sub;
  std::string Path;
};

}  // namespace registry_test
