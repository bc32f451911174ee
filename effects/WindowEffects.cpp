#include "effects/WindowEffects.h"

#include <cmath>

#include "effects/User32Entries.h"

namespace {

constexpr DWORD kModeAlpha = LWA_ALPHA;         // 2: constant alpha
constexpr DWORD kModeColourKey = LWA_COLORKEY;  // 1: colour key

enum class Direction { In, Out };

struct LayeredQuery {
  bool answered = false;  // the platform returned the window's attributes
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
};

LayeredQuery QueryLayered(HWND window) {
  LayeredQuery query;
  const auto get = User32().getLayeredWindowAttributes;
  if (get) query.answered = get(window, &query.key, &query.alpha, &query.flags) != FALSE;
  return query;
}

// Runs every message already waiting for this thread, for all its windows,
// so timers and other windows keep working while a fade runs. A quit request
// is put back for the program's own message loop.
void PumpPendingMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// A fade position applied as an opacity: nearest integer, halves to even.
uint8_t ToOpacity(float position) { return static_cast<uint8_t>(static_cast<int>(std::nearbyint(position))); }

// FadeIn and FadeOut differ only in direction, in the opacity a window
// without constant alpha starts from, and in hiding at 0.
bool Fade(HWND window, uint8_t target, float step, Direction direction) {
  // A step of zero, a negative one or NaN would never reach the target.
  if (!(step > 0.0f) || !IsWindow(window)) return false;
  const bool in = direction == Direction::In;
  const uint8_t start = in ? 0 : 255;
  bool ok = true;

  if (GetLayeredMode(window) != static_cast<int32_t>(kModeAlpha)) ok &= SetOpacity(window, start);
  int32_t current = GetLayeredValue(window);
  if (current == -1) {
    ok &= SetOpacity(window, start);
    current = start;
  }
  if (in ? current > target : current < target) return false;

  // From here on every call may run the window's handlers, and a handler may
  // destroy the window: check before each further use of the handle.
  if (!IsWindow(window)) return false;
  if (!IsWindowVisible(window)) ShowWindow(window, SW_SHOW);
  if (!IsWindow(window)) return false;
  const bool wasEnabled = IsWindowEnabled(window) != FALSE;
  if (wasEnabled) EnableWindow(window, FALSE);

  float position = static_cast<float>(current);
  const float goal = static_cast<float>(target);
  while (in ? position < goal : position > goal) {
    PumpPendingMessages();
    if (!IsWindow(window)) return false;
    float next = in ? position + step : position - step;
    if (in ? next > goal : next < goal) next = goal;
    // A step too small to change a float of this size would never arrive.
    if (next == position) next = goal;
    position = next;
    ok &= SetOpacity(window, ToOpacity(position));
  }

  if (!IsWindow(window)) return false;
  if (wasEnabled) EnableWindow(window, TRUE);
  if (!in && target == 0) {
    if (!IsWindow(window)) return false;
    ShowWindow(window, SW_HIDE);
  }
  return ok;
}

}  // namespace

int32_t GetLayeredMode(HWND window) {
  if (!User32().getLayeredWindowAttributes) return -1;
  const LayeredQuery query = QueryLayered(window);
  if (query.answered) return static_cast<int32_t>(query.flags);
  // A window that is not layered has no attributes to report: its flags
  // stay 0. Without a window there is nothing to report at all.
  return IsWindow(window) ? 0 : -1;
}

int32_t GetLayeredValue(HWND window) {
  const LayeredQuery query = QueryLayered(window);
  if (!query.answered) return -1;
  if (query.flags == kModeAlpha) return query.alpha & 0xFF;
  if (query.flags == kModeColourKey) return static_cast<int32_t>(query.key);
  return -1;
}

bool SetOpacity(HWND window, uint8_t opacity) {
  const User32Entries& api = User32();
  if (!api.getWindowLong || !api.setWindowLong || !api.setLayeredWindowAttributes) return false;
  // Both style calls return 0 for a real style of 0 too; only the error
  // number tells a failure apart.
  SetLastError(0);
  const LONG style = api.getWindowLong(window, GWL_EXSTYLE);
  if (style == 0 && GetLastError() != 0) return false;
  SetLastError(0);
  const LONG previous = api.setWindowLong(window, GWL_EXSTYLE, style | WS_EX_LAYERED);
  if (previous == 0 && GetLastError() != 0) return false;
  return api.setLayeredWindowAttributes(window, 0, opacity, kModeAlpha) != FALSE;
}

bool FadeIn(HWND window, uint8_t target, float step) { return Fade(window, target, step, Direction::In); }

bool FadeOut(HWND window, uint8_t target, float step) { return Fade(window, target, step, Direction::Out); }

void DragForm(HWND window) {
  const User32Entries& api = User32();
  // The window's own capture would keep the system's move loop from getting
  // the mouse; the caption hit code makes the system move the window.
  if (api.releaseCapture) api.releaseCapture();
  if (api.sendMessage) api.sendMessage(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}
