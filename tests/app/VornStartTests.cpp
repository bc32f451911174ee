// VORN.exe around its start, as Windows and assistive technology meet it:
// the programs import only Known DLLs, no DLL planted beside a copy of
// VORN.exe runs inside it (plain start and /apply), its version comes from
// its own resource, and a screen reader that reads the window from the
// moment it appears gets every name.
#include <windows.h>
#include <oleacc.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/VersionResource.h"
#include "button/AccessibilityClientProcess.h"
#include "host/MessageLoop.h"

#ifndef VORN_EXE_PATH
#error "VORN_EXE_PATH names the VORN.exe under test"
#endif

namespace {

constexpr wchar_t kWindowTitle[] = L"VORN - Glarecut 1.01";

// A path of the build (a Unix path under Wine) as Windows sees it.
std::wstring BuiltPath(const char* path) {
  std::wstring wide(path, path + std::strlen(path));
  if (!wide.empty() && wide[0] == L'/') wide = L"Z:" + wide;
  std::replace(wide.begin(), wide.end(), L'/', L'\\');
  return wide;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  return text;
}

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(towlower(c));
  return text;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void WriteText(const std::wstring& path, const std::string& text) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

BOOL CALLBACK MatchCombo(HWND hwnd, LPARAM lp) {
  wchar_t cls[32] = {};
  GetClassNameW(hwnd, cls, 32);
  if (lstrcmpiW(cls, L"ComboBox") != 0) return TRUE;
  *reinterpret_cast<HWND*>(lp) = hwnd;
  return FALSE;
}

// The selector of VORN's window.
HWND ComboOf(HWND window) {
  HWND combo = nullptr;
  EnumChildWindows(window, MatchCombo, reinterpret_cast<LPARAM>(&combo));
  return combo;
}

// ------------------------------------------------------------ import table

// The DLLs that are Known DLLs on every Windows from 7 to 11 (the
// intersection of their KnownDLLs lists): the loader takes them from the
// system folder whatever lies beside the program.
const std::set<std::string> kKnownDlls = {
    "advapi32.dll", "clbcatq.dll", "comdlg32.dll", "difxapi.dll", "gdi32.dll",  "imagehlp.dll",
    "imm32.dll",    "kernel32.dll", "msctf.dll",   "msvcrt.dll",  "normaliz.dll", "nsi.dll",
    "ole32.dll",    "oleaut32.dll", "psapi.dll",   "rpcrt4.dll",  "sechost.dll", "setupapi.dll",
    "shell32.dll",  "shlwapi.dll",  "user32.dll",  "wldap32.dll", "ws2_32.dll"};

// The names of the DLLs a PE file imports, directly and delay-loaded; empty
// when the file is no PE image.
std::vector<std::string> ImportedDlls(const std::string& file) {
  auto read32 = [&](size_t at) -> uint32_t {
    uint32_t v = 0;
    if (at + 4 <= file.size()) std::memcpy(&v, file.data() + at, 4);
    return v;
  };
  auto read16 = [&](size_t at) -> uint16_t { return static_cast<uint16_t>(read32(at) & 0xFFFF); };
  std::vector<std::string> names;
  if (file.size() < 0x40 || read16(0) != IMAGE_DOS_SIGNATURE) return names;
  const size_t nt = read32(0x3C);
  if (read32(nt) != IMAGE_NT_SIGNATURE) return names;
  const size_t fileHeader = nt + 4, optional = fileHeader + sizeof(IMAGE_FILE_HEADER);
  const uint16_t sections = read16(fileHeader + 2), optionalSize = read16(fileHeader + 16);
  const bool pe32plus = read16(optional) == IMAGE_NT_OPTIONAL_HDR64_MAGIC;
  const uint64_t imageBase = pe32plus ? read32(optional + 24) | uint64_t{read32(optional + 28)} << 32 : read32(optional + 28);
  const size_t directories = optional + (pe32plus ? 112 : 96);
  const size_t sectionTable = optional + optionalSize;
  auto offsetOf = [&](uint32_t rva) -> size_t {
    for (uint16_t i = 0; i < sections; ++i) {
      const size_t s = sectionTable + i * sizeof(IMAGE_SECTION_HEADER);
      const uint32_t virtualSize = read32(s + 8), address = read32(s + 12), rawSize = read32(s + 16),
                     raw = read32(s + 20);
      if (rva >= address && rva < address + std::max(virtualSize, rawSize)) return rva - address + raw;
    }
    return 0;
  };
  auto nameAt = [&](uint32_t rva) {
    const size_t at = offsetOf(rva);
    return at && at < file.size() ? std::string(file.c_str() + at) : std::string("?");
  };
  // IMAGE_IMPORT_DESCRIPTOR: 20 bytes, the name's RVA at 12.
  if (const uint32_t rva = read32(directories + IMAGE_DIRECTORY_ENTRY_IMPORT * 8)) {
    for (size_t d = offsetOf(rva); d && read32(d + 12); d += 20) names.push_back(nameAt(read32(d + 12)));
  }
  // IMAGE_DELAYLOAD_DESCRIPTOR: 32 bytes, attributes at 0 (bit 0: RVAs,
  // otherwise addresses), the name at 4.
  if (const uint32_t rva = read32(directories + IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT * 8)) {
    for (size_t d = offsetOf(rva); d && read32(d + 4); d += 32) {
      const uint32_t name = read32(d + 4);
      names.push_back(nameAt(read32(d) & 1 ? name : static_cast<uint32_t>(name - imageBase)));
    }
  }
  return names;
}

std::string ReadFile(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(VornDllSearch, TheProgramsImportOnlyKnownDlls) {
  for (const char* exe : {VORN_EXE_PATH, VORN_GALLERY_EXE_PATH}) {
    const std::vector<std::string> imports = ImportedDlls(ReadFile(BuiltPath(exe)));
    ASSERT_NE(std::find(imports.begin(), imports.end(), "KERNEL32.dll"), imports.end()) << exe << ": no import table";
    for (const std::string& dll : imports) EXPECT_EQ(kKnownDlls.count(Lower(dll)), 1u) << exe << " imports " << dll;
  }
}

// ------------------------------------------------------------ version

TEST(VornDllSearch, TheVersionIsReadFromTheProgramsOwnResource) {
  HMODULE exe = LoadLibraryExW(BuiltPath(VORN_EXE_PATH).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr);
  const std::optional<vorn::FileVersion> version = vorn::ModuleFileVersion(exe);
  ASSERT_TRUE(version);
  EXPECT_EQ(version->major, 1u);
  EXPECT_EQ(version->minor, 0u);
  EXPECT_EQ(version->build, 0u);
  EXPECT_EQ(version->revision, 1u);
  HRSRC found = FindResourceW(exe, MAKEINTRESOURCEW(VS_VERSION_INFO), MAKEINTRESOURCEW(16));
  ASSERT_NE(found, nullptr);
  const auto* bytes = static_cast<const char*>(LockResource(LoadResource(exe, found)));
  const std::string block(bytes, SizeofResource(exe, found));
  FreeLibrary(exe);
  // The fixed part starts at 40; damaged blocks give nothing.
  struct Damage {
    size_t at;       // byte changed (npos: none)
    size_t keep;     // bytes handed over
    bool readable;
  };
  for (const Damage& d : {Damage{std::string::npos, block.size(), true}, Damage{std::string::npos, 40 + 51, false},
                          Damage{6, block.size(), false}, Damage{40, block.size(), false},
                          Damage{1, block.size(), false}}) {
    std::string copy = block;
    if (d.at != std::string::npos) copy[d.at] = static_cast<char>(copy[d.at] ^ 0x5A);
    EXPECT_EQ(vorn::FixedFileVersion(copy.data(), d.keep).has_value(), d.readable) << d.at << " " << d.keep;
  }
}

// ------------------------------------------------------------ a copy of VORN.exe

// A scratch folder, removed with everything in it.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::wstring& name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    path_ = temp + name + L"-" + std::to_wstring(GetCurrentProcessId());
    Remove(path_);
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~ScratchFolder() { Remove(path_); }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  static void Remove(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring inside = path + L"\\" + name;
        SetFileAttributesW(inside.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          Remove(inside);
        else
          DeleteFileW(inside.c_str());
      } while (FindNextFileW(find, &found));
      FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
  }
  std::wstring path_;
};

// The game's registry value pointed at a folder for one test, put back after.
class GameValue {
 public:
  explicit GameValue(const std::wstring& folder) {
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key_, nullptr) !=
        ERROR_SUCCESS)
      return;
    wchar_t saved[1024] = {};
    DWORD size = sizeof saved - sizeof(wchar_t), type = 0;
    if (RegQueryValueExW(key_, kValue, nullptr, &type, reinterpret_cast<BYTE*>(saved), &size) == ERROR_SUCCESS &&
        type == REG_SZ)
      saved_ = saved;
    Set(folder);
  }
  ~GameValue() {
    if (!key_) return;
    if (saved_)
      Set(*saved_);
    else
      RegDeleteValueW(key_, kValue);
    RegCloseKey(key_);
  }
  GameValue(const GameValue&) = delete;
  GameValue& operator=(const GameValue&) = delete;

 private:
  void Set(const std::wstring& folder) {
    RegSetValueExW(key_, kValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                   static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
  }
  static constexpr wchar_t kKey[] = L"SOFTWARE\\Olverant\\VORN";
  static constexpr wchar_t kValue[] = L"PATH_APPLICATION";
  HKEY key_ = nullptr;
  std::optional<std::wstring> saved_;
};

// Wine told to take these DLLs from beside VORN.exe before its own wherever
// its search finds them (its per-program "native, then builtin" setting),
// as Windows does for every DLL outside the Known DLLs; undone afterwards.
// Windows ignores the key. (A WINEDLLOVERRIDES given in the environment
// block of a process started from Windows code does not reach Wine's loader
// of that process; the per-program setting does.)
class WineNativeFirst {
 public:
  explicit WineNativeFirst(const std::vector<std::wstring>& dlls) {
    DWORD created = 0;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kProgramKey, 0, nullptr, 0, KEY_WRITE, nullptr, &program_, &created) !=
        ERROR_SUCCESS)
      return;
    createdProgram_ = created == REG_CREATED_NEW_KEY;
    if (RegCreateKeyExW(program_, L"DllOverrides", 0, nullptr, 0, KEY_WRITE, nullptr, &overrides_, nullptr) !=
        ERROR_SUCCESS)
      return;
    for (std::wstring dll : dlls) {
      dll.resize(dll.size() - 4);  // without ".dll"
      static constexpr wchar_t kOrder[] = L"native,builtin";
      RegSetValueExW(overrides_, dll.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(kOrder), sizeof kOrder);
      names_.push_back(dll);
    }
  }
  ~WineNativeFirst() {
    for (const std::wstring& name : names_) RegDeleteValueW(overrides_, name.c_str());
    if (overrides_) RegCloseKey(overrides_);
    if (program_) {
      if (createdProgram_) RegDeleteKeyW(program_, L"DllOverrides");
      RegCloseKey(program_);
    }
    if (createdProgram_) RegDeleteKeyW(HKEY_CURRENT_USER, kProgramKey);
  }
  WineNativeFirst(const WineNativeFirst&) = delete;
  WineNativeFirst& operator=(const WineNativeFirst&) = delete;

 private:
  static constexpr wchar_t kProgramKey[] = L"Software\\Wine\\AppDefaults\\VORN.exe";
  HKEY program_ = nullptr, overrides_ = nullptr;
  bool createdProgram_ = false;
  std::vector<std::wstring> names_;
};

// One run of a program; ended (and its handles closed) when it goes.
class ToolRun {
 public:
  ToolRun(const std::wstring& exe, const std::wstring& arguments, bool suspended = false) {
    std::wstring command = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    started_ = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, suspended ? CREATE_SUSPENDED : 0,
                              nullptr, nullptr, &startup, &pi_) != FALSE;
  }
  ~ToolRun() {
    if (!started_) return;
    if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(pi_.hProcess, 1);
      WaitForSingleObject(pi_.hProcess, 5000);
    }
    CloseHandle(pi_.hThread);
    CloseHandle(pi_.hProcess);
  }
  ToolRun(const ToolRun&) = delete;
  ToolRun& operator=(const ToolRun&) = delete;

  bool Started() const { return started_; }
  DWORD Pid() const { return pi_.dwProcessId; }
  void Resume() { ResumeThread(pi_.hThread); }

  // Its window, once it is visible and fully opaque.
  HWND WaitForOpaqueWindow() {
    HWND window = nullptr;
    host::PumpUntil(
        [&] {
          window = FindWindowW(nullptr, kWindowTitle);
          DWORD pid = 0;
          if (window) GetWindowThreadProcessId(window, &pid);
          BYTE alpha = 0;
          DWORD flags = 0;
          return pid == Pid() && IsWindowVisible(window) &&
                 GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) && alpha == 255;
        },
        20000, host::DispatchPending);
    return window;
  }
  // Its exit code once it ended; nothing when it did not within the time.
  std::optional<DWORD> WaitForExit(DWORD timeoutMs = 15000) {
    if (!host::PumpUntil([&] { return WaitForSingleObject(pi_.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMs,
                         host::DispatchPending))
      return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(pi_.hProcess, &code);
    return code;
  }
  // The paths of the modules loaded in it now, in lower case.
  std::vector<std::wstring> Modules() const {
    std::vector<std::wstring> paths;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pi_.dwProcessId);
    if (snapshot == INVALID_HANDLE_VALUE) return paths;
    MODULEENTRY32W module{};
    module.dwSize = sizeof module;
    for (BOOL more = Module32FirstW(snapshot, &module); more; more = Module32NextW(snapshot, &module))
      paths.push_back(Lower(module.szExePath));
    CloseHandle(snapshot);
    return paths;
  }

 private:
  PROCESS_INFORMATION pi_{};
  bool started_ = false;
};

std::wstring SystemFolder() {
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  return std::wstring(folder, length < MAX_PATH ? length : 0);
}

// The DLLs a web page could drop beside the program: two it imported once
// and one that Common Controls 6 loads. Wine's own user32 imports
// version.dll (Windows' does not), so under Wine a version.dll beside any
// program is loaded with user32, before the program runs a line; there,
// the import table above is what shows that VORN no longer brings it in.
std::vector<std::wstring> PlantedNames() {
  std::vector<std::wstring> names = {L"oleacc.dll", L"uxtheme.dll"};
  std::vector<std::string> user32 = ImportedDlls(ReadFile(SystemFolder() + L"\\user32.dll"));
  for (std::string& dll : user32) dll = Lower(dll);
  if (std::find(user32.begin(), user32.end(), "version.dll") == user32.end()) names.push_back(L"version.dll");
  return names;
}

TEST(VornDllSearch, NoDllPlantedBesideTheProgramRunsInsideIt) {
  ScratchFolder folder(L"vorn-planted");
  const std::wstring exe = folder / L"VORN.exe";
  ASSERT_TRUE(CopyFileW(BuiltPath(VORN_EXE_PATH).c_str(), exe.c_str(), FALSE));
  const std::vector<std::wstring> planted = PlantedNames();
  for (const std::wstring& name : planted)
    ASSERT_TRUE(CopyFileW(BuiltPath(VORN_PLANTED_DLL_PATH).c_str(), (folder / name).c_str(), FALSE));
  // The stand-in leaves its marker whenever it is loaded.
  const std::wstring probe = folder / L"probe.dll";
  ASSERT_TRUE(CopyFileW(BuiltPath(VORN_PLANTED_DLL_PATH).c_str(), probe.c_str(), FALSE));
  HMODULE loaded = LoadLibraryW(probe.c_str());
  ASSERT_NE(loaded, nullptr);
  FreeLibrary(loaded);
  ASSERT_TRUE(Exists(probe + L".loaded"));

  // A game for /apply.
  const std::wstring game = folder / L"game";
  CreateDirectoryW(game.c_str(), nullptr);
  CreateDirectoryW((game + L"\\postprocess").c_str(), nullptr);
  for (const wchar_t* file : {L"type1.xml", L"type2.xml", L"type2_noblur.xml", L"type3.xml", L"type4.xml",
                              L"type4_noblur.xml", L"type5.xml", L"type5_noblur.xml"})
    WriteText(game + L"\\postprocess\\" + file, "<!-- the player's own -->");
  GameValue value(game);
  const WineNativeFirst nativeFirst(planted);

  // Everything the tool loads comes from the Windows folder (the system
  // folder, or the side-by-side store for Common Controls 6).
  wchar_t windowsFolder[MAX_PATH];
  GetWindowsDirectoryW(windowsFolder, MAX_PATH);
  const std::wstring system = Lower(std::wstring(windowsFolder)) + L"\\";
  {
    ToolRun vorn(exe, L"");
    ASSERT_TRUE(vorn.Started());
    HWND window = vorn.WaitForOpaqueWindow();
    ASSERT_NE(window, nullptr);
    // A reader's first question loads oleacc in the tool; the tooltips,
    // started once the window is up, load Common Controls.
    void* object = nullptr;
    if (SUCCEEDED(AccessibleObjectFromWindow(ComboOf(window), static_cast<DWORD>(OBJID_CLIENT),
                                             __uuidof(IAccessible), &object)))
      static_cast<IAccessible*>(object)->Release();
    auto loaded = [&](const std::wstring& name) {
      const std::vector<std::wstring> modules = vorn.Modules();
      return std::any_of(modules.begin(), modules.end(), [&](const std::wstring& m) {
        return m.size() >= name.size() && m.compare(m.size() - name.size(), name.size(), name) == 0;
      });
    };
    EXPECT_TRUE(host::PumpUntil([&] { return loaded(L"\\comctl32.dll") && loaded(L"\\oleacc.dll"); }, 10000,
                                host::DispatchPending))
        << "the tool did not load comctl32 and oleacc";
    for (const std::wstring& module : vorn.Modules())
      EXPECT_TRUE(module.rfind(system, 0) == 0 || module == Lower(exe)) << std::string(module.begin(), module.end());
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(vorn.WaitForExit(), std::optional<DWORD>(0));
  }
  {
    ToolRun apply(exe, L"/apply None /quiet");
    ASSERT_TRUE(apply.Started());
    EXPECT_EQ(apply.WaitForExit(), std::optional<DWORD>(0));
  }
  for (const std::wstring& dll : planted) {
    EXPECT_FALSE(Exists(folder / (dll + L".loaded"))) << std::string(dll.begin(), dll.end()) << " ran inside VORN";
  }
}

// ------------------------------------------------------------ screen reader

TEST(VornEarlyReader, EveryNameIsReadFromTheMomentTheWindowAppears) {
  ScratchFolder folder(L"vorn-reader");
  const std::wstring game = folder / L"game";
  CreateDirectoryW(game.c_str(), nullptr);
  GameValue value(game);
  ToolRun vorn(BuiltPath(VORN_EXE_PATH), L"", true);
  ASSERT_TRUE(vorn.Started());
  butt_test::AccessibilityClientProcess reader;
  ASSERT_TRUE(reader.Start("early " + std::to_string(vorn.Pid())));
  ASSERT_TRUE(reader.WaitForLine("ready"));
  vorn.Resume();
  ASSERT_TRUE(reader.WaitForLine("done"));
  HWND window = vorn.WaitForOpaqueWindow();
  ASSERT_NE(window, nullptr);
  HWND combo = ComboOf(window);
  butt_test::AccessibilityClientProcess children;
  ASSERT_TRUE(children.Start("children " + butt_test::HandleText(combo)));
  const std::vector<std::string> childLines = children.Finish();
  const std::vector<std::string> lines = reader.Finish();
  PostMessageW(window, WM_CLOSE, 0, 0);
  vorn.WaitForExit();

  // Every name read is the control's own, from the first round (begun
  // while the window is being made: the reader's first question waits for
  // the tool's first look at its messages, in the fade-in) to the last,
  // and every control was read fully opaque too.
  const std::multiset<std::string> expected = {"ABOUT", "CANCEL", "APPLY", "Post Process Effects:"};
  int readBeforeOpaque = 0, completeOpaque = 0;
  std::string all;
  for (const std::string& line : lines) all += line + "\n";
  for (const std::string& line : lines) {
    if (line.rfind("round ", 0) != 0) continue;
    std::istringstream in(line.substr(6));
    int alpha = 0;
    std::string names;
    in >> alpha;
    std::getline(in >> std::ws, names);
    std::multiset<std::string> read;
    std::istringstream fields(names);
    for (std::string name; std::getline(fields, name, '|');) {
      EXPECT_EQ(expected.count(name), 1u) << "read \"" << name << "\" in " << line;
      read.insert(name);
    }
    if (alpha < 255) readBeforeOpaque += static_cast<int>(read.size());
    if (alpha == 255 && read == expected) ++completeOpaque;
  }
  EXPECT_GT(readBeforeOpaque, 0) << "the reader read no name before the window was opaque:\n" << all;
  EXPECT_EQ(completeOpaque, 5) << all;
  // The combo's children are the standard object's to answer.
  ASSERT_FALSE(childLines.empty());
  for (const std::string& line : childLines) EXPECT_EQ(line.find(" ours "), std::string::npos) << line;
  EXPECT_NE(childLines[0], "children 0") << "the standard combo object shows no children here";
}

}  // namespace
