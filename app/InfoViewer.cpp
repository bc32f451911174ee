#include "app/InfoViewer.h"

#include <windows.h>

#include <vector>

#include "app/FileSystemObject.h"
#include "app/Utf8.h"
#include "host/UserObjects.h"

namespace vorn {
namespace {

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
  const std::string folder = ProgramFolder();
  if (folder.empty()) return;
  const std::string file = folder + "\\" + kInfoFile;
  if (!FileExists(file)) return;
  const std::wstring windows = WindowsFolder();
  if (windows.empty()) return;
  ViewerCommand viewer = ViewerFor(windows, Widen(file));
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
