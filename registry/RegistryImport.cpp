// ImportFromReg: applies a REGEDIT4 file through the class's own writers.
#include "registry/RegFileIO.h"
#include "registry/RegFileParser.h"
#include "registry/clsRegistryAccess.h"

namespace {

// Each change a file line asks for, applied with the class's members; their
// results are not examined, so a line that fails does not stop the import.
class RegistrySink : public reg_file::ImportSink {
 public:
  explicit RegistrySink(clsRegistryAccess& registry) : registry_(registry) {}
  void KillKey(const std::string& keyPath) override { registry_.KillKey(keyPath); }
  void KillValue(const std::string& keyPath, const std::string& name) override {
    registry_.KillValue(keyPath, name);
  }
  void WriteBinary(const std::string& keyPath, const std::string& name, const std::string& hexText) override {
    registry_.WriteBinary(keyPath, name, hexText);
  }
  void WriteDWORD(const std::string& keyPath, const std::string& name, int32_t value) override {
    registry_.WriteDWORD(keyPath, name, value);
  }
  void WriteString(const std::string& keyPath, const std::string& name, const std::string& text) override {
    registry_.WriteString(keyPath, name, text);
  }

 private:
  clsRegistryAccess& registry_;
};

}  // namespace

int32_t clsRegistryAccess::ImportFromReg(const std::string& sRegFile) {
  // Keys named by the file are created by the writes; this stays set.
  createKeyIfDoesntExists_ = true;
  try {
    if (!reg_file::FileExists(sRegFile)) return 0;
    std::string text;
    if (!reg_file::ReadWholeFile(sRegFile, text)) return 0;
    RegistrySink sink(*this);
    return reg_file::ParseRegFile(text, sink) == reg_file::ImportResult::Imported ? 1 : 0;
  } catch (...) {
    return 0;
  }
}
