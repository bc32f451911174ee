// Helpers shared by the form's source files. Internal to the host.
#pragma once

#include <string>
#include <string_view>

#include "host/CaughtExceptions.h"
#include "host/Form.h"

namespace host {

// Counts the form's window procedures on the stack; when the outermost
// one returns, a pending unload destroys the windows, so nothing is
// destroyed under a control that is still running an event.
struct DispatchScope {
  explicit DispatchScope(Form* f) : form(f) { ++form->dispatchDepth_; }
  ~DispatchScope() {
    if (--form->dispatchDepth_ == 0 && form->destroyPending_) form->DestroyAll();
  }
  DispatchScope(const DispatchScope&) = delete;
  DispatchScope& operator=(const DispatchScope&) = delete;
  Form* form;
};

// The body of the window procedure of a window that a host object owns.
// At WM_NCCREATE the object passed as the creation parameter is bound to the
// window (`bind` hands it the handle); at WM_NCDESTROY it is unbound. Every
// message in between goes to `handle` inside a dispatch scope of the
// object's form. No exception crosses the window manager: the message is
// given up there and the exception reported (ReportCaughtException).
template <typename Owner, typename Bind, typename FormOf, typename Handle>
LRESULT OwnedWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, Bind bind, FormOf formOf, Handle handle) {
  auto* self = reinterpret_cast<Owner*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (msg == WM_NCCREATE) {
    self = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    bind(self, hwnd);
  }
  if (!self || msg == WM_NCDESTROY) {
    if (msg == WM_NCDESTROY) SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    return DefWindowProcA(hwnd, msg, wp, lp);
  }
  DispatchScope scope(formOf(self));
  try {
    return handle(self, msg, wp, lp);
  } catch (...) {
    ReportCaughtWindowException(msg);
    return 0;
  }
}

// Posted by Show to the form's window: drag and drop and the tooltips start
// from the message loop, once the window is up.
inline constexpr UINT kFormShownMessage = WM_APP + 0x0F01;

std::string LowerName(std::string_view s);

// Draws a picture unstretched with its top-left corner at (x, y), or
// stretched into a rectangle.
void DrawPictureAt(HDC dc, const Picture& picture, int x, int y);
void DrawPictureStretched(HDC dc, const Picture& picture, const RECT& rect);

// A position in twips: the stored value while it still gives the same
// pixels at `dpi`, so a form saved unchanged keeps its numbers.
int32_t KeepTwips(int32_t stored, int pixels, int dpi);

// A child window's rectangle in its parent's client pixels.
RECT RectInParent(HWND hwnd);

// The mnemonic of a caption: the character after the last single "&"
// (a "&&" pair is a literal ampersand); 0 when there is none.
char CaptionMnemonic(std::string_view caption);

}  // namespace host
