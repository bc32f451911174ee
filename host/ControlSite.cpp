#include "host/ControlSite.h"

#include "host/Error.h"
#include "host/Form.h"
#include "host/MessageBox.h"
#include "host/Units.h"

namespace host {

HCURSOR SystemCursorFor(int16_t pointer) {
  LPCSTR id = nullptr;
  switch (pointer) {
    case kPointerArrow: id = IDC_ARROW; break;
    case kPointerCross: id = IDC_CROSS; break;
    case kPointerIBeam: id = IDC_IBEAM; break;
    case kPointerIcon: id = IDC_ICON; break;
    case kPointerSize: id = IDC_SIZEALL; break;
    case kPointerSizeNESW: id = IDC_SIZENESW; break;
    case kPointerSizeNS: id = IDC_SIZENS; break;
    case kPointerSizeNWSE: id = IDC_SIZENWSE; break;
    case kPointerSizeWE: id = IDC_SIZEWE; break;
    case kPointerUpArrow: id = IDC_UPARROW; break;
    case kPointerHourglass: id = IDC_WAIT; break;
    case kPointerNoDrop: id = IDC_NO; break;
    case kPointerArrowHourglass: id = IDC_APPSTARTING; break;
    case kPointerArrowQuestion: id = IDC_HELP; break;
    case kPointerSizeAll: id = IDC_SIZEALL; break;
    default: return nullptr;
  }
  // Shared system cursors: never destroyed.
  return LoadCursorA(nullptr, id);
}

ControlSite::~ControlSite() = default;

HDC ControlSite::Hdc() const {
  if (paintDc_) return paintDc_;
  if (!hdc_ && Hwnd()) {
    hdc_.emplace(Hwnd());
    if (!hdc_->get()) hdc_.reset();  // asked again next time
  }
  return hdc_ ? hdc_->get() : nullptr;
}

int ControlSite::ScaleWidth() const {
  RECT r{};
  GetClientRect(Hwnd(), &r);
  return r.right - r.left;
}

int ControlSite::ScaleHeight() const {
  RECT r{};
  GetClientRect(Hwnd(), &r);
  return r.bottom - r.top;
}

void ControlSite::Refresh() { GdiFlush(); }

void ControlSite::Repaint() {
  if (Hwnd()) RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void ControlSite::SetFont(const FontDesc& font) {
  CreateGdiFont(font);  // throws when the font cannot be made
  font_ = Normalized(font);
}

bool ControlSite::Enabled() const { return Hwnd() && IsWindowEnabled(Hwnd()); }

void ControlSite::SetEnabled(bool enabled) {
  if (Hwnd()) EnableWindow(Hwnd(), enabled ? TRUE : FALSE);
}

void ControlSite::SetMousePointer(int16_t pointer) {
  mousePointer_ = pointer;
  // Takes effect at once when the cursor rests on the control.
  POINT pt{};
  if (Hwnd() && GetCursorPos(&pt) && WindowFromPoint(pt) == Hwnd())
    SendMessageA(Hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Hwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

void ControlSite::SetMouseIcon(const Picture& icon) {
  if (icon && icon.Type() != PictureType::Icon)
    throw Error(errors::kInvalidPropertyValue,
                "Invalid property value: a mouse icon must be an icon (.ico) or a cursor (.cur), not a bitmap");
  mouseIcon_ = icon;
}

bool ControlSite::Visible() const { return Hwnd() && (GetWindowLongA(Hwnd(), GWL_STYLE) & WS_VISIBLE) != 0; }

void ControlSite::SetVisible(bool visible) {
  if (!Hwnd() || visible == Visible()) return;
  ShowWindow(Hwnd(), visible ? SW_SHOWNA : SW_HIDE);
  if (!attached_) return;
  if (visible) {
    if (form_->Hwnd() && IsWindowVisible(form_->Hwnd())) {
      shown_ = true;
      control_->Show();
    }
  } else {
    shown_ = false;
    control_->Hide();
  }
}

HWND ControlSite::ContainerHwnd() const { return container_ ? container_->Hwnd() : form_->Hwnd(); }

ParentFormInfo ControlSite::ParentForm() const {
  return ParentFormInfo{form_->Font(), form_->BackColor(), form_->IsMdiForm()};
}

int32_t ControlSite::ExtentX() const {
  int w = ScaleWidth();
  return w == extentPixelsX_ ? extentX_ : PixelsToHimetric(w, Dpi());
}

int32_t ControlSite::ExtentY() const {
  int h = ScaleHeight();
  return h == extentPixelsY_ ? extentY_ : PixelsToHimetric(h, Dpi());
}

int ControlSite::Dpi() const { return form_->Dpi(); }

void ControlSite::Move(int left, int top, int width, int height) {
  if (Hwnd()) MoveWindow(Hwnd(), left, top, width, height, TRUE);
}

bool ControlSite::UserMode() const { return form_->UserMode(); }

OleColor ControlSite::AmbientBackColor() const { return container_ ? container_->BackColor() : form_->BackColor(); }

OleColor ControlSite::AmbientForeColor() const {
  return container_ ? container_->ForeColor() : form_->desc_.form.foreColor;
}

FontDesc ControlSite::AmbientFont() const { return container_ ? container_->Font() : form_->Font(); }

bool ControlSite::DisplayAsDefault() const { return form_->CurrentDefault() == this; }

void ControlSite::PropertyChanged(std::string_view key) {
  changedKeys_.emplace_back(key);
  form_->dirty_ = true;
}

void ControlSite::RaiseEvent(std::string_view event, EventArgs& args) { form_->RaiseEvent(name_, event, args); }

int ControlSite::ShowMessage(std::string_view text, UINT style, std::string_view title) {
  HWND owner = form_->Hwnd();
  return ShowMessageBox(owner, text, title, style);
}

}  // namespace host
