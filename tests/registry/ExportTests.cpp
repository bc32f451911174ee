// ExportToReg against the real registry: the exact file it writes.
#include <gtest/gtest.h>

#include "registry/RegistryTestKey.h"
#include "registry/clsRegistryAccess.h"

using registry_test::CrLfLines;
using registry_test::TempFile;

namespace {
class RegistryExport : public registry_test::RegistryKeyTest {
 protected:
  void SetUp() override {
    RegistryKeyTest::SetUp();
    Long = "HKEY_CURRENT_USER\\" + Sub;
  }
  // The key of the nine-line example: a string, a 32-bit value, a binary
  // value and an empty subkey.
  void FillExample() {
    ASSERT_NE(reg.WriteString(Path, "a", "x"), 0);
    ASSERT_NE(reg.WriteDWORD(Path, "n", 42), 0);
    ASSERT_NE(reg.WriteBinary(Path, "b", "01 02"), 0);
    ASSERT_NE(reg.CreateKey(Path + "\\Sub"), 0);
  }
  clsRegistryAccess reg;
  TempFile file{"export"};
  std::string Long;  // the test key with its long root name
};
}  // namespace

TEST_F(RegistryExport, NineLineExample) {
  FillExample();
  EXPECT_EQ(reg.ExportToReg(Path, file.path()), 1);
  EXPECT_EQ(file.Read(), CrLfLines({"REGEDIT4", "", "[" + Long + "]", "\"a\"=\"x\"", "\"b\"=hex:01,02",
                                    "\"n\"=dword:0000002A", "", "[" + Long + "\\Sub]", ""}));
}

TEST_F(RegistryExport, WithoutSubkeysOnlyTheFirstBlock) {
  FillExample();
  EXPECT_EQ(reg.ExportToReg(Path, file.path(), false), 1);
  EXPECT_EQ(file.Read(), CrLfLines({"REGEDIT4", "", "[" + Long + "]", "\"a\"=\"x\"", "\"b\"=hex:01,02",
                                    "\"n\"=dword:0000002A", ""}));
}

TEST_F(RegistryExport, ExistingFileIsRefusedAndLeftUnchanged) {
  FillExample();
  file.Write("keep me");
  EXPECT_EQ(reg.ExportToReg(Path, file.path()), 0);
  EXPECT_EQ(file.Read(), "keep me");
}

TEST_F(RegistryExport, MissingKeyOrRootFails) {
  EXPECT_EQ(reg.ExportToReg(Path + "\\missing", file.path()), 0);
  TempFile other("export_other");
  EXPECT_EQ(reg.ExportToReg("HKU\\" + Sub, other.path()), 0);
}

TEST_F(RegistryExport, DepthFirstPreOrderAndLongRootNamesInSubkeys) {
  RawCreate(Sub + "\\A\\X");
  RawCreate(Sub + "\\B");
  RawSetDword(Sub + "\\hkcu_data", "d", 0xFFFFFFFF);
  EXPECT_EQ(reg.ExportToReg("hkey_current_user\\" + Sub, file.path()), 1);
  EXPECT_EQ(file.Read(),
            CrLfLines({"REGEDIT4", "", "[" + Long + "]", "", "[" + Long + "\\A]", "", "[" + Long + "\\A\\X]", "",
                       "[" + Long + "\\B]", "", "[" + Long + "\\HKEY_CURRENT_USER_data]", "\"d\"=dword:FFFFFFFF", ""}));
}

TEST_F(RegistryExport, DefaultValueLineOnlyForAStringDefault) {
  ASSERT_NE(reg.WriteString(Path, "z", "last"), 0);
  ASSERT_NE(reg.WriteString(Path, "@", "dv"), 0);
  ASSERT_NE(reg.WriteDWORD(Path + "\\k", "", 0x0A0D), 0);
  EXPECT_EQ(reg.ExportToReg(Path, file.path()), 1);
  EXPECT_EQ(file.Read(), CrLfLines({"REGEDIT4", "", "[" + Long + "]", "@=\"dv\"", "\"z\"=\"last\"", "",
                                    "[" + Long + "\\k]", "\"\"=dword:00000A0D", ""}));
}

TEST_F(RegistryExport, TextsAreWrittenUnescapedAndWhole) {
  ASSERT_NE(reg.WriteString(Path, "p\\q", "C:\\dir \"x\""), 0);
  ASSERT_NE(reg.WriteString(Path, "long", std::string(600, 'L')), 0);
  ASSERT_NE(reg.WriteBinary(Path, "zero", ""), 0);
  EXPECT_EQ(reg.ExportToReg(Path, file.path()), 1);
  // Values come in the registry's own order (Wine: sorted by name).
  EXPECT_EQ(file.Read(), CrLfLines({"REGEDIT4", "", "[" + Long + "]", "\"long\"=\"" + std::string(600, 'L') + "\"",
                                    "\"p\\q\"=\"C:\\dir \"x\"\"", "\"zero\"=hex:", ""}));
}

TEST_F(RegistryExport, DataThatWouldBreakALineFailsTheExport) {
  // Written as is, the text would become a key deletion line of its own.
  ASSERT_NE(reg.WriteString(Path, "evil", "x\r\n[-HKEY_CURRENT_USER\\Software]"), 0);
  EXPECT_EQ(reg.ExportToReg(Path, file.path()), 0);
  EXPECT_EQ(file.Read().find("[-HKEY_CURRENT_USER"), std::string::npos);
}

TEST_F(RegistryExport, OutputBoxShowsEachKey) {
  FillExample();
  HWND edit = CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 200, 20, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(reg.ExportToReg(Path, file.path(), true, edit), 1);
  char text[512] = {};
  GetWindowTextA(edit, text, sizeof text);
  EXPECT_EQ(std::string(text), Long + "\\Sub");
  DestroyWindow(edit);
}
