#include "registry/RegFileLines.h"

#include <gtest/gtest.h>

using namespace reg_file;

TEST(RegistryFileLines, EachLineKind) {
  EXPECT_EQ(KeyLine("HKEY_CURRENT_USER\\Software\\Test"), "[HKEY_CURRENT_USER\\Software\\Test]");
  EXPECT_EQ(DefaultValueLine("x"), "@=\"x\"");
  EXPECT_EQ(DefaultValueLine(""), "@=\"\"");
  EXPECT_EQ(StringValueLine("a", "x"), "\"a\"=\"x\"");
  EXPECT_EQ(BinaryValueLine("b", "01 02"), "\"b\"=hex:01,02");
  EXPECT_EQ(BinaryValueLine("", ""), "\"\"=hex:");
  EXPECT_EQ(DwordValueLine("n", 42), "\"n\"=dword:0000002A");
  EXPECT_EQ(DwordValueLine("n", -1), "\"n\"=dword:FFFFFFFF");
  EXPECT_EQ(DwordValueLine("n", INT32_MIN), "\"n\"=dword:80000000");
}

TEST(RegistryFileLines, NamesAndTextsAreNotEscaped) {
  EXPECT_EQ(StringValueLine("a\\b", "say \"hi\" \\"), "\"a\\b\"=\"say \"hi\" \\\"");
}

TEST(RegistryFileLines, OnlyCrLfPairsMakeALineUnwritable) {
  EXPECT_TRUE(IsWritableLine("a\rb\nc\n\r"));
  EXPECT_FALSE(IsWritableLine("x\r\n[-HKEY_CURRENT_USER\\Software]"));
}
