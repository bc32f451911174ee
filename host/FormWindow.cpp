// The window procedures of the form and of its control sites: the
// translation of window messages into control notifications and form events.
#include <windows.h>
#include <windowsx.h>
#include <commctrl.h>

#include "host/CommonControls.h"
#include "host/Dpi.h"
#include "host/Form.h"
#include "host/FormInternal.h"
#include "host/MouseInput.h"
#include "host/WindowClasses.h"

namespace host {

namespace {

// Whether a client point lies in the window: inside its client area and,
// when the window has a shape region, inside that region.
bool PointInWindowShape(HWND hwnd, POINT pt) {
  RECT client;
  GetClientRect(hwnd, &client);
  if (!PtInRect(&client, pt)) return false;
  gdi::Region region(CreateRectRgn(0, 0, 0, 0));
  if (region && GetWindowRgn(hwnd, region.get()) != ERROR) return PtInRegion(region.get(), pt.x, pt.y) != 0;
  return true;
}

}  // namespace

LRESULT CALLBACK Form::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return OwnedWindowProc<Form>(
      hwnd, msg, wp, lp, [](Form* f, HWND h) { f->hwnd_.reset(h); }, [](Form* f) { return f; },
      [](Form* f, UINT m, WPARAM w, LPARAM l) { return f->Handle(m, w, l); });
}

LRESULT Form::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  HWND hwnd = hwnd_.get();
  LRESULT childResult = 0;
  if (HandleChildMessage(msg, wp, lp, backBrush_.get(), desc_.form.backColor, childResult)) return childResult;
  switch (msg) {
    case kFormShownMessage:
      StartDragAndDrop();
      CreateToolTips();
      return 0;
    case WM_CLOSE: Unload(0); return 0;
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(hwnd, &r);
      FillRect(reinterpret_cast<HDC>(wp), &r, backBrush_.get());
      return 1;
    }
    case WM_PAINT: {
      gdi::PaintDC dc(hwnd);
      DrawPictureAt(dc.get(), desc_.form.picture, 0, 0);
      return 0;
    }
    case WM_SIZE: {
      EventArgs none;
      if (!unloading_) RaiseEvent(Name(), "Resize", none);
      break;
    }
    case kWmGetDpiScaledSize: {
      // The size the window takes at the new DPI, so the system's
      // suggested rectangle of WM_DPICHANGED fits it exactly.
      *reinterpret_cast<SIZE*>(lp) = WindowSizeAt(LOWORD(wp));
      return TRUE;
    }
    case kWmDpiChanged: ScaleToDpi(LOWORD(wp), reinterpret_cast<const RECT*>(lp)); return 0;
    case WM_ACTIVATE: {
      EventArgs none;
      if (LOWORD(wp) != WA_INACTIVE) {
        RaiseEvent(Name(), "Activate", none);
        if (lastFocus_ && IsWindow(lastFocus_) && IsChild(hwnd, lastFocus_) && IsWindowEnabled(lastFocus_)) {
          SetFocus(lastFocus_);
          return 0;
        }
      } else {
        RaiseEvent(Name(), "Deactivate", none);
      }
      break;
    }
    case WM_TIMER: {
      auto it = timerNames_.find(static_cast<UINT_PTR>(wp));
      if (it != timerNames_.end()) {
        std::string name = it->second;
        EventArgs none;
        RaiseEvent(name, "Timer", none);
        return 0;
      }
      break;
    }
    default: break;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

bool Form::HandleChildMessage(UINT msg, WPARAM wp, LPARAM lp, HBRUSH backBrush, OleColor backColor, LRESULT& result) {
  switch (msg) {
    case WM_CTLCOLORSTATIC: {
      Native* n = FindNative(reinterpret_cast<HWND>(lp));
      if (!n) return false;
      HDC dc = reinterpret_cast<HDC>(wp);
      SetBkColor(dc, ResolveColor(backColor));
      SetTextColor(dc, n->options.useForeColor ? ResolveColor(n->options.foreColor) : GetSysColor(COLOR_WINDOWTEXT));
      result = reinterpret_cast<LRESULT>(backBrush);
      return true;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
      Native* n = FindNative(reinterpret_cast<HWND>(lp));
      if (!n) {
        // The list of a combo box is not the combo itself.
        HWND parent = GetParent(reinterpret_cast<HWND>(lp));
        n = FindNative(parent);
      }
      if (!n || !n->options.useForeColor) return false;
      HDC dc = reinterpret_cast<HDC>(wp);
      SetTextColor(dc, ResolveColor(n->options.foreColor));
      SetBkColor(dc, GetSysColor(COLOR_WINDOW));
      result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
      return true;
    }
    case WM_COMMAND: {
      if (!lp) return false;
      Native* n = FindNative(reinterpret_cast<HWND>(lp));
      if (!n) return false;
      const char* event = nullptr;
      switch (HIWORD(wp)) {
        case BN_CLICKED: event = "Click"; break;
        case EN_CHANGE: event = "Change"; break;
        default: break;
      }
      char cls[32] = {};
      GetClassNameA(n->hwnd, cls, sizeof cls);
      if (lstrcmpiA(cls, "ComboBox") == 0) {
        switch (HIWORD(wp)) {
          case CBN_SELCHANGE: event = "Click"; break;
          case CBN_EDITCHANGE: event = "Change"; break;
          case CBN_DROPDOWN: event = "DropDown"; break;
          default: event = nullptr; break;
        }
      }
      if (event) {
        std::string name = n->name;
        EventArgs none;
        RaiseEvent(name, event, none);
      }
      result = 0;
      return true;
    }
    default: return false;
  }
}

void Form::AddToolTip(HWND owner, const RECT* rect, UINT_PTR id, const std::string& text) {
  pendingToolTips_.push_back({owner, rect != nullptr, rect ? *rect : RECT{}, id, text});
  if (shown_) CreateToolTips();
}

void Form::CreateToolTips() {
  if (pendingToolTips_.empty()) return;
  if (!toolTip_) {
    if (!LoadCommonControls()) return;
    toolTip_.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Hwnd(), nullptr,
                                   HostInstance(), nullptr));
    if (!toolTip_) return;
  }
  for (const PendingToolTip& tip : pendingToolTips_) {
    if (!IsWindow(tip.owner)) continue;  // its control went before the form was shown
    TOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    ti.uFlags = TTF_SUBCLASS | (tip.hasRect ? 0 : TTF_IDISHWND);
    ti.hwnd = tip.owner;
    ti.uId = tip.id;
    if (tip.hasRect) ti.rect = tip.rect;
    ti.lpszText = const_cast<char*>(tip.text.c_str());
    SendMessageA(toolTip_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  }
  pendingToolTips_.clear();
}

// ------------------------------------------------------------ control sites

LRESULT CALLBACK Form::SiteWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return OwnedWindowProc<ControlSite>(
      hwnd, msg, wp, lp, [](ControlSite* site, HWND h) { site->hwnd_.reset(h); },
      [](ControlSite* site) { return site->form_; },
      [](ControlSite* site, UINT m, WPARAM w, LPARAM l) { return site->form_->HandleSite(*site, m, w, l); });
}

LRESULT Form::HandleSite(ControlSite& s, UINT msg, WPARAM wp, LPARAM lp) {
  HWND hwnd = s.Hwnd();
  Control* c = s.control_.get();
  bool live = s.attached_ && c;
  bool input = live && userMode_ && IsWindowEnabled(hwnd);  // a disabled control gets no input
  switch (msg) {
    case WM_ERASEBKGND: return 1;  // the control paints every pixel
    case WM_PAINT: {
      gdi::PaintDC dc(hwnd);
      if (live && !s.inPaint_) {
        s.inPaint_ = true;
        s.paintDc_ = dc.get();
        try {
          c->Paint();
        } catch (...) {
          s.inPaint_ = false;
          s.paintDc_ = nullptr;
          throw;
        }
        s.inPaint_ = false;
        s.paintDc_ = nullptr;
        // Nothing the control does between paints keeps a window DC.
        s.ReleaseHdc();
      }
      return 0;
    }
    case WM_SIZE:
      if (live) c->Resize();
      return 0;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wp) == hwnd && LOWORD(lp) == HTCLIENT) {
        HCURSOR cursor = nullptr;
        if (s.mousePointer_ == kPointerCustom)
          cursor = s.mouseIcon_ ? reinterpret_cast<HCURSOR>(s.mouseIcon_.Icon()) : nullptr;
        else
          cursor = SystemCursorFor(s.mousePointer_);
        if (cursor) {
          SetCursor(cursor);
          return TRUE;
        }
      }
      break;
    case WM_SETFOCUS:
      FocusChanged(hwnd);
      if (live) {
        c->EnterFocus();
        c->GotFocus();
      }
      return 0;
    case WM_KILLFOCUS:
      if (live) {
        c->LostFocus();
        c->ExitFocus();
      }
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
      if (!input) break;
      if (c->CanGetFocus() && GetFocus() != hwnd) SetFocus(hwnd);
      if (!s.attached_) return 0;  // the focus change unloaded the form
      ClickTracker::Down down = s.clicks_.OnDown(msg);
      if (GetCapture() != hwnd) {
        SetCapture(hwnd);
        s.hostCapture_ = true;
      }
      float x = static_cast<float>(GET_X_LPARAM(lp)), y = static_cast<float>(GET_Y_LPARAM(lp));
      if (down.doubleClick)
        c->DblClick();
      else
        c->MouseDown(down.button, ShiftState(), x, y);
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      if (!input) break;
      ClickTracker::Up up = s.clicks_.OnUp(msg);
      POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      c->MouseUp(up.button, ShiftState(), static_cast<float>(pt.x), static_cast<float>(pt.y));
      if (!s.attached_) return 0;
      if (up.lastRelease && s.hostCapture_) {
        s.hostCapture_ = false;
        if (GetCapture() == hwnd) ReleaseCapture();
      }
      if (up.click && PointInWindowShape(hwnd, pt)) c->Click();
      return 0;
    }
    case WM_MOUSEMOVE:
      if (!input) break;
      c->MouseMove(ButtonsFromKeyState(wp), ShiftState(), static_cast<float>(GET_X_LPARAM(lp)),
                   static_cast<float>(GET_Y_LPARAM(lp)));
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lp) != hwnd) s.hostCapture_ = false;
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      if (!input) break;
      int16_t code = static_cast<int16_t>(wp), shift = ShiftState();
      c->KeyDown(code, shift);
      if (msg == WM_SYSKEYDOWN) break;  // Alt combinations keep their system meaning
      return 0;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      if (!input) break;
      int16_t code = static_cast<int16_t>(wp), shift = ShiftState();
      c->KeyUp(code, shift);
      if (msg == WM_SYSKEYUP) break;
      return 0;
    }
    case WM_CHAR: {
      if (!input) break;
      int16_t ascii = static_cast<int16_t>(static_cast<unsigned char>(wp));
      c->KeyPress(ascii);
      return 0;
    }
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    default: {
      LRESULT result = 0;
      if (live && c->WindowMessage(msg, wp, lp, result)) return result;
      break;
    }
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace host
