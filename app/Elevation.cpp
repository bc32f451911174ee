#include "app/Elevation.h"

#include <shellapi.h>

#include <algorithm>

#include "app/ExtractResource.h"
#include "app/FileSystemObject.h"
#include "app/Utf8.h"
#include "host/UserObjects.h"

namespace vorn {

bool OfferElevation(const std::vector<FileFailure>& failures, bool elevated) {
  if (elevated) return false;
  // A file another program holds stays held for an administrator too.
  if (std::any_of(failures.begin(), failures.end(), [](const FileFailure& f) { return FileInUseError(f.error); })) {
    return false;
  }
  return std::any_of(failures.begin(), failures.end(),
                     [](const FileFailure& f) { return f.error == ERROR_ACCESS_DENIED; });
}

bool ProcessIsElevated() {
  HANDLE opened = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &opened)) return true;
  const user::File token(opened);
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  const BOOL known = GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation, &size);
  return !known || elevation.TokenIsElevated != 0;
}

std::string ElevationQuestion() { return "Windows denied access to the game's folder. Try again as administrator?"; }

ElevatedRun RunElevated(HWND owner, const std::string& arguments, const std::function<void(HANDLE)>& wait) {
  ElevatedRun run;
  const std::wstring exe = Widen(ProgramPath());
  if (exe.empty()) {
    run.startError = ERROR_BAD_PATHNAME;
    return run;
  }
  const std::wstring parameters = Widen(arguments);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.hwnd = owner;
  info.lpVerb = L"runas";
  info.lpFile = exe.c_str();
  info.lpParameters = parameters.c_str();
  info.nShow = SW_SHOWNORMAL;
  // The copy's messages may come to the front although it is a new process.
  AllowSetForegroundWindow(ASFW_ANY);
  SetLastError(0);
  if (!ShellExecuteExW(&info)) {
    const DWORD error = GetLastError();
    run.startError = error != 0 ? error : ERROR_CANNOT_MAKE;
    return run;
  }
  if (!info.hProcess) {
    run.startError = ERROR_INVALID_HANDLE;  // started, but there is no process to wait for
    return run;
  }
  wait(info.hProcess);
  if (!GetExitCodeProcess(info.hProcess, &run.exitCode)) run.exitCode = 1;
  CloseHandle(info.hProcess);
  return run;
}

}  // namespace vorn
