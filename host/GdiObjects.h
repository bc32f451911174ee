// Owners for GDI objects and device contexts, picked by how each handle is
// released. Every owner counts the objects it holds alive, so tests can check
// for leaks on platforms without GetGuiResources.
#pragma once

#include <windows.h>

#include <atomic>
#include <utility>

namespace gdi {

// Number of GDI objects and DCs currently held by owners in this process.
inline std::atomic<long>& LiveCounter() {
  static std::atomic<long> count{0};
  return count;
}
inline long LiveCount() { return LiveCounter().load(); }

// A GDI object (pen, brush, font, bitmap, region, palette) released with
// DeleteObject. Copying is deleted, moving is allowed.
template <typename H>
class Object {
 public:
  Object() = default;
  explicit Object(H handle) : h_(handle) {
    if (h_) ++LiveCounter();
  }
  ~Object() { reset(); }
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;
  Object(Object&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
  Object& operator=(Object&& other) noexcept {
    if (this != &other) {
      reset();
      h_ = std::exchange(other.h_, nullptr);
    }
    return *this;
  }

  H get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }

  void reset(H handle = nullptr) {
    if (h_) {
      DeleteObject(h_);
      --LiveCounter();
    }
    h_ = handle;
    if (h_) ++LiveCounter();
  }
  // Gives up ownership without deleting (e.g. a region handed to SetWindowRgn).
  H release() {
    if (h_) --LiveCounter();
    return std::exchange(h_, nullptr);
  }

 private:
  H h_ = nullptr;
};

using Pen = Object<HPEN>;
using Brush = Object<HBRUSH>;
using Font = Object<HFONT>;
using Bitmap = Object<HBITMAP>;
using Region = Object<HRGN>;
using Palette = Object<HPALETTE>;

// A memory DC from CreateCompatibleDC, released with DeleteDC.
class MemoryDC {
 public:
  MemoryDC() = default;
  explicit MemoryDC(HDC compatibleWith) : h_(CreateCompatibleDC(compatibleWith)) {
    if (h_) ++LiveCounter();
  }
  ~MemoryDC() { reset(); }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  MemoryDC(MemoryDC&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
  MemoryDC& operator=(MemoryDC&& o) noexcept {
    if (this != &o) {
      reset();
      h_ = std::exchange(o.h_, nullptr);
    }
    return *this;
  }
  HDC get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  void reset() {
    if (h_) {
      DeleteDC(h_);
      --LiveCounter();
      h_ = nullptr;
    }
  }

 private:
  HDC h_ = nullptr;
};

// A window DC from GetDC (the screen's for a null window), released with
// ReleaseDC.
class WindowDC {
 public:
  explicit WindowDC(HWND hwnd) : hwnd_(hwnd), h_(GetDC(hwnd)) {
    if (h_) ++LiveCounter();
  }
  ~WindowDC() {
    if (h_) {
      ReleaseDC(hwnd_, h_);
      --LiveCounter();
    }
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC get() const { return h_; }

 private:
  HWND hwnd_;
  HDC h_;
};

// BeginPaint/EndPaint for one WM_PAINT.
class PaintDC {
 public:
  explicit PaintDC(HWND hwnd) : hwnd_(hwnd), h_(BeginPaint(hwnd, &ps_)) {}
  ~PaintDC() { EndPaint(hwnd_, &ps_); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  HDC get() const { return h_; }
  const PAINTSTRUCT& info() const { return ps_; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC h_;
};

// Selects an object into a DC for a scope and puts the previous one back
// when the scope ends, before the object's owner deletes it.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
  ~SelectGuard() {
    if (old_) SelectObject(dc_, old_);
  }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// Saves the DC state (clip region, background mode, colours, selections) and
// restores it at the end of a scope.
class SavedDC {
 public:
  explicit SavedDC(HDC dc) : dc_(dc), id_(SaveDC(dc)) {}
  ~SavedDC() {
    if (id_) RestoreDC(dc_, id_);
  }
  SavedDC(const SavedDC&) = delete;
  SavedDC& operator=(const SavedDC&) = delete;

 private:
  HDC dc_;
  int id_;
};

}  // namespace gdi
