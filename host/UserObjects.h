// Owners for USER handles and per-window resources: icons and cursors,
// windows, window properties and window timers; and for kernel file handles. Like the GDI owners in
// GdiObjects.h, every owner counts what it holds alive so tests can check for
// leaks (Wine has no GetGuiResources).
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <utility>

namespace user {

// Number of USER objects (icons, cursors, windows, properties, timers)
// currently held by owners in this process.
inline std::atomic<long>& LiveCounter() {
  static std::atomic<long> count{0};
  return count;
}
inline long LiveCount() { return LiveCounter().load(); }

// An icon (DestroyIcon) or a cursor (DestroyCursor). Only handles this
// program created may be owned: never a shared system icon from LoadIcon.
class Icon {
 public:
  Icon() = default;
  Icon(HICON handle, bool isCursor) : h_(handle), cursor_(isCursor) {
    if (h_) ++LiveCounter();
  }
  ~Icon() { reset(); }
  Icon(const Icon&) = delete;
  Icon& operator=(const Icon&) = delete;
  Icon(Icon&& o) noexcept : h_(std::exchange(o.h_, nullptr)), cursor_(o.cursor_) {}
  Icon& operator=(Icon&& o) noexcept {
    if (this != &o) {
      reset();
      h_ = std::exchange(o.h_, nullptr);
      cursor_ = o.cursor_;
    }
    return *this;
  }
  HICON get() const { return h_; }
  bool isCursor() const { return cursor_; }
  explicit operator bool() const { return h_ != nullptr; }
  void reset() {
    if (h_) {
      if (cursor_)
        DestroyCursor(reinterpret_cast<HCURSOR>(h_));
      else
        DestroyIcon(h_);
      --LiveCounter();
      h_ = nullptr;
    }
  }

 private:
  HICON h_ = nullptr;
  bool cursor_ = false;
};

// A window destroyed with DestroyWindow unless it is already gone.
class Window {
 public:
  Window() = default;
  explicit Window(HWND h) : h_(h) {
    if (h_) ++LiveCounter();
  }
  ~Window() { reset(); }
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  Window(Window&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
  Window& operator=(Window&& o) noexcept {
    if (this != &o) {
      reset();
      h_ = std::exchange(o.h_, nullptr);
    }
    return *this;
  }
  HWND get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  void reset(HWND h = nullptr) {
    if (h_) {
      if (IsWindow(h_)) DestroyWindow(h_);
      --LiveCounter();
    }
    h_ = h;
    if (h_) ++LiveCounter();
  }
  // Forgets the handle (the window was destroyed by its parent).
  HWND release() {
    if (h_) --LiveCounter();
    return std::exchange(h_, nullptr);
  }

 private:
  HWND h_ = nullptr;
};

// A named window property set with SetPropA and removed on destruction.
class WindowProp {
 public:
  WindowProp() = default;
  WindowProp(HWND hwnd, std::string name, HANDLE value) : hwnd_(hwnd), name_(std::move(name)) {
    if (SetPropA(hwnd_, name_.c_str(), value)) {
      set_ = true;
      ++LiveCounter();
    }
  }
  ~WindowProp() { reset(); }
  WindowProp(const WindowProp&) = delete;
  WindowProp& operator=(const WindowProp&) = delete;
  WindowProp(WindowProp&& o) noexcept : hwnd_(o.hwnd_), name_(std::move(o.name_)), set_(std::exchange(o.set_, false)) {}
  WindowProp& operator=(WindowProp&& o) noexcept {
    if (this != &o) {
      reset();
      hwnd_ = o.hwnd_;
      name_ = std::move(o.name_);
      set_ = std::exchange(o.set_, false);
    }
    return *this;
  }
  explicit operator bool() const { return set_; }
  void reset() {
    if (set_) {
      RemovePropA(hwnd_, name_.c_str());
      --LiveCounter();
      set_ = false;
    }
  }

 private:
  HWND hwnd_ = nullptr;
  std::string name_;
  bool set_ = false;
};

// A window timer (SetTimer on a window), killed on destruction.
class Timer {
 public:
  Timer() = default;
  Timer(HWND hwnd, UINT_PTR id, UINT intervalMs, TIMERPROC proc = nullptr) : hwnd_(hwnd), id_(id) {
    if (SetTimer(hwnd_, id_, intervalMs, proc)) {
      set_ = true;
      ++LiveCounter();
    }
  }
  ~Timer() { reset(); }
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;
  Timer(Timer&& o) noexcept : hwnd_(o.hwnd_), id_(o.id_), set_(std::exchange(o.set_, false)) {}
  Timer& operator=(Timer&& o) noexcept {
    if (this != &o) {
      reset();
      hwnd_ = o.hwnd_;
      id_ = o.id_;
      set_ = std::exchange(o.set_, false);
    }
    return *this;
  }
  explicit operator bool() const { return set_; }
  UINT_PTR id() const { return id_; }
  void reset() {
    if (set_) {
      KillTimer(hwnd_, id_);
      --LiveCounter();
      set_ = false;
    }
  }

 private:
  HWND hwnd_ = nullptr;
  UINT_PTR id_ = 0;
  bool set_ = false;
};

// A kernel file handle from CreateFile, closed with CloseHandle.
class File {
 public:
  File() = default;
  explicit File(HANDLE h) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {
    if (h_) ++LiveCounter();
  }
  ~File() { Close(); }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  HANDLE get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  // Closes now; false (with the last error set) when closing failed.
  bool Close() {
    if (!h_) return true;
    --LiveCounter();
    return CloseHandle(std::exchange(h_, nullptr)) != FALSE;
  }

 private:
  HANDLE h_ = nullptr;
};

}  // namespace user
