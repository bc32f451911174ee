// Property rules of Butt: ranges, hover-colour locks, chained setters,
// access keys, and the messages shown only while a form is edited.
#include <algorithm>

#include "button/ButtDescriptions.h"
#include "button/ButtMessages.h"
#include "tests/button/ButtBehaviourFixture.h"

namespace {

using butt_test::ButtAt;
using butt_test::MessageRecorder;

constexpr ButtColor kRed = 0x000000FF;
constexpr ButtColor kGreen = 0x0000FF00;
constexpr ButtColor kBlue = 0x00FF0000;
constexpr ButtColor kYellow = 0x0000FFFF;

host::Picture BitmapPicture(int width = 24, int height = 16) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  ReleaseDC(nullptr, screen);
  return host::Picture::FromBitmap(bitmap, true);
}

host::Picture IconPicture() {
  return host::Picture::FromIcon(CopyIcon(LoadIconA(nullptr, MAKEINTRESOURCEA(32512))), false, true);
}

host::Picture CursorPicture() {
  return host::Picture::FromIcon(CopyIcon(reinterpret_cast<HICON>(LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)))), true,
                                 true);
}

bool Contains(const std::vector<std::string>& keys, const std::string& key) {
  return std::find(keys.begin(), keys.end(), key) != keys.end();
}

// --- Rules that need no host ---

TEST(ButtBehaviourRules, OutOfRangeEnumeratedValuesAreIgnored) {
  Butt b;
  b.ButtonStyle(8);
  b.Mode(-1);
  b.PictureSize(5);
  b.CaptionAlign(3);
  b.CaptionStyle(-1);
  b.CustomClick(9);
  b.ButtonShape(9);
  b.PictureAlign(6);
  b.GradientMode(5);
  EXPECT_EQ(b.ButtonStyle(), 0);
  EXPECT_EQ(b.Mode(), 0);
  EXPECT_EQ(b.PictureSize(), 0);
  EXPECT_EQ(b.CaptionAlign(), 2);
  EXPECT_EQ(b.CaptionStyle(), 0);
  EXPECT_EQ(b.CustomClick(), 0);
  EXPECT_EQ(b.ButtonShape(), 0);
  EXPECT_EQ(b.PictureAlign(), 0);
  EXPECT_EQ(b.GradientMode(), 0);
}

TEST(ButtBehaviourRules, ValuesOfANewControl) {
  Butt b;
  EXPECT_EQ(b.BackColor(), static_cast<ButtColor>(0x8000000F));
  EXPECT_EQ(b.HoverForeColor(), static_cast<ButtColor>(0x80000012));
  EXPECT_EQ(b.HoverBackColor(), static_cast<ButtColor>(0x8000000F));
  EXPECT_EQ(b.GradientColor(), 0);
  EXPECT_EQ(b.HoverColorLocks(), butt::LockBoth);
  EXPECT_TRUE(b.ShowFocusRect());
  EXPECT_FALSE(b.Value());
  EXPECT_FALSE(b.ResetDefaultColors());
  EXPECT_EQ(b.State().pictureSizePx, 16);
}

TEST(ButtBehaviourRules, AnUnknownLockIsKeptAndLocksNothing) {
  Butt b;
  b.HoverColorLocks(7);
  EXPECT_EQ(b.HoverColorLocks(), 7);
  const ButtColor hoverBack = b.HoverBackColor();
  const ButtColor hoverFore = b.HoverForeColor();
  b.BackColor(kRed);
  b.ForeColor(kGreen);
  EXPECT_EQ(b.HoverBackColor(), hoverBack);
  EXPECT_EQ(b.HoverForeColor(), hoverFore);
  EXPECT_EQ(b.HoverColorLocks(), 7);
}

TEST(ButtBehaviourRules, HoverColoursFollowAndUnlockThemselves) {
  Butt b;
  b.BackColor(kRed);
  EXPECT_EQ(b.HoverBackColor(), kRed);
  EXPECT_EQ(b.HoverColorLocks(), butt::LockBoth);

  b.HoverBackColor(kBlue);  // apart from the back colour: back unlocks
  EXPECT_EQ(b.HoverColorLocks(), butt::LockForeOnly);
  b.ForeColor(kGreen);  // the fore lock still carries the hover fore colour
  EXPECT_EQ(b.HoverForeColor(), kGreen);
  b.BackColor(kYellow);  // no longer carried
  EXPECT_EQ(b.HoverBackColor(), kBlue);

  b.HoverForeColor(kYellow);
  EXPECT_EQ(b.HoverColorLocks(), butt::LockNone);
  b.ForeColor(kRed);
  EXPECT_EQ(b.HoverForeColor(), kYellow);

  b.HoverColorLocks(butt::LockBoth);  // locking again pulls both along
  EXPECT_EQ(b.HoverBackColor(), kYellow);
  EXPECT_EQ(b.HoverForeColor(), kRed);
}

TEST(ButtBehaviourRules, HoverForeColourUnlocksOnlyTheForeLock) {
  Butt b;
  b.HoverColorLocks(butt::LockForeOnly);
  b.HoverForeColor(kBlue);
  EXPECT_EQ(b.HoverColorLocks(), butt::LockNone);
  b.HoverColorLocks(butt::LockBackOnly);
  b.HoverForeColor(kGreen);
  EXPECT_EQ(b.HoverColorLocks(), butt::LockBackOnly);
  Butt c;
  c.HoverForeColor(kBlue);
  EXPECT_EQ(c.HoverColorLocks(), butt::LockBackOnly);
}

TEST(ButtBehaviourRules, HoverColourAssignedItsOwnValueChangesNothing) {
  Butt b;
  b.HoverForeColor(b.HoverForeColor());
  b.HoverBackColor(b.HoverBackColor());
  EXPECT_EQ(b.HoverColorLocks(), butt::LockBoth);
  b.ForeColor(kBlue);
  b.HoverForeColor(kBlue);
  EXPECT_EQ(b.HoverColorLocks(), butt::LockBoth);
}

TEST(ButtBehaviourRules, WithAGradientTheHoverBackColourFollowsTheGradientColour) {
  Butt b;
  b.GradientColor(kGreen);
  EXPECT_EQ(b.HoverBackColor(), static_cast<ButtColor>(0x8000000F));  // no gradient drawn yet
  b.GradientMode(butt::GradientVertical);
  EXPECT_EQ(b.HoverBackColor(), kGreen);
  b.GradientColor(kBlue);
  EXPECT_EQ(b.HoverBackColor(), kBlue);
  // A back colour change carries the followed colour along and keeps the lock.
  b.BackColor(kRed);
  EXPECT_EQ(b.HoverBackColor(), kBlue);
  EXPECT_EQ(b.HoverColorLocks(), butt::LockBoth);
  b.GradientMode(butt::GradientNone);
  EXPECT_EQ(b.HoverBackColor(), kRed);
}

TEST(ButtBehaviourRules, WithAGradientAHoverColourApartFromTheGradientColourUnlocks) {
  // The back colour itself is apart from the colour a lock follows here.
  Butt b;
  b.BackColor(kRed);
  b.GradientColor(kGreen);
  b.GradientMode(butt::GradientVertical);
  ASSERT_EQ(b.HoverBackColor(), kGreen);
  b.HoverBackColor(kRed);
  EXPECT_EQ(b.HoverColorLocks(), butt::LockForeOnly);
  b.GradientColor(kBlue);  // no longer carried along
  EXPECT_EQ(b.HoverBackColor(), kRed);
}

TEST(ButtBehaviourRules, LeavingCheckBoxModeClearsTheValue) {
  Butt b;
  b.Mode(butt::ModeCheckBox);
  b.Value(true);
  EXPECT_TRUE(b.Value());
  b.Mode(butt::ModeCommand);
  EXPECT_FALSE(b.Value());
  b.Value(true);  // not for command buttons
  EXPECT_FALSE(b.Value());
}

TEST(ButtBehaviourRules, PictureSizeMapsToStoredPixels) {
  Butt b;
  for (int32_t size = 0; size <= 4; ++size) {
    b.PictureSize(size);
    EXPECT_EQ(b.State().pictureSizePx, (size + 2) * 8);
    EXPECT_EQ(b.PictureSize(), size);
  }
}

TEST(ButtBehaviourRules, PropertyDescriptionsAreComplete) {
  EXPECT_EQ(ButtPropertyDescriptions().size(), 27u);
  const ButtPropertyInfo* caption = FindButtProperty("caption");
  ASSERT_NE(caption, nullptr);
  EXPECT_EQ(caption->category, "Appearance");
  EXPECT_EQ(caption->description, "The caption of the button. Double pipe (||) is a line break.");
  EXPECT_EQ(FindButtProperty("Enabled")->category, "Behavior");
  EXPECT_EQ(FindButtProperty("Font")->category, "Font");
  EXPECT_EQ(FindButtProperty("ForeColor")->description, "The color of the caption's font .");
  EXPECT_EQ(FindButtProperty("Nope"), nullptr);
}

// --- Rules that need the host: notifications, messages, host values ---

class ButtBehaviourRulesOnForm : public butt_test::ButtFormTest {
 protected:
  void OpenOne(bool userMode, bool isDefault = false) {
    host::FormDesc desc = butt_test::BaseForm();
    desc.containers.push_back(butt_test::Box("Box1", 10, 10));
    desc.controls.push_back(ButtAt("Butt1", "Box1", 10, 10, 0));
    desc.controls.back().isDefault = isDefault;
    Open(desc, userMode);
    Site("Butt1").ClearChangedKeys();
  }
  const std::vector<std::string>& Changed() { return Site("Butt1").ChangedKeys(); }
};

TEST_F(ButtBehaviourRulesOnForm, OutOfRangeIsSilentEvenWhileEditing) {
  OpenOne(false);
  MessageRecorder boxes;
  Butt& b = B("Butt1");
  b.ButtonStyle(8);
  b.Mode(-1);
  b.PictureSize(5);
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_TRUE(Changed().empty());
}

TEST_F(ButtBehaviourRulesOnForm, EachSetterNotifiesItsStorageKey) {
  OpenOne(false);
  Butt& b = B("Butt1");
  b.ButtonStyle(3);
  b.Mode(1);
  b.CaptionStyle(1);
  b.GradientColor(kRed);
  b.GradientMode(2);
  b.BackColor(kGreen);
  b.ForeColor(kBlue);
  b.PictureSize(2);
  b.MousePointer(2);
  for (const char* key :
       {"BackStyle", "Mode", "CapStyle", "cGradient", "Gradient", "cBack", "cFore", "ImgSize", "mPointer"})
    EXPECT_TRUE(Contains(Changed(), key)) << key;
}

TEST_F(ButtBehaviourRulesOnForm, HoverForeColourAssignedItsValueNotifiesNothing) {
  OpenOne(false);
  Butt& b = B("Butt1");
  b.HoverForeColor(b.HoverForeColor());
  EXPECT_TRUE(Changed().empty());
}

TEST_F(ButtBehaviourRulesOnForm, PictureAlignTopCentresTheCaption) {
  OpenOne(false);
  Butt& b = B("Butt1");
  b.CaptionAlign(butt::CaptionLeft);
  Site("Butt1").ClearChangedKeys();
  b.PictureAlign(butt::PicAlignTopCenter);
  EXPECT_EQ(b.CaptionAlign(), butt::CaptionCenter);
  EXPECT_TRUE(Contains(Changed(), "CapAlign"));
  EXPECT_TRUE(Contains(Changed(), "ImgAlign"));
}

TEST_F(ButtBehaviourRulesOnForm, CaptionMarksTheAccessKey) {
  OpenOne(true);
  Butt& b = B("Butt1");
  b.Caption("Save && E&xit");
  EXPECT_EQ(Site("Butt1").AccessKeys(), "x");
  b.Caption("A&&B");  // only a literal ampersand: the key stays
  EXPECT_EQ(Site("Butt1").AccessKeys(), "x");
  b.Caption("Go&");  // a trailing marker clears it
  EXPECT_EQ(Site("Butt1").AccessKeys(), "");
  EXPECT_EQ(b.Caption(), "Go&");
}

TEST_F(ButtBehaviourRulesOnForm, CustomShapeFitsThePictureAndFixesItsSize) {
  OpenOne(false);
  MessageRecorder boxes;
  Butt& b = B("Butt1");
  b.CaptionAlign(butt::CaptionLeft);
  b.Picture(BitmapPicture());
  b.ButtonShape(7);
  EXPECT_EQ(b.ButtonShape(), 7);
  EXPECT_EQ(b.PictureSize(), butt::SizeFit);
  EXPECT_EQ(b.CaptionAlign(), butt::CaptionCenter);
  EXPECT_TRUE(boxes.boxes.empty());
  b.PictureSize(butt::Size24);
  EXPECT_EQ(b.PictureSize(), butt::SizeFit);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, kMsgPictureSizeFixedForShapes);
  EXPECT_EQ(boxes.boxes[0].style, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
}

TEST_F(ButtBehaviourRulesOnForm, CustomShapeNeedsABitmapPicture) {
  OpenOne(false);
  MessageRecorder boxes;
  Butt& b = B("Butt1");
  b.ButtonShape(8);
  EXPECT_EQ(b.ButtonShape(), 0);
  b.Picture(IconPicture());
  b.ButtonShape(7);
  EXPECT_EQ(b.ButtonShape(), 0);
  ASSERT_EQ(boxes.boxes.size(), 2u);
  EXPECT_EQ(boxes.boxes[0].text, kMsgShapeNeedsBitmap);
  EXPECT_EQ(boxes.boxes[1].text, kMsgShapeNeedsBitmap);
}

TEST_F(ButtBehaviourRulesOnForm, AnIconOnACustomShapeMakesItRectangularWithAMessageWhileEditing) {
  OpenOne(false);
  MessageRecorder boxes;
  Butt& b = B("Butt1");
  b.Picture(BitmapPicture());
  b.ButtonShape(7);
  b.Picture(IconPicture());
  EXPECT_EQ(b.ButtonShape(), 0);
  EXPECT_TRUE(static_cast<bool>(b.Picture()));
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text,
            "Icons cannot be used for custom buttons. Only use bitmaps or JPEGs.\r\nButton was changed to Rectangular "
            "shaped.");
}

TEST_F(ButtBehaviourRulesOnForm, AnIconOnACustomShapeAtRunTimeIsSilent) {
  OpenOne(true);
  MessageRecorder boxes;
  Butt& b = B("Butt1");
  b.Picture(BitmapPicture());
  b.ButtonShape(8);
  ASSERT_EQ(b.ButtonShape(), 8);
  b.Picture(IconPicture());
  EXPECT_EQ(b.ButtonShape(), 0);
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(ButtBehaviourRulesOnForm, RemovingThePictureOfACustomShapeMakesItRectangular) {
  OpenOne(true);
  Butt& b = B("Butt1");
  b.Picture(BitmapPicture());
  b.ButtonShape(7);
  b.Picture(host::Picture());
  EXPECT_EQ(b.ButtonShape(), 0);
}

TEST_F(ButtBehaviourRulesOnForm, CaptionAlignmentWithATopCentredPicture) {
  OpenOne(false);
  MessageRecorder boxes;
  Butt& b = B("Butt1");
  b.PictureAlign(butt::PicAlignBottomCenter);
  b.CaptionAlign(butt::CaptionRight);  // no picture: accepted
  EXPECT_EQ(b.CaptionAlign(), butt::CaptionRight);
  b.Picture(BitmapPicture());
  b.CaptionAlign(butt::CaptionLeft);
  EXPECT_EQ(b.CaptionAlign(), butt::CaptionRight);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text,
            "When button images are aligned top/bottom center, \r\nbutton captions can only be center aligned");
}

TEST_F(ButtBehaviourRulesOnForm, CustomClickOnAPlainShapeWarnsButKeepsTheValue) {
  OpenOne(false);
  MessageRecorder boxes;
  B("Butt1").CustomClick(butt::MoveRight);
  EXPECT_EQ(B("Butt1").CustomClick(), butt::MoveRight);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, kMsgCustomClickNeedsShape);
  EXPECT_TRUE(Contains(Changed(), "CustomClick"));
}

TEST_F(ButtBehaviourRulesOnForm, ValueOnACommandButtonIsRejectedWithAMessage) {
  OpenOne(false);
  MessageRecorder boxes;
  B("Butt1").Value(true);
  EXPECT_FALSE(B("Butt1").Value());
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, kMsgValueNotForCommand);
  EXPECT_FALSE(Contains(Changed(), "Value"));
}

TEST_F(ButtBehaviourRulesOnForm, FocusFrameOfTheDefaultButtonStaysWhileEditing) {
  OpenOne(false, true);
  MessageRecorder boxes;
  Butt& b = B("Butt1");
  ASSERT_TRUE(b.State().Has(StateFocusShown));
  b.ShowFocusRect(false);
  EXPECT_FALSE(b.ShowFocusRect());
  EXPECT_TRUE(b.State().Has(StateFocusShown));
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, kMsgFocusRectDesignOnly);
}

TEST_F(ButtBehaviourRulesOnForm, FocusFrameEndsAtRunTimeWhenAssigned) {
  OpenOne(true, true);
  MessageRecorder boxes;
  Butt& b = B("Butt1");
  ASSERT_TRUE(b.State().Has(StateFocusShown));
  b.ShowFocusRect(true);  // whatever the value, the frame goes
  EXPECT_FALSE(b.State().Has(StateFocusShown));
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(ButtBehaviourRulesOnForm, MessagesAppearOnlyWhileEditing) {
  OpenOne(true);
  MessageRecorder boxes;
  Butt& b = B("Butt1");
  b.Value(true);
  b.CustomClick(2);
  b.ButtonShape(7);
  b.PictureAlign(butt::PicAlignTopCenter);
  b.Picture(BitmapPicture());
  b.CaptionAlign(butt::CaptionLeft);
  b.MouseIcon(BitmapPicture());
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_EQ(b.CustomClick(), 2);
  EXPECT_EQ(b.CaptionAlign(), butt::CaptionCenter);
}

TEST_F(ButtBehaviourRulesOnForm, MouseIconRefusesOtherPicturesWithTheHostsReason) {
  OpenOne(false);
  MessageRecorder boxes;
  Butt& b = B("Butt1");
  b.MouseIcon(BitmapPicture());
  EXPECT_FALSE(static_cast<bool>(b.MouseIcon()));
  EXPECT_EQ(b.MousePointer(), 0);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].title, kTitleMouseIconRefused);
  EXPECT_FALSE(boxes.boxes[0].text.empty());
  EXPECT_FALSE(Contains(Changed(), "mIcon"));

  b.MouseIcon(CursorPicture());
  EXPECT_TRUE(static_cast<bool>(b.MouseIcon()));
  EXPECT_EQ(b.MousePointer(), host::kPointerCustom);
  EXPECT_TRUE(Contains(Changed(), "mIcon"));
  EXPECT_TRUE(Contains(Changed(), "mPointer"));
}

TEST_F(ButtBehaviourRulesOnForm, ResetDefaultColorsOnlyWhileEditing) {
  OpenOne(true);
  Butt& b = B("Butt1");
  b.BackColor(kRed);
  b.GradientMode(butt::GradientHorizontal);
  b.HoverColorLocks(butt::LockNone);
  b.ResetDefaultColors(true);
  EXPECT_EQ(b.BackColor(), kRed);
  EXPECT_EQ(b.GradientMode(), butt::GradientHorizontal);

  Form().SetUserMode(false);
  b.ForeColor(kGreen);
  b.ResetDefaultColors(true);
  EXPECT_EQ(b.BackColor(), kColorButtonFace);
  EXPECT_EQ(b.ForeColor(), kColorButtonText);
  EXPECT_EQ(b.GradientColor(), kColorButtonFace);
  EXPECT_EQ(b.GradientMode(), butt::GradientNone);
  EXPECT_EQ(b.HoverColorLocks(), butt::LockBoth);
  EXPECT_EQ(b.HoverBackColor(), kColorButtonFace);
  EXPECT_EQ(b.HoverForeColor(), kColorButtonText);
  EXPECT_FALSE(b.ResetDefaultColors());
  EXPECT_FALSE(b.State().drawingDelayed);
}

TEST_F(ButtBehaviourRulesOnForm, FontStyleFlagsEditTheHostFont) {
  OpenOne(true);
  Butt& b = B("Butt1");
  b.FontStyle(butt::FontBold | butt::FontUnderline);
  EXPECT_TRUE(Site("Butt1").Font().bold);
  EXPECT_FALSE(Site("Butt1").Font().italic);
  EXPECT_TRUE(Site("Butt1").Font().underline);
  EXPECT_EQ(b.FontStyle(), 10);
  b.FontStyle(butt::FontItalic | 1);
  EXPECT_EQ(b.FontStyle(), butt::FontItalic);
  EXPECT_EQ(b.State().hostFont.italic, true);
}

TEST_F(ButtBehaviourRulesOnForm, AnUnusableFontReachesTheCaller) {
  OpenOne(true);
  host::FontDesc bad;
  bad.name = "";
  EXPECT_THROW(B("Butt1").Font(bad), host::Error);
}

TEST_F(ButtBehaviourRulesOnForm, EnabledGoesToTheHost) {
  OpenOne(true);
  Butt& b = B("Butt1");
  b.Enabled(false);
  EXPECT_FALSE(Site("Butt1").Enabled());
  EXPECT_FALSE(IsWindowEnabled(Hwnd("Butt1")));
  EXPECT_TRUE(Contains(Changed(), "Enabled"));
  Site("Butt1").ClearChangedKeys();
  b.Enabled(false);
  EXPECT_TRUE(Changed().empty());
}

}  // namespace
