#include "host/CaughtExceptions.h"

#include <windows.h>

#include <cstdio>
#include <exception>

namespace host {

namespace {
CaughtExceptionHook& Hook() {
  static CaughtExceptionHook hook;
  return hook;
}

// The exception being handled, as text.
std::string CurrentExceptionText() {
  try {
    throw;
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "an exception that is not a std::exception";
  }
}
}  // namespace

CaughtExceptionHook SetCaughtExceptionHook(CaughtExceptionHook hook) {
  CaughtExceptionHook previous = std::move(Hook());
  Hook() = std::move(hook);
  return previous;
}

void ReportCaughtException(std::string_view where) noexcept {
  try {
    const std::string report = "VORN host: exception stopped in " + std::string(where) + ": " + CurrentExceptionText();
    OutputDebugStringA((report + "\n").c_str());
    // A copy: the hook may install another one while it runs.
    if (CaughtExceptionHook hook = Hook()) hook(report);
  } catch (...) {
    OutputDebugStringA("VORN host: an exception was stopped, and reporting it failed\n");
  }
}

void ReportCaughtWindowException(unsigned message) noexcept {
  char where[32];
  std::snprintf(where, sizeof where, "window message 0x%04X", message);
  ReportCaughtException(where);
}

}  // namespace host
