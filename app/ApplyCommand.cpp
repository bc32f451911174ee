#include "app/ApplyCommand.h"

#include "app/ApplySet.h"
#include "app/PostProcessSets.h"
#include "app/Report.h"
#include "app/VORN.h"
#include "registry/clsRegistryAccess.h"

namespace vorn {
namespace {

int ApplyWithoutWindow(const CommandLine& line) {
  Report output;
  auto report = [&](const std::string& text, UINT style) {
    if (!line.quiet) output.Show(text, style);
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
    case Command::Usage: Report().Show(UsageText(), MB_OK | MB_ICONINFORMATION); return kExitDone;
    case Command::Error:
      if (!line.quiet) Report().Show(line.error + "\r\n\r\n" + UsageText(), MB_OK | MB_ICONSTOP);
      return kExitUsageError;
    case Command::Window: break;  // not a command: the caller opens the window
  }
  return kExitUsageError;
}

}  // namespace vorn
