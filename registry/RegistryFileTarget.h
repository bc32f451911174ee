// Applies what ImportRegFile reads to the registry through the wide calls,
// so that names outside the ANSI code page arrive whole. The key of the
// current section stays open for its values: one call per value, one create
// and one close per key, as regedit makes them.
#pragma once

#include "registry/RegFileReader.h"
#include "registry/RegKey.h"

namespace reg_file {

class RegistryFileTarget : public RegFileTarget {
 public:
  LONG OpenKey(HKEY root, std::wstring_view subKey) override;
  void CloseKey() override { key_.reset(); }
  LONG DeleteKey(HKEY root, std::wstring_view subKey) override;
  LONG SetValue(const std::wstring& name, DWORD type, const std::string& data) override;
  LONG DeleteValue(const std::wstring& name) override;

 private:
  RegKey key_;
};

}  // namespace reg_file
