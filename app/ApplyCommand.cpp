#include "app/ApplyCommand.h"

#include "app/ApplySet.h"
#include "app/InstallFolder.h"
#include "app/PostProcessSets.h"
#include "app/Report.h"
#include "app/VirtualStore.h"

namespace vorn {
namespace {

int ApplyWithoutWindow(const CommandLine& line) {
  Report output;
  auto report = [&](const std::string& text, UINT style) {
    if (!line.quiet) output.Show(text, style);
  };
  const std::string folder = ReadInstallFolder() + kFolderSuffix;
  if (InstallFolderMissing(folder)) {
    report(MissingInstallMessage(line.setName), MB_OK | MB_ICONEXCLAMATION);
    return kExitNotWritten;
  }
  WriteOptions options;
  options.perUserCopies = PerUserCopiesOf(folder);
  const WriteOutcome outcome = WriteSet(
      *SetForSelection(line.setName), [&] { return folder; }, options);
  if (!outcome.Written()) {
    report(FailureMessage(line.setName, outcome, ErrorText), MB_OK | MB_ICONEXCLAMATION);
  } else {
    report(DoneMessage(outcome, ErrorText), outcome.copiesLeft.empty() ? MB_OK : MB_OK | MB_ICONEXCLAMATION);
  }
  return ExitCodeFor(outcome);
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
