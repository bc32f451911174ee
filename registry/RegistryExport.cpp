// ExportToReg: writes a key tree as a REGEDIT4 file, one block per key in
// depth-first pre-order.
#include "registry/RegFileIO.h"
#include "registry/RegFileLines.h"
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

const std::string* TextOf(const RegistryValue& value) { return std::get_if<std::string>(&value); }

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
  std::vector<std::string> names;
  std::vector<RegistryValue> values;

  // A key that cannot be opened would leave a block without its values.
  if (EnumValues(keyPath, names, values, REG_SZ) < 0) return false;
  // The default value comes first, and only when it is a string: other types
  // are written with an empty name by their own lines below.
  for (size_t i = 0; i < names.size(); ++i) {
    if (names[i].empty()) block.push_back(reg_file::DefaultValueLine(*TextOf(values[i])));
  }
  for (size_t i = 0; i < names.size(); ++i) {
    if (!names[i].empty()) block.push_back(reg_file::StringValueLine(names[i], *TextOf(values[i])));
  }
  EnumValues(keyPath, names, values, REG_BINARY);
  for (size_t i = 0; i < names.size(); ++i) block.push_back(reg_file::BinaryValueLine(names[i], *TextOf(values[i])));
  EnumValues(keyPath, names, values, REG_DWORD);
  for (size_t i = 0; i < names.size(); ++i) {
    block.push_back(reg_file::DwordValueLine(names[i], std::get<int32_t>(values[i])));
  }
  block.emplace_back();

  for (const std::string& line : block) {
    if (!file.WriteLine(line)) return false;
  }

  if (IncludeSubkeys) {
    std::vector<std::string> subkeys;
    EnumKeys(keyPath, subkeys);
    for (const std::string& subkey : subkeys) {
      if (!ExportKey(keyPath + "\\" + subkey, file, IncludeSubkeys, Output)) return false;
    }
  }
  return true;
}
