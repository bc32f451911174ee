// Owner of an opened registry key: closes it when it goes out of scope.
// Copying is deleted, moving is allowed.
#pragma once

#include <windows.h>

#include <utility>

class RegKey {
 public:
  RegKey() = default;
  ~RegKey() { reset(); }
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  RegKey(RegKey&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
  RegKey& operator=(RegKey&& other) noexcept {
    if (this != &other) {
      reset();
      h_ = std::exchange(other.h_, nullptr);
    }
    return *this;
  }

  HKEY get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  // For the out parameter of RegOpenKeyExA and friends; closes the key held.
  HKEY* put() {
    reset();
    return &h_;
  }
  void reset() {
    if (h_) RegCloseKey(h_);
    h_ = nullptr;
  }

 private:
  HKEY h_ = nullptr;
};
