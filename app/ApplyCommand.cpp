#include "app/ApplyCommand.h"

#include "app/ApplySet.h"
#include "app/PostProcessSets.h"
#include "app/VORN.h"
#include "host/MessageBox.h"
#include "registry/clsRegistryAccess.h"

namespace vorn {
namespace {

int ApplyWithoutWindow(const CommandLine& line) {
  auto report = [&](const std::string& text, UINT style) {
    if (!line.quiet) host::ShowMessageBox(nullptr, text, kAppTitle, style);
  };
  const std::string folder = clsRegistryAccess().ReadString(kRegistryKey, kRegistryValue, "") + kFolderSuffix;
  if (InstallFolderMissing(folder)) {
    report(MissingInstallMessage(line.setName), MB_OK | MB_ICONEXCLAMATION);
    return kExitNotWritten;
  }
  const std::vector<FileFailure> failures = WriteSet(*SetForSelection(line.setName), [&] { return folder; });
  if (!failures.empty()) {
    report(FailureMessage(line.setName, failures, ErrorText), MB_OK | MB_ICONEXCLAMATION);
    return kExitNotWritten;
  }
  report("DONE!", MB_OK);
  return kExitDone;
}

}  // namespace

int RunCommandLine(const CommandLine& line) {
  switch (line.command) {
    case Command::Apply: return ApplyWithoutWindow(line);
    case Command::Usage:
      host::ShowMessageBox(nullptr, UsageText(), kAppTitle, MB_OK | MB_ICONINFORMATION);
      return kExitDone;
    case Command::Error:
      if (!line.quiet) {
        host::ShowMessageBox(nullptr, line.error + "\r\n\r\n" + UsageText(), kAppTitle, MB_OK | MB_ICONSTOP);
      }
      return kExitUsageError;
    case Command::Window: break;  // not a command: the caller opens the window
  }
  return kExitUsageError;
}

}  // namespace vorn
