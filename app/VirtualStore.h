// Windows' per-user copies of files under protected folders. A program that
// runs without a manifest and without administrator rights has its writes
// under Program Files, Windows or ProgramData silently redirected to
// %LOCALAPPDATA%\VirtualStore\<the path without its drive>, and it reads
// those copies back in preference to the real files. Earlier versions of
// this tool left such copies of the post-process files; a game that runs
// virtualized reads them instead of what APPLY writes.
#pragma once

#include <string>
#include <vector>

namespace vorn {

// The folders whose writes Windows virtualizes, and the user's local
// application-data folder that holds the VirtualStore. Paths are UTF-8.
struct VirtualizedFolders {
  std::vector<std::string> roots;  // Program Files (both), Windows, ProgramData
  std::string localAppData;
};

// The folders of this system and user (known folders; empty where the
// system has none).
VirtualizedFolders SystemVirtualizedFolders();

// The VirtualStore folder that mirrors `folder` when `folder` lies under one
// of the roots (compared without letter case, on whole folder names), with
// a trailing separator; empty otherwise. Doubled separators in `folder`
// count as one, as they do for the system.
std::string VirtualStoreCopyOf(const std::string& folder, const VirtualizedFolders& folders);

// VirtualStoreCopyOf for this system and user, with `folder` in its long
// form first (a registry value may hold C:\PROGRA~1\...).
std::string PerUserCopiesOf(const std::string& folder);

}  // namespace vorn
