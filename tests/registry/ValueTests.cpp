// Keys and values of clsRegistryAccess against the real registry.
#include "registry/clsRegistryAccess.h"

#include <gtest/gtest.h>

#include "registry/RegistryTestKey.h"

using registry_test::RawKeyExists;

namespace {
class RegistryValues : public registry_test::RegistryKeyTest {
 protected:
  clsRegistryAccess reg;
};
class RegistryKeys : public registry_test::RegistryKeyTest {
 protected:
  clsRegistryAccess reg;
};
}  // namespace

TEST_F(RegistryKeys, CreateKeyCreatesParentsAndKeyExistsSeesIt) {
  EXPECT_FALSE(reg.KeyExists(Path + "\\a\\b"));
  EXPECT_NE(reg.CreateKey(Path + "\\a\\b"), 0);
  EXPECT_TRUE(RawKeyExists(Sub + "\\a\\b"));
  EXPECT_TRUE(reg.KeyExists("hkey_current_user\\" + Sub + "\\A\\B"));
  EXPECT_NE(reg.CreateKey(Path + "\\a\\b"), 0) << "an existing key is opened";
  EXPECT_EQ(reg.CreateKey("HKU\\" + Sub), 0);
  EXPECT_FALSE(reg.KeyExists("HKU\\" + Sub));
}

TEST_F(RegistryKeys, KillKeyDeletesAnOpenableKey) {
  RawCreate(Sub + "\\leaf");
  EXPECT_NE(reg.KillKey(Path + "\\leaf"), 0);
  EXPECT_FALSE(RawKeyExists(Sub + "\\leaf"));
  EXPECT_EQ(reg.KillKey(Path + "\\leaf"), 0) << "a missing key cannot be opened";
}

TEST_F(RegistryKeys, HaveSubkey) {
  RawCreate(Sub);
  EXPECT_FALSE(reg.HaveSubkey(Path));
  RawCreate(Sub + "\\child");
  EXPECT_TRUE(reg.HaveSubkey(Path));
  EXPECT_FALSE(reg.HaveSubkey(Path + "\\missing"));
}

TEST_F(RegistryValues, ReadStringDropsLeadingSpacesAndKeepsTrailingOnes) {
  ASSERT_NE(reg.WriteString(Path, "s", "  text  "), 0);
  EXPECT_EQ(reg.ReadString(Path, "s"), "text  ");
  // Stored with a terminating zero, as other programs write strings.
  RawSetString(Sub, "z", " with zero ");
  EXPECT_EQ(reg.ReadString(Path, "z"), "with zero ");
  RawSetString(Sub, "e", "");
  EXPECT_EQ(reg.ReadString(Path, "e", "dflt"), "");
  ASSERT_NE(reg.WriteString(Path, "e2", ""), 0);
  EXPECT_EQ(reg.ReadString(Path, "e2", "dflt"), "");
}

TEST_F(RegistryValues, ReadStringGivesTheDefaultForMissingValuesAndKeys) {
  RawCreate(Sub);
  EXPECT_EQ(reg.ReadString(Path, "missing", "dflt"), "dflt");
  EXPECT_EQ(reg.ReadString(Path + "\\nokey", "x", ""), "");
  EXPECT_EQ(reg.ReadString(Path, "missing"), std::string(1, '\0'));
  EXPECT_EQ(reg.ReadString("HKU\\" + Sub, "missing", "d"), "d");
}

TEST_F(RegistryValues, ReadStringBoundaryAt254Characters) {
  const std::string t254(254, 'q');
  const std::string t255 = std::string(254, 'q') + "r";
  ASSERT_NE(reg.WriteString(Path, "s254", t254), 0);
  ASSERT_NE(reg.WriteString(Path, "s255", t255), 0);
  RawSetString(Sub, "z254", t254);  // 255 bytes with its zero
  RawSetString(Sub, "z255", t255);  // 256 bytes
  EXPECT_EQ(reg.ReadString(Path, "s254"), t254);
  EXPECT_EQ(reg.ReadString(Path, "z254"), t254);
  // Too long for the 255-byte buffer with its zero: the default, never a cut text.
  EXPECT_EQ(reg.ReadString(Path, "s255", "dflt"), "dflt");
  EXPECT_EQ(reg.ReadString(Path, "z255", "dflt"), "dflt");
  // The value itself is stored whole.
  DWORD type = 0;
  std::string data;
  ASSERT_TRUE(RawGet(Sub, "s255", type, data));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(data.substr(0, 255), t255);
}

TEST_F(RegistryValues, WriteStringAtWritesTheDefaultValueButWriteDwordDoesNot) {
  ASSERT_NE(reg.WriteString(Path, "@", "dv"), 0);
  EXPECT_EQ(reg.ReadString(Path, ""), "dv");
  EXPECT_FALSE(reg.ValueExists(Path, "@"));
  ASSERT_NE(reg.WriteDWORD(Path, "@", 5), 0);
  EXPECT_EQ(reg.ReadDWORD(Path, "@"), 5);
  EXPECT_EQ(reg.ReadString(Path, ""), "dv");
}

TEST_F(RegistryValues, WritePreludeWithCreateKeyOff) {
  EXPECT_TRUE(reg.CreateKeyIfDoesntExists()) << "true after construction";
  reg.CreateKeyIfDoesntExists(false);
  EXPECT_EQ(reg.WriteDWORD(Path + "\\a\\b", "n", 1), 0);
  EXPECT_EQ(reg.WriteString(Path + "\\a\\b", "s", "x"), 0);
  EXPECT_EQ(reg.WriteBinary(Path + "\\a\\b", "b", "01"), 0);
  EXPECT_FALSE(RawKeyExists(Sub));
  // An existing key is written to either way.
  RawCreate(Sub);
  EXPECT_NE(reg.WriteDWORD(Path, "n", 1), 0);
  EXPECT_EQ(reg.ReadDWORD(Path, "n"), 1);
  EXPECT_FALSE(reg.CreateKeyIfDoesntExists());
}

TEST_F(RegistryValues, WritePreludeWithCreateKeyOnCreatesParents) {
  EXPECT_NE(reg.WriteDWORD(Path + "\\a\\b", "n", 7), 0);
  EXPECT_TRUE(RawKeyExists(Sub + "\\a\\b"));
  EXPECT_EQ(reg.ReadDWORD(Path + "\\a\\b", "n"), 7);
  EXPECT_EQ(reg.WriteDWORD("HKU\\" + Sub, "n", 7), 0) << "unknown root";
}

TEST_F(RegistryValues, DwordValuesAreLittleEndianAndSigned) {
  ASSERT_NE(reg.WriteDWORD(Path, "neg", -2), 0);
  DWORD type = 0;
  std::string data;
  ASSERT_TRUE(RawGet(Sub, "neg", type, data));
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(data, std::string("\xFE\xFF\xFF\xFF", 4));
  EXPECT_EQ(reg.ReadDWORD(Path, "neg"), -2);
  EXPECT_EQ(reg.ReadDWORD(Path, "missing"), -1);
  EXPECT_EQ(reg.ReadDWORD(Path, "missing", 9), 9);
  // Data longer than four bytes fail the read.
  ASSERT_NE(reg.WriteBinary(Path, "long", "01 02 03 04 05"), 0);
  EXPECT_EQ(reg.ReadDWORD(Path, "long", 9), 9);
}

TEST_F(RegistryValues, BinaryValuesTravelAsHexText) {
  ASSERT_NE(reg.WriteBinary(Path, "b", "0a ff 00"), 0);
  DWORD type = 0;
  std::string data;
  ASSERT_TRUE(RawGet(Sub, "b", type, data));
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(data, std::string("\x0A\xFF\x00", 3));
  EXPECT_EQ(reg.ReadBinary(Path, "b"), "0A FF 00");
  ASSERT_NE(reg.WriteBinary(Path, "empty", ""), 0);
  ASSERT_TRUE(RawGet(Sub, "empty", type, data));
  EXPECT_EQ(data, "");
  EXPECT_EQ(reg.ReadBinary(Path, "empty", "d"), "");
  EXPECT_EQ(reg.ReadBinary(Path, "missing", "d"), "d");
  EXPECT_EQ(reg.ReadBinary(Path + "\\nokey", "b"), "");
  // Larger than the 255-byte buffers of the text reads.
  std::string big;
  for (int i = 0; i < 1000; ++i) big += i % 2 ? " 5A" : " A5";
  ASSERT_NE(reg.WriteBinary(Path, "big", big), 0);
  EXPECT_EQ(reg.ReadBinary(Path, "big"), big.substr(1));
}

TEST_F(RegistryValues, OverlongHexTextThrowsToTheCaller) {
  RawCreate(Sub);
  EXPECT_THROW(reg.WriteBinary(Path, "b", std::string(65536, 'A')), hex_text::HexTextOverflow);
  EXPECT_FALSE(reg.ValueExists(Path, "b"));
}

TEST_F(RegistryValues, KillValueAndValueExists) {
  ASSERT_NE(reg.WriteBinary(Path, "zero", ""), 0);
  EXPECT_TRUE(reg.ValueExists(Path, "zero")) << "a zero-byte value exists";
  ASSERT_NE(reg.WriteString(Path, "big", std::string(2000, 'x')), 0);
  EXPECT_TRUE(reg.ValueExists(Path, "big"));
  EXPECT_NE(reg.KillValue(Path, "big"), 0);
  EXPECT_FALSE(reg.ValueExists(Path, "big"));
  EXPECT_NE(reg.KillValue(Path, "never there"), 0) << "success once the key opens";
  EXPECT_EQ(reg.KillValue(Path + "\\nokey", "zero"), 0);
  EXPECT_FALSE(reg.ValueExists(Path + "\\nokey", "zero"));
  ASSERT_NE(reg.WriteString(Path, "@", "d"), 0);
  EXPECT_NE(reg.KillValue(Path, ""), 0);
  EXPECT_EQ(reg.ReadString(Path, "", "gone"), "gone");
}
