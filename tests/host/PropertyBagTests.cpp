#include <gtest/gtest.h>

#include "host/Error.h"
#include "host/PropertyBag.h"

using host::PropertyBag;
using host::PropertyValue;

TEST(HostPropertyBag, AbsentKeysGiveTheReadDefault) {
  PropertyBag bag;
  EXPECT_EQ(bag.ReadInt32("CapAlign", 2), 2);
  EXPECT_EQ(bag.ReadInt16("ImgSize", 16), 16);
  EXPECT_TRUE(bag.ReadBool("Focus", true));
  EXPECT_EQ(bag.ReadColor("cGradient", 0x8000000Fu), 0x8000000Fu);
  EXPECT_EQ(bag.ReadText("Caption", "x"), "x");
  EXPECT_FALSE(bag.ReadFont("Font").has_value());
  EXPECT_FALSE(bag.ReadPicture("Image"));
}

TEST(HostPropertyBag, WritingTheDefaultOmitsTheKeyAndRemovesAnOldValue) {
  PropertyBag bag;
  bag.WriteInt32("CapAlign", 2, 2);
  bag.WriteText("Caption", "", "");
  bag.WriteBool("Focus", true, true);
  bag.WriteColor("cFore", 0x80000012u, 0x80000012u);
  EXPECT_TRUE(bag.Empty());
  bag.WriteInt32("CapAlign", 0, 2);
  EXPECT_EQ(bag.ReadInt32("CapAlign", 2), 0);
  bag.WriteInt32("CapAlign", 2, 2);
  EXPECT_FALSE(bag.Contains("CapAlign"));
}

TEST(HostPropertyBag, KeysIgnoreLetterCaseAndKeepTheirFirstSpelling) {
  PropertyBag bag;
  bag.WriteColor("cBhover", 0x00FF0000u, 0x8000000Fu);
  EXPECT_EQ(bag.ReadColor("cBHover", 0), 0x00FF0000u);
  EXPECT_EQ(bag.ReadColor("CBHOVER", 0), 0x00FF0000u);
  bag.WriteColor("CBHOVER", 0x000000FFu, 0x8000000Fu);
  ASSERT_EQ(bag.Entries().size(), 1u);
  EXPECT_EQ(bag.Entries()[0].key, "cBhover");
  EXPECT_EQ(bag.Entries()[0].value.number, 0x000000FF);
}

TEST(HostPropertyBag, EntriesKeepTheWriteOrder) {
  PropertyBag bag;
  bag.WriteText("Caption", "A", "");
  bag.WriteInt32("Mode", 0, 1);
  bag.Set("Value", PropertyValue::Bool(false));
  bag.WriteInt16("mPointer", 3, 0);
  std::vector<std::string> keys;
  for (auto& e : bag.Entries()) keys.push_back(e.key);
  EXPECT_EQ(keys, (std::vector<std::string>{"Caption", "Mode", "Value", "mPointer"}));
}

TEST(HostPropertyBag, BooleansAreStoredAsSixteenBitMinusOneAndZero) {
  PropertyBag bag;
  bag.WriteBool("Value", true, false);
  const PropertyValue* v = bag.Find("value");
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->kind, host::ValueKind::Bool);
  EXPECT_EQ(v->number, -1);
  EXPECT_EQ(bag.ReadInt16("Value", 0), -1);
}

TEST(HostPropertyBag, NumericKindsConvertWhenTheValueFits) {
  PropertyBag bag;
  bag.Set("a", PropertyValue::Int16(-5));
  bag.Set("b", PropertyValue::Int32(40000));
  bag.Set("c", PropertyValue::Color(0x8000000Fu));
  EXPECT_EQ(bag.ReadInt32("a", 0), -5);
  EXPECT_TRUE(bag.ReadBool("a", false));
  EXPECT_EQ(bag.ReadColor("b", 0), 40000u);
  EXPECT_EQ(bag.ReadInt32("c", 0), static_cast<int32_t>(0x8000000F));
  try {
    bag.ReadInt16("b", 0);
    FAIL() << "40000 must not fit 16 bits";
  } catch (const host::Error& e) {
    EXPECT_EQ(e.Number(), host::errors::kOverflow);
    EXPECT_NE(e.Description().find("\"b\""), std::string::npos);
  }
}

TEST(HostPropertyBag, AValueOfTheWrongKindFailsWithATypeMismatchNamingTheKey) {
  PropertyBag bag;
  bag.Set("CapAlign", PropertyValue::Text("centre"));
  bag.Set("Caption", PropertyValue::Int32(3));
  bag.Set("Font", PropertyValue::Int32(1));
  bag.Set("Image", PropertyValue::Text("x"));
  auto expectMismatch = [&](auto read, const char* key, const char* stored, const char* wanted) {
    try {
      read();
      ADD_FAILURE() << key << " read without error";
    } catch (const host::Error& e) {
      EXPECT_EQ(e.Number(), host::errors::kTypeMismatch);
      EXPECT_NE(e.Description().find(key), std::string::npos) << e.Description();
      EXPECT_NE(e.Description().find(stored), std::string::npos) << e.Description();
      EXPECT_NE(e.Description().find(wanted), std::string::npos) << e.Description();
    }
  };
  expectMismatch([&] { bag.ReadInt32("capalign", 2); }, "capalign", "text", "int32");
  expectMismatch([&] { bag.ReadText("Caption", ""); }, "Caption", "int32", "text");
  expectMismatch([&] { bag.ReadFont("Font"); }, "Font", "int32", "font");
  expectMismatch([&] { bag.ReadPicture("Image"); }, "Image", "text", "picture");
}

TEST(HostPropertyBag, FontsWithoutADefaultAreAlwaysWrittenAndComparedByValue) {
  PropertyBag bag;
  host::FontDesc tahoma{"Tahoma", 8.25f, 400, false, false, false, false, 0};
  bag.WriteFont("Font", tahoma);
  ASSERT_TRUE(bag.ReadFont("Font").has_value());
  EXPECT_EQ(*bag.ReadFont("FONT"), tahoma);
  bag.WriteFont("Font", tahoma, tahoma);
  EXPECT_FALSE(bag.Contains("Font"));
}

TEST(HostPropertyBag, APictureOfNoneIsOmitted) {
  PropertyBag bag;
  bag.WritePicture("Image", host::Picture());
  EXPECT_FALSE(bag.Contains("Image"));
}

TEST(HostPropertyBag, BagsCompareKeysWithoutCaseAndValuesByKind) {
  PropertyBag a, b;
  a.WriteInt32("Mode", 1, 0);
  b.WriteInt32("MODE", 1, 0);
  EXPECT_TRUE(a == b);
  b.Set("Mode", PropertyValue::Int16(1));
  EXPECT_FALSE(a == b);
}
