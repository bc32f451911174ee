// Exports and imports a tree of 2,000 keys with 10 values each (strings,
// 32-bit values, binaries) with clsRegistryAccess and with the system's
// regedit (/E and /S) on the same tree, in a few rounds, and prints the
// median times and their ratio. Run it through scripts/bench-registry.sh
// [rounds].
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/BenchClock.h"
#include "registry/RegKey.h"

#include "registry/clsRegistryAccess.h"

namespace {

const char kSubKey[] = "Software\\VornRegistryBench";
const char kLongPath[] = "HKEY_CURRENT_USER\\Software\\VornRegistryBench";
constexpr int kBranches = 40;
constexpr int kLeavesPerBranch = 49;  // 40 branches + 40 * 49 leaves = 2,000 keys

void DeleteTree(HKEY parent, const std::string& subKey) {
  RegKey key;
  if (RegOpenKeyExA(parent, subKey.c_str(), 0, KEY_ALL_ACCESS, key.put()) != ERROR_SUCCESS) return;
  for (;;) {
    char name[512];
    DWORD length = sizeof name;
    if (RegEnumKeyExA(key.get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    DeleteTree(key.get(), std::string(name, length));
  }
  key.reset();  // closed before it is deleted
  RegDeleteKeyA(parent, subKey.c_str());
}

void FillKey(const std::string& subKey, int seed) {
  RegKey key;
  if (RegCreateKeyA(HKEY_CURRENT_USER, subKey.c_str(), key.put()) != ERROR_SUCCESS) return;
  for (int i = 0; i < 4; ++i) {
    const std::string text = "value text " + std::to_string(seed * 10 + i) + " for the benchmark";
    RegSetValueExA(key.get(), ("s" + std::to_string(i)).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
  }
  for (int i = 0; i < 3; ++i) {
    const DWORD value = static_cast<DWORD>(seed * 7919 + i);
    RegSetValueExA(key.get(), ("d" + std::to_string(i)).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                   4);
  }
  for (int i = 0; i < 3; ++i) {
    BYTE bytes[16];
    for (int b = 0; b < 16; ++b) bytes[b] = static_cast<BYTE>(seed + i * 16 + b);
    RegSetValueExA(key.get(), ("b" + std::to_string(i)).c_str(), 0, REG_BINARY, bytes, sizeof bytes);
  }
}

int BuildTree() {
  DeleteTree(HKEY_CURRENT_USER, kSubKey);
  int keys = 0;
  for (int b = 0; b < kBranches; ++b) {
    const std::string branch = std::string(kSubKey) + "\\branch" + std::to_string(b);
    FillKey(branch, keys++);
    for (int l = 0; l < kLeavesPerBranch; ++l) FillKey(branch + "\\leaf" + std::to_string(l), keys++);
  }
  return keys;
}

// Counts keys and values below the bench key, to check an import.
void CountTree(HKEY parent, const std::string& subKey, int& keys, int& values) {
  RegKey key;
  if (RegOpenKeyExA(parent, subKey.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return;
  DWORD subkeys = 0, valueCount = 0;
  RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &valueCount, nullptr, nullptr,
                   nullptr, nullptr);
  values += static_cast<int>(valueCount);
  for (DWORD i = 0; i < subkeys; ++i) {
    char name[512];
    DWORD length = sizeof name;
    if (RegEnumKeyExA(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    ++keys;
    CountTree(key.get(), std::string(name, length), keys, values);
  }
}

void PrintTree(const char* after) {
  int keys = 0, values = 0;
  CountTree(HKEY_CURRENT_USER, kSubKey, keys, values);
  std::printf("  tree after %s: %d keys, %d values\n", after, keys, values);
}

// Runs "regedit.exe <arguments>" and waits for it; seconds taken, or -1.
double TimeRegedit(const std::string& arguments) {
  std::string commandLine = "regedit.exe " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const double start = bench::Seconds();
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return -1;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  const double seconds = bench::Seconds() - start;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return seconds;
}

std::string TempName(const char* stem) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string path = std::string(dir) + stem;
  DeleteFileA(path.c_str());
  return path;
}

long FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return static_cast<long>(data.nFileSizeLow);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  // Several rounds, each side in turn: Wine's server now and then stops to
  // save the registry to disk, which lands on one side of one round only.
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  const int keys = BuildTree();
  std::printf(
      "registry benchmark: %d keys with 10 values each (4 strings, 3 DWORDs, 3 binaries of 16 bytes), "
      "%d rounds\n",
      keys, rounds);
  PrintTree("building");

  clsRegistryAccess registry;
  const std::string ourFile = TempName("vorn_bench_ours.reg");
  const std::string theirFile = TempName("vorn_bench_regedit.reg");
  const std::string emptyFile = TempName("vorn_bench_empty.reg");

  std::vector<double> ourExports, theirExports, ourImports, theirImports;
  bool ok = true;
  for (int round = 0; round < rounds; ++round) {
    const bool first = round == 0;
    DeleteFileA(ourFile.c_str());
    DeleteFileA(theirFile.c_str());
    double start = bench::Seconds();
    const int32_t exported = registry.ExportToReg(kLongPath, ourFile);
    ourExports.push_back(bench::Seconds() - start);
    if (first) std::printf("  clsRegistryAccess ExportToReg: result %d, %ld bytes\n", exported, FileSize(ourFile));

    theirExports.push_back(TimeRegedit("/E \"" + theirFile + "\" \"" + kLongPath + "\""));
    if (first) std::printf("  regedit /E: %ld bytes\n", FileSize(theirFile));

    DeleteTree(HKEY_CURRENT_USER, kSubKey);
    start = bench::Seconds();
    const int32_t imported = registry.ImportFromReg(ourFile);
    ourImports.push_back(bench::Seconds() - start);
    if (first) {
      std::printf("  clsRegistryAccess ImportFromReg: result %d\n", imported);
      PrintTree("ImportFromReg");
    }

    DeleteTree(HKEY_CURRENT_USER, kSubKey);
    theirImports.push_back(TimeRegedit("/S \"" + theirFile + "\""));
    if (first) PrintTree("regedit /S");
    ok = ok && exported == 1 && imported == 1;
  }

  // What starting regedit costs by itself: an export of a key with nothing in it.
  RegKey empty;
  RegCreateKeyA(HKEY_CURRENT_USER, "Software\\VornRegistryBench\\empty", empty.put());
  empty.reset();
  const double launch = TimeRegedit("/E \"" + emptyFile + "\" \"" + kLongPath + "\\empty\"");

  const auto row = [](const char* what, const std::vector<double>& ours, const std::vector<double>& theirs) {
    std::printf("%-8s %16.3f s %10.3f s %8.2f   (fastest rounds: %.3f s, %.3f s, %.2f)\n", what, Median(ours),
                Median(theirs), Median(ours) / Median(theirs), *std::min_element(ours.begin(), ours.end()),
                *std::min_element(theirs.begin(), theirs.end()),
                *std::min_element(ours.begin(), ours.end()) / *std::min_element(theirs.begin(), theirs.end()));
  };
  std::printf("\n%-8s %18s %12s %8s\n", "medians", "clsRegistryAccess", "regedit", "ratio");
  row("export", ourExports, theirExports);
  row("import", ourImports, theirImports);
  std::printf(
      "(ratio: clsRegistryAccess time / regedit time; regedit times include starting the process,\n"
      " about %.3f s as measured on an empty key)\n",
      launch);

  DeleteTree(HKEY_CURRENT_USER, kSubKey);
  DeleteFileA(ourFile.c_str());
  DeleteFileA(theirFile.c_str());
  DeleteFileA(emptyFile.c_str());
  return ok ? 0 : 1;
}
