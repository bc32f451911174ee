// What a Butt stores in its form and how it comes back: keys, kinds,
// defaults, the write order, loading order effects and loading failures.
#include <algorithm>

#include "tests/button/ButtBehaviourFixture.h"

namespace {

using butt_test::ButtAt;

class ButtBehaviourPersistence : public butt_test::ButtFormTest {
 protected:
  // A form with one control; a bag makes it a stored one.
  void OpenWith(std::optional<host::PropertyBag> bag, bool userMode = true) {
    host::FormDesc desc = butt_test::BaseForm();
    desc.form.backColor = 0x00112233;
    desc.containers.push_back(butt_test::Box("Box1", 10, 10));
    desc.controls.push_back(ButtAt("Butt1", "Box1", 10, 10, 0, std::move(bag)));
    Open(desc, userMode);
  }
  host::PropertyBag Saved() {
    host::FormDesc desc = Form().Save();
    for (const host::ControlDesc& c : desc.controls)
      if (c.name == "Butt1" && c.properties) return *c.properties;
    ADD_FAILURE() << "no stored bag for Butt1";
    return {};
  }
  // Saves, then loads the saved form into a fresh form.
  void Reload() {
    host::FormDesc desc = Form().Save();
    form_.reset();
    log_.clear();
    Open(desc, true);
  }
  static std::vector<std::string> Keys(const host::PropertyBag& bag) {
    std::vector<std::string> keys;
    for (const auto& e : bag.Entries()) keys.push_back(e.key);
    return keys;
  }
};

TEST_F(ButtBehaviourPersistence, ANewControlTakesItsDefaults) {
  OpenWith(std::nullopt, false);
  Butt& b = B("Butt1");
  EXPECT_EQ(b.Caption(), "Butt1");
  EXPECT_EQ(b.CaptionAlign(), butt::CaptionCenter);
  EXPECT_TRUE(b.ShowFocusRect());
  EXPECT_EQ(b.BackColor(), kColorButtonFace);
  EXPECT_EQ(b.GradientColor(), 0);
  EXPECT_EQ(b.Font(), Form().Font());
  EXPECT_EQ(Site("Butt1").Tag(),
            std::to_string(static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(Site("Butt1").ContainerHwnd()))));
  EXPECT_EQ(b.State().containerBackColor, 0x00404040);
  const auto& changed = Site("Butt1").ChangedKeys();
  for (const char* key : {"Caption", "CapAlign", "Focus", "cFHover", "cBHover", "Font"})
    EXPECT_NE(std::find(changed.begin(), changed.end(), key), changed.end()) << key;
}

TEST_F(ButtBehaviourPersistence, SavesTheKeysInTheirOrder) {
  OpenWith(std::nullopt);
  Butt& b = B("Butt1");
  b.Caption("Go");
  b.CaptionAlign(butt::CaptionLeft);
  b.ButtonStyle(butt::StyleRoundedGrey);
  b.ForeColor(0x00FFFFFF);
  b.HoverColorLocks(butt::LockNone);
  b.HoverForeColor(0x002394F5);
  b.HoverBackColor(0x00123456);
  b.ShowFocusRect(false);
  b.GradientColor(0x000000FF);
  b.GradientMode(butt::GradientVertical);
  b.CaptionStyle(butt::CaptionEngraved);
  b.PictureAlign(butt::PicAlignRightEdge);
  b.PictureSize(butt::Size32);
  b.MousePointer(3);
  b.BackColor(0x00291E16);
  const std::vector<std::string> expected{"Caption", "CapAlign", "BackStyle", "Font",      "cFore",    "cFHover",
                                          "cBhover", "Focus",    "LockHover", "cGradient", "Gradient", "CapStyle",
                                          "Mode",    "Value",    "ImgAlign",  "ImgSize",   "cBack",    "mPointer"};
  const host::PropertyBag bag = Saved();
  EXPECT_EQ(Keys(bag), expected);
  EXPECT_EQ(bag.Find("ImgSize")->kind, host::ValueKind::Int16);
  EXPECT_EQ(bag.Find("mPointer")->kind, host::ValueKind::Int16);
  EXPECT_EQ(bag.Find("CapAlign")->kind, host::ValueKind::Int32);
  EXPECT_EQ(bag.Find("Focus")->kind, host::ValueKind::Bool);
  EXPECT_EQ(bag.Find("Value")->kind, host::ValueKind::Bool);
}

TEST_F(ButtBehaviourPersistence, DefaultsAreLeftOutButModeValueAndBackAlwaysWritten) {
  OpenWith(std::nullopt);
  const host::PropertyBag bag = Saved();
  EXPECT_TRUE(bag.Contains("Mode"));
  EXPECT_TRUE(bag.Contains("Value"));
  EXPECT_TRUE(bag.Contains("cBack"));
  EXPECT_TRUE(bag.Contains("Font"));
  EXPECT_FALSE(bag.Contains("CapAlign"));
  EXPECT_FALSE(bag.Contains("cBHover"));  // equal to the back colour
  EXPECT_FALSE(bag.Contains("ImgSize"));
  EXPECT_FALSE(bag.Contains("Image"));
  EXPECT_FALSE(bag.Contains("mIcon"));
  // A new control's gradient colour is black, which differs from the
  // stored default.
  ASSERT_TRUE(bag.Contains("cGradient"));
  EXPECT_EQ(bag.Find("cGradient")->number, 0);
}

TEST_F(ButtBehaviourPersistence, RoundTripKeepsEveryValue) {
  OpenWith(std::nullopt);
  Butt& b = B("Butt1");
  b.Caption("Sa&ve");
  b.ButtonStyle(butt::StyleEtched);
  b.Mode(butt::ModeCheckBox);
  b.Value(true);
  b.CaptionAlign(butt::CaptionLeft);
  b.CaptionStyle(butt::CaptionEmbossed);
  b.GradientColor(0x00AA5500);
  b.GradientMode(butt::GradientHorizontalReversed);
  b.HoverColorLocks(butt::LockNone);
  b.HoverForeColor(0x00010203);
  b.HoverBackColor(0x00040506);
  b.ForeColor(0x00070809);
  b.BackColor(0x000A0B0C);
  b.ShowFocusRect(false);
  b.PictureSize(butt::Size24);
  b.PictureAlign(butt::PicAlignRightOfCaption);
  b.Enabled(false);
  host::FontDesc font;
  font.name = "Tahoma";
  font.size = 9.75f;
  font.italic = true;
  b.Font(font);
  Reload();
  Butt& r = B("Butt1");
  EXPECT_EQ(r.Caption(), "Sa&ve");
  EXPECT_EQ(Site("Butt1").AccessKeys(), "v");
  EXPECT_EQ(r.ButtonStyle(), butt::StyleEtched);
  EXPECT_EQ(r.Mode(), butt::ModeCheckBox);
  EXPECT_TRUE(r.Value());
  EXPECT_EQ(r.CaptionAlign(), butt::CaptionLeft);
  EXPECT_EQ(r.CaptionStyle(), butt::CaptionEmbossed);
  EXPECT_EQ(r.GradientColor(), 0x00AA5500);
  EXPECT_EQ(r.GradientMode(), butt::GradientHorizontalReversed);
  EXPECT_EQ(r.HoverColorLocks(), butt::LockNone);
  EXPECT_EQ(r.HoverForeColor(), 0x00010203);
  EXPECT_EQ(r.HoverBackColor(), 0x00040506);
  EXPECT_EQ(r.ForeColor(), 0x00070809);
  EXPECT_EQ(r.BackColor(), 0x000A0B0C);
  EXPECT_FALSE(r.ShowFocusRect());
  EXPECT_EQ(r.PictureSize(), butt::Size24);
  EXPECT_EQ(r.PictureAlign(), butt::PicAlignRightOfCaption);
  EXPECT_FALSE(r.Enabled());
  EXPECT_EQ(r.Font().name, "Tahoma");
  EXPECT_FLOAT_EQ(r.Font().size, 9.75f);
  EXPECT_TRUE(r.Font().italic);
  EXPECT_FALSE(r.State().drawingDelayed);
}

TEST_F(ButtBehaviourPersistence, CaptionAlignLeftComesBackAndCentreIsNotStored) {
  OpenWith(std::nullopt);
  B("Butt1").CaptionAlign(butt::CaptionLeft);
  EXPECT_EQ(Saved().ReadInt32("CapAlign", -1), 0);
  Reload();
  EXPECT_EQ(B("Butt1").CaptionAlign(), butt::CaptionLeft);
  B("Butt1").CaptionAlign(butt::CaptionCenter);
  EXPECT_FALSE(Saved().Contains("CapAlign"));
}

TEST_F(ButtBehaviourPersistence, AStoredFormWithoutGradientColourLoadsTheButtonFace) {
  OpenWith(butt_test::StoredBag(butt::ModeCommand));
  EXPECT_EQ(B("Butt1").GradientColor(), kColorButtonFace);
  EXPECT_EQ(B("Butt1").BackColor(), 0x00C0C0C0);
}

TEST_F(ButtBehaviourPersistence, MissingBackColourLoadsTheParentFormsBackColour) {
  host::PropertyBag bag;
  bag.Set("Caption", host::PropertyValue::Text("x"));
  OpenWith(bag);
  EXPECT_EQ(B("Butt1").BackColor(), 0x00112233);
  EXPECT_EQ(B("Butt1").HoverBackColor(), 0x00112233);  // follows the colour just read
}

TEST_F(ButtBehaviourPersistence, HoverBackEqualToBackIsNotStoredAndFollowsOnLoad) {
  OpenWith(std::nullopt);
  B("Butt1").HoverColorLocks(butt::LockNone);
  B("Butt1").BackColor(0x00334455);
  B("Butt1").HoverBackColor(0x00334455);
  EXPECT_FALSE(Saved().Contains("cBhover"));
  Reload();
  EXPECT_EQ(B("Butt1").HoverBackColor(), 0x00334455);
}

TEST_F(ButtBehaviourPersistence, AStoredPointerWinsOverTheIconsCustomPointer) {
  host::PropertyBag bag = butt_test::StoredBag(butt::ModeCommand);
  bag.Set("mIcon", host::PropertyValue::Pic(host::Picture::FromIcon(
                       CopyIcon(reinterpret_cast<HICON>(LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)))), true, true)));
  OpenWith(bag);
  EXPECT_TRUE(static_cast<bool>(B("Butt1").MouseIcon()));
  EXPECT_EQ(B("Butt1").MousePointer(), 0);
  bag.Set("mPointer", host::PropertyValue::Int16(5));
  form_.reset();
  OpenWith(bag);
  EXPECT_EQ(B("Butt1").MousePointer(), 5);
}

TEST_F(ButtBehaviourPersistence, KeysMatchWithoutRegardToCase) {
  host::PropertyBag bag;
  bag.Set("CAPTION", host::PropertyValue::Text("Loud"));
  bag.Set("backstyle", host::PropertyValue::Int32(4));
  bag.Set("CBACK", host::PropertyValue::Color(0x00010101));
  bag.Set("cbhover", host::PropertyValue::Color(0x00020202));
  OpenWith(bag);
  EXPECT_EQ(B("Butt1").Caption(), "Loud");
  EXPECT_EQ(B("Butt1").ButtonStyle(), 4);
  EXPECT_EQ(B("Butt1").HoverBackColor(), 0x00020202);
}

TEST_F(ButtBehaviourPersistence, StoredValuesSkipTheRangeChecks) {
  host::PropertyBag bag = butt_test::StoredBag(butt::ModeCommand);
  bag.Set("BackStyle", host::PropertyValue::Int32(9));
  bag.Set("CapAlign", host::PropertyValue::Int32(7));
  bag.Set("LockHover", host::PropertyValue::Int32(12));
  OpenWith(bag);
  Butt& b = B("Butt1");
  EXPECT_EQ(b.ButtonStyle(), 9);
  EXPECT_EQ(b.CaptionAlign(), 7);
  EXPECT_EQ(b.HoverColorLocks(), 12);
  // A style outside the renderers shows nothing and never refreshes.
  const uint32_t redraws = b.RedrawCount();
  b.Refresh();
  EXPECT_EQ(b.RedrawCount(), redraws + 1);
  EXPECT_EQ(b.PresentCount(), 0u);
}

TEST_F(ButtBehaviourPersistence, AValueOfTheWrongKindFailsLoadingWithTheHostsError) {
  host::PropertyBag bag = butt_test::StoredBag(butt::ModeCommand);
  bag.Set("BackStyle", host::PropertyValue::Text("seven"));
  host::FormDesc desc = butt_test::BaseForm();
  desc.containers.push_back(butt_test::Box("Box1", 10, 10));
  desc.controls.push_back(ButtAt("Butt1", "Box1", 10, 10, 0, bag));
  host::Form form(desc);
  try {
    form.Load();
    FAIL() << "loading succeeded";
  } catch (const host::Error& e) {
    EXPECT_EQ(e.Number(), host::errors::kTypeMismatch);
  }
}

TEST_F(ButtBehaviourPersistence, StoredPictureAndItsSizeComeBack) {
  OpenWith(std::nullopt);
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 20, 12);
  ReleaseDC(nullptr, screen);
  B("Butt1").Picture(host::Picture::FromBitmap(bitmap, true));
  B("Butt1").PictureSize(butt::SizeFill);
  const host::PropertyBag bag = Saved();
  ASSERT_TRUE(bag.Contains("Image"));
  EXPECT_EQ(bag.ReadInt16("ImgSize", 0), 40);
  Reload();
  ASSERT_TRUE(static_cast<bool>(B("Butt1").Picture()));
  EXPECT_EQ(B("Butt1").Picture().WidthPixels(), 20);
  EXPECT_EQ(B("Butt1").State().pictureWidth, 20);
  EXPECT_EQ(B("Butt1").PictureSize(), butt::SizeFill);
}

}  // namespace
