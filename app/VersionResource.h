// The version numbers of an executable, from its version resource.
#pragma once

#include <windows.h>

#include <optional>

namespace vorn {

struct FileVersion {
  unsigned major = 0, minor = 0, build = 0, revision = 0;
};

// The fixed file version of the module's file (the running executable when
// `module` is null); nothing when it has no version resource. The tool
// numbers its versions major.minor.revision and keeps the third field 0.
std::optional<FileVersion> ModuleFileVersion(HMODULE module = nullptr);

}  // namespace vorn
