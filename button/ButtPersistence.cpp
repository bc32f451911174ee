// What a Butt stores in its form and reads back: the defaults of a new
// instance, the keys with their kinds and defaults, and the order of
// loading (values stored directly, then the derived state, then one draw).
#include <string>

#include "button/Butt.h"
#include "button/ButtCore.h"
#include "button/ButtLooks.h"
#include "button/TranslateColor.h"
#include "host/ControlSite.h"

namespace {

host::OleColor Ole(ButtColor color) { return static_cast<host::OleColor>(color); }
ButtColor Color(host::OleColor color) { return static_cast<ButtColor>(color); }

// The container's handle as decimal text, kept in the control's Tag.
std::string HandleText(HWND hwnd) {
  return std::to_string(static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hwnd)));
}

}  // namespace

void Butt::InitProperties() {
  if (!site_) return;
  SyncHostMirrors();
  site_->SetTag(HandleText(site_->ContainerHwnd()));
  s_.Caption = site_->DisplayName();
  s_.CaptionAlign = CaptionCenter;
  s_.ShowFocusRect = kTrue;
  s_.HoverForeColor = kColorButtonText;
  s_.HoverBackColor = kColorButtonFace;
  const host::ParentFormInfo parent = site_->ParentForm();
  if (!parent.isMdiForm) site_->SetFont(parent.font);
  s_.hostFont = site_->Font();
  s_.containerBackColor = TranslateColor(Color(site_->AmbientBackColor()));
  s_.BackColor = kColorButtonFace;
  UpdateDerived(s_, "BackColor");
  for (const char* key : {"Caption", "CapAlign", "Focus", "cFHover", "cBHover", "Font"}) Notify(key);
}

void Butt::ReadProperties(host::PropertyBag& bag) {
  if (!site_) return;
  SyncHostMirrors();
  site_->SetTag(HandleText(site_->ContainerHwnd()));
  s_.containerBackColor = TranslateColor(Color(site_->AmbientBackColor()));
  DelayDrawing(true);

  // Stored values go in as they are, without the setters' checks. A value
  // of the wrong kind throws here and ends loading with the host's error;
  // drawing then stays delayed until the next paint.
  s_.Caption = bag.ReadText("Caption", "");
  s_.CaptionAlign = bag.ReadInt32("CapAlign", CaptionCenter);
  s_.ButtonStyle = bag.ReadInt32("BackStyle", StyleSoft3D);
  s_.ButtonShape = bag.ReadInt32("Shape", 0);
  s_.GradientMode = bag.ReadInt32("Gradient", GradientNone);
  s_.GradientColor = Color(bag.ReadColor("cGradient", Ole(kColorButtonFace)));
  site_->SetForeColor(bag.ReadColor("cFore", Ole(kColorButtonText)));
  if (std::optional<host::FontDesc> font = bag.ReadFont("Font")) site_->SetFont(*font);
  s_.ShowFocusRect = bag.ReadBool("Focus", true) ? kTrue : kFalse;
  s_.Mode = bag.ReadInt32("Mode", ModeCommand);
  s_.Value = bag.ReadBool("Value", false) ? kTrue : kFalse;
  s_.CustomClick = bag.ReadInt32("CustomClick", ClickStandard);
  picture_ = bag.ReadPicture("Image");
  s_.pictureHandle = picture_ ? picture_.Handle() : nullptr;
  s_.pictureType = static_cast<int16_t>(picture_.Type());
  s_.pictureSizePx = bag.ReadInt16("ImgSize", 16);
  s_.PictureAlign = bag.ReadInt32("ImgAlign", PicAlignLeftEdge);
  s_.HoverForeColor = Color(bag.ReadColor("cFHover", Ole(kColorButtonText)));
  site_->SetEnabled(bag.ReadBool("Enabled", true));
  s_.BackColor = Color(bag.ReadColor("cBack", site_->ParentForm().backColor));
  s_.HoverBackColor = Color(bag.ReadColor("cBHover", Ole(s_.BackColor)));
  s_.HoverColorLocks = bag.ReadInt32("LockHover", LockBoth);
  s_.CaptionStyle = bag.ReadInt32("CapStyle", CaptionFlat);
  // Through the setters: a stored pointer wins over the custom pointer a
  // stored icon selects.
  MouseIcon(bag.ReadPicture("mIcon"));
  MousePointer(bag.ReadInt16("mPointer", 0));
  SyncHostMirrors();

  // From here on a failing step is skipped and the next one runs.
  auto step = [](auto&& work) {
    try {
      work();
    } catch (const std::exception&) {
    }
  };
  step([&] { UpdateDerived(s_, "Picture"); });
  step([&] { UpdateDerived(s_, "BackColor"); });
  step([&] { Caption(s_.Caption); });
  step([&] {
    if (s_.Mode == ModeOptionButton) OptionToggle(1);
  });

  s_.drawingDelayed = false;
  RunResize();
}

void Butt::WriteProperties(host::PropertyBag& bag) {
  if (!site_) return;
  bag.WriteText("Caption", s_.Caption, "");
  bag.WriteInt32("CapAlign", s_.CaptionAlign, CaptionCenter);
  bag.WriteInt32("BackStyle", s_.ButtonStyle, StyleSoft3D);
  bag.WriteInt32("Shape", s_.ButtonShape, 0);
  bag.WriteFont("Font", site_->Font());
  bag.WriteColor("cFore", site_->ForeColor(), Ole(kColorButtonText));
  bag.WriteColor("cFHover", Ole(s_.HoverForeColor), Ole(kColorButtonText));
  bag.WriteColor("cBhover", Ole(s_.HoverBackColor), Ole(s_.BackColor));
  bag.WriteBool("Focus", s_.ShowFocusRect != 0, true);
  bag.WriteInt32("LockHover", s_.HoverColorLocks, LockBoth);
  bag.WriteColor("cGradient", Ole(s_.GradientColor), Ole(kColorButtonFace));
  bag.WriteInt32("Gradient", s_.GradientMode, GradientNone);
  bag.WriteInt32("CapStyle", s_.CaptionStyle, CaptionFlat);
  bag.Set("Mode", host::PropertyValue::Int32(s_.Mode));
  bag.Set("Value", host::PropertyValue::Bool(s_.Value != 0));
  bag.WriteInt32("CustomClick", s_.CustomClick, ClickStandard);
  bag.WriteInt32("ImgAlign", s_.PictureAlign, PicAlignLeftEdge);
  bag.WritePicture("Image", picture_);
  bag.WriteInt16("ImgSize", static_cast<int16_t>(s_.pictureSizePx), 16);
  bag.WriteBool("Enabled", site_->Enabled(), true);
  bag.Set("cBack", host::PropertyValue::Color(Ole(s_.BackColor)));
  bag.WriteInt16("mPointer", site_->MousePointer(), 0);
  bag.WritePicture("mIcon", site_->MouseIcon());
}
