// VORN.exe as a player uses it: the real executable runs in its own process
// against a scratch game folder and the game's registry value, and the
// tests drive it with the real mouse and keyboard (SendInput) at the
// controls' places on the screen, read what it shows, and check the files
// it leaves behind.
#include <windows.h>
#include <oleacc.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/AboutBox.h"
#include "app/CommandLine.h"
#include "app/Elevation.h"
#include "app/Utf8.h"
#include "host/Dpi.h"
#include "host/MessageLoop.h"
#include "host/Units.h"
#include "host/UserObjects.h"
#include "host/WideText.h"
#include "tests/app/WideFiles.h"

#ifndef VORN_EXE_PATH
#error "VORN_EXE_PATH names the VORN.exe under test"
#endif
#ifndef VORN_BANNER_BMP
#error "VORN_BANNER_BMP names the banner bitmap of the window"
#endif

namespace {

constexpr char kWindowTitle[] = "VORN - Glarecut 1.01";
constexpr char kAppTitle[] = "VORN : Lumatrim";
constexpr wchar_t kGameKey[] = L"SOFTWARE\\Olverant\\VORN";
constexpr wchar_t kGameValue[] = L"PATH_APPLICATION";
constexpr int kMsgBoxTextId = 0xFFFF;
constexpr int kMsgBoxIconId = 0x0440;
const char* const kSetFiles[8] = {"type1.xml", "type2.xml",        "type2_noblur.xml", "type3.xml",
                                  "type4.xml", "type4_noblur.xml", "type5.xml",        "type5_noblur.xml"};
constexpr int kNoneFirstItem = 101;
constexpr int kFullFirstItem = 109;

// ------------------------------------------------------------ polling

// Polls `done` (while keeping this thread's own windows alive) until it is
// true or `timeoutMs` passed.
bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = 15000) {
  return host::PumpUntil(done, timeoutMs, host::DispatchPending, 10);
}

// Lets time pass for held keys and the other process's timer.
void Pause(DWORD ms) {
  WaitFor([] { return false; }, ms);
}

// ------------------------------------------------------------ files

std::string WindowsPath(std::string path) {
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

std::string ExePath() { return WindowsPath(VORN_EXE_PATH); }

std::string ExeFolder() {
  const std::string exe = ExePath();
  return exe.substr(0, exe.find_last_of('\\'));
}

// A carried data item, from this test program's own resources.
std::string Item(int id) {
  HRSRC info = FindResourceA(nullptr, MAKEINTRESOURCEA(id), "CUSTOM");
  if (!info) return std::string();
  HGLOBAL data = LoadResource(nullptr, info);
  return std::string(static_cast<const char*>(LockResource(data)), SizeofResource(nullptr, info));
}

// Paths are UTF-8, as in the tool, and reach the system through the wide calls.
using vorn::Widen;

using wide_files::Exists;
using wide_files::ReadAll;
using wide_files::WriteAll;

// A game installation in a scratch folder: <root>\postprocess\ with a set.
class GameFolder {
 public:
  // Under the temporary folder, or under `parent` (which exists); `tag`
  // ends the folder's name.
  explicit GameFolder(const std::string& tag = "", std::string parent = "") {
    if (parent.empty()) {
      wchar_t temp[MAX_PATH];
      GetTempPathW(MAX_PATH, temp);
      parent = vorn::Utf8(temp);
    }
    static int counter = 0;
    root_ = parent + "vorn-e2e-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter) + tag;
    CreateDirectoryW(Widen(root_).c_str(), nullptr);
    CreateDirectoryW(Widen(Folder()).c_str(), nullptr);
  }
  ~GameFolder() { wide_files::RemoveTree(root_); }
  GameFolder(const GameFolder&) = delete;
  GameFolder& operator=(const GameFolder&) = delete;

  const std::string& Root() const { return root_; }
  std::string Folder() const { return root_ + "\\postprocess\\"; }
  std::string File(const std::string& name) const { return Folder() + name; }

  void Install(int firstItem) {
    for (int i = 0; i < 8; ++i) WriteAll(File(kSetFiles[i]), Item(firstItem + i));
  }
  // True when every file holds the set's bytes exactly.
  ::testing::AssertionResult Holds(int firstItem) const {
    for (int i = 0; i < 8; ++i) {
      const auto bytes = ReadAll(File(kSetFiles[i]));
      if (!bytes) return ::testing::AssertionFailure() << kSetFiles[i] << " is missing";
      if (*bytes != Item(firstItem + i)) {
        return ::testing::AssertionFailure()
               << kSetFiles[i] << " differs from item " << firstItem + i << " (" << bytes->size() << " bytes)";
      }
    }
    return ::testing::AssertionSuccess();
  }

 private:
  std::string root_;
};

// A copy of the tool and its information file in a folder whose name lies
// outside the ANSI code page, removed with the owner.
class ToolCopy {
 public:
  ToolCopy() : folder_("-\u30C4\u30FC\u30EB") {
    copied_ = CopyFileW(Widen(ExePath()).c_str(), Widen(Exe()).c_str(), TRUE) &&
              CopyFileW(Widen(ExeFolder() + "\\QUILLMOR.nfo").c_str(), Widen(folder_.Root() + "\\QUILLMOR.nfo").c_str(),
                        TRUE);
  }
  bool Copied() const { return copied_; }
  std::string Exe() const { return folder_.Root() + "\\VORN.exe"; }

 private:
  GameFolder folder_;
  bool copied_ = false;
};

// The game's registry value, set for one test and put back afterwards.
class GameRegistryValue {
 public:
  GameRegistryValue() {
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kGameKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
      wchar_t buffer[1024];
      DWORD size = sizeof buffer, type = 0;
      if (RegQueryValueExW(key, kGameValue, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS &&
          type == REG_SZ) {
        saved_ = vorn::Utf8(std::wstring_view(buffer, size / sizeof(wchar_t) > 0 ? size / sizeof(wchar_t) - 1 : 0));
      }
      RegCloseKey(key);
    }
  }
  ~GameRegistryValue() {
    if (saved_) {
      Set(*saved_);
    } else {
      Remove();
    }
  }
  GameRegistryValue(const GameRegistryValue&) = delete;
  GameRegistryValue& operator=(const GameRegistryValue&) = delete;

  // `value` is UTF-8; it is stored as UTF-16, as an installer stores it.
  void Set(const std::string& value) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kGameKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const std::wstring wide = Widen(value);
    RegSetValueExW(key, kGameValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                   static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  }
  void Remove() {
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kGameKey, 0, KEY_WRITE, &key) == ERROR_SUCCESS) {
      RegDeleteValueW(key, kGameValue);
      RegCloseKey(key);
    }
  }

 private:
  std::optional<std::string> saved_;
};

// ------------------------------------------------------------ input

void SendKey(WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
}

void TapKey(WORD vk) {
  SendKey(vk, false);
  SendKey(vk, true);
}

// Holds a key down over several polls of the tool, as a person presses it.
// Returns whether the key read as down while held.
bool HoldKey(WORD vk, DWORD ms = 200) {
  SendKey(vk, false);
  Pause(ms);
  const bool down = (GetAsyncKeyState(vk) & 0x8000) != 0;
  SendKey(vk, true);
  return down;
}

// Wine's X11 driver takes the keyboard state from the X server once a window
// has taken the focus, and keys sent with SendInput are up there: a key held
// across a change of focus, or sent in the moment after one, reads as up
// again. Waits that out.
void LetTheFocusSettle() { Pause(300); }

void MouseTo(POINT at) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
  SetCursorPos(at.x, at.y);
}

void MouseButton(bool up) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = up ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
  SendInput(1, &input, sizeof input);
}

void ClickAt(POINT at) {
  MouseTo(at);
  Pause(30);
  MouseButton(false);
  Pause(30);
  MouseButton(true);
}

POINT Center(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

RECT WindowRect(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

// The caption stored with a window (no message is sent, so windows that do
// not answer cannot hold the search up).
std::string WindowText(HWND hwnd) {
  char text[2048] = "";
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

// The text a control holds, asked of the control itself (for a control of
// another process GetWindowText gives only the caption stored with it).
std::string ControlText(HWND hwnd) {
  char text[2048] = "";
  DWORD_PTR length = 0;
  SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &length);
  return text;
}

std::string ClassOf(HWND hwnd) {
  char name[256] = "";
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

DWORD ProcessOf(HWND hwnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  return pid;
}

struct TopLevelSearch {
  DWORD pid;
  std::string cls, title;
  HWND found = nullptr;
};

BOOL CALLBACK MatchTopLevel(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<TopLevelSearch*>(lp);
  if (ProcessOf(hwnd) != s->pid || !IsWindowVisible(hwnd)) return TRUE;
  if (!s->cls.empty() && ClassOf(hwnd) != s->cls) return TRUE;
  if (!s->title.empty() && WindowText(hwnd) != s->title) return TRUE;
  s->found = hwnd;
  return FALSE;
}

// A visible top-level window of process `pid` with the given class and
// title (empty: any).
HWND FindTopLevel(DWORD pid, const std::string& cls, const std::string& title) {
  TopLevelSearch search{pid, cls, title};
  EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

struct ChildSearch {
  std::string cls;
  HWND found = nullptr;
};

BOOL CALLBACK MatchChildClass(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<ChildSearch*>(lp);
  if (_stricmp(ClassOf(hwnd).c_str(), s->cls.c_str()) != 0) return TRUE;
  s->found = hwnd;
  return FALSE;
}

HWND FindChildOfClass(HWND parent, const std::string& cls) {
  ChildSearch search{cls};
  EnumChildWindows(parent, MatchChildClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int CountProcesses(const char* exeName) {
  int count = 0;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL ok = Process32First(snapshot, &entry); ok; ok = Process32Next(snapshot, &entry)) {
    if (_stricmp(entry.szExeFile, exeName) == 0) ++count;
  }
  CloseHandle(snapshot);
  return count;
}

void EndProcesses(const char* exeName) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL ok = Process32First(snapshot, &entry); ok; ok = Process32Next(snapshot, &entry)) {
    if (_stricmp(entry.szExeFile, exeName) != 0) continue;
    if (HANDLE p = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID)) {
      TerminateProcess(p, 0);
      WaitForSingleObject(p, 5000);
      CloseHandle(p);
    }
  }
  CloseHandle(snapshot);
}

// ------------------------------------------------------------ the tool

// Twips of the window's layout to client pixels at 96 dots per inch.
constexpr int Px(int twips) { return twips / 15; }

// One running VORN.exe.
class Vorn {
 public:
  Vorn() = default;
  ~Vorn() {
    if (pi_.hProcess) {
      if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(pi_.hProcess, 1);
        WaitForSingleObject(pi_.hProcess, 5000);
      }
      CloseHandle(pi_.hProcess);
      CloseHandle(pi_.hThread);
    }
  }
  Vorn(const Vorn&) = delete;
  Vorn& operator=(const Vorn&) = delete;

  // Starts the tool with `workingFolder` as its current folder and
  // `arguments` on its command line, with no standard handles, as a double
  // click starts it (Wine would otherwise hand it this program's output).
  // With a `token`, the tool runs with that token's rights; with an
  // inheritable `output`, that is its standard output. With `exe`, that
  // copy of the tool runs (paths are UTF-8).
  bool Start(const std::string& workingFolder, const std::string& arguments = "", HANDLE token = nullptr,
             HANDLE output = nullptr, const std::string& exe = ExePath()) {
    std::wstring command = Widen("\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments));
    const std::wstring folder = Widen(workingFolder);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    const BOOL inherit = output != nullptr;
    if (token) {
      return CreateProcessAsUserW(token, nullptr, command.data(), nullptr, nullptr, inherit, 0, nullptr, folder.c_str(),
                                  &startup, &pi_) != FALSE;
    }
    return CreateProcessW(nullptr, command.data(), nullptr, nullptr, inherit, 0, nullptr, folder.c_str(), &startup,
                          &pi_) != FALSE;
  }

  DWORD Pid() const { return pi_.dwProcessId; }
  HWND Window() const { return window_; }

  bool WaitForWindow() {
    return WaitFor([&] { return (window_ = FindTopLevel(Pid(), "", kWindowTitle)) != nullptr; });
  }

  // The window is fully opaque, enabled, and the selector shows a set.
  // On failure, `why` tells which of these was missing.
  bool WaitUntilReady(std::string* why = nullptr) {
    std::string state = "no window";
    const bool ready = WaitForWindow() && WaitFor([&] {
                         BYTE alpha = 0;
                         DWORD flags = 0;
                         if (!GetLayeredWindowAttributes(window_, nullptr, &alpha, &flags) || alpha != 255) {
                           state = "opacity " + std::to_string(alpha) + ", error " + std::to_string(GetLastError());
                           return false;
                         }
                         state = "disabled";
                         if (!IsWindowEnabled(window_)) return false;
                         state = "no selector";
                         combo_ = FindChildOfClass(window_, "ComboBox");
                         state = "empty selector";
                         return combo_ && !ControlText(combo_).empty();
                       });
    if (why) *why = state;
    return ready;
  }

  HWND Combo() const { return combo_; }
  std::string Selection() const { return ControlText(combo_); }

  POINT ClientPoint(int x, int y) const {
    POINT p{x, y};
    ClientToScreen(window_, &p);
    return p;
  }
  // A place given in twips inside the panel Picture3 (which sits one pixel
  // inside the client area), on screen.
  POINT PanelPoint(int leftTwips, int topTwips) const { return ClientPoint(1 + Px(leftTwips), 1 + Px(topTwips)); }

  // The centre of a button: the window found at its place in the layout.
  POINT ButtonCenter(int leftTwips, int topTwips) const {
    const POINT inside = PanelPoint(leftTwips + 945 / 2, topTwips + 390 / 2);
    HWND button = WindowFromPoint(inside);
    if (!button || button == window_) return inside;
    return Center(WindowRect(button));
  }
  POINT ApplyButton() const { return ButtonCenter(2865, 2670); }
  POINT CancelButton() const { return ButtonCenter(1860, 2670); }
  POINT AboutButton() const { return ButtonCenter(855, 2670); }

  // Opens the selector's list with its arrow and clicks the item.
  bool ChooseFromList(int index) {
    const RECT box = WindowRect(combo_);
    ClickAt(POINT{box.right - 6, (box.top + box.bottom) / 2});
    HWND list = nullptr;
    if (!WaitFor([&] { return (list = FindTopLevel(Pid(), "ComboLBox", "")) != nullptr; }, 5000)) return false;
    const int itemHeight = static_cast<int>(SendMessageA(combo_, CB_GETITEMHEIGHT, 0, 0));
    POINT origin{0, 0};
    ClientToScreen(list, &origin);
    ClickAt(POINT{origin.x + 20, origin.y + index * itemHeight + itemHeight / 2});
    return WaitFor([&] { return !IsWindowVisible(list); }, 5000);
  }

  // Clicks into the selector's text and replaces it by typing.
  void TypeSelection(const std::string& lowerCaseLetters) {
    const RECT box = WindowRect(combo_);
    ClickAt(POINT{box.left + 10, (box.top + box.bottom) / 2});
    Pause(50);
    TapKey(VK_END);
    for (int i = 0; i < 12; ++i) TapKey(VK_BACK);
    for (char c : lowerCaseLetters) TapKey(static_cast<WORD>(c - 'a' + 'A'));
  }

  // The tool's message box with this title, once it is up.
  HWND WaitForMessageBox(const std::string& title) {
    HWND box = nullptr;
    WaitFor([&] { return (box = FindTopLevel(Pid(), "#32770", title)) != nullptr; });
    return box;
  }

  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr) {
    const bool ended = WaitFor([&] { return WaitForSingleObject(pi_.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMs);
    if (ended && exitCode) GetExitCodeProcess(pi_.hProcess, exitCode);
    return ended;
  }
  bool Running() const { return WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }

 private:
  PROCESS_INFORMATION pi_{};
  HWND window_ = nullptr;
  HWND combo_ = nullptr;
};

// As UTF-8.
std::string MessageText(HWND box) {
  wchar_t text[4096] = L"";
  GetDlgItemTextW(box, kMsgBoxTextId, text, 4096);
  return vorn::Utf8(text);
}

bool HasIcon(HWND box) {
  HWND icon = GetDlgItem(box, kMsgBoxIconId);
  return icon && IsWindowVisible(icon) && SendMessageA(icon, STM_GETICON, 0, 0) != 0;
}

// Clicks a button of a message box with the mouse, as a player answers it.
void PressButton(HWND box, int id) {
  HWND button = GetDlgItem(box, id);
  ASSERT_NE(button, nullptr);
  ClickAt(Center(WindowRect(button)));
}

void PressOk(HWND box) { PressButton(box, IDOK); }

// The limited token linked to this elevated process's token: the rights
// Windows gives a program an administrator starts while UAC is on (Wine runs
// every process elevated and links such a token too). Null when there is
// none.
HANDLE LimitedToken() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return nullptr;
  TOKEN_LINKED_TOKEN linked{};
  DWORD size = 0;
  const BOOL ok = GetTokenInformation(token, TokenLinkedToken, &linked, sizeof linked, &size);
  CloseHandle(token);
  if (!ok) return nullptr;
  TOKEN_ELEVATION elevation{};
  if (!GetTokenInformation(linked.LinkedToken, TokenElevation, &elevation, sizeof elevation, &size) ||
      elevation.TokenIsElevated) {
    CloseHandle(linked.LinkedToken);
    return nullptr;
  }
  return linked.LinkedToken;
}

// ------------------------------------------------------------ fixture

class VornE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    registry_.Set(game_.Root());
    game_.Install(kFullFirstItem);
  }
  void TearDown() override {
    for (WORD vk : {VK_ESCAPE, VK_F1}) SendKey(vk, true);
    MouseButton(true);
  }

  // Starts the tool and waits until it has detected the installed set.
  void StartReady(Vorn& vorn) {
    ASSERT_TRUE(vorn.Start(game_.Root()));
    std::string why;
    ASSERT_TRUE(vorn.WaitUntilReady(&why)) << "the window did not come up: " << why;
  }

  // Presses APPLY, expects "DONE!" and the end of the process after OK.
  void ApplyExpectingDone(Vorn& vorn) {
    ClickAt(vorn.ApplyButton());
    HWND box = vorn.WaitForMessageBox(kAppTitle);
    ASSERT_NE(box, nullptr) << "no message after APPLY";
    EXPECT_EQ(MessageText(box), "DONE!");
    EXPECT_FALSE(HasIcon(box));
    PressOk(box);
    DWORD code = 99;
    ASSERT_TRUE(vorn.WaitForExit(10000, &code)) << "the tool stayed open after DONE!";
    EXPECT_EQ(code, 0u);
  }

  std::string Detect() {
    Vorn vorn;
    StartReady(vorn);
    return vorn.Selection();
  }

  GameRegistryValue registry_;
  GameFolder game_;
};

// ------------------------------------------------------------ tests

TEST_F(VornE2E, DetectsTheInstalledSetByTheLengthOfType1) {
  EXPECT_EQ(Detect(), "Full");  // 18473 bytes

  game_.Install(kNoneFirstItem);
  EXPECT_EQ(Detect(), "None");  // 597 bytes

  WriteAll(game_.File("type1.xml"), std::string(1000, 'x'));
  EXPECT_EQ(Detect(), "Full");

  WriteAll(game_.File("type1.xml"), std::string(596, 'x'));
  EXPECT_EQ(Detect(), "Full");

  DeleteFileA(game_.File("type1.xml").c_str());
  EXPECT_EQ(Detect(), "None");
}

TEST_F(VornE2E, ApplyingNoneThenFullWritesEachSetByteForByte) {
  {
    Vorn vorn;
    StartReady(vorn);
    ASSERT_EQ(vorn.Selection(), "Full");
    ASSERT_TRUE(vorn.ChooseFromList(1));
    ASSERT_EQ(vorn.Selection(), "None");
    ApplyExpectingDone(vorn);
  }
  EXPECT_TRUE(game_.Holds(kNoneFirstItem));
  {
    Vorn vorn;
    StartReady(vorn);
    EXPECT_EQ(vorn.Selection(), "None") << "a restart shows the set just written";
    ASSERT_TRUE(vorn.ChooseFromList(0));
    ASSERT_EQ(vorn.Selection(), "Full");
    ApplyExpectingDone(vorn);
  }
  EXPECT_TRUE(game_.Holds(kFullFirstItem));
  EXPECT_EQ(Detect(), "Full");
}

TEST_F(VornE2E, ReadOnlyTargetsAreReplaced) {
  for (const char* name : kSetFiles) {
    SetFileAttributesA(game_.File(name).c_str(), FILE_ATTRIBUTE_READONLY);
  }
  Vorn vorn;
  StartReady(vorn);
  ASSERT_TRUE(vorn.ChooseFromList(1));
  ApplyExpectingDone(vorn);
  EXPECT_TRUE(game_.Holds(kNoneFirstItem));
  for (const char* name : kSetFiles) {
    EXPECT_FALSE(GetFileAttributesA(game_.File(name).c_str()) & FILE_ATTRIBUTE_READONLY) << name;
  }
}

TEST_F(VornE2E, TypedTextOtherThanFullOrNoneWritesNothingAndKeepsTheWindow) {
  Vorn vorn;
  StartReady(vorn);
  vorn.TypeSelection("none");
  ASSERT_TRUE(WaitFor([&] { return vorn.Selection() == "none"; }, 5000)) << vorn.Selection();
  ClickAt(vorn.ApplyButton());
  HWND box = vorn.WaitForMessageBox(kAppTitle);
  ASSERT_NE(box, nullptr);
  const std::string text = MessageText(box);
  EXPECT_NE(text.find("\"Full\""), std::string::npos) << text;
  EXPECT_NE(text.find("\"None\""), std::string::npos) << text;
  EXPECT_EQ(text.find("DONE!"), std::string::npos) << text;
  PressOk(box);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }, 5000));
  Pause(300);
  EXPECT_TRUE(vorn.Running());
  EXPECT_TRUE(IsWindowVisible(vorn.Window()));
  EXPECT_TRUE(game_.Holds(kFullFirstItem));
}

TEST_F(VornE2E, MissingRegistryValueReportsTheFailureAndCreatesNothing) {
  registry_.Remove();
  Vorn vorn;
  StartReady(vorn);
  EXPECT_EQ(vorn.Selection(), "None");
  ClickAt(vorn.ApplyButton());
  HWND box = vorn.WaitForMessageBox(kAppTitle);
  ASSERT_NE(box, nullptr);
  const std::string text = MessageText(box);
  EXPECT_NE(text.find("PATH_APPLICATION"), std::string::npos) << text;
  EXPECT_NE(text.find("Nothing was written"), std::string::npos) << text;
  EXPECT_TRUE(HasIcon(box));
  PressOk(box);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }, 5000));
  EXPECT_TRUE(vorn.Running());
  // The empty folder is not taken as the root of the current drive.
  EXPECT_FALSE(Exists("C:\\postprocess"));
  EXPECT_FALSE(Exists(game_.Root().substr(0, 2) + "\\postprocess"));
  EXPECT_TRUE(game_.Holds(kFullFirstItem));
}

TEST_F(VornE2E, FailedFilesAreNamedAndNothingIsWritten) {
  DeleteFileA(game_.File("type5.xml").c_str());
  HANDLE lock =
      CreateFileA(game_.File("type3.xml").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);

  // Unelevated where it can be, so that an offer to try as administrator
  // could show.
  Vorn vorn;
  HANDLE token = vorn::ProcessIsElevated() ? LimitedToken() : nullptr;
  const bool started = vorn.Start(game_.Root(), "", token);
  if (token) CloseHandle(token);
  ASSERT_TRUE(started);
  std::string why;
  ASSERT_TRUE(vorn.WaitUntilReady(&why)) << "the window did not come up: " << why;
  ASSERT_TRUE(vorn.ChooseFromList(1));
  ClickAt(vorn.ApplyButton());
  HWND box = vorn.WaitForMessageBox(kAppTitle);
  ASSERT_NE(box, nullptr);
  const std::string text = MessageText(box);
  CloseHandle(lock);
  EXPECT_NE(text.find(game_.File("type3.xml") + "\r\n    in use by another program"), std::string::npos) << text;
  EXPECT_NE(text.find(game_.File("type5.xml")), std::string::npos) << text;
  EXPECT_EQ(text.find(game_.File("type1.xml")), std::string::npos) << text;
  EXPECT_NE(text.find("Nothing was changed"), std::string::npos) << text;
  EXPECT_NE(text.find("Close the game, or whatever program holds the file, and press APPLY again."), std::string::npos)
      << text;
  EXPECT_EQ(GetDlgItem(box, IDYES), nullptr) << "no offer to try as administrator";
  PressOk(box);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }, 5000));
  EXPECT_TRUE(vorn.Running());

  for (int i : {0, 1, 2, 3, 4, 5, 7}) {
    EXPECT_EQ(ReadAll(game_.File(kSetFiles[i])), Item(kFullFirstItem + i)) << kSetFiles[i];
  }
  EXPECT_FALSE(Exists(game_.File("type5.xml"))) << "a missing target is not created";
}

TEST_F(VornE2E, AboutShowsTheVersionAndTheCredits) {
  Vorn vorn;
  StartReady(vorn);
  ClickAt(vorn.AboutButton());
  HWND box = vorn.WaitForMessageBox("About (v1.01)");
  ASSERT_NE(box, nullptr) << "no About box titled \"About (v1.01)\"";
  const std::string text = MessageText(box);
  EXPECT_EQ(text, vorn::AboutText());
  EXPECT_EQ(text.rfind("Application: ", 0), 0u);
  size_t lines = 1;
  for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++lines;
  EXPECT_EQ(lines, 7u);
  EXPECT_TRUE(HasIcon(box));
  PressOk(box);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }, 5000));
  EXPECT_TRUE(vorn.Running());
}

TEST_F(VornE2E, CancelFadesOutAndExits) {
  Vorn vorn;
  StartReady(vorn);
  ClickAt(vorn.CancelButton());
  DWORD code = 99;
  ASSERT_TRUE(vorn.WaitForExit(10000, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(game_.Holds(kFullFirstItem));
}

TEST_F(VornE2E, ClosingTheWindowBySystemMeansEndsTheProcess) {
  Vorn vorn;
  StartReady(vorn);
  PostMessageA(vorn.Window(), WM_CLOSE, 0, 0);
  DWORD code = 99;
  EXPECT_TRUE(vorn.WaitForExit(10000, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(game_.Holds(kFullFirstItem));
}

// A window of this test program that takes the keyboard focus: another
// program in front of the tool.
class FocusedWindow {
 public:
  FocusedWindow() {
    hwnd_ = CreateWindowExA(0, "EDIT", "other program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 400, 200, 100, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  ~FocusedWindow() { DestroyWindow(hwnd_); }
  FocusedWindow(const FocusedWindow&) = delete;
  FocusedWindow& operator=(const FocusedWindow&) = delete;
  bool TakeFocus() {
    SetForegroundWindow(hwnd_);
    SetFocus(hwnd_);
    const bool taken = WaitFor([&] { return GetForegroundWindow() == hwnd_; }, 5000);
    LetTheFocusSettle();
    return taken;
  }

 private:
  HWND hwnd_ = nullptr;
};

// Brings a window of another process to the front.
bool BringToFront(HWND window) {
  SetForegroundWindow(window);
  const bool inFront = WaitFor([&] { return GetForegroundWindow() == window; }, 5000);
  LetTheFocusSettle();
  return inFront;
}

// Presses `vk` with `window` in front until `done` holds, up to three
// times: Wine may lose a held key to a late change of focus before the
// window saw it. For tests about what a press does, not how often.
template <typename Done>
bool PressInFrontUntil(HWND window, WORD vk, Done done) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (!BringToFront(window)) continue;
    HoldKey(vk);
    if (WaitFor(done, 5000)) return true;
  }
  return false;
}

TEST_F(VornE2E, KeysPressedInAnotherProgramLeaveTheToolAlone) {
  EndProcesses("notepad.exe");
  Vorn vorn;
  StartReady(vorn);
  FocusedWindow other;
  ASSERT_TRUE(other.TakeFocus());
  EXPECT_TRUE(HoldKey(VK_ESCAPE));
  EXPECT_TRUE(HoldKey(VK_F1));
  Pause(200);
  EXPECT_TRUE(vorn.Running());
  EXPECT_EQ(CountProcesses("notepad.exe"), 0);

  // Pressed with the tool in front, Escape fades it out and closes it.
  ASSERT_TRUE(BringToFront(vorn.Window()));
  SendKey(VK_ESCAPE, false);
  DWORD code = 99;
  const bool ended = vorn.WaitForExit(10000, &code);
  SendKey(VK_ESCAPE, true);
  EXPECT_TRUE(ended);
  EXPECT_EQ(code, 0u);
}

BOOL CALLBACK MatchViewer(HWND hwnd, LPARAM lp) {
  if (!IsWindowVisible(hwnd) || WindowText(hwnd).find("QUILLMOR") == std::string::npos) return TRUE;
  *reinterpret_cast<HWND*>(lp) = hwnd;
  return FALSE;
}

// A window that shows the information file.
HWND FindViewer() {
  HWND viewer = nullptr;
  EnumWindows(MatchViewer, reinterpret_cast<LPARAM>(&viewer));
  return viewer;
}

TEST_F(VornE2E, HoldingF1OpensTheInformationFileOnce) {
  ASSERT_TRUE(Exists(ExeFolder() + "\\QUILLMOR.nfo")) << "the information file lies beside the executable";
  EndProcesses("notepad.exe");
  Vorn vorn;
  StartReady(vorn);
  ASSERT_TRUE(BringToFront(vorn.Window()));

  SendKey(VK_F1, false);
  const bool opened = WaitFor([] { return CountProcesses("notepad.exe") >= 1; }, 10000);
  Pause(500);  // F1 stays down over many polls of the tool
  SendKey(VK_F1, true);
  Pause(500);
  EXPECT_TRUE(opened);
  EXPECT_EQ(CountProcesses("notepad.exe"), 1);
  EXPECT_TRUE(WaitFor([] { return FindViewer() != nullptr; }, 10000)) << "no window shows QUILLMOR.nfo";

  // A second press opens it again (Notepad's window takes the focus as it
  // appears, which may cost Wine a held key: it presses again).
  EXPECT_TRUE(PressInFrontUntil(vorn.Window(), VK_F1, [] { return CountProcesses("notepad.exe") >= 2; }));
  EndProcesses("notepad.exe");
  EndProcesses("winhlp32.exe");  // in case a viewer took a press as a request for help
  EXPECT_TRUE(vorn.Running());
}

TEST_F(VornE2E, DraggingALabelMovesTheWindow) {
  Vorn vorn;
  StartReady(vorn);
  const RECT before = WindowRect(vorn.Window());
  // Label1 "Post Process Effects:", on its text.
  const POINT start = vorn.PanelPoint(75 + 300, 2190 + 110);
  MouseTo(start);
  Pause(30);
  MouseButton(false);
  for (int step = 1; step <= 10; ++step) {
    Pause(20);
    MouseTo(POINT{start.x + 4 * step, start.y + 3 * step});
  }
  Pause(50);
  MouseButton(true);
  const bool moved = WaitFor(
      [&] {
        const RECT now = WindowRect(vorn.Window());
        return now.left != before.left || now.top != before.top;
      },
      5000);
  ASSERT_TRUE(moved) << "the window did not move";
  const RECT after = WindowRect(vorn.Window());
  EXPECT_NEAR(after.left - before.left, 40, 4);
  EXPECT_NEAR(after.top - before.top, 30, 4);
  EXPECT_TRUE(vorn.Running());
}

// ------------------------------------------------------------ looks

struct Pixels {
  int width = 0, height = 0;
  std::vector<uint32_t> bgra;  // top-down
  COLORREF At(int x, int y) const {
    const uint32_t p = bgra[static_cast<size_t>(y) * width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
};

// What the screen shows in `r`, and the same as a BMP file.
Pixels CaptureScreen(const RECT& r, const std::string& bmpPath) {
  Pixels out;
  out.width = r.right - r.left;
  out.height = r.bottom - r.top;
  out.bgra.resize(static_cast<size_t>(out.width) * out.height);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = out.width;
  info.bmiHeader.biHeight = -out.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, out.width, out.height, screen, r.left, r.top, SRCCOPY | CAPTUREBLT);
  GdiFlush();
  memcpy(out.bgra.data(), bits, out.bgra.size() * 4);
  SelectObject(memory, old);
  DeleteObject(dib);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(out.bgra.size() * 4);
  std::ofstream bmp(bmpPath, std::ios::binary);
  bmp.write(reinterpret_cast<const char*>(&file), sizeof file);
  bmp.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
  bmp.write(reinterpret_cast<const char*>(out.bgra.data()), static_cast<std::streamsize>(out.bgra.size() * 4));
  return out;
}

// The banner picture as drawn at 100 % (or "150", "200"): 24-bit bottom-up
// BMP.
std::optional<Pixels> LoadBanner(const std::string& percent = "") {
  std::string path = WindowsPath(VORN_BANNER_BMP);
  path.insert(path.size() - 4, percent);
  const auto bytes = ReadAll(path);
  if (!bytes || bytes->size() < 54) return std::nullopt;
  const auto* data = reinterpret_cast<const unsigned char*>(bytes->data());
  auto u32 = [&](size_t at) {
    return static_cast<uint32_t>(data[at] | data[at + 1] << 8 | data[at + 2] << 16 | data[at + 3] << 24);
  };
  Pixels p;
  p.width = static_cast<int>(u32(18));
  p.height = static_cast<int>(u32(22));
  const size_t offset = u32(10);
  const size_t stride = (static_cast<size_t>(p.width) * 3 + 3) & ~size_t{3};
  if (bytes->size() < offset + stride * p.height) return std::nullopt;
  p.bgra.resize(static_cast<size_t>(p.width) * p.height);
  for (int y = 0; y < p.height; ++y) {
    const unsigned char* row = data + offset + stride * (p.height - 1 - y);
    for (int x = 0; x < p.width; ++x) {
      p.bgra[static_cast<size_t>(y) * p.width + x] = row[x * 3] | row[x * 3 + 1] << 8 | row[x * 3 + 2] << 16;
    }
  }
  return p;
}

std::string Rgb(COLORREF c) {
  return std::to_string(GetRValue(c)) + "," + std::to_string(GetGValue(c)) + "," + std::to_string(GetBValue(c));
}

// The smallest rectangle holding every light pixel (caption text) of an
// area; empty when there is none.
RECT BrightBox(const Pixels& shot, const RECT& area) {
  RECT box{area.right, area.bottom, area.left, area.top};
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      const COLORREF c = shot.At(x, y);
      if (GetRValue(c) > 150 && GetGValue(c) > 150 && GetBValue(c) > 150) {
        box = RECT{std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                   std::max<LONG>(box.bottom, y + 1)};
      }
    }
  }
  return box;
}

int CountBright(const Pixels& shot, const RECT& area) {
  int bright = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      const COLORREF c = shot.At(x, y);
      if (GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) > 200) ++bright;
    }
  }
  return bright;
}

TEST_F(VornE2E, ScreenshotShowsTheLayout) {
  Vorn vorn;
  StartReady(vorn);
  Pause(300);  // let every control finish painting
  RECT client;
  GetClientRect(vorn.Window(), &client);
  ASSERT_EQ(client.right, Px(3945));
  ASSERT_EQ(client.bottom, Px(3225));
  const POINT origin = vorn.ClientPoint(0, 0);
  const RECT area{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
  const Pixels shot = CaptureScreen(area, "vorn-e2e-screenshot.bmp");

  const COLORREF panel = RGB(63, 72, 77);
  EXPECT_EQ(Rgb(shot.At(20, 200)), Rgb(panel)) << "panel below the line";
  EXPECT_EQ(Rgb(shot.At(200, 140)), Rgb(panel)) << "panel between banner and selector";
  EXPECT_EQ(Rgb(shot.At(130, client.bottom - 1)), Rgb(panel)) << "form edge";

  // Image1's line under the selector, three rows from y = 173.
  EXPECT_EQ(Rgb(shot.At(100, 173)), Rgb(RGB(40, 49, 54)));
  EXPECT_EQ(Rgb(shot.At(100, 174)), Rgb(RGB(86, 95, 100)));
  EXPECT_EQ(Rgb(shot.At(100, 175)), Rgb(RGB(63, 72, 77)));

  // The banner at the top-left corner, and Picture1's own colour right of it.
  const auto banner = LoadBanner();
  ASSERT_TRUE(banner.has_value());
  for (POINT p : {POINT{5, 5}, POINT{60, 40}, POINT{150, 30}, POINT{200, 45}, POINT{120, 100}, POINT{250, 126}}) {
    EXPECT_EQ(Rgb(shot.At(p.x, p.y)), Rgb(banner->At(p.x, p.y))) << "banner at " << p.x << "," << p.y;
  }
  EXPECT_EQ(Rgb(shot.At(259, 60)), Rgb(RGB(22, 30, 41)));

  // White captions: Label8 over the banner and Label1 on the panel.
  EXPECT_GT(CountBright(shot, RECT{15, 113, 15 + 106, 113 + 15}), 20) << "Label8";
  EXPECT_GT(CountBright(shot, RECT{6, 147, 6 + 108, 147 + 15}), 20) << "Label1";

  // The three buttons: faces that are not the panel, each with a caption.
  for (int left : {855, 1860, 2865}) {
    const RECT face{1 + Px(left) + 4, 1 + Px(2670) + 4, 1 + Px(left) + 63 - 4, 1 + Px(2670) + 26 - 4};
    int panelPixels = 0;
    for (int y = face.top; y < face.bottom; ++y) {
      for (int x = face.left; x < face.right; ++x) panelPixels += shot.At(x, y) == panel;
    }
    EXPECT_LT(panelPixels, 10) << "button at " << left << " twips shows the panel";
    EXPECT_GT(CountBright(shot, face), 10) << "button at " << left << " twips has no caption";
  }
}

// ------------------------------------------------------------ DPI

// The screen DPI that new processes of the test prefix get (the value
// LogPixels under HKCU\Control Panel\Desktop), set for one test and put
// back afterwards: every other test runs at 96.
class ScreenDpiSetting {
 public:
  ScreenDpiSetting() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    DWORD value = 0, size = sizeof value, type = 0;
    if (RegQueryValueExA(key, "LogPixels", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
        type == REG_DWORD)
      saved_ = value;
    RegCloseKey(key);
  }
  ~ScreenDpiSetting() {
    if (saved_) {
      Set(*saved_);
      return;
    }
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_WRITE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, "LogPixels");
    RegCloseKey(key);
  }
  ScreenDpiSetting(const ScreenDpiSetting&) = delete;
  ScreenDpiSetting& operator=(const ScreenDpiSetting&) = delete;

  void Set(DWORD dpi) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    RegCloseKey(key);
  }

 private:
  static constexpr char kKey[] = "Control Panel\\Desktop";
  std::optional<DWORD> saved_;
};

RECT InClient(HWND window, HWND child) {
  RECT r = WindowRect(child);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::string Text(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
         std::to_string(r.bottom - r.top);
}

// The width each caption shows at 96 dpi, by caption.
using CaptionWidths = std::map<std::string, int>;

// The window as it stands at `dpi`: client area, the places of the buttons
// and the selector, and the banner drawn for the DPI. At 96 dpi it notes how
// wide each caption shows; at another DPI each caption must show at least
// nearly that width scaled (glyphs do not scale exactly), so a caption cut
// at its box or wrapped onto a hidden line is caught.
void ExpectLaidOutAt(Vorn& vorn, int dpi, CaptionWidths& widths) {
  auto px = [dpi](int twips) { return host::TwipsToPixels(twips, dpi); };
  RECT client;
  GetClientRect(vorn.Window(), &client);
  EXPECT_NEAR(client.right, 263.0 * dpi / 96, 1.0);
  EXPECT_NEAR(client.bottom, 215.0 * dpi / 96, 1.0);
  // Picture3 sits 15 twips inside the client area; Picture1 15 twips
  // above and left of Picture3's origin.
  const int panel = px(15);
  std::vector<std::pair<std::string, RECT>> captions;
  const POINT origin = vorn.ClientPoint(0, 0);
  const Pixels shot = CaptureScreen(RECT{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom},
                                    "vorn-e2e-" + std::to_string(dpi) + "dpi.bmp");

  const struct {
    int left;
    const char* caption;
  } buttons[] = {{855, "ABOUT"}, {1860, "CANCEL"}, {2865, "APPLY"}};
  for (const auto& b : buttons) {
    const RECT want{panel + px(b.left), panel + px(2670), panel + px(b.left) + host::HimetricToPixels(1667, dpi),
                    panel + px(2670) + host::HimetricToPixels(688, dpi)};
    HWND button = WindowFromPoint(vorn.ClientPoint((want.left + want.right) / 2, (want.top + want.bottom) / 2));
    ASSERT_NE(button, vorn.Window()) << b.caption;
    EXPECT_EQ(Text(InClient(vorn.Window(), button)), Text(want)) << b.caption;
    // Inside the bevel.
    const RECT face{want.left + 3, want.top + 3, want.right - 3, want.bottom - 3};
    captions.push_back({b.caption, BrightBox(shot, face)});
  }
  // Label1 and Label8 (in Picture1, 15 twips above and left of the panel).
  captions.push_back({"Post Process Effects:", BrightBox(shot, RECT{panel + px(75), panel + px(2190), panel + px(1800),
                                                                    panel + px(2190) + px(225)})});
  captions.push_back({"Lumatrim 1.01",
                      BrightBox(shot, RECT{panel - px(15) + px(210), panel - px(15) + px(1680),
                                           panel - px(15) + px(210) + px(1590), panel - px(15) + px(1680) + px(225)})});
  for (const auto& [caption, box] : captions) {
    const int width = box.right - box.left;
    if (dpi == 96) {
      widths[caption] = width;
    } else {
      ASSERT_GT(widths.count(caption), 0u) << "no width at 96 dpi for " << caption;
      EXPECT_GE(width, widths[caption] * dpi * 85 / (96 * 100)) << "\"" << caption << "\" is clipped";
    }
  }

  const RECT combo = InClient(vorn.Window(), vorn.Combo());
  EXPECT_EQ(combo.left, panel + px(1800));
  EXPECT_NEAR(combo.bottom - combo.top, px(315), 2) << "the closed selector fills its place";
  const LRESULT itemHeight = SendMessageA(vorn.Combo(), CB_GETITEMHEIGHT, 0, 0);
  EXPECT_GE(itemHeight, host::PointsToPixels(8.25, dpi)) << "the list's items follow the font";
  EXPECT_LE(itemHeight, host::PointsToPixels(8.25, dpi) * 3 / 2);

  const auto banner = LoadBanner(dpi == 144 ? "150" : dpi == 192 ? "200" : "");
  ASSERT_TRUE(banner.has_value());
  for (POINT p : {POINT{5, 5}, POINT{dpi * 60 / 96, dpi * 40 / 96}, POINT{dpi * 200 / 96, dpi * 45 / 96}}) {
    EXPECT_EQ(Rgb(shot.At(p.x, p.y)), Rgb(banner->At(p.x, p.y))) << "banner at " << p.x << "," << p.y;
  }
}

TEST_F(VornE2E, LaysOutAtTheScreensDpi) {
  ScreenDpiSetting setting;
  CaptionWidths widths;
  for (int dpi : {96, 144, 192}) {
    SCOPED_TRACE("at " + std::to_string(dpi) + " dpi");
    setting.Set(dpi);
    Vorn vorn;
    StartReady(vorn);
    Pause(300);
    if (dpi == 96) {
      RECT client;
      GetClientRect(vorn.Window(), &client);
      EXPECT_EQ(client.right, 263);
      EXPECT_EQ(client.bottom, 215);
    }
    ExpectLaidOutAt(vorn, dpi, widths);
  }
}

TEST_F(VornE2E, WmDpiChangedLaysTheWindowOutAgain) {
  Vorn vorn;
  StartReady(vorn);
  Pause(300);
  CaptionWidths widths;
  ExpectLaidOutAt(vorn, 96, widths);
  // Another process cannot hand over a suggested rectangle: without one the
  // window keeps its top-left corner.
  const RECT before = WindowRect(vorn.Window());
  DWORD_PTR result = 0;
  ASSERT_TRUE(SendMessageTimeoutA(vorn.Window(), host::kWmDpiChanged, MAKEWPARAM(144, 144), 0, SMTO_ABORTIFHUNG, 5000,
                                  &result));
  Pause(300);
  EXPECT_EQ(WindowRect(vorn.Window()).left, before.left);
  EXPECT_EQ(WindowRect(vorn.Window()).top, before.top);
  ExpectLaidOutAt(vorn, 144, widths);
}

// ------------------------------------------------------------ manifest

// The application manifest an executable carries (RT_MANIFEST 1).
std::string ManifestOf(const std::string& exe) {
  HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return std::string();
  std::string text;
  if (HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {
    if (const void* data = LockResource(LoadResource(module, info))) {
      text.assign(static_cast<const char*>(data), SizeofResource(module, info));
    }
  }
  FreeLibrary(module);
  return text;
}

// What the system's own manifest reader makes of an executable's manifest:
// the activation context it would run the program in.
class ActivationContext {
 public:
  explicit ActivationContext(const std::string& exe) {
    ACTCTXA context{};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = exe.c_str();
    context.lpResourceName = MAKEINTRESOURCEA(1);
    handle_ = CreateActCtxA(&context);
  }
  ~ActivationContext() {
    if (valid()) ReleaseActCtx(handle_);
  }
  ActivationContext(const ActivationContext&) = delete;
  ActivationContext& operator=(const ActivationContext&) = delete;

  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }

  // A setting of the manifest's application element (Windows 7 and later).
  std::wstring Setting(const wchar_t* ns, const wchar_t* name) const {
    using QueryFn = BOOL(WINAPI*)(DWORD, HANDLE, const wchar_t*, const wchar_t*, wchar_t*, SIZE_T, SIZE_T*);
    const auto query = reinterpret_cast<QueryFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "QueryActCtxSettingsW")));
    wchar_t value[256] = L"";
    SIZE_T written = 0;
    if (!query || !query(0, handle_, ns, name, value, 256, &written)) return L"(none)";
    return value;
  }
  // ACTCTX_RUN_LEVEL_AS_INVOKER is 1.
  int RunLevel() const {
    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION info{};
    SIZE_T written = 0;
    if (!QueryActCtxW(0, handle_, nullptr, RunlevelInformationInActivationContext, &info, sizeof info, &written)) {
      return -1;
    }
    return info.RunLevel;
  }
  // The identities of the assemblies the context resolved.
  std::vector<std::wstring> Assemblies() const {
    std::vector<std::wstring> names;
    alignas(8) char buffer[4096];
    SIZE_T written = 0;
    if (!QueryActCtxW(0, handle_, nullptr, ActivationContextDetailedInformation, buffer, sizeof buffer, &written)) {
      return names;
    }
    const DWORD count = reinterpret_cast<ACTIVATION_CONTEXT_DETAILED_INFORMATION*>(buffer)->ulAssemblyCount;
    for (DWORD index = 1; index <= count; ++index) {
      if (!QueryActCtxW(0, handle_, &index, AssemblyDetailedInformationInActivationContext, buffer, sizeof buffer,
                        &written)) {
        continue;
      }
      const auto* assembly = reinterpret_cast<ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION*>(buffer);
      if (assembly->lpAssemblyEncodedAssemblyIdentity) names.push_back(assembly->lpAssemblyEncodedAssemblyIdentity);
    }
    return names;
  }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

TEST(VornE2EManifest, TheToolAndTheGalleryCarryTheManifest) {
  const std::vector<std::string> exes{ExePath(), WindowsPath(VORN_GALLERY_EXE_PATH)};
  for (const std::string& exe : exes) {
    ActivationContext context(exe);
    ASSERT_TRUE(context.valid()) << exe << ": no manifest the system can read, error " << GetLastError();
    EXPECT_EQ(context.RunLevel(), 1) << exe << ": asInvoker";
    EXPECT_EQ(Narrow(context.Setting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness")),
              "PerMonitorV2, PerMonitor")
        << exe;
    EXPECT_EQ(Narrow(context.Setting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware")), "true/pm")
        << exe;
    const std::vector<std::wstring> assemblies = context.Assemblies();
    EXPECT_TRUE(std::any_of(assemblies.begin(), assemblies.end(),
                            [](const std::wstring& a) {
                              return a.find(L"Microsoft.Windows.Common-Controls,") == 0 &&
                                     a.find(L"version=\"6.") != std::wstring::npos;
                            }))
        << exe << ": Common Controls 6 resolved";
    const std::string manifest = ManifestOf(exe);
    for (const char* os : {"{e2011457-1546-43c5-a5fe-008deee3d3f0}",     // Vista
                           "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {  // 10 and 11
      EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"") + os + "\"/>"), std::string::npos) << exe << os;
    }
  }
}

// Wine 8 runs every process per-monitor aware, manifest or not, so there this
// shows only that the window runs so; on Windows it needs the manifest.
TEST_F(VornE2E, RunsPerMonitorDpiAware) {
  using GetWindowContextFn = HANDLE(WINAPI*)(HWND);
  using GetAwarenessFn = int(WINAPI*)(HANDLE);
  HMODULE user32 = GetModuleHandleA("user32.dll");
  const auto windowContext = reinterpret_cast<GetWindowContextFn>(
      reinterpret_cast<void*>(GetProcAddress(user32, "GetWindowDpiAwarenessContext")));
  const auto awareness = reinterpret_cast<GetAwarenessFn>(
      reinterpret_cast<void*>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
  if (!windowContext || !awareness) GTEST_SKIP() << "this system has no DPI awareness contexts";
  Vorn vorn;
  StartReady(vorn);
  EXPECT_EQ(awareness(windowContext(vorn.Window())), 2) << "DPI_AWARENESS_PER_MONITOR_AWARE";
}

// ------------------------------------------------------------ command line

struct CommandRun {
  DWORD exitCode = 99;  // 99: did not end
  std::string message;  // the text of the message box it showed, if any
  bool window = false;  // its main window came up
};

// Runs VORN.exe with `arguments` until it ends, answering a message box it
// shows with OK.
CommandRun RunCommand(const std::string& workingFolder, const std::string& arguments) {
  CommandRun run;
  Vorn vorn;
  if (!vorn.Start(workingFolder, arguments)) return run;
  HWND box = nullptr;
  WaitFor([&] { return !vorn.Running() || (box = FindTopLevel(vorn.Pid(), "#32770", kAppTitle)) != nullptr; });
  if (box) {
    run.message = MessageText(box);
    run.window = FindTopLevel(vorn.Pid(), "", kWindowTitle) != nullptr;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  }
  vorn.WaitForExit(10000, &run.exitCode);
  return run;
}

// A console this test program was started from would take the tool's texts
// instead of its message boxes.
bool ThisProcessHasAConsole() {
  HANDLE console =
      CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (console == INVALID_HANDLE_VALUE) return false;
  CloseHandle(console);
  return true;
}

TEST_F(VornE2E, CommandLineWritesASetWithoutTheWindow) {
  if (ThisProcessHasAConsole()) GTEST_SKIP() << "started from a console, the tool writes there instead of a box";
  CommandRun run = RunCommand(game_.Root(), "/apply None /quiet");
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(run.message, "");
  EXPECT_TRUE(game_.Holds(kNoneFirstItem));

  run = RunCommand(game_.Root(), "/apply Full");
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(run.message, "DONE!");
  EXPECT_FALSE(run.window);
  EXPECT_TRUE(game_.Holds(kFullFirstItem));
}

TEST_F(VornE2E, CommandLineFailuresEndWithANonZeroCode) {
  if (ThisProcessHasAConsole()) GTEST_SKIP() << "started from a console, the tool writes there instead of a box";
  CommandRun run = RunCommand(game_.Root(), "/bogus");
  EXPECT_EQ(run.exitCode, 2u);
  EXPECT_NE(run.message.find("\"/bogus\""), std::string::npos) << run.message;
  EXPECT_NE(run.message.find(vorn::UsageText()), std::string::npos) << run.message;
  EXPECT_FALSE(run.window);

  run = RunCommand(game_.Root(), "/apply full /quiet");
  EXPECT_EQ(run.exitCode, 2u);
  EXPECT_EQ(run.message, "");

  run = RunCommand(game_.Root(), "/?");
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(run.message, vorn::UsageText());

  {
    // A file held open, here with reading and writing shared: nothing is
    // written, and the code says so.
    const user::File held(CreateFileW(Widen(game_.File("type4.xml")).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    run = RunCommand(game_.Root(), "/apply None /quiet");
    EXPECT_EQ(run.exitCode, 3u);
    EXPECT_EQ(run.message, "");
    EXPECT_TRUE(game_.Holds(kFullFirstItem));
  }

  registry_.Remove();
  run = RunCommand(game_.Root(), "/apply None /quiet");
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_EQ(run.message, "");
  EXPECT_TRUE(game_.Holds(kFullFirstItem));
  EXPECT_FALSE(Exists(game_.Root().substr(0, 2) + "\\postprocess"));
}

struct RedirectedRun {
  DWORD exitCode = 99;  // 99: did not end
  std::string output;   // what it wrote to its standard output
  bool window = false;  // it showed a window (a message box or its main window)
};

// Runs VORN.exe with its standard output redirected to a pipe, as a script
// does, until it ends or shows a window.
RedirectedRun RunRedirected(const std::string& workingFolder, const std::string& arguments) {
  RedirectedRun run;
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  HANDLE reader = nullptr, writer = nullptr;
  if (!CreatePipe(&reader, &writer, &inheritable, 1 << 16)) return run;
  SetHandleInformation(reader, HANDLE_FLAG_INHERIT, 0);
  {
    Vorn vorn;
    const bool started = vorn.Start(workingFolder, arguments, nullptr, writer);
    CloseHandle(writer);
    if (started) {
      WaitFor([&] { return !vorn.Running() || (run.window = FindTopLevel(vorn.Pid(), "", "") != nullptr); });
      vorn.WaitForExit(0, &run.exitCode);
    }
  }  // ended by now, so the pipe's writing end is closed
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(reader, buffer, sizeof buffer, &read, nullptr) && read > 0) run.output.append(buffer, read);
  CloseHandle(reader);
  return run;
}

TEST_F(VornE2E, ScriptsReadTheUsageAndTheResultsFromTheRedirectedOutput) {
  struct Case {
    std::string arguments;
    DWORD exitCode;
    std::string output;
  };
  const Case cases[] = {
      {"/?", 0, vorn::UsageText() + "\r\n"},
      {"/bogus", 2, "Unknown switch \"/bogus\".\r\n\r\n" + vorn::UsageText() + "\r\n"},
      {"/apply None /quiet", 0, ""},
      {"/apply Full", 0, "DONE!\r\n"},
  };
  for (const Case& c : cases) {
    const RedirectedRun run = RunRedirected(game_.Root(), c.arguments);
    EXPECT_FALSE(run.window) << c.arguments;
    EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments;
    EXPECT_EQ(run.output, c.output) << c.arguments;
  }
  EXPECT_TRUE(game_.Holds(kFullFirstItem));

  registry_.Remove();
  const RedirectedRun run = RunRedirected(game_.Root(), "/apply None");
  EXPECT_FALSE(run.window);
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_EQ(run.output, vorn::MissingInstallMessage("None") + "\r\n");
}

// A console of this test program's own, for the time of a test; the
// standard handles stay as they were.
class OwnConsole {
 public:
  OwnConsole() : output_(GetStdHandle(STD_OUTPUT_HANDLE)), error_(GetStdHandle(STD_ERROR_HANDLE)) {
    FreeConsole();
    ready_ = AllocConsole() != FALSE;
  }
  ~OwnConsole() {
    FreeConsole();
    SetStdHandle(STD_OUTPUT_HANDLE, output_);
    SetStdHandle(STD_ERROR_HANDLE, error_);
  }
  OwnConsole(const OwnConsole&) = delete;
  OwnConsole& operator=(const OwnConsole&) = delete;
  bool Ready() const { return ready_; }

  // The text on the console's screen, its lines without trailing blanks.
  std::string Screen() const {
    HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    if (console == INVALID_HANDLE_VALUE) return std::string();
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(console, &info);
    std::string text;
    for (SHORT y = 0; y <= info.dwCursorPosition.Y; ++y) {
      std::wstring line(static_cast<size_t>(info.dwSize.X), L' ');
      DWORD read = 0;
      ReadConsoleOutputCharacterW(console, line.data(), static_cast<DWORD>(line.size()), COORD{0, y}, &read);
      line.resize(read);
      while (!line.empty() && line.back() == L' ') line.pop_back();
      text += host::AnsiText(line.c_str()) + "\n";
    }
    CloseHandle(console);
    return text;
  }

 private:
  HANDLE output_, error_;
  bool ready_ = false;
};

TEST_F(VornE2E, StartedFromAConsoleTheToolWritesThereInsteadOfABox) {
  OwnConsole console;
  ASSERT_TRUE(console.Ready());
  Vorn vorn;
  ASSERT_TRUE(vorn.Start(game_.Root(), "/apply None"));
  bool window = false;
  WaitFor([&] { return !vorn.Running() || (window = FindTopLevel(vorn.Pid(), "", "") != nullptr); });
  DWORD code = 99;
  EXPECT_TRUE(vorn.WaitForExit(0, &code));
  EXPECT_FALSE(window);
  EXPECT_EQ(code, 0u);
  EXPECT_NE(console.Screen().find("DONE!\n"), std::string::npos) << console.Screen();
  EXPECT_TRUE(game_.Holds(kNoneFirstItem));
}

TEST_F(VornE2E, AGameFolderNamedOutsideTheAnsiCodePageIsFoundAndWritten) {
  GameFolder game("-\u30B2\u30FC\u30E0");
  registry_.Set(game.Root());
  game.Install(kNoneFirstItem);
  EXPECT_EQ(Detect(), "None");
  game.Install(kFullFirstItem);
  {
    // The tool itself in such a folder: it finds the game, and F1 opens the
    // information file beside it.
    ToolCopy tool;
    ASSERT_TRUE(tool.Copied());
    EndProcesses("notepad.exe");
    Vorn vorn;
    ASSERT_TRUE(vorn.Start(game.Root(), "", nullptr, nullptr, tool.Exe()));
    std::string why;
    ASSERT_TRUE(vorn.WaitUntilReady(&why)) << why;
    EXPECT_EQ(vorn.Selection(), "Full") << "the folder was not found";
    EXPECT_TRUE(PressInFrontUntil(vorn.Window(), VK_F1, [] { return FindViewer() != nullptr; }))
        << "no window shows QUILLMOR.nfo";
    EndProcesses("notepad.exe");
  }

  WriteAll(game.File("type3.xml"), "the player's own type3.xml");
  const CommandRun run = RunCommand(game.Root(), "/apply None /quiet");
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_TRUE(game.Holds(kNoneFirstItem));
  EXPECT_EQ(ReadAll(game.Folder() + "backup\\type3.xml"), "the player's own type3.xml");
}

// ------------------------------------------------------------ per-user copies

// Creates `folder` and the folders above it.
void CreateFolders(const std::string& folder) {
  for (size_t at = folder.find('\\', 3); at != std::string::npos; at = folder.find('\\', at + 1)) {
    CreateDirectoryW(Widen(folder.substr(0, at)).c_str(), nullptr);
  }
  CreateDirectoryW(Widen(folder).c_str(), nullptr);
}

std::string Environment(const wchar_t* name) {
  wchar_t value[MAX_PATH] = L"";
  const DWORD n = GetEnvironmentVariableW(name, value, MAX_PATH);
  return n > 0 && n < MAX_PATH ? vorn::Utf8(value) : std::string();
}

TEST_F(VornE2E, APerUserCopyInEffectIsShownAndMovedAside) {
  const std::string programFiles = Environment(L"ProgramFiles"), localAppData = Environment(L"LOCALAPPDATA");
  if (programFiles.empty() || localAppData.empty()) GTEST_SKIP() << "no Program Files or LOCALAPPDATA here";
  // The game under Program Files, and the copy of its type1.xml that Windows
  // kept for a player's earlier, virtualized write of the None set.
  GameFolder game("", programFiles + "\\");
  registry_.Set(game.Root());
  game.Install(kFullFirstItem);
  const std::string store = localAppData + "\\VirtualStore" + game.Root().substr(2);
  struct Cleanup {
    std::string folder;
    ~Cleanup() { wide_files::RemoveTree(folder); }
  } cleanup{store};
  const std::string copies = store + "\\postprocess\\";
  CreateFolders(copies);
  WriteAll(copies + "type1.xml", Item(kNoneFirstItem));
  {
    Vorn vorn;
    ASSERT_TRUE(vorn.Start(game.Root()));
    HWND box = vorn.WaitForMessageBox(kAppTitle);
    ASSERT_NE(box, nullptr) << "the window does not say that a per-user copy is in effect";
    const std::string text = MessageText(box);
    EXPECT_NE(text.find(copies), std::string::npos) << text;
    EXPECT_NE(text.find("\"None\""), std::string::npos) << text;
    PressOk(box);
    std::string why;
    ASSERT_TRUE(vorn.WaitUntilReady(&why)) << why;
    EXPECT_EQ(vorn.Selection(), "None") << "the list shows the set the game reads";
    PostMessageA(vorn.Window(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(vorn.WaitForExit(10000));
  }
  const CommandRun run = RunCommand(game.Root(), "/apply Full");
  EXPECT_EQ(run.exitCode, 0u) << run.message;
  EXPECT_EQ(run.message.rfind("DONE!", 0), 0u) << run.message;
  EXPECT_NE(run.message.find(copies + "backup\\"), std::string::npos) << run.message;
  EXPECT_TRUE(game.Holds(kFullFirstItem));
  EXPECT_FALSE(Exists(copies + "type1.xml"));
  EXPECT_EQ(ReadAll(copies + "backup\\type1.xml"), Item(kNoneFirstItem)) << "the copy's bytes are kept";
}

// ------------------------------------------------------------ backups

std::vector<std::string> FilesIn(const std::string& folder) { return wide_files::Names(folder, false); }

TEST_F(VornE2E, ApplyKeepsEveryDistinctOriginalOfThePlayerOnce) {
  // The player's type3.xml: as long as the carried one, one byte apart.
  std::string edited = Item(kFullFirstItem + 3);
  edited[100] ^= 1;
  WriteAll(game_.File("type3.xml"), edited);
  const std::string backup = game_.Folder() + "backup";

  ASSERT_EQ(RunCommand(game_.Root(), "/apply None /quiet").exitCode, 0u);
  EXPECT_TRUE(game_.Holds(kNoneFirstItem));
  EXPECT_EQ(ReadAll(backup + "\\type3.xml"), edited);
  EXPECT_EQ(FilesIn(backup), std::vector<std::string>{"type3.xml"}) << "carried files make no backup";

  // A later, different edit gets a backup of its own; the first stays.
  WriteAll(game_.File("type3.xml"), "second edit");
  ASSERT_EQ(RunCommand(game_.Root(), "/apply Full /quiet").exitCode, 0u);
  EXPECT_TRUE(game_.Holds(kFullFirstItem));
  EXPECT_EQ(ReadAll(backup + "\\type3.xml"), edited);
  EXPECT_EQ(ReadAll(backup + "\\type3 (2).xml"), "second edit");

  // The same bytes again are kept already.
  WriteAll(game_.File("type3.xml"), edited);
  ASSERT_EQ(RunCommand(game_.Root(), "/apply None /quiet").exitCode, 0u);
  EXPECT_EQ(FilesIn(backup), (std::vector<std::string>{"type3 (2).xml", "type3.xml"}));
}

TEST_F(VornE2E, AFailingBackupWritesNothing) {
  const std::string edited = "the player's own type3.xml";
  WriteAll(game_.File("type3.xml"), edited);
  WriteAll(game_.Folder() + "backup", "a file where the backup folder would go");

  const CommandRun run = RunCommand(game_.Root(), "/apply None");
  EXPECT_EQ(run.exitCode, 1u);
  EXPECT_NE(run.message.find(game_.File("type3.xml")), std::string::npos) << run.message;
  EXPECT_EQ(run.message.find(game_.File("type1.xml")), std::string::npos) << run.message;
  EXPECT_EQ(ReadAll(game_.File("type3.xml")), edited);
  for (int i : {0, 1, 2, 4, 5, 6, 7}) {
    EXPECT_EQ(ReadAll(game_.File(kSetFiles[i])), Item(kFullFirstItem + i)) << kSetFiles[i];
  }
}

// ------------------------------------------------------------ elevation

// The command line process `pid` was started with.
std::string CommandLineOf(DWORD pid) {
  using QueryFn = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
  const auto query = reinterpret_cast<QueryFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!query || !process) return std::string();
  std::string text;
  PROCESS_BASIC_INFORMATION basic{};
  PEB peb{};
  RTL_USER_PROCESS_PARAMETERS parameters{};
  if (query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) == 0 &&
      ReadProcessMemory(process, basic.PebBaseAddress, &peb, sizeof peb, nullptr) &&
      ReadProcessMemory(process, peb.ProcessParameters, &parameters, sizeof parameters, nullptr)) {
    std::wstring wide(parameters.CommandLine.Length / sizeof(wchar_t), L'\0');
    if (ReadProcessMemory(process, parameters.CommandLine.Buffer, wide.data(), parameters.CommandLine.Length,
                          nullptr)) {
      text = vorn::Utf8(wide);
    }
  }
  CloseHandle(process);
  return text;
}

struct OtherBoxSearch {
  DWORD notPid;
  HWND found = nullptr;
};

BOOL CALLBACK MatchOtherBox(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<OtherBoxSearch*>(lp);
  if (ProcessOf(hwnd) == s->notPid || !IsWindowVisible(hwnd) || ClassOf(hwnd) != "#32770" ||
      WindowText(hwnd) != kAppTitle) {
    return TRUE;
  }
  s->found = hwnd;
  return FALSE;
}

// A message box of the tool shown by another process than `notPid`.
HWND WaitForOtherMessageBox(DWORD notPid) {
  OtherBoxSearch search{notPid};
  WaitFor([&] {
    EnumWindows(MatchOtherBox, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
  });
  return search.found;
}

TEST_F(VornE2E, AccessDeniedOffersToApplyAsAdministrator) {
  // On Windows "runas" brings up the UAC prompt, which only a person can
  // answer; Wine starts the copy at once.
  if (!GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")) {
    GTEST_SKIP() << "the UAC prompt needs a person";
  }
  // The tool runs unelevated: as this process when it is, else with the
  // limited token.
  HANDLE token = vorn::ProcessIsElevated() ? LimitedToken() : nullptr;
  if (vorn::ProcessIsElevated() && !token) GTEST_SKIP() << "no unelevated token to start the tool with";
  // Replacing type3.xml is denied; the files written before it go back.
  wide_files::ImmutableFile denied(game_.File("type3.xml"));
  if (!denied.Denied()) GTEST_SKIP() << "no file could be made that writing is denied for";
  // The tool, and so its copy, lies in a folder named outside the ANSI code page.
  ToolCopy tool;
  ASSERT_TRUE(tool.Copied());
  Vorn vorn;
  const bool started = vorn.Start(game_.Root(), "", token, nullptr, tool.Exe());
  if (token) CloseHandle(token);
  ASSERT_TRUE(started);
  std::string why;
  ASSERT_TRUE(vorn.WaitUntilReady(&why)) << "the window did not come up: " << why;
  ASSERT_TRUE(vorn.ChooseFromList(1));

  // Yes, while the copy is denied too: it shows its failure list, this window stays.
  ClickAt(vorn.ApplyButton());
  HWND offer = vorn.WaitForMessageBox(kAppTitle);
  ASSERT_NE(offer, nullptr);
  EXPECT_NE(MessageText(offer).find(game_.File("type3.xml")), std::string::npos) << MessageText(offer);
  EXPECT_NE(MessageText(offer).find(vorn::ElevationQuestion()), std::string::npos) << MessageText(offer);
  // Answered with the mouse: a click elsewhere between the two presses of
  // APPLY keeps the second from pairing with the first as a double click
  // (same window, same place, possibly within the double-click time), which
  // raises DblClick instead of Click.
  PressButton(offer, IDYES);
  HWND childBox = WaitForOtherMessageBox(vorn.Pid());
  ASSERT_NE(childBox, nullptr) << "no message from a copy of the tool";
  EXPECT_TRUE(game_.Holds(kFullFirstItem)) << "the files written before type3.xml are put back";
  const std::string childCommand = CommandLineOf(ProcessOf(childBox));
  EXPECT_NE(childCommand.find(tool.Exe()), std::string::npos) << childCommand;
  EXPECT_EQ(childCommand.substr(childCommand.size() - std::min<size_t>(childCommand.size(), 12)), " /apply None")
      << childCommand;
  EXPECT_NE(MessageText(childBox).find(game_.File("type3.xml")), std::string::npos) << MessageText(childBox);
  EXPECT_FALSE(IsWindowEnabled(vorn.Window())) << "the window waits for the copy";
  // Escape answers the copy's box; the waiting window stays.
  ASSERT_TRUE(BringToFront(childBox));
  SendKey(VK_ESCAPE, false);
  const bool enabled = WaitFor([&] { return IsWindowEnabled(vorn.Window()); }, 10000);
  Pause(200);
  SendKey(VK_ESCAPE, true);
  EXPECT_TRUE(enabled);
  Pause(100);
  EXPECT_TRUE(vorn.Running());

  // Yes, and the copy may write: it says "DONE!" and this window closes.
  ClickAt(vorn.ApplyButton());
  offer = vorn.WaitForMessageBox(kAppTitle);
  ASSERT_NE(offer, nullptr);
  denied.Clear();
  PressButton(offer, IDYES);
  childBox = WaitForOtherMessageBox(vorn.Pid());
  ASSERT_NE(childBox, nullptr);
  EXPECT_EQ(MessageText(childBox), "DONE!");
  PostMessageA(childBox, WM_COMMAND, IDOK, 0);
  DWORD code = 99;
  EXPECT_TRUE(vorn.WaitForExit(10000, &code)) << "the window stayed after the copy wrote the set";
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(game_.Holds(kNoneFirstItem));
}

// ------------------------------------------------------------ screen readers

// What a screen reader in another process reads for a window: name, role, value.
std::string AccessibleReading(HWND hwnd) {
  void* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible), &object)))
    return "no object";
  auto* acc = static_cast<IAccessible*>(object);
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  auto text = [](BSTR b) {
    std::string s = host::AnsiText(b);
    SysFreeString(b);
    return s;
  };
  BSTR name = nullptr, value = nullptr;
  acc->get_accName(self, &name);
  acc->get_accValue(self, &value);
  VARIANT role;
  VariantInit(&role);
  acc->get_accRole(self, &role);
  acc->Release();
  return text(name) + " / " + std::to_string(role.vt == VT_I4 ? role.lVal : -1) + " / " + text(value);
}

TEST_F(VornE2E, ScreenReadersReadTheSelectorByItsLabelAndTheButtonsByTheirCaptions) {
  CoInitialize(nullptr);
  Vorn vorn;
  StartReady(vorn);
  EXPECT_EQ(AccessibleReading(vorn.Combo()),
            "Post Process Effects: / " + std::to_string(ROLE_SYSTEM_COMBOBOX) + " / Full");
  const std::string button = " / " + std::to_string(ROLE_SYSTEM_PUSHBUTTON) + " / ";
  EXPECT_EQ(AccessibleReading(WindowFromPoint(vorn.ApplyButton())), "APPLY" + button);
  EXPECT_EQ(AccessibleReading(WindowFromPoint(vorn.CancelButton())), "CANCEL" + button);
  EXPECT_EQ(AccessibleReading(WindowFromPoint(vorn.AboutButton())), "ABOUT" + button);
  CoUninitialize();
}

}  // namespace
