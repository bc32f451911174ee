// The keyboard interface of a form: tab order, focus, the default and
// cancel buttons, and access keys.
#include <algorithm>
#include <cctype>

#include "host/Error.h"
#include "host/Form.h"
#include "host/FormInternal.h"

namespace host {

std::vector<Form::TabItem> Form::TabOrder() const {
  std::vector<TabItem> items;
  for (auto& s : sites_) {
    TabItem t;
    t.tabIndex = s->tabIndex_;
    t.order = s->order_;
    t.hwnd = s->Hwnd();
    t.site = s.get();
    items.push_back(t);
  }
  for (auto& n : natives_) {
    TabItem t;
    t.tabIndex = n->options.tabIndex;
    t.order = n->order;
    t.hwnd = n->hwnd;
    t.native = n.get();
    t.tabStop = n->options.tabStop;
    items.push_back(t);
  }
  for (auto& c : containers_) {
    TabItem t;
    t.tabIndex = c->desc_.tabIndex;
    t.order = c->order_;
    t.hwnd = c->Hwnd();
    t.tabStop = c->desc_.tabStop;
    items.push_back(t);
  }
  for (auto& l : labels_) {
    TabItem t;
    t.tabIndex = l->desc_.tabIndex;
    t.order = l->order_;
    t.label = l.get();
    t.tabStop = false;
    items.push_back(t);
  }
  std::stable_sort(items.begin(), items.end(), [](const TabItem& a, const TabItem& b) {
    return a.tabIndex != b.tabIndex ? a.tabIndex < b.tabIndex : a.order < b.order;
  });
  return items;
}

bool Form::CanFocus(const TabItem& item) const {
  if (!item.hwnd || !IsWindowVisible(item.hwnd) || !IsWindowEnabled(item.hwnd)) return false;
  if (item.site) return item.site->attached_ && item.site->control_->CanGetFocus();
  return true;
}

void Form::FocusItem(const TabItem& item) {
  if (item.hwnd) SetFocus(item.hwnd);
}

// Which tab item holds the focus window (a combo box's edit counts as the
// combo box).
int Form::FocusedIndex(const std::vector<TabItem>& items, HWND focus) {
  if (!focus) return -1;
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i].hwnd && (items[i].hwnd == focus || IsChild(items[i].hwnd, focus))) {
      // A container holding the focused control is not the focused item.
      if (!items[i].site && !items[i].native && items[i].hwnd != focus) continue;
      return static_cast<int>(i);
    }
  return -1;
}

void Form::TabNext(bool forward) {
  std::vector<TabItem> items = TabOrder();
  if (items.empty()) return;
  int n = static_cast<int>(items.size());
  int start = FocusedIndex(items, GetFocus());
  if (start < 0) start = forward ? -1 : n;
  for (int step = 1; step <= n; ++step) {
    int i = ((start + (forward ? step : -step)) % n + n) % n;
    if (items[i].tabStop && CanFocus(items[i])) {
      FocusItem(items[i]);
      return;
    }
  }
}

void Form::SetFocusTo(std::string_view name) {
  if (ControlSite* s = FindSite(name)) {
    SetFocus(s->Hwnd());
    return;
  }
  if (HWND h = NativeHwnd(name)) {
    SetFocus(h);
    return;
  }
  if (Container* c = FindContainer(name)) {
    SetFocus(c->Hwnd());
    return;
  }
  throw Error(errors::kNoSuchObject, "The form has no focusable object named \"" + std::string(name) + "\"");
}

std::string Form::FocusedName() const {
  HWND focus = GetFocus();
  if (!focus) return {};
  if (ControlSite* s = SiteFromHwnd(focus)) return s->Name();
  for (auto& n : natives_)
    if (n->hwnd == focus || IsChild(n->hwnd, focus)) return n->name;
  for (auto& c : containers_)
    if (c->Hwnd() == focus) return c->Name();
  return {};
}

void Form::FocusChanged(HWND hwnd) {
  lastFocus_ = hwnd;
  UpdateDefault();
}

// The control shown as the default button: in run mode a focused control
// that acts as a command button, else the form's marked default button.
void Form::UpdateDefault() {
  ControlSite* next = defaultButton_;
  if (userMode_) {
    ControlSite* focused = SiteFromHwnd(lastFocus_);
    if (focused && focused->attached_ && focused->control_->CanBeDefault()) next = focused;
  }
  if (next == currentDefault_) return;
  ControlSite* old = currentDefault_;
  currentDefault_ = next;
  if (old && old->attached_) old->control_->AmbientChanged("DisplayAsDefault");
  if (next && next->attached_ && currentDefault_ == next) next->control_->AmbientChanged("DisplayAsDefault");
}

bool Form::PressDefaultOrCancel(bool cancel) {
  ControlSite* target = cancel ? cancelButton_ : currentDefault_;
  if (!target || !target->attached_ || !target->Enabled() || !target->Visible()) return false;
  target->control_->AccessKeyPress(cancel ? 27 : 13);
  return true;
}

bool Form::HandleAccessKey(char ch) {
  if (!std::isgraph(static_cast<unsigned char>(ch))) return false;
  auto same = [ch](char k) {
    return k && std::tolower(static_cast<unsigned char>(k)) == std::tolower(static_cast<unsigned char>(ch));
  };
  std::vector<TabItem> items = TabOrder();
  int n = static_cast<int>(items.size());
  int start = FocusedIndex(items, GetFocus());
  for (int step = 1; step <= n; ++step) {
    int i = ((start + step) % n + n) % n;
    const TabItem& item = items[i];
    if (item.site) {
      const std::string& keys = item.site->accessKeys_;
      if (!std::any_of(keys.begin(), keys.end(), same)) continue;
      if (!CanFocus(item) &&
          !(item.site->attached_ && item.hwnd && IsWindowEnabled(item.hwnd) && IsWindowVisible(item.hwnd)))
        continue;
      if (CanFocus(item) && GetFocus() != item.hwnd) SetFocus(item.hwnd);
      if (item.site->attached_)
        item.site->control_->AccessKeyPress(static_cast<int16_t>(static_cast<unsigned char>(ch)));
      return true;
    }
    if (item.label) {
      if (!item.label->desc_.visible || !same(CaptionMnemonic(item.label->desc_.caption))) continue;
      // A label hands its access key to the next object that takes the focus.
      for (int k = 1; k < n; ++k) {
        const TabItem& next = items[(i + k) % n];
        if (next.label || !next.tabStop || !CanFocus(next)) continue;
        FocusItem(next);
        return true;
      }
      return true;
    }
    if (item.native) {
      char text[256] = {};
      GetWindowTextA(item.hwnd, text, sizeof text);
      if (!same(CaptionMnemonic(text)) || !CanFocus(item)) continue;
      char cls[32] = {};
      GetClassNameA(item.hwnd, cls, sizeof cls);
      if (lstrcmpiA(cls, "Static") == 0) {
        for (int k = 1; k < n; ++k) {
          const TabItem& next = items[(i + k) % n];
          if (next.label || !next.tabStop || next.native == item.native || !CanFocus(next)) continue;
          FocusItem(next);
          return true;
        }
        return true;
      }
      SetFocus(item.hwnd);
      if (lstrcmpiA(cls, "Button") == 0) SendMessageA(item.hwnd, BM_CLICK, 0, 0);
      return true;
    }
  }
  return false;
}

// Whether the focused native window handles a key itself.
static bool NativeWants(HWND focus, MSG& msg, UINT flag) {
  LRESULT code = SendMessageA(focus, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
  return (code & flag) != 0;
}

bool Form::HandleKeyMessage(MSG& msg) {
  if (!userMode_ || !IsLoaded()) return false;
  HWND focus = msg.hwnd;
  ControlSite* site = SiteFromHwnd(focus);
  Native* native = site ? nullptr : FindNative(focus);
  switch (msg.message) {
    case WM_KEYDOWN: {
      bool ctrl = GetKeyState(VK_CONTROL) < 0, alt = GetKeyState(VK_MENU) < 0;
      if (ctrl || alt) return false;
      HWND combo = native ? native->hwnd : nullptr;
      bool dropped = combo && SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) != 0;
      switch (msg.wParam) {
        case VK_TAB:
          if (!site && NativeWants(focus, msg, DLGC_WANTTAB)) return false;
          TabNext(GetKeyState(VK_SHIFT) >= 0);
          return true;
        case VK_RETURN:
          if (dropped || (!site && NativeWants(focus, msg, DLGC_WANTALLKEYS | DLGC_WANTMESSAGE))) return false;
          return PressDefaultOrCancel(false);
        case VK_ESCAPE:
          if (dropped || (!site && NativeWants(focus, msg, DLGC_WANTALLKEYS | DLGC_WANTMESSAGE))) return false;
          return PressDefaultOrCancel(true);
        default: return false;
      }
    }
    case WM_SYSCHAR: return HandleAccessKey(static_cast<char>(msg.wParam));
    case WM_CHAR: {
      char ch = static_cast<char>(msg.wParam);
      if (!std::isgraph(static_cast<unsigned char>(ch))) return false;
      bool takesChars = site ? site->control_ && site->control_->TakesCharacters()
                             : (focus && NativeWants(focus, msg, DLGC_WANTCHARS | DLGC_HASSETSEL));
      if (takesChars) return false;
      return HandleAccessKey(ch);
    }
    default: return false;
  }
}

}  // namespace host
