// Enumeration of keys and values against the real registry.
#include <gtest/gtest.h>

#include <algorithm>

#include "registry/RegistryTestKey.h"
#include "registry/clsRegistryAccess.h"

namespace {
class RegistryEnum : public registry_test::RegistryKeyTest {
 protected:
  clsRegistryAccess reg;
  std::vector<std::string> names{"stale"};
  std::vector<RegistryValue> values{RegistryValue(std::string("stale"))};
};

std::vector<std::string> Sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}
}  // namespace

TEST_F(RegistryEnum, EnumKeysOnAMissingKeyGivesMinusOneAndClears) {
  EXPECT_EQ(reg.EnumKeys(Path + "\\missing", names), -1);
  EXPECT_TRUE(names.empty());
}

TEST_F(RegistryEnum, EnumKeysListsSubkeysOnly) {
  RawCreate(Sub);
  names = {"stale"};
  EXPECT_EQ(reg.EnumKeys(Path, names), 0);
  EXPECT_TRUE(names.empty());
  RawCreate(Sub + "\\b");
  RawCreate(Sub + "\\a\\deeper");
  // Long, but the whole path must stay within what Wine's ANSI entry points
  // take (about 260 characters).
  RawCreate(Sub + "\\" + std::string(150, 'k'));
  RawSetString(Sub, "value", "not a key");
  EXPECT_EQ(reg.EnumKeys(Path, names), 3);
  EXPECT_EQ(Sorted(names), (std::vector<std::string>{"a", "b", std::string(150, 'k')}));
}

TEST_F(RegistryEnum, EnumValuesFiltersByType) {
  ASSERT_NE(reg.WriteString(Path, "s1", "one"), 0);
  ASSERT_NE(reg.WriteString(Path, "s2", " two"), 0);
  ASSERT_NE(reg.WriteDWORD(Path, "d", -5), 0);
  EXPECT_EQ(reg.EnumValues(Path, names, values, REG_DWORD), 1);
  ASSERT_EQ(names.size(), 1u);
  ASSERT_EQ(values.size(), 1u);
  EXPECT_EQ(names[0], "d");
  ASSERT_TRUE(std::holds_alternative<int32_t>(values[0]));
  EXPECT_EQ(std::get<int32_t>(values[0]), -5);

  EXPECT_EQ(reg.EnumValues(Path, names, values), 3);
  EXPECT_EQ(Sorted(names), (std::vector<std::string>{"d", "s1", "s2"}));
  for (size_t i = 0; i < names.size(); ++i) {
    if (names[i] == "s2") {
      EXPECT_EQ(std::get<std::string>(values[i]), "two") << "read as ReadString reads it";
    }
  }
  EXPECT_EQ(reg.EnumValues(Path, names, values, REG_BINARY), 0);
  EXPECT_TRUE(names.empty());
  EXPECT_TRUE(values.empty());
}

TEST_F(RegistryEnum, OtherTypesAreListedByNameWithAnEmptyElement) {
  RawSet(Sub, "multi", REG_MULTI_SZ, "a\0b\0\0", 5);
  ASSERT_NE(reg.WriteBinary(Path, "bin", "01 02"), 0);
  ASSERT_NE(reg.WriteBinary(Path, "bin0", ""), 0);
  EXPECT_EQ(reg.EnumValues(Path, names, values), 3);
  for (size_t i = 0; i < names.size(); ++i) {
    if (names[i] == "multi") {
      EXPECT_TRUE(std::holds_alternative<std::monostate>(values[i]));
    }
    if (names[i] == "bin") {
      EXPECT_EQ(std::get<std::string>(values[i]), "01 02");
    }
    if (names[i] == "bin0") {
      EXPECT_EQ(std::get<std::string>(values[i]), "");
    }
  }
  EXPECT_EQ(reg.EnumValues(Path, names, values, REG_MULTI_SZ), 1);
}

TEST_F(RegistryEnum, EnumValuesOnAMissingKeyLeavesTheArraysAsPassed) {
  EXPECT_EQ(reg.EnumValues(Path + "\\missing", names, values), -1);
  EXPECT_EQ(names, std::vector<std::string>{"stale"});
  ASSERT_EQ(values.size(), 1u);
  EXPECT_EQ(std::get<std::string>(values[0]), "stale");
  // An existing key clears them before filling: never merged.
  RawCreate(Sub);
  EXPECT_EQ(reg.EnumValues(Path, names, values), 0);
  EXPECT_TRUE(names.empty());
  EXPECT_TRUE(values.empty());
}

TEST_F(RegistryEnum, LongNamesAndDataAreListedWhole) {
  const std::string longName(300, 'n');
  const std::string longText(1000, 't');
  ASSERT_NE(reg.WriteString(Path, longName, longText), 0);
  std::string hex;
  for (int i = 0; i < 400; ++i) hex += " 7E";
  ASSERT_NE(reg.WriteBinary(Path, " spaced name ", hex), 0);
  EXPECT_EQ(reg.EnumValues(Path, names, values), 2);
  for (size_t i = 0; i < names.size(); ++i) {
    if (names[i] == longName) {
      EXPECT_EQ(std::get<std::string>(values[i]), longText);
    } else {
      EXPECT_EQ(names[i], " spaced name ") << "names are kept as stored";
      EXPECT_EQ(std::get<std::string>(values[i]), hex.substr(1));
    }
  }
}
