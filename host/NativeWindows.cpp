// Native child windows the program places on a form: subclassed so they
// join the tab order and report focus and mouse events by name.
#include <windows.h>
#include <windowsx.h>

#include "host/Error.h"
#include "host/Form.h"
#include "host/FormInternal.h"
#include "host/MouseInput.h"
#include "host/NativeAccessible.h"
#include "host/WindowClasses.h"

namespace host {

namespace {
const char kNativeProp[] = "VornHostNative";
}

void Form::AddNative(HWND hwnd, std::string name, const NativeOptions& options) {
  if (!IsLoaded()) throw Error(errors::kFormNotLoaded, "The form is not loaded");
  if (!hwnd || !IsWindow(hwnd) || !IsChild(Hwnd(), hwnd))
    throw Error(errors::kNoSuchObject, "\"" + name + "\" is not a child window of the form");
  CheckNewName(name);
  auto owned = std::make_unique<Native>();
  Native& n = *owned;
  n.name = std::move(name);
  n.hwnd = hwnd;
  n.options = options;
  n.order = ++order_;
  natives_.push_back(std::move(owned));
  names_.insert(LowerName(n.name));
  SetPropA(hwnd, kNativeProp, reinterpret_cast<HANDLE>(&n));
  n.oldProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Form::NativeWndProc)));
  char cls[32] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (lstrcmpiA(cls, "ComboBox") == 0) {
    // The edit of an editable combo box holds the focus and the keys.
    HWND edit = FindWindowExA(hwnd, nullptr, "Edit", nullptr);
    if (edit) {
      n.editChild = edit;
      SetPropA(edit, kNativeProp, reinterpret_cast<HANDLE>(&n));
      n.oldEditProc = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Form::NativeWndProc)));
    }
  }
  if (lstrcmpiA(cls, "Static") == 0)
    SetWindowLongA(hwnd, GWL_STYLE,
                   GetWindowLongA(hwnd, GWL_STYLE) | SS_NOTIFY);  // statics pass the mouse on otherwise
  if (!options.toolTip.empty()) AddToolTip(hwnd, nullptr, reinterpret_cast<UINT_PTR>(hwnd), options.toolTip);
  if (std::string label = AccessibleLabelName(hwnd); !label.empty()) AnnotateAccessibleName(hwnd, label);
}

LRESULT CALLBACK Form::NativeWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* n = reinterpret_cast<Native*>(GetPropA(hwnd, kNativeProp));
  if (!n) return DefWindowProcA(hwnd, msg, wp, lp);
  WNDPROC old = hwnd == n->editChild ? n->oldEditProc : n->oldProc;
  Form* form = FromWindow(hwnd);
  if (msg == WM_NCDESTROY || !form) {
    if (hwnd == n->hwnd) ClearAccessibleAnnotations(hwnd);
    RemovePropA(hwnd, kNativeProp);
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
    return CallWindowProcA(old, hwnd, msg, wp, lp);
  }
  LRESULT result = 0;
  {
    DispatchScope scope(form);
    try {
      result = form->HandleNative(*n, hwnd, old, msg, wp, lp);
    } catch (...) {
      ReportCaughtWindowException(msg);
      result = 0;
    }
  }
  return result;
}

LRESULT Form::HandleNative(Native& n, HWND hwnd, WNDPROC oldProc, UINT msg, WPARAM wp, LPARAM lp) {
  std::string name = n.name;  // the handlers may remove the window
  switch (msg) {
    case WM_SETFOCUS: FocusChanged(n.hwnd); break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
      if (!userMode_) break;
      ClickTracker::Down down = n.clicks.OnDown(msg);
      if (down.doubleClick) {
        EventArgs none;
        RaiseEvent(name, "DblClick", none);
      } else {
        RaiseMouse(name, "MouseDown", down.button, ShiftState(), static_cast<float>(GET_X_LPARAM(lp)),
                   static_cast<float>(GET_Y_LPARAM(lp)));
      }
      break;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      if (!userMode_) break;
      ClickTracker::Up up = n.clicks.OnUp(msg);
      RaiseMouse(name, "MouseUp", up.button, ShiftState(), static_cast<float>(GET_X_LPARAM(lp)),
                 static_cast<float>(GET_Y_LPARAM(lp)));
      char cls[32] = {};
      GetClassNameA(n.hwnd, cls, sizeof cls);
      // Buttons and combo boxes report their own clicks through WM_COMMAND.
      bool ownClick = lstrcmpiA(cls, "Button") == 0 || lstrcmpiA(cls, "ComboBox") == 0;
      if (up.click && !ownClick) {
        RECT r;
        GetClientRect(hwnd, &r);
        POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        if (PtInRect(&r, pt)) {
          EventArgs none;
          RaiseEvent(name, "Click", none);
        }
      }
      break;
    }
    case WM_GETOBJECT:
      // The label's name for every MSAA client, also where the
      // annotation service is missing (Wine).
      if (hwnd == n.hwnd && static_cast<LONG>(static_cast<DWORD>(lp)) == OBJID_CLIENT) {
        if (std::string label = AccessibleLabelName(hwnd); !label.empty())
          if (LRESULT answer = AnswerNamedWindow(hwnd, wp, label)) return answer;
      }
      break;
    case WM_MOUSEMOVE:
      if (!userMode_) break;
      RaiseMouse(name, "MouseMove", ButtonsFromKeyState(wp), ShiftState(), static_cast<float>(GET_X_LPARAM(lp)),
                 static_cast<float>(GET_Y_LPARAM(lp)));
      break;
    default: break;
  }
  return CallWindowProcA(oldProc, hwnd, msg, wp, lp);
}

}  // namespace host
