#include "app/ApplySet.h"

#include <algorithm>

#include "app/Backup.h"
#include "app/CommandLine.h"
#include "app/ExtractResource.h"
#include "app/FileSystemObject.h"
#include "app/Utf8.h"
#include "app/Win32Error.h"
#include "host/UserObjects.h"

namespace vorn {
namespace {

// The versions of the file `fileName` that the tool carries, one per set.
std::vector<std::string_view> CarriedVersions(const char* fileName, HMODULE module) {
  std::vector<std::string_view> versions;
  for (const PostProcessSet* set : {&kNoneSet, &kFullSet}) {
    for (const SetFile& file : *set) {
      if (std::string_view(file.fileName) != fileName) continue;
      if (const auto bytes = CarriedItemBytes(file.item, kItemGroup, module)) versions.push_back(*bytes);
    }
  }
  return versions;
}

// Whether the file at `path` can be replaced now: it opens, sharing nothing,
// for replacing it (read and delete) or, failing that, for rewriting it.
int32_t OpenForReplacing(const std::wstring& path) {
  int32_t error = 0;
  for (const DWORD access : {GENERIC_READ | DELETE, GENERIC_READ | GENERIC_WRITE}) {
    SetLastError(0);
    user::File file(CreateFileW(path.c_str(), access, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) return 0;
    error = LastErrorOr(ERROR_OPEN_FAILED);
    if (error != ERROR_ACCESS_DENIED) break;
  }
  return error;
}

// Checks one target before anything is written; a held file is tried again
// until `waitMs` have passed since `start` (GetTickCount times, whose
// difference stays right across the counter's wrap).
int32_t CheckTarget(const std::string& path, DWORD start, DWORD waitMs) {
  const std::wstring wide = Widen(path);
  SetLastError(0);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return LastErrorOr(ERROR_FILE_NOT_FOUND);
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return kErrorTargetIsFolder;
  for (;;) {
    const int32_t error = OpenForReplacing(wide);
    if (!FileInUseError(error)) return error;
    if (GetTickCount() - start >= waitMs) return ERROR_SHARING_VIOLATION;
    Sleep(50);
  }
}

// Moves the per-user copies of the set's files out of the game's way: each
// is kept in the backup folder beside them (unless identical bytes are kept
// there already) and then removed.
void MoveAsideCopies(const PostProcessSet& set, const std::string& copies, WriteOutcome& outcome) {
  for (const SetFile& file : set) {
    const std::string path = copies + file.fileName;
    if (!FileExists(path)) continue;
    int32_t error = BackUpOriginal(copies, file.fileName, {});
    if (error == 0) {
      const std::wstring wide = Widen(path);
      SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
      SetLastError(0);
      if (!DeleteFileW(wide.c_str())) error = LastErrorOr(ERROR_ACCESS_DENIED);
    }
    if (error != 0) {
      outcome.copiesLeft.push_back({path, error});
    } else {
      outcome.copiesMoved.push_back(path);
      outcome.copiesBackup = copies + kBackupFolder + "\\";
    }
  }
}

bool AnyInUse(const std::vector<FileFailure>& failures) {
  return std::any_of(failures.begin(), failures.end(), [](const FileFailure& f) { return FileInUseError(f.error); });
}

// One line pair per file: the path, and why.
std::string FileLines(const std::vector<FileFailure>& failures, const std::function<std::string(int32_t)>& errorText) {
  std::string text;
  for (const FileFailure& f : failures) {
    std::string why = FileInUseError(f.error)           ? "in use by another program"
                      : f.error == kErrorTargetIsFolder ? "a folder stands where this file should be"
                                                        : errorText(f.error);
    text += "\r\n" + f.path + "\r\n    " + why;
    if (!f.original.empty()) text += "\r\n    its original is kept as " + f.original;
  }
  return text;
}

std::string Files(size_t count) { return std::to_string(count) + (count == 1 ? " file" : " files"); }

}  // namespace

WriteOutcome WriteSet(const PostProcessSet& set, const std::function<std::string()>& targetFolder,
                      const WriteOptions& options) {
  WriteOutcome outcome;
  std::vector<std::string> folders, paths;
  for (const SetFile& file : set) {
    folders.push_back(targetFolder());
    paths.push_back(folders.back() + file.fileName);
  }

  // Every target first: one that cannot be replaced means nothing is written.
  const DWORD start = GetTickCount();
  for (const std::string& path : paths) {
    if (const int32_t error = CheckTarget(path, start, options.heldFileWaitMs))
      outcome.failures.push_back({path, error});
  }
  if (!outcome.Written()) return outcome;

  // The player's own files are kept before any file is replaced.
  for (size_t i = 0; i < set.size(); ++i) {
    const int32_t error = BackUpOriginal(folders[i], set[i].fileName, CarriedVersions(set[i].fileName, options.module));
    if (error != 0) outcome.failures.push_back({paths[i], error});
  }
  if (!outcome.Written()) return outcome;

  std::vector<ReplacedOriginal> replaced;
  for (size_t i = 0; i < set.size(); ++i) {
    if (options.beforeReplacing) options.beforeReplacing(i, paths[i]);
    ReplacedOriginal original;
    if (const int32_t error = ReplaceWithItem(set[i].item, kItemGroup, paths[i], original, options.module)) {
      outcome.failures.push_back({paths[i], error});
      // A failure midway: the files already replaced get their originals back.
      for (auto r = replaced.rbegin(); r != replaced.rend(); ++r) {
        if (const int32_t restoreError = RestoreOriginal(*r)) {
          outcome.notPutBack.push_back({r->path, restoreError, r->kept});
        }
      }
      return outcome;
    }
    replaced.push_back(original);
  }
  for (const ReplacedOriginal& r : replaced) DiscardOriginal(r);

  if (!options.perUserCopies.empty()) MoveAsideCopies(set, options.perUserCopies, outcome);
  return outcome;
}

std::string ErrorText(int32_t error) {
  wchar_t* buffer = nullptr;
  const DWORD n =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::string text;
  if (n != 0 && buffer) text = Utf8(std::wstring_view(buffer, n));
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
  if (text.empty()) text = "error " + std::to_string(error);
  return text;
}

std::string UnknownSelectionMessage(const std::string& text) {
  return "\"" + text +
         "\" is not one of the two choices.\r\n\r\n"
         "Choose \"Full\" (the game's own effects) or \"None\" (no HDR and no blur), "
         "written exactly like that, then press APPLY.\r\n\r\nNothing was written.";
}

std::string MissingInstallMessage(const std::string& setName) {
  return "The \"" + setName +
         "\" set was not written: the game's installation folder was not found.\r\n\r\n"
         "The tool looks for it in the registry value PATH_APPLICATION under "
         "HKEY_LOCAL_MACHINE\\SOFTWARE\\Olverant\\VORN, which the game's installer writes.\r\n\r\n"
         "Nothing was written.";
}

std::string FailureMessage(const std::string& setName, const WriteOutcome& outcome,
                           const std::function<std::string(int32_t)>& errorText) {
  std::string text = "The \"" + setName + "\" set was not written. " +
                     (outcome.failures.size() == 1 ? "This file" : "These files") + " could not be replaced:\r\n" +
                     FileLines(outcome.failures, errorText);
  if (outcome.notPutBack.empty()) {
    text += "\r\n\r\nNothing was changed: the game keeps the set it had.";
  } else {
    text += "\r\n\r\n" + Files(outcome.notPutBack.size()) +
            " already replaced could not be put back, so the folder holds parts of both sets:\r\n" +
            FileLines(outcome.notPutBack, errorText) + "\r\n\r\nApply a set again once the cause is fixed.";
  }
  if (AnyInUse(outcome.failures)) {
    const bool one = std::count_if(outcome.failures.begin(), outcome.failures.end(),
                                   [](const FileFailure& f) { return FileInUseError(f.error); }) == 1;
    text += std::string("\r\n\r\nClose the game, or whatever program holds ") + (one ? "the file" : "these files") +
            ", and press APPLY again.";
  } else {
    text += "\r\n\r\nFix the cause and press APPLY again.";
  }
  return text;
}

std::string DoneMessage(const WriteOutcome& outcome, const std::function<std::string(int32_t)>& errorText) {
  std::string text = "DONE!";
  if (!outcome.copiesMoved.empty()) {
    text += "\r\n\r\nThe game was reading older per-user copies of " + Files(outcome.copiesMoved.size()) +
            " that Windows kept for your account. They were moved out of its way, into:\r\n" + outcome.copiesBackup;
  }
  if (!outcome.copiesLeft.empty()) {
    text += "\r\n\r\nThe game may still read older per-user copies that could not be moved:\r\n" +
            FileLines(outcome.copiesLeft, errorText) +
            "\r\n\r\nMove them out of that folder (or close what holds them) and press APPLY again.";
  }
  return text;
}

std::string PerUserCopyMessage(const std::string& copiesFolder, const std::string& setName) {
  return "The game does not read its own post-process files: Windows keeps per-user copies of them for your "
         "account, and a game that runs without administrator rights reads those:\r\n" +
         copiesFolder + "\r\n\r\nThey hold the \"" + setName +
         "\" set, which the list shows. APPLY writes the chosen set into the game's folder and moves these "
         "copies into a \"backup\" folder beside them.";
}

int ExitCodeFor(const WriteOutcome& outcome) {
  if (AnyInUse(outcome.failures)) return kExitInUse;
  if (!outcome.Written() || !outcome.copiesLeft.empty()) return kExitNotWritten;
  return kExitDone;
}

int ShowMessage(HWND owner, const std::string& text, UINT style, const std::string& title) {
  return MessageBoxW(owner, Widen(text).c_str(), Widen(title).c_str(), style);
}

}  // namespace vorn
