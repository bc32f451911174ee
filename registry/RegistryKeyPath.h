// Full key paths ("HKEY_LOCAL_MACHINE\SOFTWARE\x", "hklm\SOFTWARE\x"): the
// root-name table, splitting a path into root handle and subkey, and writing
// the long root names back for .reg files. Pure: no registry access.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace registry_path {

struct RootName {
  const char* longName;
  const char* shortName;
  HKEY handle;
};

// In the order in which long names are replaced.
inline const RootName kRootNames[] = {
    {"HKEY_CURRENT_USER", "HKCU", HKEY_CURRENT_USER},         {"HKEY_LOCAL_MACHINE", "HKLM", HKEY_LOCAL_MACHINE},
    {"HKEY_CLASSES_ROOT", "HKCR", HKEY_CLASSES_ROOT},         {"HKEY_USERS", "HKUS", HKEY_USERS},
    {"HKEY_PERFORMANCE_DATA", "HKPD", HKEY_PERFORMANCE_DATA}, {"HKEY_DYN_DATA", "HKDD", HKEY_DYN_DATA},
    {"HKEY_CURRENT_CONFIG", "HKCC", HKEY_CURRENT_CONFIG},
};

// Replaces every long root name, anywhere in the path and in any case, by its
// short name.
std::string ShortenRootNames(std::string_view path);
// Replaces every short root name, anywhere in the path and in any case, by its
// long name (the form written into .reg files).
std::string LengthenRootNames(std::string_view path);

// Splits a path: `path` is rewritten with short root names, `subKey` receives
// everything after the first backslash (empty without one). The root is the
// first four characters upper-cased (the whole path without a backslash);
// an unknown root gives a null handle, which every registry call rejects.
HKEY SplitKeyPath(std::string& path, std::string& subKey);

// The root of a path as regedit reads it: a long root name (or, with
// `shortNames`, a short one too) in any case, followed by the end or a
// backslash. Nothing else of the path is rewritten. `subKey` receives what
// follows the backslash, `row` the root's row; null when no root matches.
HKEY SplitRegeditPath(std::wstring_view path, bool shortNames, std::wstring_view& subKey,
                      const RootName** row = nullptr);

}  // namespace registry_path
