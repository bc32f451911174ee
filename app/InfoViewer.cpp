#include "app/InfoViewer.h"

#include <windows.h>

#include <vector>

#include "host/UserObjects.h"

namespace vorn {
namespace {

// The full path of a file beside this executable; empty when the
// executable's path cannot be read.
std::wstring BesideProgram(std::wstring_view name) {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return std::wstring();
    if (n < path.size()) {
      std::wstring folder(path.data(), n);
      const size_t slash = folder.find_last_of(L"\\/");
      if (slash == std::wstring::npos) return std::wstring();
      return folder.substr(0, slash + 1) + std::wstring(name);
    }
    if (path.size() >= 32768) return std::wstring();
    path.resize(path.size() * 2);
  }
}

std::wstring WindowsFolder() {
  std::vector<wchar_t> folder(MAX_PATH);
  UINT n = GetWindowsDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
  if (n >= folder.size()) {
    folder.resize(n + 1);
    n = GetWindowsDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
  }
  if (n == 0 || n >= folder.size()) return std::wstring();
  return std::wstring(folder.data(), n);
}

}  // namespace

ViewerCommand ViewerFor(std::wstring_view windowsFolder, std::wstring_view file) {
  ViewerCommand viewer;
  viewer.program = windowsFolder;
  if (!viewer.program.empty() && viewer.program.back() != L'\\') viewer.program += L'\\';
  viewer.program += L"Notepad.exe";
  viewer.commandLine = L"\"" + viewer.program + L"\" \"" + std::wstring(file) + L"\"";
  return viewer;
}

void OpenInfoFile() {
  const std::wstring file = BesideProgram(kInfoFile);
  if (file.empty()) return;
  const DWORD attributes = GetFileAttributesW(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
  const std::wstring folder = WindowsFolder();
  if (folder.empty()) return;
  ViewerCommand viewer = ViewerFor(folder, file);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (CreateProcessW(viewer.program.c_str(), viewer.commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &startup, &process)) {
    user::File thread(process.hThread);
    user::File child(process.hProcess);
  }
}

}  // namespace vorn
