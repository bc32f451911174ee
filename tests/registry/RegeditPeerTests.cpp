// Compatibility with the system's own registry editor: files written by
// ExportToReg are imported by regedit into the same values, and files in the
// form regedit writes are imported by ImportFromReg into the values regedit
// itself produces from them.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "registry/RegistryTestKey.h"
#include "registry/clsRegistryAccess.h"

using registry_test::CrLfLines;
using registry_test::RawKeyExists;
using registry_test::RunRegedit;
using registry_test::TempFile;

namespace {

// regedit /E writes UTF-16 (with a byte-order mark) or ANSI; gives ANSI text.
std::string AnsiText(const std::string& bytes) {
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE) {
    const int units = static_cast<int>((bytes.size() - 2) / 2);
    std::wstring wide(static_cast<size_t>(units), L'\0');
    std::copy_n(bytes.data() + 2, static_cast<size_t>(units) * 2, reinterpret_cast<char*>(wide.data()));
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), units, ansi.data(), size, nullptr, nullptr);
    return ansi;
  }
  return bytes;
}

// The lines of regedit's export below its header line, with `from` (a key
// path) replaced by `to`, so that exports of two keys can be compared.
std::vector<std::string> ExportedLines(const std::string& text, const std::string& from, const std::string& to) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  std::getline(in, line);  // the header differs between formats
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    for (size_t at = line.find(from); at != std::string::npos; at = line.find(from, at + to.size())) {
      line.replace(at, from.size(), to);
    }
    lines.push_back(line);
  }
  return lines;
}

class RegistryRegedit : public registry_test::RegistryKeyTest {
 protected:
  void SetUp() override {
    RegistryKeyTest::SetUp();
    Long = "HKEY_CURRENT_USER\\" + Sub;
  }
  clsRegistryAccess reg;
  std::string Long;
};

}  // namespace

TEST_F(RegistryRegedit, RegeditImportsWhatExportToRegWrites) {
  ASSERT_NE(reg.WriteString(Path, "@", "default"), 0);
  ASSERT_NE(reg.WriteString(Path, "s", "some text, with = and ; inside"), 0);
  ASSERT_NE(reg.WriteString(Path, "empty", ""), 0);
  ASSERT_NE(reg.WriteDWORD(Path, "n", 42), 0);
  ASSERT_NE(reg.WriteDWORD(Path, "neg", -1), 0);
  ASSERT_NE(reg.WriteBinary(Path, "b", "00 01 7F 80 FF"), 0);
  ASSERT_NE(reg.WriteString(Path + "\\Child", "c", "in child"), 0);
  TempFile file("peer_export");
  ASSERT_EQ(reg.ExportToReg(Path, file.path()), 1);

  registry_test::DeleteTree(HKEY_CURRENT_USER, Sub);
  ASSERT_FALSE(RawKeyExists(Sub));
  ASSERT_EQ(RunRegedit("/S \"" + file.path() + "\""), 0);

  DWORD type = 0;
  std::string data;
  ASSERT_TRUE(RawGet(Sub, "", type, data));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(data, std::string("default", 8));
  ASSERT_TRUE(RawGet(Sub, "s", type, data));
  EXPECT_EQ(data, std::string("some text, with = and ; inside", 31));
  ASSERT_TRUE(RawGet(Sub, "empty", type, data));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(reg.ReadString(Path, "empty", "d"), "");
  ASSERT_TRUE(RawGet(Sub, "n", type, data));
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(reg.ReadDWORD(Path, "n", 0), 42);
  EXPECT_EQ(reg.ReadDWORD(Path, "neg", 0), -1);
  ASSERT_TRUE(RawGet(Sub, "b", type, data));
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(data, std::string("\x00\x01\x7F\x80\xFF", 5));
  EXPECT_EQ(reg.ReadString(Path + "\\Child", "c"), "in child");
}

TEST_F(RegistryRegedit, ImportFromRegMatchesRegeditOnARegeditStyleFile) {
  // The same file, once for each importer, each into its own key.
  const std::string ours = Long + "\\Ours";
  const std::string theirs = Long + "\\Theirs";
  auto fileFor = [](const std::string& key) {
    return CrLfLines({"REGEDIT4", "", "[" + key + "]", "@=\"default text\"", "\"String\"=\"C: drive, 100% sure\"",
                      "\"Number\"=dword:0000002a", "\"Negative\"=dword:fffffffe", "\"Bytes\"=hex:00,01,7f,80,ff",
                      "\"NoBytes\"=hex:", "", "[" + key + "\\Child]", "\"Inner\"=\"x\"", ""});
  };
  TempFile oursFile("peer_ours");
  TempFile theirsFile("peer_theirs");
  oursFile.Write(fileFor(ours));
  theirsFile.Write(fileFor(theirs));
  ASSERT_EQ(reg.ImportFromReg(oursFile.path()), 1);
  ASSERT_EQ(RunRegedit("/S \"" + theirsFile.path() + "\""), 0);

  // regedit's own view of both keys must agree line for line.
  TempFile oursExport("peer_ours_export");
  TempFile theirsExport("peer_theirs_export");
  ASSERT_EQ(RunRegedit("/E \"" + oursExport.path() + "\" \"" + ours + "\""), 0);
  ASSERT_EQ(RunRegedit("/E \"" + theirsExport.path() + "\" \"" + theirs + "\""), 0);
  const auto oursLines = ExportedLines(AnsiText(oursExport.Read()), ours, "KEY");
  const auto theirsLines = ExportedLines(AnsiText(theirsExport.Read()), theirs, "KEY");
  ASSERT_GE(theirsLines.size(), 8u) << "regedit exported nothing";
  EXPECT_EQ(oursLines, theirsLines);
  EXPECT_NE(std::find(theirsLines.begin(), theirsLines.end(), "\"Number\"=dword:0000002a"), theirsLines.end());

  // And the class reads both the same way.
  EXPECT_EQ(reg.ReadString(ours, ""), reg.ReadString(theirs, ""));
  EXPECT_EQ(reg.ReadString(ours, "String"), "C: drive, 100% sure");
  EXPECT_EQ(reg.ReadString(theirs, "String"), "C: drive, 100% sure");
  EXPECT_EQ(reg.ReadDWORD(theirs, "Negative", 0), -2);
  EXPECT_EQ(reg.ReadBinary(ours, "Bytes"), reg.ReadBinary(theirs, "Bytes"));
}
