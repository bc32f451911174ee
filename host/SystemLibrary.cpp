#include "host/SystemLibrary.h"

#include <string>

namespace host {

namespace {

// kernel32 is a Known DLL and loaded in every process: looking it up loads
// nothing.
HMODULE Kernel32() { return GetModuleHandleW(L"kernel32.dll"); }

// LOAD_LIBRARY_SEARCH_SYSTEM32 is understood where AddDllDirectory exists
// (the same update brought both); elsewhere LoadLibraryExW refuses the flag.
bool SearchFlagsUnderstood() {
  static const bool understood = GetProcAddress(Kernel32(), "AddDllDirectory") != nullptr;
  return understood;
}

}  // namespace

bool UseSystemFolderForDlls() {
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  const auto setDefault = ProcAddress<SetDefaultDllDirectoriesFn>(Kernel32(), "SetDefaultDllDirectories");
  if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) return true;
  SetDllDirectoryW(L"");
  return false;
}

HMODULE LoadSystemLibrary(const wchar_t* name) {
  if (SearchFlagsUnderstood()) return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  // An older system: the full path into the system folder.
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::wstring path = std::wstring(folder, length) + L"\\" + name;
  return LoadLibraryW(path.c_str());
}

}  // namespace host
