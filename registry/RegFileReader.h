// Reader of .reg files as regedit reads them (REGEDIT4 and "Windows Registry
// Editor Version 5.00"): an explicit state machine over the decoded lines
// that asks a target to create, open and delete keys and to set and delete
// values, and lists every line it could not understand or apply. Pure: the
// target decides what a request does.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "registry/RegFileRefusal.h"

namespace reg_file {

// Each request returns ERROR_SUCCESS or the Win32 error that refused it.
class RegFileTarget {
 public:
  virtual ~RegFileTarget() = default;
  // Creates root\subKey when missing and opens it for the values that follow.
  virtual LONG OpenKey(HKEY root, std::wstring_view subKey) = 0;
  virtual void CloseKey() = 0;
  // Deletes root\subKey with everything below it; a missing key is success.
  virtual LONG DeleteKey(HKEY root, std::wstring_view subKey) = 0;
  // In the open key; the empty name is the key's default value.
  virtual LONG SetValue(const std::wstring& name, DWORD type, const std::string& data) = 0;
  // In the open key; a missing value is success.
  virtual LONG DeleteValue(const std::wstring& name) = 0;
};

// Applies the file (its bytes as stored) to the target. Returns the refused
// lines; none when every line was understood and applied.
std::vector<RegFileRefusal> ReadRegFile(std::string_view bytes, RegFileTarget& target);

}  // namespace reg_file
