// A top-level test window that watches what the window effects do to it.
//
// Every SetOpacity writes the extended style, which sends WM_STYLECHANGED;
// the window then posts itself a request to look at its own state. That
// request runs in the next pump of a fade, after the opacity of the step has
// been applied, so the window sees every applied opacity in order (the last
// one when the test drains the queue after the fade).
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "effects/WindowEffects.h"
#include "host/MessageLoop.h"

struct WindowLook {
  int32_t value;  // GetLayeredValue
  bool visible;
  bool enabled;
};

class EffectsTestWindow {
 public:
  static constexpr UINT kLook = WM_APP + 1;

  explicit EffectsTestWindow(DWORD style = WS_POPUP, RECT place = {100, 100, 300, 250}) {
    handle_ = CreateWindowExA(0, ClassName(), "effects test", style, place.left, place.top, place.right - place.left,
                              place.bottom - place.top, nullptr, nullptr, GetModuleHandleA(nullptr), this);
  }
  ~EffectsTestWindow() {
    if (IsWindow(handle_)) DestroyWindow(handle_);
    Drain();
  }
  EffectsTestWindow(const EffectsTestWindow&) = delete;
  EffectsTestWindow& operator=(const EffectsTestWindow&) = delete;

  HWND hwnd() const { return handle_; }

  // Runs everything waiting in this thread's queue.
  static void Drain() { host::DispatchPending(); }
  // Drains and forgets what was seen so far.
  void Reset() {
    Drain();
    looks.clear();
    styleWrites = 0;
  }

  std::vector<int32_t> Values() const {
    std::vector<int32_t> values;
    for (const WindowLook& look : looks) values.push_back(look.value);
    return values;
  }

  std::vector<WindowLook> looks;
  int styleWrites = 0;
  std::vector<WPARAM> ncLeftDowns;  // hit codes of WM_NCLBUTTONDOWN
  // Runs after each look, given the index of that look.
  std::function<void(EffectsTestWindow&, size_t)> onLook;
  // Runs for every message before the default handling; true = handled.
  std::function<bool(HWND, UINT, WPARAM, LPARAM)> onMessage;

 private:
  static const char* ClassName() {
    static const ATOM atom = [] {
      WNDCLASSA wc = {};
      wc.lpfnWndProc = &Procedure;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
      wc.lpszClassName = "VornEffectsTestWindow";
      return RegisterClassA(&wc);
    }();
    return atom ? "VornEffectsTestWindow" : nullptr;
  }

  static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(lp);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<EffectsTestWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (msg == WM_NCDESTROY) SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
    if (self->onMessage && self->onMessage(hwnd, msg, wp, lp)) return 0;
    switch (msg) {
      case WM_STYLECHANGED:
        if (static_cast<int>(wp) == GWL_EXSTYLE) {
          ++self->styleWrites;
          PostMessageA(hwnd, kLook, 0, 0);
        }
        break;
      case kLook:
        self->looks.push_back({GetLayeredValue(hwnd), IsWindowVisible(hwnd) != FALSE, IsWindowEnabled(hwnd) != FALSE});
        if (self->onLook) self->onLook(*self, self->looks.size() - 1);
        return 0;
      case WM_NCLBUTTONDOWN: self->ncLeftDowns.push_back(wp); break;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
  }

  HWND handle_ = nullptr;
};
