// A host form with Butt controls in real windows, an event recorder, a
// message-box recorder and helpers that drive the real cursor.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "button/Butt.h"
#include "host/Host.h"

namespace butt_test {

inline constexpr int kButtWidth = 63;  // pixels
inline constexpr int kButtHeight = 26;

inline int32_t Twips(int pixels) { return host::PixelsToTwips(pixels); }

inline host::ContainerDesc Box(const std::string& name, int leftPx, int topPx, int widthPx = 300, int heightPx = 150) {
  host::ContainerDesc box;
  box.name = name;
  box.left = Twips(leftPx);
  box.top = Twips(topPx);
  box.width = Twips(widthPx);
  box.height = Twips(heightPx);
  box.backColor = 0x00404040;
  return box;
}

// A Butt of 63 x 26 pixels; without a bag it is a new instance.
inline host::ControlDesc ButtAt(const std::string& name, const std::string& container, int leftPx, int topPx,
                                int16_t tabIndex, std::optional<host::PropertyBag> bag = std::nullopt) {
  host::ControlDesc c;
  c.className = Butt::kClassName;
  c.name = name;
  c.container = container;
  c.left = Twips(leftPx);
  c.top = Twips(topPx);
  c.extentX = host::PixelsToHimetric(kButtWidth);
  c.extentY = host::PixelsToHimetric(kButtHeight);
  c.tabIndex = tabIndex;
  c.properties = std::move(bag);
  return c;
}

// A stored control in the given mode (and value).
inline host::PropertyBag StoredBag(int32_t mode, bool value = false, const std::string& caption = "B") {
  host::PropertyBag bag;
  bag.Set("Caption", host::PropertyValue::Text(caption));
  bag.Set("Mode", host::PropertyValue::Int32(mode));
  bag.Set("Value", host::PropertyValue::Bool(value));
  bag.Set("cBack", host::PropertyValue::Color(0x00C0C0C0));
  return bag;
}

inline host::FormDesc BaseForm() {
  host::FormDesc desc;
  desc.form.name = "TestForm";
  desc.form.caption = "Butt behaviour";
  desc.form.left = 0;
  desc.form.top = 0;
  desc.form.clientWidth = Twips(640);
  desc.form.clientHeight = Twips(400);
  desc.form.borderStyle = 0;
  return desc;
}

// One event as the form's handlers saw it.
struct Raised {
  std::string object;
  std::string event;
  std::optional<int16_t> first;  // the first parameter when it is 16-bit
};

// Shows message boxes into a list instead of on screen.
class MessageRecorder {
 public:
  struct Box {
    std::string text;
    std::string title;
    UINT style;
  };
  MessageRecorder() {
    previous_ = host::SetMessageBoxHandler([this](HWND, const std::string& text, const std::string& title, UINT style) {
      boxes.push_back({text, title, style});
      return IDOK;
    });
  }
  ~MessageRecorder() { host::SetMessageBoxHandler(previous_); }
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  std::vector<Box> boxes;

 private:
  host::MessageBoxHandler previous_;
};

// Moves the real cursor to a screen point; the mouse move it causes goes
// to the window under it.
inline void MoveCursor(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  SendInput(1, &input, sizeof input);
}

inline POINT CenterOf(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A point on the screen that lies outside every test window.
inline POINT Elsewhere() { return POINT{GetSystemMetrics(SM_CXSCREEN) - 5, GetSystemMetrics(SM_CYSCREEN) - 5}; }

inline LPARAM ClientPoint(int x, int y) { return MAKELPARAM(x, y); }

inline BOOL CALLBACK CollectPropName(HWND, LPSTR name, HANDLE, ULONG_PTR param) {
  auto* list = reinterpret_cast<std::vector<std::string>*>(param);
  if (HIWORD(reinterpret_cast<UINT_PTR>(name)) != 0)
    list->push_back(name);
  else
    list->push_back("#atom");
  return TRUE;
}

// The named properties of a window.
inline std::vector<std::string> WindowPropNames(HWND hwnd) {
  std::vector<std::string> names;
  EnumPropsExA(hwnd, CollectPropName, reinterpret_cast<LPARAM>(&names));
  return names;
}

class ButtFormTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterButtClass(); }

  void TearDown() override {
    form_.reset();
    host::DoEvents();
  }

  // Builds, loads and shows the form in run mode (or edit mode).
  void Open(host::FormDesc desc, bool userMode = true) {
    form_ = std::make_unique<host::Form>(std::move(desc));
    form_->SetUserMode(userMode);
    form_->OnAny([this](std::string_view object, std::string_view event, host::EventArgs& args) {
      Raised r{std::string(object), std::string(event), std::nullopt};
      if (args.Count() > 0) {
        try {
          r.first = args.Int16(0);
        } catch (const host::Error&) {
        }
      }
      log_.push_back(r);
    });
    form_->Show();
    host::DoEvents();
  }

  host::Form& Form() { return *form_; }
  Butt& B(std::string_view name) { return form_->ControlAs<Butt>(name); }
  host::ControlSite& Site(std::string_view name) { return form_->Site(name); }
  HWND Hwnd(std::string_view name) { return form_->Site(name).Hwnd(); }

  static bool PumpUntil(const std::function<bool()>& pred, DWORD timeoutMs = 5000) {
    return host::PumpUntil(pred, timeoutMs);
  }

  // The events of one object in order, leaving out mouse moves and hover
  // changes unless asked for.
  std::vector<std::string> EventsOf(const std::string& object, bool withMoves = false) const {
    std::vector<std::string> events;
    for (const Raised& r : log_) {
      if (r.object != object) continue;
      if (!withMoves && (r.event == "MouseMove" || r.event == "MouseOnButton")) continue;
      events.push_back(r.event);
    }
    return events;
  }
  std::vector<Raised> Named(const std::string& object, const std::string& event) const {
    std::vector<Raised> found;
    for (const Raised& r : log_)
      if (r.object == object && r.event == event) found.push_back(r);
    return found;
  }

  // Sends a message to a control window as the system would deliver it.
  void Send(std::string_view name, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
    SendMessageA(Hwnd(name), msg, wp, lp);
    host::DoEvents();
  }
  // Posts key messages to the focused window and lets the loop route them.
  static void PostKey(HWND target, UINT msg, WPARAM key) {
    PostMessageA(target, msg, key, 1);
    host::DoEvents();
  }
  void Click(std::string_view name) {
    Send(name, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(10, 10));
    Send(name, WM_LBUTTONUP, 0, ClientPoint(10, 10));
  }

  std::unique_ptr<host::Form> form_;
  std::vector<Raised> log_;
};

}  // namespace butt_test
