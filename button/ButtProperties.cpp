// The property setters of Butt: range checks, the rules that chain one
// property to another (hover-colour locks, shapes that need a picture), the
// recomputations each change needs, and the change notification that marks
// the stored form out of date. Storage keys are the persisted ones.
#include <algorithm>

#include "button/Butt.h"
#include "button/ButtAccessKey.h"
#include "button/ButtCore.h"
#include "button/ButtLooks.h"
#include "button/ButtMessages.h"
#include "host/ControlSite.h"
#include "host/Error.h"

namespace {

bool InRange(int32_t value, int32_t low, int32_t high) { return value >= low && value <= high; }

bool LocksBack(int32_t locks) { return locks == butt::LockBoth || locks == butt::LockBackOnly; }
bool LocksFore(int32_t locks) { return locks == butt::LockBoth || locks == butt::LockForeOnly; }

// The colour a locked HoverBackColor follows: the gradient's end colour
// while a gradient is drawn, else the back colour.
ButtColor FollowedBackColor(const ButtState& s) {
  return s.GradientMode != butt::GradientNone ? s.GradientColor : s.BackColor;
}

int16_t Bool16(bool value) { return value ? kTrue : kFalse; }

}  // namespace

void Butt::ButtonStyle(int32_t Style) {
  if (!InRange(Style, 0, butt::kStyleCount - 1)) return;
  const int32_t old = s_.ButtonStyle;
  s_.ButtonStyle = Style;
  // Hot-track faces show the container around the shape, and the corner
  // trims of the plain shapes depend on the style.
  if (((old == butt::StyleHotTrack || Style == butt::StyleHotTrack) && s_.ButtonShape < 7) || s_.ButtonShape < 4)
    BuildShape(s_);
  LayoutButton(s_, false);
  UpdateDerived(s_, "BackColor");
  Redraw();
  Notify(ButtKey::BackStyle);
}

void Butt::Mode(int32_t nMode) {
  if (!InRange(nMode, 0, 2)) return;
  const int32_t old = s_.Mode;
  if (old == butt::ModeOptionButton && nMode < butt::ModeOptionButton) OptionToggle(-1);
  if (nMode == butt::ModeOptionButton && old < butt::ModeOptionButton) OptionToggle(1);
  if (nMode == butt::ModeCommand && old > butt::ModeCommand) Value(false);
  s_.Mode = nMode;
  Redraw();
  Notify(ButtKey::Mode);
}

void Butt::Caption(const std::string& sCaption) {
  if (auto key = AccessKeyOfCaption(sCaption); key && site_) site_->SetAccessKeys(*key);
  s_.Caption = sCaption;
  LayoutButton(s_, false);
  Redraw();
  Notify(ButtKey::Caption);
}

void Butt::CaptionAlign(int32_t nAlign) {
  if (!InRange(nAlign, 0, 2)) return;
  const bool noPicture = s_.pictureWidth + s_.pictureHeight < 1;
  if (nAlign == butt::CaptionCenter || s_.PictureAlign < butt::PicAlignTopCenter || noPicture) {
    s_.CaptionAlign = nAlign;
    LayoutButton(s_, false);
    Redraw();
    Notify(ButtKey::CapAlign);
  } else {
    Message(kMsgCaptionAlignCentered);
  }
}

void Butt::CaptionStyle(int32_t nStyle) {
  if (!InRange(nStyle, 0, 2)) return;
  s_.CaptionStyle = nStyle;
  Notify(ButtKey::CapStyle);
  if (!s_.Caption.empty()) {
    LayoutButton(s_, false);
    Redraw();
  }
}

void Butt::CustomClick(int32_t nOpt) {
  if (!InRange(nOpt, 0, 8)) return;
  if (s_.ButtonShape < 7 && nOpt > 0) Message(kMsgCustomClickNeedsShape);
  s_.CustomClick = nOpt;
  Notify(ButtKey::CustomClick);
}

void Butt::ButtonShape(int32_t nShape) {
  if (!InRange(nShape, 0, butt::kShapeCount - 1)) return;
  if (nShape == 7 || nShape == 8) {
    if (!picture_ || s_.pictureIsIcon == 1) {
      Message(kMsgShapeNeedsBitmap);
      return;
    }
    if (PictureSize() != butt::SizeFit) {
      // The custom shapes fit the picture into the face; PictureSize sees
      // the old shape still and accepts the change.
      DelayDrawing(true);
      PictureSize(butt::SizeFit);
      s_.drawingDelayed = false;
    }
  }
  s_.ButtonShape = nShape;
  s_.CaptionAlign = butt::CaptionCenter;
  RunResize();
  DelayDrawing(false);
  Notify(ButtKey::Shape);
}

void Butt::Picture(const host::Picture& xPic) {
  picture_ = xPic;
  s_.pictureHandle = picture_ ? picture_.Handle() : nullptr;
  s_.pictureType = static_cast<int16_t>(picture_.Type());
  if (s_.pictureSizePx == 0) s_.pictureSizePx = 16;
  UpdateDerived(s_, "Picture");
  if (s_.ButtonShape < 7) {
    LayoutButton(s_, true);
    Redraw();
  } else {
    if (!picture_) ButtonShape(0);
    if (s_.pictureIsIcon == 1) {
      ButtonShape(0);
      Message(kMsgIconNotForShapes);
    }
    RunResize();
  }
  Notify(ButtKey::Image);
}

void Butt::PictureAlign(int32_t ImgAlign) {
  if (!InRange(ImgAlign, 0, 5)) return;
  s_.PictureAlign = ImgAlign;
  if (ImgAlign == butt::PicAlignTopCenter || ImgAlign == butt::PicAlignBottomCenter) CaptionAlign(butt::CaptionCenter);
  LayoutButton(s_, false);
  Redraw();
  Notify(ButtKey::ImgAlign);
}

bool Butt::Enabled() const { return site_ ? site_->Enabled() : s_.hostEnabled != 0; }

void Butt::Enabled(bool bEnabled) {
  if (bEnabled == Enabled()) return;
  if (site_) site_->SetEnabled(bEnabled);
  s_.hostEnabled = Bool16(bEnabled);
  // The etched command button trims its corners only while enabled.
  if (s_.ButtonStyle == butt::StyleEtched && s_.Mode == butt::ModeCommand && s_.ButtonShape <= 3) {
    DelayDrawing(true);
    BuildShape(s_);
    LayoutButton(s_, false);
    DelayDrawing(false);
  } else {
    Redraw();
  }
  Notify(ButtKey::Enabled);
}

void Butt::ShowFocusRect(bool bShow) {
  s_.ShowFocusRect = Bool16(bShow);
  if (s_.Has(StateFocusShown)) {
    if (EditMode()) {
      Message(kMsgFocusRectDesignOnly);
    } else {
      s_.Clear(StateFocusShown);
      Redraw();
    }
  } else {
    Redraw();
  }
  Notify(ButtKey::Focus);
}

void Butt::Value(bool bValue) {
  if (bValue && s_.Mode == butt::ModeCommand) {
    Message(kMsgValueNotForCommand);
    return;
  }
  s_.Value = Bool16(bValue);
  if (bValue && s_.Mode == butt::ModeOptionButton) OptionToggle(0);
  Redraw();
  Notify(ButtKey::Value);
}

int32_t Butt::PictureSize() {
  if (s_.pictureSizePx == 0) s_.pictureSizePx = 16;
  // 16, 24, 32, 40, 48 are the entries 1..5 of the list 0..4. Other stored
  // numbers (only from foreign stored data) read as the nearest entry.
  const int32_t entry = std::clamp(s_.pictureSizePx / 8 - 1, 1, 5);
  return entry - 1;
}

void Butt::PictureSize(int32_t nSize) {
  if (!InRange(nSize, 0, 4)) return;
  if (s_.ButtonShape >= 7) {
    Message(kMsgPictureSizeFixedForShapes);
    return;
  }
  s_.pictureSizePx = (nSize + 2) * 8;
  LayoutButton(s_, true);
  Redraw();
  Notify(ButtKey::ImgSize);
}

int16_t Butt::MousePointer() const { return site_ ? site_->MousePointer() : 0; }

void Butt::MousePointer(int16_t nPointer) {
  if (site_) site_->SetMousePointer(nPointer);
  Notify(ButtKey::mPointer);
}

host::Picture Butt::MouseIcon() const { return site_ ? site_->MouseIcon() : host::Picture(); }

void Butt::MouseIcon(const host::Picture& nIcon) {
  const bool hadIcon = static_cast<bool>(MouseIcon());
  if (site_) {
    try {
      site_->SetMouseIcon(nIcon);
    } catch (const host::Error& e) {
      Message(e.Description(), kTitleMouseIconRefused);
      return;
    }
  }
  if (nIcon) MousePointer(host::kPointerCustom);
  // Clearing a set icon changes a stored value as well.
  if (nIcon || hadIcon) Notify(ButtKey::mIcon);
}

host::FontDesc Butt::Font() const { return site_ ? site_->Font() : s_.hostFont; }

void Butt::Font(const host::FontDesc& nFont) {
  if (site_) site_->SetFont(nFont);  // an unusable font throws and changes nothing
  s_.hostFont = site_ ? site_->Font() : nFont;
  UpdateDerived(s_, "Font");
  LayoutButton(s_, false);
  Redraw();
  Notify(ButtKey::Font);
}

int32_t Butt::FontStyle() const {
  const host::FontDesc font = Font();
  return (font.bold ? butt::FontBold : 0) + (font.italic ? butt::FontItalic : 0) +
         (font.underline ? butt::FontUnderline : 0);
}

void Butt::FontStyle(int32_t nStyle) {
  host::FontDesc font = Font();
  font.bold = (nStyle & butt::FontBold) != 0;
  font.italic = (nStyle & butt::FontItalic) != 0;
  font.underline = (nStyle & butt::FontUnderline) != 0;
  font.weight = font.bold ? std::max<int16_t>(font.weight, 700) : std::min<int16_t>(font.weight, 400);
  if (site_) site_->SetFont(font);
  s_.hostFont = site_ ? site_->Font() : font;
  UpdateDerived(s_, "Font");
  LayoutButton(s_, false);
  Notify(ButtKey::Font);
  Redraw();
}

ButtColor Butt::ForeColor() const { return site_ ? static_cast<ButtColor>(site_->ForeColor()) : s_.hostForeColor; }

void Butt::ForeColor(ButtColor nColor) {
  if (nColor == ForeColor()) return;
  if (site_) site_->SetForeColor(static_cast<host::OleColor>(nColor));
  s_.hostForeColor = nColor;
  if (LocksFore(s_.HoverColorLocks)) HoverForeColor(nColor);
  s_.drawingDelayed = false;
  Redraw();
  Notify(ButtKey::cFore);
}

void Butt::BackColor(ButtColor nColor) {
  s_.BackColor = nColor;
  if (LocksBack(s_.HoverColorLocks)) HoverBackColor(FollowedBackColor(s_));
  UpdateDerived(s_, "BackColor");
  Redraw();
  Notify(ButtKey::cBack);
}

void Butt::GradientColor(ButtColor nColor) {
  if (LocksBack(s_.HoverColorLocks) && s_.GradientMode > butt::GradientNone) s_.HoverBackColor = nColor;
  s_.GradientColor = nColor;
  UpdateDerived(s_, "BackColor");
  if (s_.GradientMode != butt::GradientNone) Redraw();
  Notify(ButtKey::cGradient);
}

void Butt::GradientMode(int32_t nMode) {
  if (!InRange(nMode, 0, 4)) return;
  s_.GradientMode = nMode;
  if (LocksBack(s_.HoverColorLocks)) {
    s_.HoverBackColor = FollowedBackColor(s_);
    UpdateDerived(s_, "BackColor");
  }
  Redraw();
  Notify(ButtKey::Gradient);
}

void Butt::ResetDefaultColors(bool nDefault) {
  if (!nDefault || !EditMode()) return;
  DelayDrawing(true);
  s_.BackColor = kColorButtonFace;
  ForeColor(kColorButtonText);
  GradientColor(kColorButtonFace);
  GradientMode(butt::GradientNone);
  HoverColorLocks(butt::LockBoth);
  UpdateDerived(s_, "BackColor");
  DelayDrawing(false);
  Notify(ButtKey::cGradient);
  Notify(ButtKey::cBack);
}

void Butt::HoverColorLocks(int32_t nLock) {
  s_.HoverColorLocks = nLock;
  if (LocksBack(nLock)) {
    s_.HoverBackColor = FollowedBackColor(s_);
    Notify(ButtKey::cBHover);
  }
  if (LocksFore(nLock)) {
    s_.HoverForeColor = ForeColor();
    Notify(ButtKey::cFHover);
  }
  UpdateDerived(s_, "BackColor");
  Notify(ButtKey::LockHover);
}

void Butt::HoverForeColor(ButtColor nColor) {
  if (nColor == s_.HoverForeColor) return;
  s_.HoverForeColor = nColor;
  Notify(ButtKey::cFHover);
  if (nColor != ForeColor()) {
    if (s_.HoverColorLocks == butt::LockBoth)
      s_.HoverColorLocks = butt::LockBackOnly;
    else if (s_.HoverColorLocks == butt::LockForeOnly)
      s_.HoverColorLocks = butt::LockNone;
  }
  Notify(ButtKey::cFHover);
}

void Butt::HoverBackColor(ButtColor nColor) {
  if (nColor == s_.HoverBackColor) return;
  s_.HoverBackColor = nColor;
  // Compared with the colour a lock follows (the gradient's end colour
  // while a gradient is drawn), not with BackColor: a hover colour apart
  // from the followed one must unlock, or the lock would hold a colour that
  // no longer follows and the next GradientColor change would overwrite it.
  if (nColor != FollowedBackColor(s_)) {
    if (s_.HoverColorLocks == butt::LockBoth)
      s_.HoverColorLocks = butt::LockForeOnly;
    else if (s_.HoverColorLocks == butt::LockBackOnly)
      s_.HoverColorLocks = butt::LockNone;
  }
  UpdateDerived(s_, "BackColor");
  Notify(ButtKey::cBHover);
}
