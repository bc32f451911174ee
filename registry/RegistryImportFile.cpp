// ImportRegFile: applies a .reg file as regedit does, and keeps the lines it
// refused.
#include "registry/RegFileIO.h"
#include "registry/RegFileReader.h"
#include "registry/RegistryFileTarget.h"
#include "registry/RegistryWideText.h"
#include "registry/clsRegistryAccess.h"

int32_t clsRegistryAccess::ImportRegFile(const std::string& sRegFile) {
  refusedLines_.clear();
  try {
    std::wstring path;
    if (!registry_wide::ToWide(CP_UTF8, sRegFile, path, true) || path.empty()) {
      refusedLines_.push_back({0, "the file name is not UTF-8 text"});
      return 0;
    }
    std::string bytes;
    if (!reg_file::ReadWholeFile(path, bytes)) {
      refusedLines_.push_back({0, "the file cannot be read"});
      return 0;
    }
    reg_file::RegistryFileTarget target;
    refusedLines_ = reg_file::ReadRegFile(bytes, target);
  } catch (...) {
    refusedLines_.push_back({0, "out of memory"});
  }
  return refusedLines_.empty() ? 1 : 0;
}
