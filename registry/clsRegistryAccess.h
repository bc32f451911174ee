// clsRegistryAccess: reads, writes, tests, enumerates and deletes registry
// keys and values addressed by full key paths ("HKEY_CURRENT_USER\Software\x"
// or "hkcu\Software\x"), exports and imports key trees as REGEDIT4 files, and
// converts binary data to and from hex text ("0A FF 00").
//
// Every operation reports its outcome through its result (0, false, -1 or
// the caller's default) and closes every key it opened before it returns.
// Only StrToBin and BinToStr (and the members that use them on the caller's
// data: WriteBinary, ReadBinary, EnumValues) throw, hex_text::HexTextOverflow
// for more than 32767 bytes. One thread, one call at a time.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "registry/HexText.h"

class RegFileWriter;

// One element of EnumValues: nothing (a type it does not list), a text
// (REG_SZ, REG_BINARY as hex text) or a 32-bit integer (REG_DWORD).
using RegistryValue = std::variant<std::monostate, std::string, int32_t>;

class clsRegistryAccess {
 public:
  clsRegistryAccess() = default;

  // When true (the initial value), the Write members create a missing key.
  bool CreateKeyIfDoesntExists() const { return createKeyIfDoesntExists_; }
  void CreateKeyIfDoesntExists(bool value) { createKeyIfDoesntExists_ = value; }

  // Non-zero (the key's handle value, already closed) on success, else 0.
  int32_t CreateKey(const std::string& sPath);
  // Non-zero when the key could be opened and its deletion was attempted.
  int32_t KillKey(const std::string& sPath);
  bool KeyExists(const std::string& sPath);
  // Fills Key (cleared first) with the subkey names; count, or -1.
  int32_t EnumKeys(const std::string& sPath, std::vector<std::string>& Key);
  bool HaveSubkey(const std::string& sPath);

  // "@" as sName writes the key's default value.
  int32_t WriteString(const std::string& sPath, const std::string& sName, const std::string& sValue);
  // Leading spaces of the stored text are dropped, trailing ones kept; texts
  // of more than 254 characters and missing values give sDefault.
  std::string ReadString(const std::string& sPath, const std::string& sName,
                         const std::string& sDefault = std::string(1, '\0'));
  int32_t WriteDWORD(const std::string& sPath, const std::string& sName, int32_t lValue);
  int32_t ReadDWORD(const std::string& sPath, const std::string& sName, int32_t lDefault = -1);
  // sValue is hex text; it is not validated (see isBinValid).
  int32_t WriteBinary(const std::string& sPath, const std::string& sName, const std::string& sValue);
  std::string ReadBinary(const std::string& sPath, const std::string& sName, const std::string& sDefault = "");
  // Non-zero when the key could be opened and the deletion was attempted.
  int32_t KillValue(const std::string& sPath, const std::string& sName);
  bool ValueExists(const std::string& sPath, const std::string& sName);
  // Lists the values of one type (OnlyType: REG_SZ 1, REG_BINARY 3,
  // REG_DWORD 4; -1 for all) into the two arrays, cleared once the key is
  // open. Count listed, or -1 (arrays then left as passed).
  int32_t EnumValues(const std::string& sPath, std::vector<std::string>& sName, std::vector<RegistryValue>& sValue,
                     int32_t OnlyType = -1);

  // Writes sPath (and by default its subkeys) into a new REGEDIT4 file; an
  // existing file is refused. Output, when given, is an edit control that
  // shows each key as it is written. 1 on success, 0 on any failure.
  int32_t ExportToReg(const std::string& sPath, const std::string& sRegFile, bool IncludeSubkeys = true,
                      HWND Output = nullptr);
  // Applies a REGEDIT4 file. 1 when it was read to its end, 0 when it is
  // missing, lacks the header, or an error stopped it (changes made stay).
  int32_t ImportFromReg(const std::string& sRegFile);

  std::string StrToBin(std::string& sBin) { return hex_text::StrToBin(sBin); }
  std::string BinToStr(const std::string& sStr) { return hex_text::BinToStr(sStr); }
  bool isBinValid(const std::string& sBin) { return hex_text::isBinValid(sBin); }

 private:
  struct ListedValue {
    std::string name;
    DWORD type;
    RegistryValue value;
  };
  // The values of one type (-1: all) in the registry's order; false when the
  // key cannot be opened. EnumValues and the export share it.
  bool ListValues(const std::string& sPath, int32_t OnlyType, std::vector<ListedValue>& listed);
  // The same on a key already open, and the names of its subkeys (Key
  // cleared first by the caller). The export reads both through one handle;
  // it knows how many there are (`count`) and asks for no more.
  void ListValues(HKEY key, int32_t OnlyType, std::vector<ListedValue>& listed, DWORD count = MAXDWORD);
  void ListSubkeys(HKEY key, std::vector<std::string>& Key, DWORD count = MAXDWORD);
  // Splits a copy of sPath into RootKey and SubKey.
  void SplitKeyPath(const std::string& sPath);
  // Shared start of the three writers: the key must exist, or is created when
  // CreateKeyIfDoesntExists allows it; leaves RootKey/SubKey set.
  bool WritePrelude(const std::string& sPath);
  bool ExportKey(std::string keyPath, RegFileWriter& file, bool IncludeSubkeys, HWND Output);

  bool createKeyIfDoesntExists_ = true;
  // Working members: every operation overwrites them.
  HKEY RootKey = nullptr;
  std::string SubKey;
};
