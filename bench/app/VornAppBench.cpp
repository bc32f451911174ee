// Figures of VORN.exe:
//  1. start-up: from CreateProcess to the main window at full opacity with
//     the installed set detected, over several runs, alternating with a bare
//     window of one combo box and three buttons (VornBareWindow.exe) timed
//     the same way, and the ratio of the medians;
//  2. writing a set: the routine APPLY runs (eight carried items, each
//     replacing its target) against writing the same bytes with plain
//     CreateFile/WriteFile, in the same run, and their ratio.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/ApplySet.h"
#include "app/PostProcessSets.h"
#include "bench/app/BareWindow.h"
#include "bench/BenchClock.h"
#include "host/SystemLibrary.h"

namespace {

std::string WindowsPath(std::string path) {
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

std::string Item(int16_t id) {
  HRSRC info = FindResourceA(nullptr, MAKEINTRESOURCEA(id), vorn::kItemGroup);
  if (!info) return std::string();
  return std::string(static_cast<const char*>(LockResource(LoadResource(nullptr, info))),
                     SizeofResource(nullptr, info));
}

// Plain CreateFile/WriteFile; with `flush`, FlushFileBuffers before the
// close, as APPLY flushes each new file before it takes the target's place.
bool WriteFileBytes(const std::string& path, const std::string& bytes, bool flush = false) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  if (ok && flush) ok = FlushFileBuffers(file);
  CloseHandle(file);
  return ok && written == bytes.size();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

struct GameFolder {
  std::string root, folder;
  GameFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    root = std::string(temp) + "vorn-bench-" + std::to_string(GetCurrentProcessId());
    folder = root + "\\postprocess\\";
    CreateDirectoryA(root.c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const vorn::SetFile& f : vorn::kFullSet) WriteFileBytes(folder + f.fileName, Item(f.item));
  }
  ~GameFolder() {
    for (const vorn::SetFile& f : vorn::kFullSet) DeleteFileA((folder + f.fileName).c_str());
    RemoveDirectoryA(folder.c_str());
    RemoveDirectoryA(root.c_str());
  }
};

// Seconds from CreateProcess to the window titled `title` visible, at
// opacity 255 and enabled (VORN enables it once the fade-in is over).
double StartUpOnce(const std::string& exe, const std::string& cwd, const char* title) {
  std::string command = "\"" + exe + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION pi{};
  const double start = bench::Seconds();
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, cwd.c_str(), &startup, &pi)) {
    return -1;
  }
  double result = -1;
  while (bench::Seconds() - start < 30) {
    HWND window = FindWindowA(nullptr, title);
    BYTE alpha = 0;
    DWORD flags = 0;
    if (window && IsWindowVisible(window) && GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) &&
        alpha == 255 && IsWindowEnabled(window)) {
      result = bench::Seconds() - start;
      break;
    }
    Sleep(1);
  }
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 5000);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  host::UseSystemFolderForDlls();  // as the programs it measures start
  const int startRuns = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
  const int writeRuns = argc > 2 ? std::max(1, atoi(argv[2])) : 50;
  GameFolder game;

  // The game's registry value points at the scratch folder for the runs.
  HKEY key;
  RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Olverant\\VORN", 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key,
                  nullptr);
  char saved[1024];
  DWORD savedSize = sizeof saved, savedType = 0;
  const bool hadValue = RegQueryValueExA(key, "PATH_APPLICATION", nullptr, &savedType, reinterpret_cast<BYTE*>(saved),
                                         &savedSize) == ERROR_SUCCESS;
  RegSetValueExA(key, "PATH_APPLICATION", 0, REG_SZ, reinterpret_cast<const BYTE*>(game.root.c_str()),
                 static_cast<DWORD>(game.root.size() + 1));

  const std::string exe = WindowsPath(VORN_EXE_PATH);
  const std::string bareExe = WindowsPath(VORN_BARE_EXE_PATH);
  // Each VORN start is followed by a bare one: on a shared machine the ratio
  // of a pair, taken close together, moves less than either time.
  std::vector<double> starts, bareStarts, pairRatios;
  for (int i = 0; i < startRuns; ++i) {
    const double s = StartUpOnce(exe, game.root, "VORN - Glarecut 1.01");
    if (s >= 0) starts.push_back(s);
    const double b = StartUpOnce(bareExe, game.root, kBareWindowTitle);
    if (b >= 0) bareStarts.push_back(b);
    if (s >= 0 && b > 0) pairRatios.push_back(s / b);
  }

  if (hadValue) {
    RegSetValueExA(key, "PATH_APPLICATION", 0, savedType, reinterpret_cast<BYTE*>(saved), savedSize);
  } else {
    RegDeleteValueA(key, "PATH_APPLICATION");
  }
  RegCloseKey(key);

  // Writing a set, alternating None and Full so every write changes the
  // files, through APPLY's routine, through plain writes, and through plain
  // writes each flushed to the disk (the part of APPLY's cost that is the
  // disk's: on a real disk a flush can cost more than the write).
  std::vector<std::string> bytes[2];
  for (const vorn::SetFile& f : vorn::kNoneSet) bytes[0].push_back(Item(f.item));
  for (const vorn::SetFile& f : vorn::kFullSet) bytes[1].push_back(Item(f.item));
  std::vector<double> applyTimes, plainTimes, flushedTimes;
  int failures = 0;
  for (int i = 0; i < writeRuns; ++i) {
    const vorn::PostProcessSet& set = (i % 2 == 0) ? vorn::kNoneSet : vorn::kFullSet;
    double t0 = bench::Seconds();
    failures += static_cast<int>(vorn::WriteSet(set, [&] { return game.folder; }).failures.size());
    applyTimes.push_back(bench::Seconds() - t0);

    const auto& data = bytes[(i + 1) % 2];
    t0 = bench::Seconds();
    for (size_t f = 0; f < 8; ++f) failures += !WriteFileBytes(game.folder + set[f].fileName, data[f]);
    plainTimes.push_back(bench::Seconds() - t0);

    t0 = bench::Seconds();
    for (size_t f = 0; f < 8; ++f) failures += !WriteFileBytes(game.folder + set[f].fileName, data[f], true);
    flushedTimes.push_back(bench::Seconds() - t0);
  }

  const auto printStarts = [](const char* what, const std::vector<double>& times) {
    if (times.empty()) {
      std::printf("start-up, %s: the window never reached full opacity\n", what);
      return;
    }
    std::printf("start-up to full opacity, %s (%zu runs): median %.1f ms, min %.1f ms, max %.1f ms\n", what,
                times.size(), Median(times) * 1e3, *std::min_element(times.begin(), times.end()) * 1e3,
                *std::max_element(times.begin(), times.end()) * 1e3);
  };
  printStarts("VORN", starts);
  printStarts("bare window", bareStarts);
  if (!starts.empty() && !bareStarts.empty()) {
    std::printf(
        "start-up ratio, VORN / bare window: %.2f of the medians, %.2f of the minima, %.2f median of %zu pairs\n",
        Median(starts) / Median(bareStarts),
        *std::min_element(starts.begin(), starts.end()) / *std::min_element(bareStarts.begin(), bareStarts.end()),
        Median(pairRatios), pairRatios.size());
  }
  const double apply = Median(applyTimes), plain = Median(plainTimes), flushed = Median(flushedTimes);
  std::printf("writing a set of 8 files (%d runs, medians): APPLY %.3f ms, plain writes %.3f ms, ratio %.2f\n",
              writeRuns, apply * 1e3, plain * 1e3, plain > 0 ? apply / plain : 0.0);
  std::printf("  plain writes each flushed: %.3f ms, APPLY / that %.2f\n", flushed * 1e3,
              flushed > 0 ? apply / flushed : 0.0);
  if (failures) std::printf("failed writes: %d\n", failures);
  return failures ? 1 : 0;
}
