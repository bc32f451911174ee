// Exports and imports a tree of keys with 10 values each (strings, 32-bit
// values, binaries) with clsRegistryAccess (ExportToReg/ImportFromReg and the
// regedit-compatible ExportRegFile/ImportRegFile) and with the system's
// regedit (/E and /S) on the same tree, in a few rounds, and prints the
// median times and their ratios, one table per tree size. Run it through
// scripts/bench-registry.sh [keys[,keys...]] [rounds] (default: 2000 keys,
// 3 rounds).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bench/BenchClock.h"
#include "registry/RegKey.h"

#include "registry/RegFileIO.h"
#include "registry/RegFileParser.h"
#include "registry/RegFileReader.h"
#include "registry/clsRegistryAccess.h"

namespace {

const char kSubKey[] = "Software\\VornRegistryBench";
const char kLongPath[] = "HKEY_CURRENT_USER\\Software\\VornRegistryBench";
constexpr int kLeavesPerBranch = 49;  // a branch and its leaves: 50 keys

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

// A tree of `wanted` keys (rounded up to whole branches of 50).
int BuildTree(int wanted) {
  DeleteTree(HKEY_CURRENT_USER, kSubKey);
  int keys = 0;
  const int branches = std::max(1, (wanted + kLeavesPerBranch) / (kLeavesPerBranch + 1));
  for (int b = 0; b < branches; ++b) {
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

struct Times {
  std::vector<double> ours, theirs;
};

void Row(const char* what, const Times& t) {
  const double ours = Median(t.ours), theirs = Median(t.theirs);
  const double ourBest = *std::min_element(t.ours.begin(), t.ours.end());
  const double theirBest = *std::min_element(t.theirs.begin(), t.theirs.end());
  std::printf("%-24s %8.3f s %8.3f s %7.2f   (fastest rounds: %.3f s, %.3f s, %.2f)\n", what, ours, theirs,
              ours / theirs, ourBest, theirBest, ourBest / theirBest);
}

// Sinks that only count what the readers ask of the registry: the parse
// alone, without the server calls, and the number of those calls.
struct CountingSink : reg_file::ImportSink {
  long requests = 0;
  void KillKey(const std::string&) override { ++requests; }
  void KillValue(const std::string&, const std::string&) override { ++requests; }
  void WriteBinary(const std::string&, const std::string&, const std::string& hex) override {
    std::string copy = hex;
    hex_text::StrToBin(copy);  // the conversion is part of the reader's work
    ++requests;
  }
  void WriteDWORD(const std::string&, const std::string&, int32_t) override { ++requests; }
  void WriteString(const std::string&, const std::string&, const std::string&) override { ++requests; }
};
struct CountingTarget : reg_file::RegFileTarget {
  long requests = 0;
  LONG OpenKey(HKEY, std::wstring_view) override { return ++requests, ERROR_SUCCESS; }
  void CloseKey() override {}
  LONG DeleteKey(HKEY, std::wstring_view) override { return ++requests, ERROR_SUCCESS; }
  LONG SetValue(const std::wstring&, DWORD, const std::string&) override { return ++requests, ERROR_SUCCESS; }
  LONG DeleteValue(const std::wstring&) override { return ++requests, ERROR_SUCCESS; }
};

// Where an import's time goes: reading and parsing the file alone, and the
// requests the parse makes (each one call to the registry server, plus one
// close per key).
void PrintParseOnly(const std::string& classFile, const std::string& pairFile) {
  std::string bytes;
  double start = bench::Seconds();
  reg_file::ReadWholeFile(classFile, bytes);
  CountingSink sink;
  reg_file::ParseRegFile(bytes, sink);
  const double classParse = bench::Seconds() - start;
  start = bench::Seconds();
  reg_file::ReadWholeFile(pairFile, bytes);
  CountingTarget target;
  reg_file::ReadRegFile(bytes, target);
  const double pairParse = bench::Seconds() - start;
  std::printf("  without the registry: ImportFromReg reads and parses in %.3f s (%ld requests), ImportRegFile in\n"
              "  %.3f s (%ld requests: one create per key, one set per value)\n",
              classParse, sink.requests, pairParse, target.requests);
}

double Timed(const std::function<int32_t()>& run, int32_t& result) {
  const double start = bench::Seconds();
  result = run();
  return bench::Seconds() - start;
}

// One tree size: every side in turn in each round. Wine's server now and
// then stops to save the registry to disk, which lands on one side of one
// round only.
bool RunSize(int wanted, int rounds) {
  const int keys = BuildTree(wanted);
  std::printf("\n%d keys with 10 values each (4 strings, 3 DWORDs, 3 binaries of 16 bytes), %d rounds\n", keys,
              rounds);
  clsRegistryAccess registry;
  const std::string classFile = TempName("vorn_bench_class.reg");
  const std::string pairFile = TempName("vorn_bench_pair.reg");
  const std::string theirFile = TempName("vorn_bench_regedit.reg");
  Times classExport, classImport, pairExport, pairImport;
  bool ok = true;
  for (int round = 0; round < rounds; ++round) {
    const bool first = round == 0;
    DeleteFileA(classFile.c_str());
    DeleteFileA(theirFile.c_str());
    int32_t result = 0;
    classExport.ours.push_back(Timed([&] { return registry.ExportToReg(kLongPath, classFile); }, result));
    ok = ok && result == 1;
    const double regeditExport = TimeRegedit("/E \"" + theirFile + "\" \"" + kLongPath + "\"");
    classExport.theirs.push_back(regeditExport);
    pairExport.theirs.push_back(regeditExport);
    pairExport.ours.push_back(Timed([&] { return registry.ExportRegFile(kLongPath, pairFile); }, result));
    ok = ok && result == 1;
    if (first) {
      std::printf("  files: ExportToReg %ld bytes, ExportRegFile %ld bytes, regedit /E %ld bytes\n",
                  FileSize(classFile), FileSize(pairFile), FileSize(theirFile));
    }

    DeleteTree(HKEY_CURRENT_USER, kSubKey);
    classImport.ours.push_back(Timed([&] { return registry.ImportFromReg(classFile); }, result));
    ok = ok && result == 1;
    if (first) PrintTree("ImportFromReg");
    DeleteTree(HKEY_CURRENT_USER, kSubKey);
    const double regeditImport = TimeRegedit("/S \"" + theirFile + "\"");
    classImport.theirs.push_back(regeditImport);
    pairImport.theirs.push_back(regeditImport);
    if (first) PrintTree("regedit /S");
    DeleteTree(HKEY_CURRENT_USER, kSubKey);
    pairImport.ours.push_back(Timed([&] { return registry.ImportRegFile(pairFile); }, result));
    ok = ok && result == 1;
    if (first) PrintTree("ImportRegFile");
  }
  std::printf("%-24s %10s %10s %7s\n", "medians", "ours", "regedit", "ratio");
  Row("ExportToReg   vs /E", classExport);
  Row("ImportFromReg vs /S", classImport);
  Row("ExportRegFile vs /E", pairExport);
  Row("ImportRegFile vs /S", pairImport);
  PrintParseOnly(classFile, pairFile);
  DeleteFileA(classFile.c_str());
  DeleteFileA(pairFile.c_str());
  DeleteFileA(theirFile.c_str());
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  // Tree sizes as "2000" or "2000,20000"; each gets its own table.
  std::vector<int> sizes;
  for (const char* p = argc > 1 ? argv[1] : "2000"; *p;) {
    char* end = nullptr;
    const long keys = std::strtol(p, &end, 10);
    if (end == p) break;
    sizes.push_back(static_cast<int>(std::max(50L, keys)));
    p = *end == ',' ? end + 1 : end;
  }
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
  std::printf("registry benchmark: clsRegistryAccess against regedit (ratio: our time / regedit's time; regedit's\n"
              "times include starting its process)\n");

  bool ok = true;
  for (int keys : sizes) ok = RunSize(keys, rounds) && ok;

  // What starting regedit costs by itself: an export of a key with nothing in it.
  DeleteTree(HKEY_CURRENT_USER, kSubKey);
  RegKey empty;
  RegCreateKeyA(HKEY_CURRENT_USER, "Software\\VornRegistryBench\\empty", empty.put());
  empty.reset();
  const std::string emptyFile = TempName("vorn_bench_empty.reg");
  std::printf("\nstarting regedit (an export of an empty key): %.3f s\n",
              TimeRegedit("/E \"" + emptyFile + "\" \"" + kLongPath + "\\empty\""));
  DeleteTree(HKEY_CURRENT_USER, kSubKey);
  DeleteFileA(emptyFile.c_str());
  return ok ? 0 : 1;
}
