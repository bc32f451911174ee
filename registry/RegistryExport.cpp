// ExportToReg: writes a key tree as a REGEDIT4 file, one block per key in
// depth-first pre-order.
#include "registry/RegFileIO.h"
#include "registry/RegFileLines.h"
#include "registry/RegKey.h"
#include "registry/RegistryKeyPath.h"
#include "registry/clsRegistryAccess.h"

namespace {

// Lets the caller's window repaint (and its timers run) between keys. A quit
// request is put back for the caller's own loop.
void ProcessPendingMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

const std::string& TextOf(const RegistryValue& value) { return std::get<std::string>(value); }

}  // namespace

int32_t clsRegistryAccess::ExportToReg(const std::string& sPath, const std::string& sRegFile, bool IncludeSubkeys,
                                       HWND Output) {
  try {
    if (reg_file::FileExists(sRegFile)) return 0;
    RegFileWriter file;
    if (!file.Create(sRegFile)) return 0;
    if (!file.WriteLine(reg_file::kHeader) || !file.WriteLine("")) return 0;
    if (!ExportKey(sPath, file, IncludeSubkeys, Output)) return 0;
    return file.Close() ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

bool clsRegistryAccess::ExportKey(std::string keyPath, RegFileWriter& file, bool IncludeSubkeys, HWND Output) {
  // Through the short names first, so long names given in any case come out
  // in the one spelling other registry editors expect.
  keyPath = registry_path::LengthenRootNames(registry_path::ShortenRootNames(keyPath));
  if (Output) {
    ProcessPendingMessages();
    SetWindowTextA(Output, keyPath.c_str());
  }

  std::vector<std::string> block{reg_file::KeyLine(keyPath)};
  // One handle serves the values and the subkey names. A key that cannot be
  // opened would leave a block without its values.
  SplitKeyPath(keyPath);
  RegKey key;
  if (RegOpenKeyA(RootKey, SubKey.c_str(), key.put()) != ERROR_SUCCESS) return false;
  // One pass over the values; the lines go out grouped by type, each group
  // in the registry's order.
  // With the counts known, the end of each list costs no further request.
  DWORD subkeyCount = MAXDWORD;
  DWORD valueCount = MAXDWORD;
  if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subkeyCount, nullptr, nullptr, &valueCount, nullptr,
                       nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
    subkeyCount = valueCount = MAXDWORD;
  }
  std::vector<ListedValue> listed;
  ListValues(key.get(), -1, listed, valueCount);
  // The default value comes first, and only when it is a string: other types
  // are written with an empty name by their own lines below.
  for (const ListedValue& entry : listed) {
    if (entry.type == REG_SZ && entry.name.empty()) {
      block.push_back(reg_file::DefaultValueLine(TextOf(entry.value)));
    }
  }
  for (const ListedValue& entry : listed) {
    if (entry.type == REG_SZ && !entry.name.empty()) {
      block.push_back(reg_file::StringValueLine(entry.name, TextOf(entry.value)));
    }
  }
  for (const ListedValue& entry : listed) {
    if (entry.type == REG_BINARY) {
      block.push_back(reg_file::BinaryValueLine(entry.name, TextOf(entry.value)));
    }
  }
  for (const ListedValue& entry : listed) {
    if (entry.type == REG_DWORD) {
      block.push_back(reg_file::DwordValueLine(entry.name, std::get<int32_t>(entry.value)));
    }
  }
  block.emplace_back();

  for (const std::string& line : block) {
    if (!file.WriteLine(line)) return false;
  }

  if (IncludeSubkeys) {
    std::vector<std::string> subkeys;
    ListSubkeys(key.get(), subkeys, subkeyCount);
    key.reset();  // one open key at a time, however deep the tree
    for (const std::string& subkey : subkeys) {
      if (!ExportKey(keyPath + "\\" + subkey, file, IncludeSubkeys, Output)) return false;
    }
  }
  return true;
}
