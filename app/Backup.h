// Keeps a player's own post-process file before a carried one replaces it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// The folder, inside the game's postprocess folder, that holds the originals.
inline constexpr const char kBackupFolder[] = "backup";

// The name of the `number`th backup of `name`: "type3.xml", then
// "type3 (2).xml", "type3 (3).xml" and so on.
std::string BackupName(const std::string& name, int number);

// Keeps the file `folder + name` (UTF-8, `folder` ends in a separator) in
// `folder + "backup\"` unless its bytes equal one of the `carried` versions
// of that file or one of its backups there already. A new original gets a
// backup of its own under the first free BackupName; no backup is ever
// overwritten and identical bytes are never kept twice. The backup folder
// is created when needed. When there is no file (or a folder) at the path,
// there is nothing to keep and the writer reports it. Result: 0 when the
// file may be replaced, otherwise the Win32 error number of the step that
// failed; the file is then left as it is.
int32_t BackUpOriginal(const std::string& folder, const std::string& name,
                       const std::vector<std::string_view>& carried);

}  // namespace vorn
