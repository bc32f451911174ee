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
#include "registry/RegFileRefusal.h"

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

  // The regedit-compatible pair, for .reg files from regedit, installers
  // and people, and for full backups. Both take their texts as UTF-8 (file
  // names and key paths alike) and talk to the registry through the wide
  // calls, so names outside the ANSI code page survive.
  //
  // Reads REGEDIT4 and "Windows Registry Editor Version 5.00" files as
  // regedit does; keys named in the file are created, also empty ones.
  // 1 when every line was understood and applied; else 0, with the changes
  // made kept (as with regedit) and the refused lines in RefusedLines().
  int32_t ImportRegFile(const std::string& sRegFile);
  // The lines the last ImportRegFile refused, in the order met, and why.
  const std::vector<RegFileRefusal>& RefusedLines() const { return refusedLines_; }
  // Writes sPath (long or short root name) with every value and subkey as
  // regedit /E does: REGEDIT5 in UTF-16LE with a byte-order mark, or
  // REGEDIT4 in the ANSI code page when `unicode` is false. Replaces an
  // existing file only when the whole export succeeded. 1 on success.
  int32_t ExportRegFile(const std::string& sPath, const std::string& sRegFile, bool unicode = true);

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
  std::vector<RegFileRefusal> refusedLines_;
  // Working members: every operation overwrites them.
  HKEY RootKey = nullptr;
  std::string SubKey;
};
