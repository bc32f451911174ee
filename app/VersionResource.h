// The version numbers of an executable, from its version resource.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>

namespace vorn {

struct FileVersion {
  unsigned major = 0, minor = 0, build = 0, revision = 0;
};

// The fixed file version of the module (the running executable when
// `module` is null); nothing when it has no version resource. Read from the
// module's own resource, without version.dll: that is no Known DLL, and
// importing it would load a version.dll lying beside the program. The tool
// numbers its versions major.minor.revision and keeps the third field 0.
std::optional<FileVersion> ModuleFileVersion(HMODULE module = nullptr);

// The fixed file version in the bytes of a version resource (a
// VS_VERSIONINFO block); nothing when they hold none.
std::optional<FileVersion> FixedFileVersion(const void* block, size_t size);

}  // namespace vorn
