// Keeps a player's own post-process file before a carried one replaces it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// The folder, inside the game's postprocess folder, that holds the originals.
inline constexpr const char kBackupFolder[] = "backup";

// Copies the file `folder + name` to `folder + "backup\" + name` unless its
// bytes equal one of the `carried` versions of that file, or a backup of it
// exists already (the first original is kept, never overwritten). The
// backup folder is created when needed. When there is no file (or a folder)
// at the path, there is nothing to keep and the writer reports it.
// `folder` ends in a separator. Result: 0 when the file may be replaced,
// otherwise the Win32 error number of the step that failed; the file is then
// left as it is.
int32_t BackUpOriginal(const std::string& folder, const std::string& name,
                       const std::vector<std::string_view>& carried);

}  // namespace vorn
