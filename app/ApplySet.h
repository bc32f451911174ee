// Writing one post-process set into the game's folder, the whole set or
// nothing, and the messages that tell the player what came of it. Paths and
// texts are UTF-8 (see Utf8.h).
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/PostProcessSets.h"

namespace vorn {

inline constexpr const char kAppTitle[] = "VORN : Lumatrim";
inline constexpr const char kFolderSuffix[] = "\\postprocess\\";

// How long a file another program holds is tried again before it counts as
// in use: a virus scanner's or indexer's brief look does not fail APPLY.
inline constexpr DWORD kHeldFileWaitMs = 1000;

struct FileFailure {
  FileFailure(std::string path, int32_t error, std::string original = {})
      : path(std::move(path)), error(error), original(std::move(original)) {}

  std::string path;      // the file that could not be written (or put back, or moved)
  int32_t error = 0;     // Win32 error number (kErrorTargetIsFolder: a folder stands there)
  std::string original;  // a file not put back: where its original is kept
};

struct WriteOptions {
  HMODULE module = nullptr;  // carries the sets; null: this executable
  // The per-user VirtualStore copy of the target folder (VirtualStoreCopyOf);
  // empty when the folder is not virtualized.
  std::string perUserCopies;
  DWORD heldFileWaitMs = kHeldFileWaitMs;
  // Runs just before each file is replaced, once every file has been
  // checked (`index` in set order): tests make a later file fail there.
  std::function<void(size_t index, const std::string& path)> beforeReplacing;
};

struct WriteOutcome {
  // Why the set was not written; empty when the whole set is in place.
  std::vector<FileFailure> failures;
  // After a failure midway: replaced files whose originals could not be put
  // back, so the folder holds parts of both sets. Empty in every other case.
  std::vector<FileFailure> notPutBack;
  // Per-user copies of the set's files moved out of the game's way, and
  // where they went.
  std::vector<std::string> copiesMoved;
  std::string copiesBackup;
  // Per-user copies that could not be moved; the game may still read them.
  std::vector<FileFailure> copiesLeft;

  bool Written() const { return failures.empty(); }
};

// Writes the eight files of `set`, each to targetFolder() + its file name,
// as one whole: first every target is checked (it exists, is no folder, and
// no other program holds it; a held file is tried again for
// heldFileWaitMs in all), and when one fails nothing is written. Then each
// file whose bytes are neither carried version of it is kept in the backup
// folder (BackUpOriginal); a failing backup writes nothing either. Then the
// eight are replaced (ReplaceWithItem); when one fails, those already
// replaced are put back, so the folder holds the old set or the new one.
// Once the set is in place, the per-user copies of its files are moved into
// a backup folder beside them, their bytes kept.
WriteOutcome WriteSet(const PostProcessSet& set, const std::function<std::string()>& targetFolder,
                      const WriteOptions& options = {});

// True when the target folder is only the suffix, that is the game's
// installation folder was not found.
inline bool InstallFolderMissing(const std::string& targetFolder) { return targetFolder == kFolderSuffix; }

// The system's text for a Win32 error number, without the trailing line
// break; "error <n>" when the system has none.
std::string ErrorText(int32_t error);

// Message for a selector text that names neither set.
std::string UnknownSelectionMessage(const std::string& text);

// Message when the installation folder is unknown: nothing was written.
std::string MissingInstallMessage(const std::string& setName);

// Message for a set that was not written: each file that failed and why (a
// file another program holds reads as in use, with the advice to close the
// game and press APPLY again), and whether the folder kept its old set.
// `errorText` turns an error number into words.
std::string FailureMessage(const std::string& setName, const WriteOutcome& outcome,
                           const std::function<std::string(int32_t)>& errorText);

// Message for a set that was written: "DONE!", followed by what happened to
// per-user copies of the files when there were any.
std::string DoneMessage(const WriteOutcome& outcome, const std::function<std::string(int32_t)>& errorText);

// Message when the game reads per-user copies in `copiesFolder` instead of
// its own files: `setName` is the set type1.xml there belongs to.
std::string PerUserCopyMessage(const std::string& copiesFolder, const std::string& setName);

// The exit code of `/apply` for this outcome (see CommandLine.h).
int ExitCodeFor(const WriteOutcome& outcome);

// A modal message box with UTF-8 texts.
int ShowMessage(HWND owner, const std::string& text, UINT style, const std::string& title = kAppTitle);

}  // namespace vorn
