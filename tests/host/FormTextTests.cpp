#include <gtest/gtest.h>

#include "host/Error.h"
#include "host/FormText.h"
#include "TestPictures.h"

using namespace host;
using namespace hosttest;

namespace {

FormDesc SampleForm() {
  FormDesc d;
  d.form.name = "VORN";
  d.form.caption = "VORN - \"Glarecut\" 1.01";
  d.form.clientWidth = 3945;
  d.form.clientHeight = 3225;
  d.form.backColor = 0x004D483F;
  d.form.font = FontDesc{"Tahoma", 8.25f, 400, false, false, false, false, 0};
  ContainerDesc p3;
  p3.name = "Picture3";
  p3.left = 15;
  p3.top = 15;
  p3.width = 3915;
  p3.height = 3195;
  p3.backColor = 0x004D483F;
  d.containers.push_back(p3);
  LabelDesc l;
  l.name = "Label8";
  l.container = "Picture3";
  l.caption = "Lumatrim 1.01";
  l.foreColor = 0x00FFFFFF;
  l.transparent = true;
  l.font = FontDesc{"Tahoma", 8.25f, 700, true, false, false, false, 0};
  l.toolTip = "tab\there";
  d.labels.push_back(l);
  ImageDesc m;
  m.name = "Image1";
  m.container = "Picture3";
  m.stretch = true;
  m.picture = Picture::LoadBytes(MakeBmp(1, 3, RGB(40, 49, 54)));
  d.images.push_back(m);
  ControlDesc c;
  c.className = "Butt";
  c.name = "Butt1";
  c.container = "Picture3";
  c.left = 2865;
  c.top = 2670;
  c.extentX = 1667;
  c.extentY = 688;
  c.tabIndex = 2;
  c.isDefault = true;
  c.toolTip = "Who?";
  PropertyBag bag;
  bag.Set("Caption", PropertyValue::Text("AP&PLY\r\nline\\two \x01"));
  bag.Set("CapAlign", PropertyValue::Int32(0));
  bag.Set("ImgSize", PropertyValue::Int16(-32768));
  bag.Set("Focus", PropertyValue::Bool(false));
  bag.Set("Value", PropertyValue::Bool(true));
  bag.Set("cBack", PropertyValue::Color(0x80000012u));
  bag.Set("cFore", PropertyValue::Color(0x00FFFFFFu));
  bag.Set("Font", PropertyValue::Font(FontDesc{"Courier New", 10.5f, 600, true, true, true, true, 2}));
  bag.Set("Image", PropertyValue::Pic(Picture::LoadBytes(MakeBmp(40, 30, RGB(1, 2, 3)))));
  bag.Set("mIcon", PropertyValue::Pic(Picture::LoadBytes(MakeIconFile(32, 32, true, 1, 2))));
  c.properties = bag;
  d.controls.push_back(c);
  ControlDesc fresh;
  fresh.className = "Butt";
  fresh.name = "Butt2";
  fresh.isCancel = true;
  fresh.visible = false;
  d.controls.push_back(fresh);
  return d;
}

}  // namespace

TEST(HostFormText, RoundTripKeepsEveryValueKind) {
  FormDesc d = SampleForm();
  std::string text = WriteFormText(d);
  FormDesc back = ParseFormText(text);
  EXPECT_EQ(back.form.name, "VORN");
  EXPECT_EQ(back.form.caption, d.form.caption);
  EXPECT_EQ(back.form.clientWidth, 3945);
  EXPECT_EQ(back.form.backColor, 0x004D483Fu);
  EXPECT_EQ(back.form.font, d.form.font);
  ASSERT_EQ(back.containers.size(), 1u);
  EXPECT_EQ(back.containers[0].left, 15);
  EXPECT_EQ(back.containers[0].height, 3195);
  ASSERT_EQ(back.labels.size(), 1u);
  EXPECT_EQ(back.labels[0].caption, "Lumatrim 1.01");
  EXPECT_TRUE(back.labels[0].transparent);
  EXPECT_EQ(back.labels[0].font, d.labels[0].font);
  EXPECT_EQ(back.labels[0].toolTip, "tab\there");
  ASSERT_EQ(back.images.size(), 1u);
  EXPECT_TRUE(back.images[0].stretch);
  EXPECT_EQ(back.images[0].picture.HeightPixels(), 3);
  ASSERT_EQ(back.controls.size(), 2u);
  const ControlDesc& c = back.controls[0];
  EXPECT_EQ(c.className, "Butt");
  EXPECT_EQ(c.container, "Picture3");
  EXPECT_EQ(c.left, 2865);
  EXPECT_EQ(c.extentX, 1667);
  EXPECT_EQ(c.extentY, 688);
  EXPECT_EQ(c.tabIndex, 2);
  EXPECT_TRUE(c.isDefault);
  EXPECT_EQ(c.toolTip, "Who?");
  ASSERT_TRUE(c.properties.has_value());
  const PropertyBag& bag = *c.properties;
  const PropertyBag& orig = *d.controls[0].properties;
  ASSERT_EQ(bag.Entries().size(), orig.Entries().size());
  for (size_t i = 0; i < orig.Entries().size(); ++i) {
    const auto& a = orig.Entries()[i];
    const auto& b = bag.Entries()[i];
    EXPECT_EQ(a.key, b.key);
    EXPECT_EQ(a.value.kind, b.value.kind) << a.key;
    if (a.value.kind == ValueKind::Picture) {
      EXPECT_EQ(a.value.picture.FileBytes(), b.value.picture.FileBytes()) << a.key;
      EXPECT_EQ(a.value.picture.Type(), b.value.picture.Type());
      EXPECT_EQ(a.value.picture.IsCursor(), b.value.picture.IsCursor());
    } else {
      EXPECT_TRUE(a.value == b.value) << a.key;
    }
  }
  EXPECT_FALSE(back.controls[1].properties.has_value());  // a new instance stays new
  EXPECT_TRUE(back.controls[1].isCancel);
  EXPECT_FALSE(back.controls[1].visible);
  // Writing what was read gives the same text.
  EXPECT_EQ(WriteFormText(back), text);
}

TEST(HostFormText, TextIsReadableWithOneValuePerLine) {
  std::string text = WriteFormText(SampleForm());
  EXPECT_EQ(text.rfind("VornForm 1\n", 0), 0u);
  EXPECT_NE(text.find("Begin Control Butt1 Butt\n"), std::string::npos);
  EXPECT_NE(text.find("  CapAlign = int32 0\n"), std::string::npos);
  EXPECT_NE(text.find("  Focus = bool 0\n"), std::string::npos);
  EXPECT_NE(text.find("  cBack = color 0x80000012\n"), std::string::npos);
  EXPECT_NE(text.find("  Font = font \"Courier New\" 10.5 600 bold italic underline strikethrough charset=2\n"),
            std::string::npos);
  EXPECT_NE(text.find("  Caption = text \"AP&PLY\\r\\nline\\\\two \\x01\"\n"), std::string::npos);
  EXPECT_NE(text.find("  Image = picture base64\n    | Qk"), std::string::npos);
  for (size_t pos = 0; (pos = text.find("| ", pos)) != std::string::npos; ++pos) {
    size_t end = text.find('\n', pos);
    EXPECT_LE(end - pos - 2, 64u);
  }
}

TEST(HostFormText, HandWrittenTextWithCommentsAndRelativePictureFiles) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  CreateDirectoryA((std::string(dir) + "hostpics").c_str(), nullptr);
  TempFile pic("hostpics\\face.bmp", MakeBmp(6, 6, RGB(5, 5, 5)));
  std::string text =
      "# a stored form\r\n"
      "VornForm 1\r\n"
      "begin form Main\r\n"
      "  @caption = \"Hi\"\r\n"
      "end\r\n"
      "Begin Control B1 Butt\r\n"
      "  @Container = \"\"\r\n"
      "  CAPALIGN = 1\r\n"
      "  cBack = 0x00FF00FF\r\n"
      "  Image = picture file \"hostpics/face.bmp\"\r\n"
      "End\r\n";
  FormDesc d = ParseFormText(text, dir);
  EXPECT_EQ(d.form.caption, "Hi");
  const PropertyBag& bag = *d.controls[0].properties;
  EXPECT_EQ(bag.ReadInt32("CapAlign", 2), 1);
  EXPECT_EQ(bag.ReadColor("cBack", 0), 0x00FF00FFu);
  EXPECT_EQ(bag.ReadPicture("image").WidthPixels(), 6);
  RemoveDirectoryA((std::string(dir) + "hostpics").c_str());
}

TEST(HostFormText, ErrorsNameTheLineAndTheProblem) {
  auto errorOf = [](const std::string& text) -> std::string {
    try {
      ParseFormText(text);
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), errors::kBadFormText) << e.Description();
      return e.Description();
    }
    return "no error";
  };
  EXPECT_NE(errorOf("Begin Form X\nEnd\n").find("line 1"), std::string::npos);
  EXPECT_NE(errorOf("VornForm 1\nBegin Control B1\nEnd\n").find("class"), std::string::npos);
  EXPECT_NE(errorOf("VornForm 1\nBegin Control B1 Butt\n  Caption = text \"open\nEnd\n").find("line 3"),
            std::string::npos);
  EXPECT_NE(errorOf("VornForm 1\nBegin Control B1 Butt\n  Mode = int16 70000\nEnd\n").find("out of range"),
            std::string::npos);
  EXPECT_NE(errorOf("VornForm 1\nBegin Control B1 Butt\n  X = float 1\nEnd\n").find("float"), std::string::npos);
  EXPECT_NE(errorOf("VornForm 1\nBegin Control B1 Butt\n  @Wibble = 1\nEnd\n").find("@Wibble"), std::string::npos);
  EXPECT_NE(errorOf("VornForm 1\nBegin Control B1 Butt\n  @Left = \"far\"\nEnd\n").find("Type mismatch"),
            std::string::npos);
  EXPECT_NE(errorOf("VornForm 1\nBegin Control B1 Butt\n").find("no End"), std::string::npos);
  EXPECT_NE(errorOf("VornForm 1\nBegin Control B1 Butt\n  A = 1\n  a = 2\nEnd\n").find("twice"), std::string::npos);
  EXPECT_NE(errorOf("VornForm 1\n  | QUJD\n").find("line 2"), std::string::npos);
  EXPECT_NE(errorOf("VornForm 1\nBegin Control B1 Butt\n  F = font \"Tahoma\" 0 400\nEnd\n").find("size"),
            std::string::npos);
  // A picture whose bytes are no picture fails with the picture's error and the line.
  try {
    ParseFormText("VornForm 1\nBegin Control B1 Butt\n  I = picture base64\n  | AAAAAAAAAAAAAAAA\nEnd\n");
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), errors::kInvalidPicture);
    EXPECT_NE(e.Description().find("line 3"), std::string::npos);
  }
}

TEST(HostFormText, Base64RoundTripsAndRejectsJunk) {
  std::vector<uint8_t> bytes;
  for (int i = 0; i < 256; ++i) bytes.push_back(static_cast<uint8_t>(i));
  for (size_t n : {0u, 1u, 2u, 3u, 4u, 255u, 256u}) {
    std::vector<uint8_t> part(bytes.begin(), bytes.begin() + n);
    EXPECT_EQ(DecodeBase64(EncodeBase64(part)), part) << n;
  }
  EXPECT_EQ(EncodeBase64({'M', 'a', 'n'}), "TWFu");
  EXPECT_THROW(DecodeBase64("TW*u"), Error);
  EXPECT_THROW(DecodeBase64("TQ==TQ=="), Error);
}

TEST(HostFormText, FilesSaveAndLoadBack) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string path = std::string(dir) + "host_form.vform";
  FormDesc d = SampleForm();
  SaveFormFile(path, d);
  FormDesc back = LoadFormFile(path);
  EXPECT_EQ(WriteFormText(back), WriteFormText(d));
  DeleteFileA(path.c_str());
  EXPECT_THROW(LoadFormFile(path), Error);
}
