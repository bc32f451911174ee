#include "registry/RegistryKeyPath.h"

#include <gtest/gtest.h>

using registry_path::LengthenRootNames;
using registry_path::SplitKeyPath;

namespace {

struct Split {
  HKEY root;
  std::string path;
  std::string subKey;
};

Split SplitOf(const std::string& input) {
  Split s{nullptr, input, "stale"};
  s.root = SplitKeyPath(s.path, s.subKey);
  return s;
}

}  // namespace

TEST(RegistryKeyPath, LongShortAndAnyCaseRootsAddressTheSameKey) {
  for (const char* path : {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Olverant\\VORN", "HKLM\\SOFTWARE\\Olverant\\VORN",
                           "hklm\\SOFTWARE\\Olverant\\VORN", "hkey_Local_Machine\\SOFTWARE\\Olverant\\VORN"}) {
    const Split s = SplitOf(path);
    EXPECT_EQ(s.root, HKEY_LOCAL_MACHINE) << path;
    EXPECT_EQ(s.subKey, "SOFTWARE\\Olverant\\VORN") << path;
  }
}

TEST(RegistryKeyPath, EveryRootOfTheTable) {
  const struct {
    const char* longName;
    const char* shortName;
    HKEY handle;
  } rows[] = {
      {"HKEY_CURRENT_USER", "HKCU", HKEY_CURRENT_USER},         {"HKEY_LOCAL_MACHINE", "HKLM", HKEY_LOCAL_MACHINE},
      {"HKEY_CLASSES_ROOT", "HKCR", HKEY_CLASSES_ROOT},         {"HKEY_USERS", "HKUS", HKEY_USERS},
      {"HKEY_PERFORMANCE_DATA", "HKPD", HKEY_PERFORMANCE_DATA}, {"HKEY_DYN_DATA", "HKDD", HKEY_DYN_DATA},
      {"HKEY_CURRENT_CONFIG", "HKCC", HKEY_CURRENT_CONFIG}};
  for (const auto& row : rows) {
    EXPECT_EQ(SplitOf(std::string(row.longName) + "\\A").root, row.handle) << row.longName;
    EXPECT_EQ(SplitOf(std::string(row.shortName) + "\\A").root, row.handle) << row.shortName;
    EXPECT_EQ(LengthenRootNames(std::string(row.shortName) + "\\A"), std::string(row.longName) + "\\A");
  }
}

TEST(RegistryKeyPath, RootWithoutBackslashAddressesTheRootItself) {
  Split s = SplitOf("HKCU");
  EXPECT_EQ(s.root, HKEY_CURRENT_USER);
  EXPECT_EQ(s.subKey, "");
  s = SplitOf("hkcc");
  EXPECT_EQ(s.root, HKEY_CURRENT_CONFIG);
  s = SplitOf("HKEY_CLASSES_ROOT");
  EXPECT_EQ(s.root, HKEY_CLASSES_ROOT);
  EXPECT_EQ(s.subKey, "");
}

TEST(RegistryKeyPath, LongRootNamesInsideSubkeysAreShortenedToo) {
  Split s = SplitOf("HKCU\\Software\\hkey_users");
  EXPECT_EQ(s.root, HKEY_CURRENT_USER);
  EXPECT_EQ(s.path, "HKCU\\Software\\HKUS");
  EXPECT_EQ(s.subKey, "Software\\HKUS");
  s = SplitOf("HKEY_CURRENT_USER\\a\\HKEY_CURRENT_USER_data\\HKEY_DYN_DATAx");
  EXPECT_EQ(s.subKey, "a\\HKCU_data\\HKDDx");
}

TEST(RegistryKeyPath, UnknownAndThreeLetterRootsGiveNoHandle) {
  for (const char* path : {"HKU\\Software", "HKU", "HKCUX", "", "\\Software", "Software\\x", "HKXX\\a"}) {
    EXPECT_EQ(SplitOf(path).root, nullptr) << '"' << path << '"';
  }
  // The root is the first four characters, wherever the backslash is.
  EXPECT_EQ(SplitOf("HKCUsoft\\x").root, HKEY_CURRENT_USER);
  EXPECT_EQ(SplitOf("HKCUsoft\\x").subKey, "x");
}

TEST(RegistryKeyPath, LengtheningReplacesShortNamesEverywhereAnyCase) {
  EXPECT_EQ(LengthenRootNames("hkcu\\Software\\hkcu_data"), "HKEY_CURRENT_USER\\Software\\HKEY_CURRENT_USER_data");
  EXPECT_EQ(LengthenRootNames("HKLM\\x\\HkCr"), "HKEY_LOCAL_MACHINE\\x\\HKEY_CLASSES_ROOT");
  EXPECT_EQ(LengthenRootNames("HKEY_CURRENT_USER\\Software"), "HKEY_CURRENT_USER\\Software");
}
