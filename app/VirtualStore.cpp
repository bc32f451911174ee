#include "app/VirtualStore.h"

#include <windows.h>
#include <shlobj.h>

#include "app/Utf8.h"

namespace vorn {
namespace {

// A folder of the system or user by its CSIDL number (the call every
// Windows version has); empty where there is none.
std::string SystemFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return std::string();
  return Utf8(path);
}

// `text` in upper case by the system's rules for file names.
std::wstring Upper(std::wstring text) {
  if (!text.empty()) CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

// `path` with '/' as '\', each run of separators after the first character
// made one, and a trailing separator.
std::wstring Normalized(const std::string& path) {
  std::wstring out;
  for (wchar_t c : Widen(path)) {
    if (c == L'/') c = L'\\';
    if (c == L'\\' && out.size() > 1 && out.back() == L'\\') continue;
    out += c;
  }
  if (!out.empty() && out.back() != L'\\') out += L'\\';
  return out;
}

}  // namespace

VirtualizedFolders SystemVirtualizedFolders() {
  VirtualizedFolders folders;
  for (const int csidl : {CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86, CSIDL_WINDOWS, CSIDL_COMMON_APPDATA}) {
    const std::string root = SystemFolder(csidl);
    if (!root.empty()) folders.roots.push_back(root);
  }
  // A 32-bit program on 64-bit Windows is told the x86 folder for both
  // Program Files; the 64-bit one is in the environment.
  wchar_t native[MAX_PATH] = {};
  const DWORD n = GetEnvironmentVariableW(L"ProgramW6432", native, MAX_PATH);
  if (n > 0 && n < MAX_PATH) folders.roots.push_back(Utf8(native));
  folders.localAppData = SystemFolder(CSIDL_LOCAL_APPDATA);
  return folders;
}

std::string VirtualStoreCopyOf(const std::string& folder, const VirtualizedFolders& folders) {
  if (folders.localAppData.empty()) return std::string();
  const std::wstring path = Normalized(folder);
  // Only a full path with a drive letter is virtualized.
  if (path.size() < 3 || path[1] != L':' || path[2] != L'\\') return std::string();
  for (const std::string& rootText : folders.roots) {
    const std::wstring root = Normalized(rootText);
    if (root.empty() || root.size() > path.size()) continue;
    if (Upper(path.substr(0, root.size())) != Upper(root)) continue;
    return Utf8(Normalized(folders.localAppData) + L"VirtualStore" + path.substr(2));
  }
  return std::string();
}

std::string PerUserCopiesOf(const std::string& folder) {
  const std::wstring given = Widen(folder);
  std::wstring full(given.size() + MAX_PATH, L'\0');
  const DWORD n = GetLongPathNameW(given.c_str(), full.data(), static_cast<DWORD>(full.size()));
  const std::string longForm = n > 0 && n < full.size() ? Utf8(std::wstring_view(full.data(), n)) : folder;
  return VirtualStoreCopyOf(longForm, SystemVirtualizedFolders());
}

}  // namespace vorn
