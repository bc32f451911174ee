#include "registry/HexText.h"

#include <gtest/gtest.h>

#include <string>

using namespace hex_text;

TEST(RegistryHexText, BinToStrPrecedesEachUppercasePairWithASpace) {
  EXPECT_EQ(BinToStr(std::string("\x0A\xFF\x00", 3)), " 0A FF 00");
  EXPECT_EQ(BinToStr(""), "");
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  const std::string text = BinToStr(all);
  ASSERT_EQ(text.size(), 768u);
  EXPECT_EQ(text.substr(0, 6), " 00 01");
  EXPECT_EQ(text.substr(762), " FE FF");
}

TEST(RegistryHexText, StrToBinReadsEitherCaseAndCleansTheCallersText) {
  std::string text = "0a ff 00";
  EXPECT_EQ(StrToBin(text), std::string("\x0A\xFF\x00", 3));
  EXPECT_EQ(text, "0aff00");
  text = "  ";
  EXPECT_EQ(StrToBin(text), "");
  EXPECT_EQ(text, "");
}

TEST(RegistryHexText, StrToBinReadsLeadingDigitsOfEachPair) {
  std::string text = "1G G1 zz 7f";
  EXPECT_EQ(StrToBin(text), std::string("\x01\x00\x00\x7F", 4));
  // A trailing single digit (a continuation backslash, for instance) adds no byte.
  text = "01 02 \\";
  EXPECT_EQ(StrToBin(text), std::string("\x01\x02", 2));
  text = "ABC";
  EXPECT_EQ(StrToBin(text), std::string("\xAB", 1));
}

TEST(RegistryHexText, RoundTripOfEveryByte) {
  std::string all;
  for (int b = 255; b >= 0; --b) all.push_back(static_cast<char>(b));
  std::string text = BinToStr(all);
  EXPECT_EQ(StrToBin(text), all);
}

TEST(RegistryHexText, OneBoundOf32767BytesBothWays) {
  EXPECT_NO_THROW(BinToStr(std::string(32767, 'x')));
  EXPECT_THROW(BinToStr(std::string(32768, 'x')), HexTextOverflow);
  std::string text(65534, 'A');
  EXPECT_EQ(StrToBin(text).size(), 32767u);
  text = std::string(65536, 'A');
  EXPECT_THROW(StrToBin(text), HexTextOverflow);
  // Spaces do not count: they are removed first.
  text = std::string(40000, ' ') + "AB";
  EXPECT_EQ(StrToBin(text), "\xAB");
}

TEST(RegistryHexText, IsBinValid) {
  EXPECT_TRUE(isBinValid("0A ff 3c"));
  EXPECT_TRUE(isBinValid("0"));
  EXPECT_FALSE(isBinValid("0G"));
  EXPECT_FALSE(isBinValid(""));
  EXPECT_FALSE(isBinValid("   "));
  EXPECT_FALSE(isBinValid("01,02"));
}
