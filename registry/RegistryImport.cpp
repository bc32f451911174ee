// ImportFromReg: applies a REGEDIT4 file to the registry.
#include "registry/RegFileIO.h"
#include "registry/RegFileParser.h"
#include "registry/RegistryImportSink.h"
#include "registry/clsRegistryAccess.h"

int32_t clsRegistryAccess::ImportFromReg(const std::string& sRegFile) {
  // Keys named by the file are created by the writes; this stays set.
  createKeyIfDoesntExists_ = true;
  try {
    if (!reg_file::FileExists(sRegFile)) return 0;
    std::string text;
    if (!reg_file::ReadWholeFile(sRegFile, text)) return 0;
    reg_file::RegistryImportSink sink(*this);
    return reg_file::ParseRegFile(text, sink) == reg_file::ImportResult::Imported ? 1 : 0;
  } catch (...) {
    return 0;
  }
}
