// Applies the changes a REGEDIT4 file asks for to the registry, for
// ImportFromReg. The key of the current section stays open for its value
// lines, so a value costs one call to the registry rather than a test, an
// open, a write and a close. Whenever the held key refuses a change (another
// program deleted it, for example), that line goes through the class's own
// member instead, which finds or creates the key afresh, as every line did
// before; the next line then opens the key again. The results are not
// examined: a line that fails does not stop the import.
#pragma once

#include <windows.h>

#include <string>

#include "registry/RegFileParser.h"
#include "registry/RegKey.h"

class clsRegistryAccess;

namespace reg_file {

class RegistryImportSink : public ImportSink {
 public:
  explicit RegistryImportSink(clsRegistryAccess& registry) : registry_(registry) {}

  void KillKey(const std::string& keyPath) override;
  void KillValue(const std::string& keyPath, const std::string& name) override;
  // Throws hex_text::HexTextOverflow for an overlong text, after the key
  // has been created, like WriteBinary.
  void WriteBinary(const std::string& keyPath, const std::string& name, const std::string& hexText) override;
  void WriteDWORD(const std::string& keyPath, const std::string& name, int32_t value) override;
  void WriteString(const std::string& keyPath, const std::string& name, const std::string& text) override;

 private:
  // The key at keyPath open for writing: the held one when it is that key,
  // else opened (created first when `create` is set) and held from now on;
  // null when that fails.
  HKEY Key(const std::string& keyPath, bool create);
  // Sets one value in the key held for keyPath; false (and nothing held)
  // when the key cannot be had or refuses the value.
  bool SetValue(const std::string& keyPath, const std::string& name, DWORD type, const std::string& data);
  void Release();

  clsRegistryAccess& registry_;
  std::string heldPath_;
  RegKey held_;
};

}  // namespace reg_file
