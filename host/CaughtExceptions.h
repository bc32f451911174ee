// Exceptions the host stops where they must not travel on: out of a window
// procedure or another callback into the window manager, out of a COM
// method into ole32 or oleacc, or out of one control's termination into
// the others'. Each one stopped is reported, never dropped unseen: to
// the debugger's output and to a hook that a program or a test installs.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace host {

// Receives the text of each report ("... window message 0x0102: what()").
using CaughtExceptionHook = std::function<void(const std::string& report)>;

// Installs the hook (an empty one: the debugger's output only) and returns
// the previous one.
CaughtExceptionHook SetCaughtExceptionHook(CaughtExceptionHook hook);

// Reports the exception being handled; call it only inside a catch block.
// `where` says what was running. Never throws.
void ReportCaughtException(std::string_view where) noexcept;

// The same for a window procedure: `where` is "window message 0x0102".
void ReportCaughtWindowException(unsigned message) noexcept;

// The body of a function the system calls (a COM method called by ole32 or
// oleacc, a timer procedure, any other callback): runs `body` and returns its
// result; an exception is stopped here, reported as caught in `where`
// ("IDropTarget::Drop"), and `failed` returned instead.
template <typename Result, typename Body>
Result AtSystemBoundary(const char* where, Result failed, Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    ReportCaughtException(where);
    return failed;
  }
}

// The same for a callback that returns nothing.
template <typename Body>
void AtSystemBoundary(const char* where, Body&& body) noexcept {
  try {
    body();
  } catch (...) {
    ReportCaughtException(where);
  }
}

}  // namespace host
