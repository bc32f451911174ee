// The main window's three stored buttons: a form text with their blocks
// loads them with every value, and saving gives the same values back.
#include "tests/button/ButtBehaviourFixture.h"

namespace {

constexpr const char* kVornFormText = R"(VornForm 1
Begin Form VORN
  @Caption = "VORN - Glarecut 1.01"
  @Left = 0
  @Top = 0
  @ClientWidth = 3945
  @ClientHeight = 3225
  @BackColor = 0x004D483F
  @Font = font "Tahoma" 8.25 400
  @BorderStyle = 0
End
Begin Container Picture3
  @Container = ""
  @Left = 15
  @Top = 15
  @Width = 3915
  @Height = 3195
  @TabIndex = 0
  @BackColor = 0x004D483F
End
Begin Control Butt3 Butt
  @Container = "Picture3"
  @Left = 855
  @Top = 2670
  @ExtentX = 1667
  @ExtentY = 688
  @TabIndex = 6
  @ToolTipText = "Who Made This KOOL Shit?"
  Caption = text "ABOUT"
  BackStyle = int32 7
  Font = font "Tahoma" 8.25 400
  cFore = color 0x00FFFFFF
  cFHover = color 0x002394F5
  Focus = bool 0
  LockHover = int32 3
  cGradient = color 0x00000000
  Mode = int32 0
  Value = bool 0
  cBack = color 0x00291E16
End
Begin Control Butt2 Butt
  @Container = "Picture3"
  @Left = 1860
  @Top = 2670
  @ExtentX = 1667
  @ExtentY = 688
  @TabIndex = 5
  Caption = text "CANCEL"
  BackStyle = int32 7
  Font = font "Tahoma" 8.25 400
  cFore = color 0x00FFFFFF
  cFHover = color 0x002394F5
  Focus = bool 0
  LockHover = int32 3
  cGradient = color 0x00000000
  Mode = int32 0
  Value = bool 0
  cBack = color 0x00291E16
End
Begin Control Butt1 Butt
  @Container = "Picture3"
  @Left = 2865
  @Top = 2670
  @ExtentX = 1667
  @ExtentY = 688
  @TabIndex = 2
  Caption = text "APPLY"
  BackStyle = int32 7
  Font = font "Tahoma" 8.25 400
  cFore = color 0x00FFFFFF
  cFHover = color 0x002394F5
  Focus = bool 0
  LockHover = int32 3
  cGradient = color 0x00000000
  Mode = int32 0
  Value = bool 0
  cBack = color 0x00291E16
End
)";

class ButtBehaviourFormText : public butt_test::ButtFormTest {};

TEST_F(ButtBehaviourFormText, TheThreeStoredButtonsLoadWithTheirValues) {
  Open(host::ParseFormText(kVornFormText));
  const std::pair<const char*, const char*> buttons[] = {{"Butt1", "APPLY"}, {"Butt2", "CANCEL"}, {"Butt3", "ABOUT"}};
  for (const auto& [name, caption] : buttons) {
    SCOPED_TRACE(name);
    Butt& b = B(name);
    EXPECT_EQ(b.Caption(), caption);
    EXPECT_EQ(b.ButtonStyle(), butt::StyleRoundedGrey);
    EXPECT_EQ(b.Mode(), butt::ModeCommand);
    EXPECT_EQ(b.CaptionAlign(), butt::CaptionCenter);
    EXPECT_EQ(b.CaptionStyle(), butt::CaptionFlat);
    EXPECT_EQ(b.CustomClick(), butt::ClickStandard);
    EXPECT_EQ(b.ButtonShape(), 0);
    EXPECT_FALSE(static_cast<bool>(b.Picture()));
    EXPECT_EQ(b.PictureAlign(), butt::PicAlignLeftEdge);
    EXPECT_TRUE(b.Enabled());
    EXPECT_FALSE(b.ShowFocusRect());
    EXPECT_FALSE(b.Value());
    EXPECT_EQ(b.PictureSize(), butt::Size16);
    EXPECT_EQ(b.MousePointer(), 0);
    EXPECT_FALSE(static_cast<bool>(b.MouseIcon()));
    EXPECT_EQ(b.Font().name, "Tahoma");
    EXPECT_FLOAT_EQ(b.Font().size, 8.25f);
    EXPECT_EQ(b.Font().weight, 400);
    EXPECT_FALSE(b.Font().bold);
    EXPECT_FALSE(b.Font().italic);
    EXPECT_EQ(b.FontStyle(), 0);
    EXPECT_EQ(b.ForeColor(), 0x00FFFFFF);
    EXPECT_EQ(b.BackColor(), 0x00291E16);
    EXPECT_EQ(b.GradientColor(), 0);
    EXPECT_EQ(b.GradientMode(), butt::GradientNone);
    EXPECT_FALSE(b.ResetDefaultColors());
    EXPECT_EQ(b.HoverColorLocks(), butt::LockNone);
    EXPECT_EQ(b.HoverForeColor(), 0x002394F5);
    EXPECT_EQ(b.HoverBackColor(), 0x00291E16);
    EXPECT_EQ(b.hWnd(), Hwnd(name));
    b.Refresh();  // draws through the DC its site holds now
    EXPECT_EQ(b.hdc(), Site(name).Hdc());
    // 945 x 390 twips: 63 x 26 pixels.
    EXPECT_EQ(Site(name).ScaleWidth(), 63);
    EXPECT_EQ(Site(name).ScaleHeight(), 26);
    EXPECT_FALSE(b.State().drawingDelayed);
    EXPECT_EQ(b.State().containerBackColor, 0x004D483F);
    EXPECT_EQ(Site(name).Tag(), std::to_string(static_cast<unsigned long long>(
                                    reinterpret_cast<UINT_PTR>(Form().GetContainer("Picture3").Hwnd()))));
  }
}

TEST_F(ButtBehaviourFormText, SavingTheLoadedButtonsKeepsTheirStoredValues) {
  const host::FormDesc stored = host::ParseFormText(kVornFormText);
  Open(stored);
  const host::FormDesc saved = Form().Save();
  ASSERT_EQ(saved.controls.size(), 3u);
  for (const host::ControlDesc& c : saved.controls) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(c.properties.has_value());
    const host::PropertyBag& bag = *c.properties;
    EXPECT_EQ(bag.ReadInt32("BackStyle", -1), 7);
    EXPECT_EQ(bag.ReadColor("cFore", 0), 0x00FFFFFFu);
    EXPECT_EQ(bag.ReadColor("cFHover", 0), 0x002394F5u);
    EXPECT_EQ(bag.ReadColor("cBack", 0), 0x00291E16u);
    EXPECT_EQ(bag.ReadColor("cGradient", 1), 0u);
    EXPECT_EQ(bag.ReadInt32("LockHover", -1), 3);
    EXPECT_FALSE(bag.ReadBool("Focus", true));
    EXPECT_FALSE(bag.Contains("cBhover"));  // equal to the back colour
    EXPECT_FALSE(bag.Contains("CapAlign"));
    EXPECT_EQ(bag.ReadFont("Font")->name, "Tahoma");
    EXPECT_EQ(c.extentX, 1667);
    EXPECT_EQ(c.extentY, 688);
  }
  // And the saved text loads back to the same values.
  form_.reset();
  Open(host::ParseFormText(host::WriteFormText(saved)));
  EXPECT_EQ(B("Butt2").Caption(), "CANCEL");
  EXPECT_EQ(B("Butt2").HoverForeColor(), 0x002394F5);
  EXPECT_EQ(B("Butt2").HoverColorLocks(), butt::LockNone);
}

}  // namespace
