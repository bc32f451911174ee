// Containers (picture-box-like child windows) and the windowless labels and
// images they draw.
#include <windows.h>
#include <windowsx.h>

#include "host/Error.h"
#include "host/Form.h"
#include "host/FormInternal.h"
#include "host/MouseInput.h"
#include "host/WindowClasses.h"

namespace host {

void DrawPictureAt(HDC dc, const Picture& picture, int x, int y) {
  if (!picture) return;
  if (picture.Type() == PictureType::Bitmap) {
    gdi::MemoryDC mem(dc);
    gdi::SelectGuard sel(mem.get(), picture.Bitmap());
    BitBlt(dc, x, y, picture.WidthPixels(), picture.HeightPixels(), mem.get(), 0, 0, SRCCOPY);
  } else if (picture.Type() == PictureType::Icon) {
    DrawIconEx(dc, x, y, picture.Icon(), picture.WidthPixels(), picture.HeightPixels(), 0, nullptr, DI_NORMAL);
  }
}

void DrawPictureStretched(HDC dc, const Picture& picture, const RECT& r) {
  if (!picture) return;
  int w = r.right - r.left, h = r.bottom - r.top;
  if (picture.Type() == PictureType::Bitmap) {
    gdi::MemoryDC mem(dc);
    gdi::SelectGuard sel(mem.get(), picture.Bitmap());
    int old = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, r.left, r.top, w, h, mem.get(), 0, 0, picture.WidthPixels(), picture.HeightPixels(), SRCCOPY);
    SetStretchBltMode(dc, old);
  } else if (picture.Type() == PictureType::Icon) {
    DrawIconEx(dc, r.left, r.top, picture.Icon(), w, h, 0, nullptr, DI_NORMAL);
  }
}

// ---------------------------------------------------------------- creation

Container& Form::CreateContainer(const ContainerDesc& desc) {
  CheckNewName(desc.name);
  Container* parent = ContainerFor(desc.container);
  if (desc.font) CreateGdiFont(*desc.font);  // refuses an unusable font
  std::unique_ptr<Container> owned(new Container());
  Container& c = *owned;
  c.form_ = this;
  c.parent_ = parent;
  c.desc_ = desc;
  c.order_ = ++order_;
  c.backBrush_ = gdi::Brush(CreateSolidBrush(ResolveColor(desc.backColor)));
  RECT r = TwipsRect(desc.left, desc.top, desc.width, desc.height);
  DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (desc.visible ? WS_VISIBLE : 0);
  if (desc.borderStyle == 1) style |= WS_BORDER;
  containers_.push_back(std::move(owned));
  HWND hwnd = CreateWindowExA(0, kContainerClass, "", style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                              ParentHwnd(parent), nullptr, HostInstance(), &c);
  if (!hwnd) {
    containers_.pop_back();
    throw Error(errors::kWindowCreation, "The window of container \"" + desc.name + "\" cannot be created");
  }
  names_.insert(LowerName(desc.name));
  if (!desc.toolTip.empty()) AddToolTip(hwnd, nullptr, reinterpret_cast<UINT_PTR>(hwnd), desc.toolTip);
  return c;
}

Label& Form::CreateLabel(const LabelDesc& desc) {
  CheckNewName(desc.name);
  Container* container = ContainerFor(desc.container);
  if (!container) throw Error(errors::kNoSuchObject, "Label \"" + desc.name + "\" needs a container");
  if (desc.font) CreateGdiFont(*desc.font);
  auto owned = std::make_unique<Label>();
  Label& l = *owned;
  l.form_ = this;
  l.container_ = container;
  l.desc_ = desc;
  l.order_ = ++order_;
  l.rect_ = TwipsRect(desc.left, desc.top, desc.width, desc.height);
  labels_.push_back(std::move(owned));
  names_.insert(LowerName(desc.name));
  if (!desc.toolTip.empty()) AddToolTip(container->Hwnd(), &l.rect_, reinterpret_cast<UINT_PTR>(&l), desc.toolTip);
  l.Invalidate();
  return l;
}

Image& Form::CreateImage(const ImageDesc& desc) {
  CheckNewName(desc.name);
  Container* container = ContainerFor(desc.container);
  if (!container) throw Error(errors::kNoSuchObject, "Image \"" + desc.name + "\" needs a container");
  auto owned = std::make_unique<Image>();
  Image& m = *owned;
  m.form_ = this;
  m.container_ = container;
  m.desc_ = desc;
  m.rect_ = TwipsRect(desc.left, desc.top, desc.width, desc.height);
  images_.push_back(std::move(owned));
  names_.insert(LowerName(desc.name));
  if (!desc.toolTip.empty()) AddToolTip(container->Hwnd(), &m.rect_, reinterpret_cast<UINT_PTR>(&m), desc.toolTip);
  m.Invalidate();
  return m;
}

// --------------------------------------------------------------- container

Container::~Container() = default;

FontDesc Container::Font() const { return desc_.font ? *desc_.font : form_->Font(); }

void Container::SetBackColor(OleColor color) {
  desc_.backColor = color;
  backBrush_ = gdi::Brush(CreateSolidBrush(ResolveColor(color)));
  if (Hwnd()) InvalidateRect(Hwnd(), nullptr, TRUE);
  form_->NotifyAmbient(*this, "BackColor");
}

void Container::SetForeColor(OleColor color) {
  desc_.foreColor = color;
  form_->NotifyAmbient(*this, "ForeColor");
}

void Container::SetFont(const FontDesc& font) {
  CreateGdiFont(font);
  desc_.font = Normalized(font);
  if (Hwnd()) InvalidateRect(Hwnd(), nullptr, TRUE);
  form_->NotifyAmbient(*this, "Font");
}

void Container::SetPicture(const Picture& picture) {
  desc_.picture = picture;
  if (Hwnd()) InvalidateRect(Hwnd(), nullptr, TRUE);
}

void Container::SetVisible(bool visible) {
  desc_.visible = visible;
  if (Hwnd()) ShowWindow(Hwnd(), visible ? SW_SHOWNA : SW_HIDE);
}

void Container::Move(int left, int top, int width, int height) {
  if (Hwnd()) MoveWindow(Hwnd(), left, top, width, height, TRUE);
}

LRESULT CALLBACK Container::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return OwnedWindowProc<Container>(
      hwnd, msg, wp, lp, [](Container* c, HWND h) { c->hwnd_.reset(h); }, [](Container* c) { return c->form_; },
      [](Container* c, UINT m, WPARAM w, LPARAM l) { return c->Handle(m, w, l); });
}

void Container::Paint(HDC dc) {
  DrawPictureAt(dc, desc_.picture, 0, 0);
  for (auto& m : form_->images_) {
    if (m->container_ != this || !m->desc_.visible) continue;
    if (m->desc_.stretch)
      DrawPictureStretched(dc, m->desc_.picture, m->rect_);
    else
      DrawPictureAt(dc, m->desc_.picture, m->rect_.left, m->rect_.top);
  }
  for (auto& l : form_->labels_) {
    if (l->container_ != this || !l->desc_.visible) continue;
    const LabelDesc& d = l->desc_;
    RECT r = l->rect_;
    gdi::SavedDC saved(dc);
    if (!d.transparent) {
      gdi::Brush back(CreateSolidBrush(ResolveColor(d.backColor)));
      FillRect(dc, &r, back.get());
    }
    gdi::Font font = CreateGdiFont(d.font ? *d.font : Font(), form_->Dpi());
    gdi::SelectGuard sel(dc, font.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ResolveColor(d.foreColor));
    UINT align = d.alignment == 1 ? DT_RIGHT : d.alignment == 2 ? DT_CENTER : DT_LEFT;
    DrawTextA(dc, d.caption.c_str(), static_cast<int>(d.caption.size()), &r, align | DT_WORDBREAK);
  }
}

std::string Container::HitTest(POINT pt) const {
  for (auto it = form_->labels_.rbegin(); it != form_->labels_.rend(); ++it)
    if ((*it)->container_ == this && (*it)->desc_.visible && PtInRect(&(*it)->rect_, pt)) return (*it)->Name();
  for (auto it = form_->images_.rbegin(); it != form_->images_.rend(); ++it)
    if ((*it)->container_ == this && (*it)->desc_.visible && PtInRect(&(*it)->rect_, pt)) return (*it)->Name();
  return Name();
}

RECT Container::TargetRect(const std::string& name) const {
  for (auto& l : form_->labels_)
    if (l->container_ == this && l->Name() == name) return l->rect_;
  for (auto& m : form_->images_)
    if (m->container_ == this && m->Name() == name) return m->rect_;
  RECT r{};
  GetClientRect(Hwnd(), &r);
  return r;
}

LRESULT Container::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  HWND hwnd = Hwnd();
  LRESULT childResult = 0;
  if (form_->HandleChildMessage(msg, wp, lp, backBrush_.get(), desc_.backColor, childResult)) return childResult;
  bool input = form_->UserMode();
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(hwnd, &r);
      FillRect(reinterpret_cast<HDC>(wp), &r, backBrush_.get());
      return 1;
    }
    case WM_PAINT: {
      gdi::PaintDC dc(hwnd);
      Paint(dc.get());
      return 0;
    }
    case WM_SETFOCUS: form_->FocusChanged(hwnd); return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
      if (!input) break;
      POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      ClickTracker::Down down = clicks_.OnDown(msg);
      if (down.firstPress) mouseTarget_ = HitTest(pt);
      if (GetCapture() != hwnd) SetCapture(hwnd);
      std::string target = mouseTarget_;
      if (down.doubleClick) {
        EventArgs none;
        form_->RaiseEvent(target, "DblClick", none);
      } else {
        form_->RaiseMouse(target, "MouseDown", down.button, ShiftState(), static_cast<float>(pt.x),
                          static_cast<float>(pt.y));
      }
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      if (!input) break;
      ClickTracker::Up up = clicks_.OnUp(msg);
      POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      std::string target = mouseTarget_.empty() ? HitTest(pt) : mouseTarget_;
      if (up.lastRelease) {
        mouseTarget_.clear();
        if (GetCapture() == hwnd) ReleaseCapture();
      }
      form_->RaiseMouse(target, "MouseUp", up.button, ShiftState(), static_cast<float>(pt.x), static_cast<float>(pt.y));
      if (up.click) {
        RECT r = TargetRect(target);
        if (PtInRect(&r, pt)) {
          EventArgs none;
          form_->RaiseEvent(target, "Click", none);
        }
      }
      return 0;
    }
    case WM_MOUSEMOVE: {
      if (!input) break;
      POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      std::string target = clicks_.Pressed() && !mouseTarget_.empty() ? mouseTarget_ : HitTest(pt);
      form_->RaiseMouse(target, "MouseMove", ButtonsFromKeyState(wp), ShiftState(), static_cast<float>(pt.x),
                        static_cast<float>(pt.y));
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lp) != hwnd) {
        // A drag of the window (or another capture) ended the press.
        clicks_.Reset();
        mouseTarget_.clear();
      }
      break;
    default: break;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

// ------------------------------------------------------------ label, image

void Label::Invalidate() const {
  if (container_ && container_->Hwnd()) InvalidateRect(container_->Hwnd(), &rect_, TRUE);
}

void Label::SetCaption(std::string caption) {
  desc_.caption = std::move(caption);
  Invalidate();
}

void Label::SetForeColor(OleColor color) {
  desc_.foreColor = color;
  Invalidate();
}

void Label::SetVisible(bool visible) {
  desc_.visible = visible;
  Invalidate();
}

void Image::Invalidate() const {
  if (container_ && container_->Hwnd()) InvalidateRect(container_->Hwnd(), &rect_, TRUE);
}

void Image::SetPicture(const Picture& picture) {
  desc_.picture = picture;
  Invalidate();
}

void Image::SetVisible(bool visible) {
  desc_.visible = visible;
  Invalidate();
}

}  // namespace host
