// ImportFromReg against the real registry, and the export/import round trip.
#include <gtest/gtest.h>

#include "registry/RegistryImportSink.h"
#include "registry/RegistryTestKey.h"
#include "registry/clsRegistryAccess.h"

using registry_test::CrLfLines;
using registry_test::RawKeyExists;
using registry_test::TempFile;

namespace {
class RegistryImport : public registry_test::RegistryKeyTest {
 protected:
  void SetUp() override {
    RegistryKeyTest::SetUp();
    Long = "HKEY_CURRENT_USER\\" + Sub;
  }
  clsRegistryAccess reg;
  TempFile file{"import"};
  std::string Long;
};
}  // namespace

TEST_F(RegistryImport, NineLineFileRecreatesTheValuesButNotTheEmptySubkey) {
  file.Write(CrLfLines({"REGEDIT4", "", "[" + Long + "]", "\"a\"=\"x\"", "\"b\"=hex:01,02", "\"n\"=dword:0000002A", "",
                        "[" + Long + "\\Sub]", ""}));
  EXPECT_EQ(reg.ImportFromReg(file.path()), 1);
  EXPECT_EQ(reg.ReadString(Path, "a"), "x");
  EXPECT_EQ(reg.ReadBinary(Path, "b"), "01 02");
  EXPECT_EQ(reg.ReadDWORD(Path, "n"), 42);
  DWORD type = 0;
  std::string data;
  ASSERT_TRUE(RawGet(Sub, "n", type, data));
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  ASSERT_TRUE(RawGet(Sub, "b", type, data));
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  EXPECT_FALSE(RawKeyExists(Sub + "\\Sub"));
}

TEST_F(RegistryImport, EveryLineKindOfTheFormat) {
  RawSetString(Sub, "old", "to delete");
  RawSetString(Sub, "", "old default");
  RawCreate(Sub + "\\Doomed");
  file.Write(CrLfLines({
      "REGEDIT4",
      "; comment",
      "[" + Long + "]",
      "no equals",
      "\"old\"=-",
      "\"s\"=\"text\"",
      "\"neg\"=dword:FFFFFFFF",
      "\"big\"=DWORD:80000000",
      "\"h\"=HEX:0a,FF,00",
      "\"t\"=hex(2):41,00",
      "\"eq\"=\"a=b\"",
      "\"q\"=\"say \"hi\"\"",
      "@=\"x\"",
      "[-" + Long + "\\Doomed]",
      "[" + Long + "\\Two]",
      "@=\"\"",
      "\"w\"=\"1\"",
  }));
  EXPECT_EQ(reg.ImportFromReg(file.path()), 1);
  EXPECT_FALSE(reg.ValueExists(Path, "old"));
  EXPECT_EQ(reg.ReadString(Path, "s"), "text");
  EXPECT_EQ(reg.ReadDWORD(Path, "neg", 0), -1);
  EXPECT_EQ(reg.ReadDWORD(Path, "big", 0), INT32_MIN);
  EXPECT_EQ(reg.ReadBinary(Path, "h"), "0A FF 00");
  EXPECT_EQ(reg.ReadString(Path, "t"), "hex(2):41,00");
  EXPECT_EQ(reg.ReadString(Path, "eq"), "a");
  EXPECT_EQ(reg.ReadString(Path, "q"), "say hi");
  EXPECT_EQ(reg.ReadString(Path, ""), "x");
  EXPECT_FALSE(RawKeyExists(Sub + "\\Doomed"));
  EXPECT_EQ(reg.ReadString(Path + "\\Two", "w"), "1");
  EXPECT_FALSE(reg.ValueExists(Path + "\\Two", "")) << "an empty default value is removed";
}

TEST_F(RegistryImport, RejectedFilesChangeNothing) {
  EXPECT_EQ(reg.ImportFromReg(file.path()), 0) << "missing file";
  file.Write("REGEDIT4\n[" + Long + "]\n\"a\"=\"x\"\n");
  EXPECT_EQ(reg.ImportFromReg(file.path()), 0) << "LF-only lines";
  file.Write(CrLfLines({"REGEDIT4 ", "[" + Long + "]", "\"a\"=\"x\""}));
  EXPECT_EQ(reg.ImportFromReg(file.path()), 0) << "header with a trailing space";
  EXPECT_FALSE(RawKeyExists(Sub));
}

TEST_F(RegistryImport, LoneBracketStopsWithZeroKeepingEarlierChanges) {
  file.Write(CrLfLines({"REGEDIT4", "[" + Long + "]", "\"a\"=\"x\"", "[", "\"b\"=\"y\""}));
  EXPECT_EQ(reg.ImportFromReg(file.path()), 0);
  EXPECT_EQ(reg.ReadString(Path, "a"), "x");
  EXPECT_FALSE(reg.ValueExists(Path, "b"));
}

TEST_F(RegistryImport, SetsCreateKeyIfDoesntExists) {
  reg.CreateKeyIfDoesntExists(false);
  file.Write(CrLfLines({"REGEDIT4", "[" + Long + "\\deep\\er]", "\"a\"=\"x\""}));
  EXPECT_EQ(reg.ImportFromReg(file.path()), 1);
  EXPECT_TRUE(reg.CreateKeyIfDoesntExists());
  EXPECT_EQ(reg.ReadString(Path + "\\deep\\er", "a"), "x");
}

TEST_F(RegistryImport, OverlongHexLineEndsTheImportWithZero) {
  file.Write(
      CrLfLines({"REGEDIT4", "[" + Long + "]", "\"a\"=\"x\"", "\"b\"=hex:" + std::string(65536, 'A'), "\"c\"=\"y\""}));
  EXPECT_EQ(reg.ImportFromReg(file.path()), 0);
  EXPECT_EQ(reg.ReadString(Path, "a"), "x");
}

// The import keeps the key of the current section open for its value lines.
// A key that another program deletes in the middle of a section behaves as
// when every line looked its key up afresh: a deletion does not bring it
// back, the next write creates it again.
TEST_F(RegistryImport, KeyDeletedByAnotherProgramInTheMiddleOfASection) {
  reg_file::RegistryImportSink sink(reg);
  sink.WriteString(Long, "a", "1");
  ASSERT_EQ(reg.ReadString(Path, "a"), "1");
  registry_test::DeleteTree(HKEY_CURRENT_USER, Sub);
  ASSERT_FALSE(RawKeyExists(Sub));
  sink.KillValue(Long, "a");
  EXPECT_FALSE(RawKeyExists(Sub)) << "a deletion created the key";
  sink.WriteDWORD(Long, "n", 7);
  sink.WriteString(Long, "b", "2");
  EXPECT_EQ(reg.ReadDWORD(Path, "n", 0), 7);
  EXPECT_EQ(reg.ReadString(Path, "b"), "2");
  EXPECT_FALSE(reg.ValueExists(Path, "a"));
  registry_test::DeleteTree(HKEY_CURRENT_USER, Sub);
  sink.WriteBinary(Long, "h", "0A FF");
  EXPECT_EQ(reg.ReadBinary(Path, "h"), "0A FF");
}

TEST_F(RegistryImport, RoundTripOfTheLongestBinaryValue) {
  // 32,767 bytes, the most the hex text holds, and a value line after it.
  std::string bytes(32767, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + i / 256);
  RawSet(Sub, "big", REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
  RawSetDword(Sub, "next", 5);
  ASSERT_EQ(reg.ExportToReg(Path, file.path()), 1);
  registry_test::DeleteTree(HKEY_CURRENT_USER, Sub);
  EXPECT_EQ(reg.ImportFromReg(file.path()), 1);
  DWORD type = 0;
  std::string data;
  ASSERT_TRUE(RawGet(Sub, "big", type, data));
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  EXPECT_TRUE(data == bytes) << "the value came back with " << data.size() << " bytes";
  EXPECT_EQ(reg.ReadDWORD(Path, "next", 0), 5);
}

TEST_F(RegistryImport, RoundTripOfATree) {
  std::string allBytes;
  for (int b = 0; b < 256; ++b) allBytes.push_back(static_cast<char>(b));
  const std::string hex = hex_text::BinToStr(allBytes).substr(1);  // "00 01 ... FF"
  ASSERT_NE(reg.WriteString(Path, "@", "default text"), 0);
  ASSERT_NE(reg.WriteString(Path, "path", "C:\\Games\\VORN"), 0);
  ASSERT_NE(reg.WriteString(Path, "spaces", "trailing kept?"), 0);
  ASSERT_NE(reg.WriteString(Path, "empty", ""), 0);
  ASSERT_NE(reg.WriteString(Path, "long", std::string(1000, 'x')), 0);
  ASSERT_NE(reg.WriteDWORD(Path, "min", INT32_MIN), 0);
  ASSERT_NE(reg.WriteDWORD(Path, "minus1", -1), 0);
  ASSERT_NE(reg.WriteBinary(Path, "all bytes", hex), 0);
  ASSERT_NE(reg.WriteBinary(Path, "none", ""), 0);
  ASSERT_NE(reg.WriteDWORD(Path + "\\c1\\c11", "d", 11), 0);
  ASSERT_NE(reg.WriteString(Path + "\\c2", "s", "two"), 0);

  ASSERT_EQ(reg.ExportToReg(Path, file.path()), 1);
  const std::string first = file.Read();
  registry_test::DeleteTree(HKEY_CURRENT_USER, Sub);
  ASSERT_FALSE(RawKeyExists(Sub));
  ASSERT_EQ(reg.ImportFromReg(file.path()), 1);

  EXPECT_EQ(reg.ReadString(Path, ""), "default text");
  EXPECT_EQ(reg.ReadString(Path, "path"), "C:\\Games\\VORN");
  EXPECT_EQ(reg.ReadString(Path, "empty", "d"), "");
  EXPECT_EQ(reg.ReadBinary(Path, "all bytes"), hex);
  EXPECT_EQ(reg.ReadBinary(Path, "none", "d"), "");
  EXPECT_EQ(reg.ReadDWORD(Path, "min", 0), INT32_MIN);
  EXPECT_EQ(reg.ReadDWORD(Path, "minus1", 0), -1);
  EXPECT_EQ(reg.ReadDWORD(Path + "\\c1\\c11", "d"), 11);
  EXPECT_EQ(reg.ReadString(Path + "\\c2", "s"), "two");
  std::vector<std::string> names;
  std::vector<RegistryValue> values;
  ASSERT_EQ(reg.EnumValues(Path, names, values, REG_SZ), 5);
  for (size_t i = 0; i < names.size(); ++i) {
    if (names[i] == "long") {
      EXPECT_EQ(std::get<std::string>(values[i]), std::string(1000, 'x'));
    }
  }

  // Exporting the imported tree gives the same file, byte for byte (the
  // key c1 exists again because its subkey got a value).
  TempFile second("import_second");
  ASSERT_EQ(reg.ExportToReg(Path, second.path()), 1);
  EXPECT_EQ(second.Read(), first);
}
