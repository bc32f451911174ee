// Writing one post-process set into the game's folder, and the messages
// that tell the player what came of it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/PostProcessSets.h"

namespace vorn {

inline constexpr const char kAppTitle[] = "VORN : Lumatrim";
inline constexpr const char kFolderSuffix[] = "\\postprocess\\";

struct FileFailure {
  std::string path;   // the file that could not be written
  int32_t error = 0;  // Win32 error number
};

// Writes the eight files of `set`, each to targetFolder() + its file name
// (the folder is read afresh for every file). A file whose bytes are neither
// carried version of it is first kept in the backup folder (see
// BackUpOriginal); a failing backup fails that file and leaves it as it is.
// A failing file does not stop the others. Returns the files that failed,
// in set order.
std::vector<FileFailure> WriteSet(const PostProcessSet& set, const std::function<std::string()>& targetFolder,
                                  HMODULE module = nullptr);

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

// Message naming every file that failed and why; `errorText` turns an error
// number into words.
std::string FailureMessage(const std::string& setName, const std::vector<FileFailure>& failures,
                           const std::function<std::string(int32_t)>& errorText);

}  // namespace vorn
