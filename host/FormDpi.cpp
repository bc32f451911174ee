// The form's layout at a DPI: twips to pixels, the window's size for its
// client area, and laying everything out again when the window's DPI
// changes.
#include <windows.h>
#include <commctrl.h>

#include <utility>
#include <vector>

#include "host/Dpi.h"
#include "host/Form.h"
#include "host/FormInternal.h"
#include "host/Units.h"

namespace host {

int32_t KeepTwips(int32_t stored, int pixels, int dpi) {
  return TwipsToPixels(stored, dpi) == pixels ? stored : PixelsToTwips(pixels, dpi);
}

RECT RectInParent(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

RECT Form::TwipsRect(int32_t left, int32_t top, int32_t width, int32_t height) const {
  const int l = TwipsToPixels(left, dpi_), t = TwipsToPixels(top, dpi_);
  return RECT{l, t, l + TwipsToPixels(width, dpi_), t + TwipsToPixels(height, dpi_)};
}

DWORD Form::WindowStyle() const {
  switch (desc_.form.borderStyle) {
    case 0: return WS_CLIPCHILDREN | WS_POPUP;
    case 1: return WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    case 3: return WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU;
    default: return WS_CLIPCHILDREN | WS_OVERLAPPEDWINDOW;
  }
}

DWORD Form::WindowExStyle() const { return desc_.form.borderStyle == 3 ? WS_EX_DLGMODALFRAME : 0; }

SIZE Form::WindowSizeAt(int dpi) const {
  RECT r{0, 0, TwipsToPixels(desc_.form.clientWidth, dpi), TwipsToPixels(desc_.form.clientHeight, dpi)};
  AdjustWindowRectForDpi(r, WindowStyle(), WindowExStyle(), dpi);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

POINT Form::SiteTwips(const ControlSite& s) const {
  const RECT r = RectInParent(s.Hwnd());
  return POINT{KeepTwips(s.left_, r.left, dpi_), KeepTwips(s.top_, r.top, dpi_)};
}

void Form::ScaleToDpi(int dpi, const RECT* suggested) {
  if (!IsLoaded() || dpi <= 0) return;
  // Where every control is now, in the units that outlive the change:
  // twips for its place, HIMETRIC for its extent.
  struct SitePlace {
    ControlSite* site;
    POINT twips;
    int32_t extentX, extentY;
  };
  std::vector<SitePlace> places;
  for (auto& s : sites_) places.push_back({s.get(), SiteTwips(*s), s->ExtentX(), s->ExtentY()});
  // Containers by their stored twips while these still give their pixels
  // (as Save() does), so a container the program moved stays where it is.
  std::vector<std::pair<Container*, RECT>> boxes;
  for (auto& c : containers_) {
    const ContainerDesc& d = c->desc_;
    const RECT r = RectInParent(c->Hwnd());
    const int32_t left = KeepTwips(d.left, r.left, dpi_), top = KeepTwips(d.top, r.top, dpi_);
    boxes.push_back({c.get(), RECT{left, top, left + KeepTwips(d.width, r.right - r.left, dpi_),
                                   top + KeepTwips(d.height, r.bottom - r.top, dpi_)}});
  }

  dpi_ = dpi;
  RECT window{};
  GetWindowRect(Hwnd(), &window);
  const POINT at = suggested ? POINT{suggested->left, suggested->top} : POINT{window.left, window.top};
  const SIZE size = WindowSizeAt(dpi);
  SetWindowPos(Hwnd(), nullptr, at.x, at.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);

  for (const auto& [c, t] : boxes) {
    const RECT r = TwipsRect(t.left, t.top, t.right - t.left, t.bottom - t.top);
    SetWindowPos(c->Hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  auto newToolRect = [&](HWND owner, UINT_PTR id, const RECT& r) {
    if (!toolTip_) return;
    TOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    ti.hwnd = owner;
    ti.uId = id;
    ti.rect = r;
    SendMessageA(toolTip_.get(), TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&ti));
  };
  for (auto& l : labels_) {
    l->rect_ = TwipsRect(l->desc_.left, l->desc_.top, l->desc_.width, l->desc_.height);
    newToolRect(l->container_->Hwnd(), reinterpret_cast<UINT_PTR>(l.get()), l->rect_);
  }
  for (auto& m : images_) {
    m->rect_ = TwipsRect(m->desc_.left, m->desc_.top, m->desc_.width, m->desc_.height);
    newToolRect(m->container_->Hwnd(), reinterpret_cast<UINT_PTR>(m.get()), m->rect_);
  }
  for (const SitePlace& p : places) {
    ControlSite& s = *p.site;
    s.extentX_ = p.extentX;
    s.extentY_ = p.extentY;
    s.extentPixelsX_ = HimetricToPixels(p.extentX, dpi);
    s.extentPixelsY_ = HimetricToPixels(p.extentY, dpi);
    SetWindowPos(s.Hwnd(), nullptr, TwipsToPixels(p.twips.x, dpi), TwipsToPixels(p.twips.y, dpi), s.extentPixelsX_,
                 s.extentPixelsY_, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  NotifyAmbient("Dpi");
  RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  EventArgs none;
  RaiseEvent(Name(), "DpiChanged", none);
}

}  // namespace host
